#pragma once

#include <QByteArray>
#include <QObject>
#include <QScopedPointer>

namespace Tarn::Sim {

class PseudoTerminal;
class PacedWriterPrivate;

// Sends byte strings to the terminal in order, optionally cut into chunks of a
// fixed size and paced to a byte rate (11520 bytes/s is a 115200 baud line).
class PacedWriter : public QObject
{
    Q_OBJECT

public:
    // Pause between chunks when only a chunk size is given, long enough for
    // the reader to see each chunk on its own.
    static constexpr int ChunkGapMs = 1;

    PacedWriter(PseudoTerminal* terminal, int chunkSize, int bytesPerSecond, QObject* parent = nullptr);
    ~PacedWriter() override;

    // Queues `bytes`, to start no earlier than `pauseMs` after the bytes
    // queued before them have gone out.
    void send(const QByteArray& bytes, int pauseMs = 0);

signals:
    // Everything queued has been written.
    void drained();

private:
    void writeNextSlice();
    void schedule();

    QScopedPointer<PacedWriterPrivate> d;
};

} // namespace Tarn::Sim
