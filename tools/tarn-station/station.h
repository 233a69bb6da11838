#pragma once

#include "stationPort.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QVector>

#include <memory>

// A batch of gateways flashed in parallel: one autoflash process per port, so
// that a fault on one gateway cannot disturb another. Shows a live line per
// port on a terminal (plain event lines otherwise) and writes the report.
class Station : public QObject
{
    Q_OBJECT

public:
    // `autoflashArguments` follow "--config FILE --autoflash --port PORT --json".
    Station(const QString& configurator, const QString& configurationFile, const QStringList& autoflashArguments,
            const QStringList& ports, bool liveLines, QObject* parent = nullptr);

    void start();
    // Ctrl+C: ports not yet written are not written; a write in progress finishes.
    void interrupt();
    // One row per port: port, serial number, identification string, product
    // ID, outcome, reason, seconds, backup path. False with `errorText`.
    bool writeReport(const QString& filePath, QString* errorText) const;
    bool allSucceeded() const;

signals:
    void finished();

private:
    void onLine(int index, const QByteArray& line);
    void onProcessFinished(int index, int exitCode, QProcess::ExitStatus status);
    void show(int index);

    QString mConfigurator;
    QString mConfigurationFile;
    QStringList mArguments;
    bool mLiveLines;
    bool mInterrupted = false;
    // For runs that end without a word of their own.
    QElapsedTimer mClock;
    QVector<StationPort> mPorts;
    std::vector<std::unique_ptr<QProcess>> mProcesses;
};
