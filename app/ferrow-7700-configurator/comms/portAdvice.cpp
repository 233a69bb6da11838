#include "portAdvice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace QKel::Comms {

namespace {

// Where UUCP-style lock files are kept, in the order the serial-port library
// looks for a writable one.
const QStringList LockDirectories{
    QStringLiteral("/var/lock"),       QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
    QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"),       QStringLiteral("/var/tmp"),
    QStringLiteral("/var/lock/lockdev"), QStringLiteral("/run/lock")};

QString lockFileName(const QString& location)
{
    QString name = location.startsWith(QLatin1String("/dev/")) ? location.mid(5) : location;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

QString programName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
}

QString describeHolder(qint64 pid)
{
    const QString program = programName(pid);
    return program.isEmpty() ? QCoreApplication::translate("PortAdvice", "process ID %1").arg(pid)
                             : QCoreApplication::translate("PortAdvice", "%1 (process ID %2)").arg(program).arg(pid);
}

// The process ID a lock file names: ASCII (possibly padded) on its first
// line, or a binary integer as old tools wrote it.
qint64 lockHolder(const QString& location)
{
    const QString fileName = lockFileName(location);
    for (const auto& directory : LockDirectories) {
        QFile lock(QDir(directory).filePath(fileName));
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        const QByteArray content = lock.read(64);
        bool ok = false;
        const qint64 pid = content.split('\n').constFirst().trimmed().toLongLong(&ok);
        if (ok && pid > 0)
            return pid;
        if (content.size() == int(sizeof(qint32)))
            return *reinterpret_cast<const qint32*>(content.constData());
    }
    return 0;
}

qint64 openFileHolder(const QString& location)
{
    const QString target = QFileInfo(location).canonicalFilePath();
    if (target.isEmpty())
        return 0;
    const qint64 self = QCoreApplication::applicationPid();
    const QDir proc(QStringLiteral("/proc"));
    for (const auto& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        for (const auto& fd : fds.entryList(QDir::Files | QDir::System)) {
            if (QFile::symLinkTarget(fds.filePath(fd)) == target)
                return pid;
        }
    }
    return 0;
}

} // namespace

QString PortAdvice::systemLocation(const QString& portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

QString PortAdvice::deniedGroup(const QString& portName)
{
    const QByteArray location = QFile::encodeName(systemLocation(portName));
    struct stat status = {};
    if (::stat(location.constData(), &status) != 0 || ::access(location.constData(), R_OK | W_OK) == 0)
        return QString();
    // Joining a group that may not read and write the node would not help.
    if ((status.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP) || status.st_gid == 0)
        return QString();
    const struct group* owner = ::getgrgid(status.st_gid);
    return owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(status.st_gid);
}

QString PortAdvice::holder(const QString& portName)
{
    const QString location = systemLocation(portName);
    qint64 pid = lockHolder(location);
    if (pid == QCoreApplication::applicationPid())
        pid = 0;
    if (pid <= 0)
        pid = openFileHolder(location);
    return pid > 0 ? describeHolder(pid) : QString();
}

QString PortAdvice::forError(quint16 errorCode, const QString& portName)
{
    if (portName.isEmpty())
        return QString();
    // A read or write error on a node that has vanished is a pulled adapter too.
    const bool linkError = errorCode == QSerialPort::ReadError || errorCode == QSerialPort::WriteError;
    if (errorCode == QSerialPort::DeviceNotFoundError || errorCode == QSerialPort::ResourceError
        || (linkError && !QFileInfo::exists(systemLocation(portName)))) {
        return QCoreApplication::translate(
                   "PortAdvice", "The adapter of %1 was unplugged or renamed. The list of ports has been "
                                 "refreshed: plug the adapter in again, or choose its new name in the connection "
                                 "settings.")
            .arg(portName);
    }
    if (errorCode != QSerialPort::PermissionError && errorCode != QSerialPort::OpenError)
        return QString();
    if (errorCode == QSerialPort::PermissionError) {
        const QString group = deniedGroup(portName);
        if (!group.isEmpty()) {
            return QCoreApplication::translate(
                       "PortAdvice", "This user may not open %1, which belongs to the group \"%2\". Join the "
                                     "group with the command sudo usermod -aG %2 $USER and log in again: the "
                                     "membership takes effect at the next login.")
                .arg(portName, group);
        }
    }
    const QString program = holder(portName);
    if (program.isEmpty())
        return QString();
    return QCoreApplication::translate("PortAdvice",
                                       "%1 is in use by %2. Close that program, or choose another port.")
        .arg(portName, program);
}

QString PortAdvice::forTimeout(TimeoutStage stage, const QString& portName)
{
    static const char* const advice[] = {
        QT_TRANSLATE_NOOP("PortAdvice", "No gateway answered on %1. Check that the gateway is powered, that it is "
                                        "connected to this port, and that no other program uses the port."),
        QT_TRANSLATE_NOOP("PortAdvice", "The gateway on %1 answered the boot sequence, then stopped answering. "
                                        "Switch the gateway off and on again, check that its cable is firmly "
                                        "plugged in, and connect again."),
        QT_TRANSLATE_NOOP("PortAdvice", "The gateway on %1 answered with something this program does not "
                                        "understand. Check that its firmware is one this program supports, then "
                                        "switch the gateway off and on again and connect again."),
    };
    if (portName.isEmpty())
        return QString();
    return QCoreApplication::translate("PortAdvice", advice[static_cast<int>(stage)]).arg(portName);
}

} // namespace QKel::Comms
