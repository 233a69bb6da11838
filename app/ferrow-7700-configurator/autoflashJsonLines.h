#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>

// The stages of an autoflash run for a program that drives it (a flashing
// station): one JSON object per line on standard output, each with its stage,
// the port and the seconds since start; "done" comes last with the outcome.
class AutoflashJsonLines
{
public:
    explicit AutoflashJsonLines(const QString& port);

    // The port, once known (the settings store names it when none was given).
    void setPort(const QString& port);

    void stage(const QString& stage, QJsonObject details = {});
    // The last line: "success" for status 0, else "failure" with why and what to do.
    void done(int exitStatus, const QString& reason, const QString& advice);

private:
    QString mPort;
    QElapsedTimer mClock;
};
