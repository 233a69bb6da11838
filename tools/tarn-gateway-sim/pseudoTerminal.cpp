#include "pseudoTerminal.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace Tarn::Sim {

class PseudoTerminalPrivate
{
public:
    int master = -1;
    int slave = -1;
    QString slavePath;
    QSocketNotifier* notifier = nullptr;

    bool poll(short events, int timeoutMs) const
    {
        pollfd fd{master, events, 0};
        int result;
        do {
            result = ::poll(&fd, 1, timeoutMs);
        } while (result < 0 && errno == EINTR);
        return result > 0 && (fd.revents & events);
    }
};

PseudoTerminal::PseudoTerminal(QObject* parent)
    : QObject(parent)
    , d(new PseudoTerminalPrivate)
{
}

PseudoTerminal::~PseudoTerminal()
{
    hangUp();
}

bool PseudoTerminal::open(QString* errorText)
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B115200);
    cfsetospeed(&raw, B115200);
    if (openpty(&d->master, &d->slave, name, &raw, nullptr) != 0) {
        *errorText = QStringLiteral("Cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    fcntl(d->master, F_SETFL, fcntl(d->master, F_GETFL) | O_NONBLOCK);
    fcntl(d->master, F_SETFD, FD_CLOEXEC);
    fcntl(d->slave, F_SETFD, FD_CLOEXEC);
    d->slavePath = QString::fromLocal8Bit(name);
    d->notifier = new QSocketNotifier(d->master, QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, &PseudoTerminal::readyRead);
    return true;
}

bool PseudoTerminal::isOpen() const
{
    return d->master >= 0;
}

QString PseudoTerminal::slavePath() const
{
    return d->slavePath;
}

QByteArray PseudoTerminal::readAll()
{
    QByteArray data;
    char chunk[4096];
    while (d->master >= 0) {
        const ssize_t count = ::read(d->master, chunk, sizeof chunk);
        if (count <= 0)
            break;
        data.append(chunk, static_cast<int>(count));
    }
    return data;
}

bool PseudoTerminal::write(const QByteArray& data, int stallMs)
{
    qint64 written = 0;
    while (d->master >= 0 && written < data.size()) {
        const ssize_t count = ::write(d->master, data.constData() + written, static_cast<size_t>(data.size() - written));
        if (count > 0) {
            written += count;
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!d->poll(POLLOUT, stallMs)) {
            return false;
        }
    }
    return written == data.size();
}

bool PseudoTerminal::waitForReadyRead(int timeoutMs)
{
    return d->master >= 0 && d->poll(POLLIN, timeoutMs);
}

QByteArray PseudoTerminal::read(int count, int timeoutMs)
{
    QByteArray data;
    QDeadlineTimer deadline(timeoutMs);
    while (data.size() < count && waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        data.append(readAll());
    return data;
}

void PseudoTerminal::hangUp()
{
    if (d->notifier) {
        d->notifier->setEnabled(false);
        d->notifier->deleteLater();
        d->notifier = nullptr;
    }
    for (int* fd : {&d->master, &d->slave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

} // namespace Tarn::Sim
