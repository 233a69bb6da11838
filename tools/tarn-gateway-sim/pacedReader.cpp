#include "pacedReader.h"

#include "linePacing.h"

#include <QElapsedTimer>
#include <QQueue>
#include <QTimer>

#include <algorithm>

namespace Tarn::Sim {

namespace {

struct Slice
{
    QByteArray bytes;
    qint64 dueNs; // when its last byte has crossed the line
};

constexpr qint64 NsPerSecond = 1000000000;

} // namespace

class PacedReaderPrivate
{
public:
    int bytesPerSecond;
    QQueue<Slice> onTheLine;
    QElapsedTimer clock;
    QTimer timer;
    // The line is busy until then with the bytes already fed.
    qint64 lineFreeNs = 0;

    explicit PacedReaderPrivate(int bytesPerSecond)
        : bytesPerSecond(bytesPerSecond)
    {
        clock.start();
    }

    int sliceSize() const { return rateSlice(bytesPerSecond); }
};

PacedReader::PacedReader(int bytesPerSecond, QObject* parent)
    : QObject(parent)
    , d(new PacedReaderPrivate(bytesPerSecond))
{
    d->timer.setSingleShot(true);
    // A coarse timer may fire early, which would outrun the line.
    d->timer.setTimerType(Qt::PreciseTimer);
    connect(&d->timer, &QTimer::timeout, this, &PacedReader::deliverDue);
}

PacedReader::~PacedReader() = default;

void PacedReader::feed(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (d->bytesPerSecond <= 0) {
        emit received(bytes);
        return;
    }
    // An idle line starts sending now; a busy one behind what it carries.
    qint64 due = std::max(d->lineFreeNs, d->clock.nsecsElapsed());
    for (int offset = 0; offset < bytes.size(); offset += d->sliceSize()) {
        const QByteArray slice = bytes.mid(offset, d->sliceSize());
        due += slice.size() * NsPerSecond / d->bytesPerSecond;
        d->onTheLine.enqueue({slice, due});
    }
    d->lineFreeNs = due;
    if (!d->timer.isActive())
        deliverDue();
}

void PacedReader::deliverDue()
{
    QByteArray arrived;
    const qint64 now = d->clock.nsecsElapsed();
    while (!d->onTheLine.isEmpty() && d->onTheLine.head().dueNs <= now)
        arrived += d->onTheLine.dequeue().bytes;
    if (!d->onTheLine.isEmpty()) {
        const qint64 waitNs = d->onTheLine.head().dueNs - now;
        // Rounded up: a slice is never handed over before its time.
        d->timer.start(static_cast<int>((waitNs + 999999) / 1000000));
    }
    if (!arrived.isEmpty())
        emit received(arrived);
}

} // namespace Tarn::Sim
