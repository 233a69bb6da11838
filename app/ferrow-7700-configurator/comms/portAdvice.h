#pragma once

#include <QString>

namespace QKel::Comms {

// Tells a user at the bench what to do about a port that failed: looks at the
// device node, its lock file and the processes holding it, and words one
// paragraph of advice. Empty when the cause cannot be told.
class PortAdvice
{
public:
    // The node a port name refers to: a path as given, a bare name under /dev.
    static QString systemLocation(const QString& portName);

    // Advice for a serial-port error code (2 and 3: permission or holder;
    // 1 and 9, or 7 and 8 on a vanished node: the port is gone and the list
    // was refreshed).
    static QString forError(quint16 errorCode, const QString& portName);
    // How far a session got before an answer was awaited in vain.
    enum class TimeoutStage {
        NoAnswer,         // not even the boot sequence was answered
        StoppedAnswering, // the boot sequence was answered, a later command not
        UnexpectedAnswer  // a command was answered with something no command expects
    };
    // Advice for a wait that ran out at `stage`.
    static QString forTimeout(TimeoutStage stage, const QString& portName);

    // The group owning the node, when this user may not read and write it
    // and members of that group may.
    static QString deniedGroup(const QString& portName);
    // "program (process ID n)" of another process holding the port, from its
    // lock file or the open files under /proc; empty when none is found.
    static QString holder(const QString& portName);
};

} // namespace QKel::Comms
