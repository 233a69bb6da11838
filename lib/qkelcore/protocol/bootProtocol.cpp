#include "bootProtocol.h"

#include <QDebug>

namespace QKel::Comms::Protocol {

namespace {

void packToProtocol(QByteArray& payload)
{
    const auto size = static_cast<quint16>(payload.size());
    QByteArray frame;
    frame.reserve(payload.size() + BootProtocol::FrameOverhead);
    frame.append(BootProtocol::StartByte);
    frame.append(static_cast<char>(size >> 8));
    frame.append(static_cast<char>(size & 0xFF));
    frame.append(payload);
    frame.append(BootProtocol::checksum(frame, frame.size()));
    frame.append(BootProtocol::StopByte);
    payload = frame;
}

QByteArray command(char letter)
{
    return BootProtocol::frame(QByteArray(1, letter));
}

} // namespace

QByteArray BootProtocol::frame(const QByteArray& payload)
{
    // The length field holds 16 bits; a larger payload would be announced with
    // a wrong length and could never be read back, so it is not framed at all.
    if (payload.size() > MaxPayloadSize) {
        qWarning() << "Refusing to frame a payload that exceeds the length field:" << payload.size();
        return {};
    }
    QByteArray packed = payload;
    packToProtocol(packed);
    return packed;
}

char BootProtocol::checksum(const QByteArray& data, int count)
{
    char sum = 0;
    const char* bytes = data.constData();
    for (int i = 0; i < count; ++i)
        sum ^= bytes[i];
    return sum;
}

int BootProtocol::announcedPayloadSize(const QByteArray& data)
{
    return (static_cast<quint8>(data.at(1)) << 8) | static_cast<quint8>(data.at(2));
}

QByteArray BootProtocol::bootSequencePayload()
{
    return QByteArrayLiteral("KXBOOT");
}

QByteArray BootProtocol::buildBootSequence()
{
    return frame(bootSequencePayload());
}

QByteArray BootProtocol::buildReadProductIdCommand()
{
    return command(CommandReadProductId);
}

QByteArray BootProtocol::buildWriteProtobufCommand(const QByteArray& configuration)
{
    return frame(QByteArray(1, CommandWriteProtobuf) + configuration);
}

QByteArray BootProtocol::buildReadProtobufCommand()
{
    return command(CommandReadProtobuf);
}

QByteArray BootProtocol::buildEnterNormalOperationCommand()
{
    return command(CommandEnterNormalOperation);
}

QByteArray BootProtocol::buildEnterPairingModeCommand()
{
    return command(CommandEnterPairingMode);
}

QByteArray BootProtocol::buildFactoryResetCommand()
{
    return command(CommandFactoryReset);
}

bool BootProtocol::checkAndGetPayload(const QByteArray& frame, QByteArray& payload)
{
    if (frame.size() <= FrameOverhead || frame.at(0) != StartByte || frame.at(frame.size() - 1) != StopByte) {
        qWarning() << "Rejected data frame: start/stop/minLength mismatch";
        return false;
    }
    const int length = announcedPayloadSize(frame);
    if (length + FrameOverhead != frame.size()) {
        qWarning() << "Rejected data frame: frame length mismatch";
        return false;
    }
    if (checksum(frame, frame.size() - 2) != frame.at(length + 3)) {
        qWarning() << "Rejected data frame: checksum mismatch";
        return false;
    }
    payload = frame.mid(3, frame.size() - FrameOverhead);
    return true;
}

QString BootProtocol::productIdText(const QByteArray& idBytes)
{
    constexpr int ProductIdDigits = 12;
    return QString::fromLatin1(idBytes.toHex()).rightJustified(ProductIdDigits, QLatin1Char('0'));
}

} // namespace QKel::Comms::Protocol
