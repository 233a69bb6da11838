.pragma library

// The TARN210's numbers: bit sets, filter patterns, J1939 identifiers and the
// safety data types' ranges (how a field shows a number is the kit's
// NumberText). QML numbers are doubles: everything here uses arithmetic, never
// the 32-bit signed bit operators, so identifiers up to 0xFFFFFFFF and 64-bit
// comparison values keep every digit.

var twoTo32 = 4294967296

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
