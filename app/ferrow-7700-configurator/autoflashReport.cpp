#include "autoflashReport.h"

#include "commsHandler.h"
#include "stateMachine.h"

#include <QVariantMap>

#include <cstdio>

using QKel::Sm::StateMachine;

AutoflashReport::AutoflashReport(StateMachine* stateMachine, bool json, const QString& port)
    : mStateMachine(stateMachine)
{
    watchFailures();
    if (json) {
        mJsonLines = std::make_unique<AutoflashJsonLines>(port);
        watchStages();
    }
}

AutoflashReport::~AutoflashReport() = default;

// Standard error gets the reason and what to do; the closing JSON line keeps them apart.
void AutoflashReport::problem(const QString& reason, Status status, const QString& advice)
{
    mReason = reason;
    mAdvice = advice;
    mStatus = status;
    const QString stop = reason.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ");
    const QString line = advice.isEmpty() ? reason : reason + stop + advice;
    std::fputs(line.toUtf8().append('\n').constData(), stderr);
    std::fflush(stderr);
}

int AutoflashReport::finish(int loopStatus)
{
    // A run that failed tells why by its status.
    const int status = loopStatus == 0 ? 0 : mStatus;
    if (mJsonLines) {
        QString advice = mAdvice;
        if (advice.isEmpty())
            advice = mStateMachine->failureAdvice();
        mJsonLines->done(status, mReason, advice.isEmpty() ? adviceFor(status) : advice);
    }
    return status;
}

QString AutoflashReport::adviceFor(int status)
{
    switch (status) {
    case Succeeded:
        return {};
    case BadArgumentsOrFiles:
        return QStringLiteral("Correct the command line, the configuration file or the values table, then run again.");
    case NoAnswer:
        return QStringLiteral("Check that the gateway is switched on, in configuration mode and connected to this port, "
                              "then run again.");
    case DeviceError:
        return QStringLiteral("Switch the gateway off and on again and run again; if it refuses again, the gateway needs "
                              "servicing.");
    case VerificationFailed:
        return QStringLiteral("The gateway may not hold a usable configuration: run again; if it differs again, take the "
                              "gateway out of service. What it held before is in the backup.");
    case NoValuesForDevice:
        return QStringLiteral("Add a row for this serial number to the values table, then run again.");
    default:
        return QStringLiteral("Read the lines on standard error, then run again.");
    }
}

