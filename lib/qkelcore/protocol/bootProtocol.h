#pragma once

#include <QByteArray>
#include <QString>

namespace QKel::Comms::Protocol {

// Framing of the serial boot protocol: 0x43, 16-bit big-endian payload length,
// payload, XOR checksum over everything before it, 0x0D.
class BootProtocol
{
public:
    static constexpr char StartByte = 0x43;
    static constexpr char StopByte = 0x0D;
    static constexpr int FrameOverhead = 5;
    static constexpr int MaxPayloadSize = 0xFFFF;

    // The byte a command's payload starts with. The gateway answers a read
    // with the same byte before the data, a write with the byte alone and a
    // command it refuses with ErrorAnswer.
    static constexpr char CommandReadProductId = 0x50;        // 'P'
    static constexpr char CommandWriteProtobuf = 0x53;        // 'S'
    static constexpr char CommandReadProtobuf = 0x4C;         // 'L'
    static constexpr char CommandEnterNormalOperation = 0x51; // 'Q'
    static constexpr char CommandEnterPairingMode = 0x59;     // 'Y'
    static constexpr char CommandFactoryReset = 0x5A;         // 'Z'
    static constexpr char ErrorAnswer = 0x45;                 // 'E'

    // The payload of the boot sequence, which the gateway answers with its
    // identification string while it waits in its boot loader.
    static QByteArray bootSequencePayload();

    static QByteArray buildBootSequence();
    static QByteArray buildReadProductIdCommand();
    static QByteArray buildWriteProtobufCommand(const QByteArray& configuration);
    static QByteArray buildReadProtobufCommand();
    static QByteArray buildEnterNormalOperationCommand();
    static QByteArray buildEnterPairingModeCommand();
    static QByteArray buildFactoryResetCommand();

    // Checks one complete frame; on success the payload is assigned to
    // `payload`, on failure a warning is logged and `payload` is left alone.
    static bool checkAndGetPayload(const QByteArray& frame, QByteArray& payload);

    // Frames an arbitrary payload; empty result when the payload does not fit
    // the 16-bit length field.
    static QByteArray frame(const QByteArray& payload);

    // XOR of the bytes [0, count) of `data`.
    static char checksum(const QByteArray& data, int count);

    // The payload length announced by a frame header (at least 3 bytes).
    static int announcedPayloadSize(const QByteArray& data);

    // A product ID as the drivers list it: its bytes (the "P" answer without
    // its leading byte) in lower-case hexadecimal, left-padded with zeros to
    // twelve digits.
    static QString productIdText(const QByteArray& idBytes);
};

} // namespace QKel::Comms::Protocol
