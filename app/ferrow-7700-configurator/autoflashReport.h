#pragma once

#include "autoflashJsonLines.h"

#include <QObject>
#include <QString>

#include <memory>

namespace QKel::Sm {
class StateMachine;
}

// What an autoflash run tells, having no window: every failure the session
// announces is named on standard error with what to do about it, the stages go
// to standard output as JSON lines when asked for, and the exit status says how
// the run ended.
class AutoflashReport
{
public:
    // How an autoflash run ended, as its exit status tells a script.
    enum Status {
        Succeeded = 0,
        OtherFailure = 1,
        BadArgumentsOrFiles = 2,
        NoAnswer = 3,
        DeviceError = 4,
        VerificationFailed = 5,
        NoValuesForDevice = 6,
    };

    // `json`: the stages as JSON lines, beginning with `port` (empty: the
    // port the settings store names, told once connected).
    AutoflashReport(QKel::Sm::StateMachine* stateMachine, bool json, const QString& port);
    ~AutoflashReport();

    // Names a failure on standard error; the last one named is the run's.
    void problem(const QString& reason, Status status = OtherFailure, const QString& advice = {});
    // The exit status for the status the event loop ended with, after the
    // closing JSON line.
    int finish(int loopStatus);

private:
    void watchFailures();
    void watchStages();
    // What to do after a failure the session gave no advice of its own for.
    static QString adviceFor(int status);

    QKel::Sm::StateMachine* mStateMachine;
    // The receiver of the session's signals: they stop with the report.
    QObject mReceiver;
    std::unique_ptr<AutoflashJsonLines> mJsonLines;
    QString mReason;
    QString mAdvice;
    Status mStatus = OtherFailure;
};
