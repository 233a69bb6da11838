#include "childProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace TarnTest {

namespace {

// Keeps the byte strings alive for as long as the argv/envp arrays point at them.
struct CStringList
{
    explicit CStringList(const QStringList& strings)
    {
        for (const QString& string : strings)
            storage.push_back(QFile::encodeName(string));
        for (QByteArray& bytes : storage)
            pointers.push_back(bytes.data());
        pointers.push_back(nullptr);
    }
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;
};

QByteArray readAll(QTemporaryFile& file)
{
    file.seek(0);
    return file.readAll();
}

bool waitForChild(pid_t pid, int timeoutMs, int* status, rusage* usage)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const pid_t done = ::wait4(pid, status, WNOHANG, usage);
        if (done == pid)
            return true;
        if (done < 0)
            return false;
        QThread::usleep(2000);
    }
    ::kill(pid, SIGKILL);
    ::wait4(pid, status, 0, usage);
    return false;
}

} // namespace

QProcessEnvironment headlessEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

ChildResult runChild(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                     int timeoutMs)
{
    ChildResult result;
    QTemporaryFile out;
    QTemporaryFile err;
    if (!out.open() || !err.open())
        return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.handle(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.handle(), STDERR_FILENO);

    CStringList argv(QStringList{program} + arguments);
    CStringList envp(environment.toStringList());
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, QFile::encodeName(program).constData(), &actions, nullptr,
                                      argv.pointers.data(), envp.pointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    result.started = true;

    int status = 0;
    rusage usage{};
    result.timedOut = !waitForChild(pid, timeoutMs, &status, &usage);
    result.wallTimeNs = clock.nsecsElapsed();
    result.exitedNormally = !result.timedOut && WIFEXITED(status);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakMemoryKb = usage.ru_maxrss;
    result.standardOutput = readAll(out);
    result.standardError = readAll(err);
    return result;
}

QString builtProgram(const QString& name)
{
    const QString bin = qEnvironmentVariable("TARN_BUILD_BIN", QCoreApplication::applicationDirPath());
    const QString path = bin + QLatin1Char('/') + name;
    return QFileInfo(path).isExecutable() ? path : QString();
}

} // namespace TarnTest
