#include "gatewaySimulator.h"

#include "configurationStore.h"
#include "pacedReader.h"
#include "pacedWriter.h"
#include "pseudoTerminal.h"
#include "protocol/bootProtocol.h"
#include "protocol/frameAssembler.h"

#include <QTextStream>

#include <cstdio>

namespace Tarn::Sim {

using QKel::Comms::Protocol::BootProtocol;

namespace {

const QByteArray BootSequence = BootProtocol::bootSequencePayload();

QByteArray garbage(int size)
{
    // Never starts with the frame start byte, so a receiver drops it.
    static const QByteArray pattern = QByteArrayLiteral("\xA5\x5A\x00\xFF");
    QByteArray noise;
    while (noise.size() < size)
        noise.append(pattern);
    return noise.left(size);
}

QString describe(const QByteArray& payload)
{
    switch (payload.at(0)) {
    case BootProtocol::CommandReadProductId: return QStringLiteral("P (read product ID)");
    case BootProtocol::CommandReadProtobuf: return QStringLiteral("L (read configuration)");
    case BootProtocol::CommandWriteProtobuf:
        return QStringLiteral("S (write configuration, %1 bytes)").arg(payload.size() - 1);
    case BootProtocol::CommandEnterNormalOperation: return QStringLiteral("Q (enter normal operation)");
    case BootProtocol::CommandEnterPairingMode: return QStringLiteral("Y (enter pairing mode)");
    case BootProtocol::CommandFactoryReset: return QStringLiteral("Z (factory reset)");
    default: return QStringLiteral("unknown command 0x%1").arg(static_cast<quint8>(payload.at(0)), 2, 16, QChar('0'));
    }
}

} // namespace

class GatewaySimulatorPrivate
{
public:
    SimulatorOptions options;
    ConfigurationStore* store;
    PseudoTerminal terminal;
    PacedWriter writer;
    PacedReader reader;
    QKel::Comms::Protocol::FrameAssembler assembler;
    bool answered = false;
    bool silenced = false;

    GatewaySimulatorPrivate(const SimulatorOptions& options, ConfigurationStore* store)
        : options(options)
        , store(store)
        , writer(&terminal, options.chunkSize, options.bytesPerSecond)
        , reader(options.bytesPerSecond)
    {
    }
};

GatewaySimulator::GatewaySimulator(const SimulatorOptions& options, ConfigurationStore* store, QObject* parent)
    : QObject(parent)
    , d(new GatewaySimulatorPrivate(options, store))
{
    connect(&d->terminal, &PseudoTerminal::readyRead, this, [this] { d->reader.feed(d->terminal.readAll()); });
    // Commands are taken from the bytes as the line delivers them, so an
    // answer never leaves before its command has fully arrived.
    connect(&d->reader, &PacedReader::received, this, &GatewaySimulator::onReceived);
}

GatewaySimulator::~GatewaySimulator() = default;

bool GatewaySimulator::start(QString* errorText)
{
    return d->terminal.open(errorText);
}

QString GatewaySimulator::portPath() const
{
    return d->terminal.slavePath();
}

void GatewaySimulator::onReceived(const QByteArray& bytes)
{
    for (const auto& payload : d->assembler.append(bytes))
        handle(payload);
}

void GatewaySimulator::handle(const QByteArray& payload)
{
    log(QStringLiteral("received %1").arg(payload == BootSequence ? QStringLiteral("boot sequence") : describe(payload)));
    const QByteArray answer = answerTo(payload);
    if (answer.isEmpty())
        return;
    if (d->options.silent || d->silenced || (d->options.silentAfterId && payload != BootSequence)) {
        log(QStringLiteral("not answering"));
        return;
    }
    d->silenced = d->options.silentAfterWrite && payload.at(0) == BootProtocol::CommandWriteProtobuf;
    const bool twice = payload == BootSequence && d->options.doubleIdentification;
    send(twice ? framed(answer) + framed(answer) : framed(answer), twice ? 2 : 1);
}

QByteArray GatewaySimulator::answerTo(const QByteArray& payload)
{
    if (payload == BootSequence)
        return d->options.identification;
    QString reason;
    const bool configurationCommand = payload.at(0) == BootProtocol::CommandReadProtobuf
        || payload.at(0) == BootProtocol::CommandWriteProtobuf;
    if (d->options.oddAnswers && configurationCommand)
        return QByteArrayLiteral("X");
    switch (payload.at(0)) {
    case BootProtocol::CommandReadProductId: return BootProtocol::CommandReadProductId + d->options.productId;
    case BootProtocol::CommandReadProtobuf:
        return d->options.errorOnRead ? QByteArray(1, BootProtocol::ErrorAnswer)
                                      : BootProtocol::CommandReadProtobuf + d->store->served();
    case BootProtocol::CommandWriteProtobuf:
        if (d->options.errorOnWrite)
            return QByteArray(1, BootProtocol::ErrorAnswer);
        if (!d->store->accept(payload.mid(1), &reason)) {
            log(QStringLiteral("write refused: %1").arg(reason));
            return QByteArray(1, BootProtocol::ErrorAnswer);
        }
        if (!d->options.keepOld.isEmpty())
            log(QStringLiteral("acknowledging the write but keeping %1 of the old configuration").arg(d->options.keepOld));
        return QByteArray(1, BootProtocol::CommandWriteProtobuf);
    default: return {};
    }
}

QByteArray GatewaySimulator::framed(const QByteArray& payload) const
{
    QByteArray frame = BootProtocol::frame(payload);
    if (d->options.badChecksum && !frame.isEmpty())
        frame[frame.size() - 2] = static_cast<char>(frame.at(frame.size() - 2) ^ 0xFF);
    return frame;
}

void GatewaySimulator::send(const QByteArray& answer, int frameCount)
{
    int pause = d->options.delayMs;
    if (d->options.garbageBytes > 0) {
        d->writer.send(garbage(d->options.garbageBytes), pause);
        pause = GarbageGapMs;
    }
    if (d->options.hangUpMidFrame && !d->answered) {
        d->writer.send(answer.left(answer.size() / 2), pause);
        connect(&d->writer, &PacedWriter::drained, this, [this] {
            log(QStringLiteral("hanging up in the middle of a frame"));
            emit hangingUp();
            d->terminal.hangUp();
            emit hungUp();
        });
    } else {
        d->writer.send(answer, pause);
    }
    d->answered = true;
    log(QStringLiteral("answering with %1 frame(s), %2 bytes").arg(frameCount).arg(answer.size()));
}

void GatewaySimulator::log(const QString& text) const
{
    QTextStream(stderr) << "tarn-gateway-sim: " << text << Qt::endl;
}

} // namespace Tarn::Sim
