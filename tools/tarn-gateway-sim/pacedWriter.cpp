#include "pacedWriter.h"

#include "linePacing.h"
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

} // namespace

class PacedWriterPrivate
{
public:
    PseudoTerminal* terminal;
    int chunkSize;
    int bytesPerSecond;
    QQueue<Piece> queue;
    QTimer timer;
    // Pacing clock of the current stretch: a lead-in pause, then the bytes
    // written since, to hold the average rate exactly however the timer
    // jitters.
    QElapsedTimer clock;
    qint64 leadMs = 0;
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

    void startStretch(int pauseMs)
    {
        clock.start();
        leadMs = pauseMs;
        pacedBytes = 0;
    }

    // At a rate, a slice leaves when the line would have finished sending it,
    // so its last byte arrives when it would on a real line.
    int delayBeforeSlice(int size) const
    {
        qint64 due = leadMs;
        if (bytesPerSecond > 0)
            due += (pacedBytes + size) * 1000 / bytesPerSecond;
        else if (pacedBytes > 0)
            return chunkSize > 0 ? PacedWriter::ChunkGapMs : 0;
        return static_cast<int>(std::max<qint64>(0, due - clock.elapsed()));
    }
};

PacedWriter::PacedWriter(PseudoTerminal* terminal, int chunkSize, int bytesPerSecond, QObject* parent)
    : QObject(parent)
    , d(new PacedWriterPrivate(terminal, chunkSize, bytesPerSecond))
{
    d->timer.setSingleShot(true);
    // A coarse timer may fire early, which would outrun the rate.
    d->timer.setTimerType(Qt::PreciseTimer);
    connect(&d->timer, &QTimer::timeout, this, &PacedWriter::writeNextSlice);
}

PacedWriter::~PacedWriter() = default;

void PacedWriter::send(const QByteArray& bytes, int pauseMs)
{
    const bool idle = d->queue.isEmpty();
    d->queue.enqueue({bytes, pauseMs});
    if (idle) {
        d->startStretch(0);
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
    Piece& next = d->queue.head();
    if (next.pauseMs > 0) {
        // A pause starts a new stretch of pacing; the rate holds after it.
        d->startStretch(next.pauseMs);
        next.pauseMs = 0;
    }
    d->timer.start(d->delayBeforeSlice(d->sliceSize(next.bytes.size())));
}

} // namespace Tarn::Sim
