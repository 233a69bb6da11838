.pragma library

// How fields show and read numbers: in base 16 with "0x" or plain decimal.
// QML numbers are doubles: everything here uses arithmetic, never the 32-bit
// signed bit operators, so values up to 0xFFFFFFFF keep every digit.

// Spin boxes: base 16 with "0x" in hexadecimal format, base 10 without prefix.
function radix(hexadecimal) {
    return hexadecimal ? 16 : 10
}

function prefix(hexadecimal) {
    return hexadecimal ? "0x" : ""
}

// Texts: lower-case digits without leading zeros after "0x", or plain decimal.
function text(value, hexadecimal) {
    var number = Math.trunc(Number(value) || 0)
    if (!hexadecimal)
        return number.toString(10)
    return (number < 0 ? "-0x" : "0x") + Math.abs(number).toString(16)
}

// Typed digits in the given base; an empty text counts as 0, and so does a
// text that holds no number at all.
function fromText(digits, base) {
    if (digits === undefined || digits === null || String(digits).length === 0)
        return 0
    var number = parseInt(String(digits), base)
    return isNaN(number) ? 0 : number
}
