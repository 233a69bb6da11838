#include "autoflashJsonLines.h"

#include <QJsonDocument>

#include <cstdio>

AutoflashJsonLines::AutoflashJsonLines(const QString& port)
    : mPort(port)
{
    mClock.start();
}

void AutoflashJsonLines::setPort(const QString& port)
{
    mPort = port;
}

void AutoflashJsonLines::stage(const QString& stage, QJsonObject details)
{
    details.insert(QStringLiteral("stage"), stage);
    details.insert(QStringLiteral("port"), mPort);
    details.insert(QStringLiteral("elapsed"), double(mClock.elapsed()) / 1000.0);
    // Each line is flushed at once: the reader follows the run as it goes.
    std::fputs(QJsonDocument(details).toJson(QJsonDocument::Compact).append('\n').constData(), stdout);
    std::fflush(stdout);
}

void AutoflashJsonLines::done(int exitStatus, const QString& reason, const QString& advice)
{
    QJsonObject details{{QStringLiteral("outcome"), exitStatus == 0 ? QStringLiteral("success") : QStringLiteral("failure")},
                        {QStringLiteral("exitStatus"), exitStatus}};
    if (exitStatus != 0) {
        details.insert(QStringLiteral("reason"), reason);
        details.insert(QStringLiteral("advice"), advice);
    }
    stage(QStringLiteral("done"), details);
}
