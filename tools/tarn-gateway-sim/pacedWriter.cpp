#include "pacedWriter.h"

#include "pseudoTerminal.h"

#include <QElapsedTimer>
#include <QQueue>
#include <QTimer>

#include <algorithm>

namespace Tarn::Sim {

namespace {

struct Piece
{
    QByteArray bytes;
    int pauseMs;
};

// Slice size when only a rate is given: about a hundred writes a second.
int rateSlice(int bytesPerSecond)
{
    return std::max(1, bytesPerSecond / 100);
}

} // namespace

class PacedWriterPrivate
{
public:
    PseudoTerminal* terminal;
    int chunkSize;
    int bytesPerSecond;
    QQueue<Piece> queue;
    QTimer timer;
    // Pacing clock: bytes written since it was started, to hold the average
    // rate exactly however the timer jitters.
    QElapsedTimer clock;
    qint64 pacedBytes = 0;

    PacedWriterPrivate(PseudoTerminal* terminal, int chunkSize, int bytesPerSecond)
        : terminal(terminal)
        , chunkSize(chunkSize)
        , bytesPerSecond(bytesPerSecond)
    {
    }

    int sliceSize(int available) const
    {
        if (chunkSize > 0)
            return std::min(chunkSize, available);
        if (bytesPerSecond > 0)
            return std::min(rateSlice(bytesPerSecond), available);
        return available;
    }

    int delayBeforeNextSlice() const
    {
        if (bytesPerSecond > 0) {
            const qint64 due = pacedBytes * 1000 / bytesPerSecond;
            return static_cast<int>(std::max<qint64>(0, due - clock.elapsed()));
        }
        return chunkSize > 0 ? PacedWriter::ChunkGapMs : 0;
    }
};

PacedWriter::PacedWriter(PseudoTerminal* terminal, int chunkSize, int bytesPerSecond, QObject* parent)
    : QObject(parent)
    , d(new PacedWriterPrivate(terminal, chunkSize, bytesPerSecond))
{
    d->timer.setSingleShot(true);
    connect(&d->timer, &QTimer::timeout, this, &PacedWriter::writeNextSlice);
}

PacedWriter::~PacedWriter() = default;

void PacedWriter::send(const QByteArray& bytes, int pauseMs)
{
    const bool idle = d->queue.isEmpty();
    d->queue.enqueue({bytes, pauseMs});
    if (idle) {
        d->clock.start();
        d->pacedBytes = 0;
        schedule();
    }
}

void PacedWriter::writeNextSlice()
{
    if (d->queue.isEmpty())
        return;
    Piece& piece = d->queue.head();
    const int size = d->sliceSize(piece.bytes.size());
    d->terminal->write(piece.bytes.left(size));
    d->pacedBytes += size;
    piece.bytes.remove(0, size);
    if (piece.bytes.isEmpty())
        d->queue.dequeue();
    schedule();
}

void PacedWriter::schedule()
{
    if (d->queue.isEmpty()) {
        emit drained();
        return;
    }
    const Piece& next = d->queue.head();
    if (next.pauseMs > 0) {
        // A pause starts a new stretch of pacing after it.
        const int pause = next.pauseMs;
        d->queue.head().pauseMs = 0;
        d->clock.start();
        d->pacedBytes = 0;
        d->timer.start(pause);
        return;
    }
    d->timer.start(d->delayBeforeNextSlice());
}

} // namespace Tarn::Sim
