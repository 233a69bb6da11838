#pragma once

#include "gatewayConfiguration.h"

#include <QByteArray>
#include <QObject>
#include <QScopedPointer>
#include <QString>

namespace Tarn::Sim {

class ConfigurationStore;
class GatewaySimulatorPrivate;

// How the simulated gateway answers, including the faults it can be told to
// show.
struct SimulatorOptions
{
    QByteArray identification = QByteArrayLiteral("TARN210 gateway simulator");
    QByteArray productId = QByteArray::fromHex("012001017701");
    quint32 serialNumber = GatewayConfiguration::DefaultSerialNumber;
    bool silent = false;               // never answers
    bool silentAfterId = false;        // answers the boot sequence only
    bool oddAnswers = false;           // answers reads and writes with a letter no command uses
    bool errorOnRead = false;          // "E" in place of the configuration
    bool errorOnWrite = false;         // "E" in place of the write acknowledgement
    bool silentAfterWrite = false;     // acknowledges a write, then never answers again
    bool doubleIdentification = false; // two identification frames back to back
    bool badChecksum = false;          // every answer carries a wrong checksum
    bool hangUpMidFrame = false;       // the first answer stops halfway, then the line goes
    int delayMs = 0;                   // pause before each answer
    int chunkSize = 0;                 // answers written in chunks of this many bytes
    int bytesPerSecond = 0;            // both directions paced to this rate
    int garbageBytes = 0;              // noise written shortly before each answer
    QString keepOld;                   // kept on a write: ConfigurationStore::keepOldOnWrite
};

// The gateway in its configuration mode, at the far end of a pseudo-terminal:
// answers the boot sequence, "P", "L" and "S" and logs the closing commands.
class GatewaySimulator : public QObject
{
    Q_OBJECT

public:
    // Quiet time between the noise and the frame it precedes.
    static constexpr int GarbageGapMs = 20;

    GatewaySimulator(const SimulatorOptions& options, ConfigurationStore* store, QObject* parent = nullptr);
    ~GatewaySimulator() override;

    bool start(QString* errorText);
    QString portPath() const;

signals:
    // The line is about to be dropped on purpose (a hang-up in the middle of
    // a frame), then was dropped.
    void hangingUp();
    void hungUp();

private:
    void onReceived(const QByteArray& bytes);
    void handle(const QByteArray& payload);
    QByteArray answerTo(const QByteArray& payload);
    void send(const QByteArray& answer, int frameCount);
    QByteArray framed(const QByteArray& payload) const;
    void log(const QString& text) const;

    QScopedPointer<GatewaySimulatorPrivate> d;
};

} // namespace Tarn::Sim
