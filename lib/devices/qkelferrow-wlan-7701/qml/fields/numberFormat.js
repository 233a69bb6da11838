.pragma library

// How the configuration pages show and read numbers. QML numbers are doubles:
// everything here uses arithmetic, never the 32-bit signed bit operators, so
// identifiers up to 0xFFFFFFFF and 64-bit comparison values keep every digit.

var twoTo32 = 4294967296

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

// Whether the bit of the given value (a power of two) is set in an unsigned 32-bit set.
function hasBit(bits, bit) {
    return Math.floor((Number(bits) || 0) / bit) % 2 === 1
}

// The unsigned 32-bit set with one bit set or cleared and every other bit kept.
function withBit(bits, bit, on) {
    var current = (Number(bits) || 0) % twoTo32
    if (hasBit(current, bit) === on)
        return current
    return on ? current + bit : current - bit
}

// The filter pattern of an identifier and mask over the given number of bits,
// most significant bit first: "x" where the mask bit is 0, else the bit of
// (identifier AND mask).
function filterPattern(identifier, mask, bitLength) {
    var pattern = ""
    for (var bit = bitLength - 1; bit >= 0; --bit) {
        var weight = Math.pow(2, bit)
        var maskBit = Math.floor(mask / weight) % 2
        var idBit = Math.floor(identifier / weight) % 2
        pattern += maskBit === 1 ? String(idBit) : "x"
    }
    return pattern
}

// The 29-bit identifier that carries a J1939 parameter group number.
function identifierOfPgn(pgn) {
    return (pgn % 65536) * 256
}

// The comparison range of each safety data type, in the order of the type's values.
// `bits` is the width at which hexadecimal shows a negative value's bit pattern.
var dataTypeRanges = [
    { minimum: 0, maximum: 255, bits: 8 },
    { minimum: 0, maximum: 65535, bits: 16 },
    { minimum: 0, maximum: 4294967295, bits: 32 },
    { minimum: -128, maximum: 127, bits: 8 },
    { minimum: -32768, maximum: 32767, bits: 16 },
    { minimum: -2147483648, maximum: 2147483647, bits: 32 }
]

var widestRange = { minimum: -2147483648, maximum: 4294967295, bits: 0 }

function rangeOfDataType(dataType) {
    return dataTypeRanges[dataType] !== undefined ? dataTypeRanges[dataType] : widestRange
}