// Without a window nobody would learn why an autoflash ended with "ERROR", so
// each failure the session announces is named on standard error first.
void AutoflashReport::watchFailures()
{
    StateMachine* session = mStateMachine;
    const auto report = [this, session](auto signal, const QString& reason, Status status) {
        QObject::connect(session, signal, &mReceiver, [this, reason, status] { problem(reason, status); });
    };
    report(&StateMachine::configurationVersionObsolete, QStringLiteral("The configuration file's version is obsolete"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationVersionMismatch,
           QStringLiteral("The configuration file's version does not match this program"), BadArgumentsOrFiles);
    report(&StateMachine::configurationChecksumError, QStringLiteral("The configuration file's checksum is wrong"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationParseError, QStringLiteral("The configuration file cannot be parsed"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationRejectedWhileBusy,
           QStringLiteral("The configuration was not taken over while the session was busy"), OtherFailure);
    report(&StateMachine::deviceError, QStringLiteral("The device refused the command"), DeviceError);
    QObject::connect(session, &StateMachine::timeout, &mReceiver, [this, session] {
        problem(QStringLiteral("The device did not answer in time"), NoAnswer, session->failureAdvice());
    });
    QObject::connect(session, &StateMachine::configurationUnsupported, &mReceiver, [this](const QString& productId) {
        problem(QStringLiteral("No driver supports the configuration's product ID %1").arg(productId), BadArgumentsOrFiles);
    });
    QObject::connect(session, &StateMachine::deviceUnsupported, &mReceiver,
                     [this](const QString&, const QString& productId) {
                         problem(QStringLiteral("No driver supports the connected device's product ID %1").arg(productId),
                                 DeviceError);
                     });
    QObject::connect(session, &StateMachine::writeRefusedSecretsRemoved, &mReceiver, [this](const QStringList& leafPaths) {
        problem(QStringLiteral("The configuration lacks the passwords and PINs a support archive removed "
                               "(%1); set them again before writing it to a gateway")
                    .arg(leafPaths.join(QStringLiteral(", "))),
                BadArgumentsOrFiles);
    });
    // One line per leaf the gateway does not hold as sent.
    QObject::connect(session, &StateMachine::writeVerificationFailed, &mReceiver, [this](const QVariantList& differences) {
        QString first;
        for (const QVariant& row : differences) {
            const QVariantMap leaf = row.toMap();
            problem(QStringLiteral("Differs after writing: %1: sent %2, read back %3")
                        .arg(leaf.value(QStringLiteral("path")).toString(),
                             leaf.value(QStringLiteral("editorValue")).toString(),
                             leaf.value(QStringLiteral("deviceValue")).toString()),
                    VerificationFailed);
            first = first.isEmpty() ? leaf.value(QStringLiteral("path")).toString() : first;
        }
        mReason = QStringLiteral("The gateway does not hold what was written: %1 setting(s) differ, the first %2")
                      .arg(differences.size())
                      .arg(first);
    });
    QObject::connect(session, &StateMachine::writeUnverified, &mReceiver, [this, session](const QString& reason) {
        problem(QStringLiteral("The write could not be verified: %1").arg(reason), VerificationFailed,
                session->failureAdvice());
    });
    QObject::connect(session, &StateMachine::backupFailed, &mReceiver, [this](const QString& folder, const QString& errorText) {
        problem(QStringLiteral("The device's configuration could not be backed up in %1: %2").arg(folder, errorText));
    });
    QObject::connect(session, &StateMachine::noValuesForDevice, &mReceiver, [this](quint32 serialNumber) {
        problem(QStringLiteral("The values table has no row for the gateway with serial number %1; nothing was written")
                    .arg(serialNumber),
                NoValuesForDevice);
    });
    QObject::connect(session, &StateMachine::startupAssignmentsRefused, &mReceiver, [this](const QString& error) {
        problem(QStringLiteral("A leaf to set was refused, nothing was sent: %1").arg(error), BadArgumentsOrFiles);
    });
    QObject::connect(session, &StateMachine::commsError, &mReceiver,
                     [this, session](quint16 errorCode, const QString& errorText) {
                         problem(QStringLiteral("Communication error %1: %2").arg(errorCode).arg(errorText), NoAnswer,
                                 session->failureAdvice());
                     });
}

// The stages of the run as the session reports them.
void AutoflashReport::watchStages()
{
    AutoflashJsonLines* lines = mJsonLines.get();
    QObject::connect(mStateMachine, &StateMachine::connectSuccessful, &mReceiver, [lines] {
        lines->setPort(QKel::Comms::CommsHandler::instance()->portName());
        lines->stage(QStringLiteral("connected"));
    });
    QObject::connect(mStateMachine, &StateMachine::deviceIdentified, &mReceiver,
                     [lines](quint32 serialNumber, const QString& productId, const QString& identification) {
                         lines->stage(QStringLiteral("identified"),
                                      {{QStringLiteral("serialNumber"), qint64(serialNumber)},
                                       {QStringLiteral("productId"), productId},
                                       {QStringLiteral("identification"), identification}});
                     });
    QObject::connect(mStateMachine, &StateMachine::backupWritten, &mReceiver, [lines](const QString& path) {
        lines->stage(QStringLiteral("backup"), {{QStringLiteral("path"), path}});
    });
    QObject::connect(mStateMachine, &StateMachine::writeAcknowledged, &mReceiver,
                     [lines] { lines->stage(QStringLiteral("written")); });
    QObject::connect(mStateMachine, &StateMachine::writeToDeviceSuccessful, &mReceiver,
                     [lines] { lines->stage(QStringLiteral("verified")); });
}
