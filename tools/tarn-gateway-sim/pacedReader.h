#pragma once

#include <QByteArray>
#include <QObject>
#include <QScopedPointer>

namespace Tarn::Sim {

class PacedReaderPrivate;

// The receiving end of a line of a given byte rate: the terminal hands over
// whatever the writer put in at once, but a byte counts as received only when
// the line would have delivered it, one slice about every 10 ms. Without a
// rate every byte is received at once.
class PacedReader : public QObject
{
    Q_OBJECT

public:
    explicit PacedReader(int bytesPerSecond, QObject* parent = nullptr);
    ~PacedReader() override;

    // Bytes that entered the line now, behind the bytes still on their way.
    void feed(const QByteArray& bytes);

signals:
    // Bytes the line has delivered, in order.
    void received(const QByteArray& bytes);

private:
    void deliverDue();

    QScopedPointer<PacedReaderPrivate> d;
};

} // namespace Tarn::Sim
