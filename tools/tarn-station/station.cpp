#include "station.h"

#include <safeFileWriter.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString describe(const StationPort& port)
{
    QString line = port.port + QStringLiteral(": ") + port.stage;
    if (!port.serialNumber.isEmpty())
        line += QStringLiteral(", serial number ") + port.serialNumber;
    if (!port.outcome.isEmpty())
        line += QStringLiteral(", ") + port.outcome;
    if (!port.reason.isEmpty())
        line += QStringLiteral(": ") + port.reason;
    return line;
}

} // namespace

Station::Station(const QString& configurator, const QString& configurationFile, const QStringList& autoflashArguments,
                 const QStringList& ports, bool liveLines, QObject* parent)
    : QObject(parent)
    , mConfigurator(configurator)
    , mConfigurationFile(configurationFile)
    , mArguments(autoflashArguments)
    , mLiveLines(liveLines)
{
    for (const QString& port : ports) {
        StationPort state;
        state.port = port;
        mPorts.append(state);
    }
}

void Station::start()
{
    mClock.start();
    if (mLiveLines) {
        for (const StationPort& port : qAsConst(mPorts))
            std::fputs((describe(port) + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    }
    for (int index = 0; index < mPorts.size(); ++index) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        // Standard error holds the run's own lines; the report takes its reason from JSON.
        process->setStandardErrorFile(QProcess::nullDevice());
        connect(process.get(), &QProcess::readyReadStandardOutput, this, [this, index] {
            QProcess* process = mProcesses[std::size_t(index)].get();
            while (process->canReadLine())
                onLine(index, process->readLine().trimmed());
        });
        connect(process.get(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
                [this, index](int exitCode, QProcess::ExitStatus status) { onProcessFinished(index, exitCode, status); });
        process->start(mConfigurator, QStringList{QStringLiteral("--config"), mConfigurationFile,
                                                  QStringLiteral("--autoflash"), QStringLiteral("--port"),
                                                  mPorts[index].port, QStringLiteral("--json")}
                                          + mArguments);
        mProcesses.push_back(std::move(process));
    }
}

void Station::onLine(int index, const QByteArray& line)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    if (object.isEmpty())
        return;
    StationPort& port = mPorts[index];
    port.stage = object.value(QStringLiteral("stage")).toString();
    port.seconds = object.value(QStringLiteral("elapsed")).toDouble();
    if (port.stage == QLatin1String("identified")) {
        port.serialNumber = QString::number(object.value(QStringLiteral("serialNumber")).toVariant().toULongLong());
        port.identification = object.value(QStringLiteral("identification")).toString();
        port.productId = object.value(QStringLiteral("productId")).toString();
    } else if (port.stage == QLatin1String("backup") && port.backupPath.isEmpty()) {
        port.backupPath = object.value(QStringLiteral("path")).toString();
    } else if (port.stage == QLatin1String("done")) {
        port.outcome = object.value(QStringLiteral("outcome")).toString();
        port.reason = object.value(QStringLiteral("reason")).toString();
        const QString advice = object.value(QStringLiteral("advice")).toString();
        if (!port.reason.contains(advice))
            port.reason += QLatin1Char(' ') + advice;
    }
    show(index);
}

void Station::onProcessFinished(int index, int exitCode, QProcess::ExitStatus status)
{
    StationPort& port = mPorts[index];
    QProcess* process = mProcesses[std::size_t(index)].get();
    while (process->canReadLine())
        onLine(index, process->readLine().trimmed());
    port.finished = true;
    if (port.outcome.isEmpty()) {
        port.outcome = QStringLiteral("failure");
        port.reason = mInterrupted ? QStringLiteral("interrupted before the write; the gateway was not written")
            : status == QProcess::CrashExit
            ? QStringLiteral("the flashing process ended abnormally")
            : QStringLiteral("the flashing process ended without a result (exit status %1)").arg(exitCode);
        port.stage = QStringLiteral("done");
        port.seconds = double(mClock.elapsed()) / 1000.0;
        show(index);
    }
    for (const StationPort& other : qAsConst(mPorts)) {
        if (!other.finished)
            return;
    }
    emit finished();
}

void Station::interrupt()
{
    mInterrupted = true;
    for (int index = 0; index < mPorts.size(); ++index) {
        // Once the gateway's backup is kept the write is under way: it
        // finishes and is verified; any run before that is stopped.
        if (!mPorts[index].finished && mPorts[index].backupPath.isEmpty())
            mProcesses[std::size_t(index)]->kill();
    }
}

void Station::show(int index)
{
    if (!mLiveLines) {
        std::fputs((describe(mPorts[index]) + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        return;
    }
    // Up to the port's line, rewrite it, and back down below the block.
    const int up = mPorts.size() - index;
    std::fprintf(stdout, "\x1b[%dA\r\x1b[2K%s\x1b[%dB\r", up, describe(mPorts[index]).toLocal8Bit().constData(), up);
    std::fflush(stdout);
}

bool Station::writeReport(const QString& filePath, QString* errorText) const
{
    QString text = QStringLiteral("port,serial number,identification string,product ID,outcome,reason,seconds,backup path\n");
    for (const StationPort& port : mPorts) {
        text += QStringList{csvField(port.port), port.serialNumber, csvField(port.identification), port.productId,
                            port.outcome, csvField(port.reason), QString::number(port.seconds, 'f', 3),
                            csvField(port.backupPath)}
                    .join(QLatin1Char(','))
            + QLatin1Char('\n');
    }
    return QKel::Global::SafeFileWriter::write(filePath, text.toUtf8(), errorText);
}

bool Station::allSucceeded() const
{
    for (const StationPort& port : mPorts) {
        if (port.outcome != QLatin1String("success"))
            return false;
    }
    return true;
}
