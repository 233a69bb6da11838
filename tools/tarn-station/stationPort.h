#pragma once

#include <QString>

// What the station knows of one port's run, from the autoflash's JSON lines.
struct StationPort
{
    QString port;
    QString stage = QStringLiteral("waiting");
    QString serialNumber;
    QString identification;
    QString productId;
    QString outcome;
    QString reason;
    double seconds = 0;
    // The backup of what the gateway held before the write.
    QString backupPath;
    bool finished = false;
};
