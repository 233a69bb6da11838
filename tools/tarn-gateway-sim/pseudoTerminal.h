#pragma once

#include <QByteArray>
#include <QObject>
#include <QScopedPointer>
#include <QString>

namespace Tarn::Sim {

class PseudoTerminalPrivate;

// The device end of a pseudo-terminal pair in raw mode. The slave side is kept
// open here as well, so the master never sees a hang-up while the configurator
// has the port closed; hangUp() closes both, which the other end sees as a
// vanished device.
class PseudoTerminal : public QObject
{
    Q_OBJECT

public:
    explicit PseudoTerminal(QObject* parent = nullptr);
    ~PseudoTerminal() override;

    bool open(QString* errorText);
    bool isOpen() const;
    QString slavePath() const;

    QByteArray readAll();
    // Writes every byte, waiting while the terminal's buffer is full; false
    // when the other end does not take any byte for `stallMs` or is gone.
    bool write(const QByteArray& data, int stallMs = 5000);
    // Waits up to `timeoutMs` until bytes can be read.
    bool waitForReadyRead(int timeoutMs);
    // Reads until `count` bytes arrived or `timeoutMs` passed.
    QByteArray read(int count, int timeoutMs);
    void hangUp();

signals:
    void readyRead();

private:
    QScopedPointer<PseudoTerminalPrivate> d;
};

} // namespace Tarn::Sim
