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
    // Advice for a device that stayed silent while the session was being set up.
    static QString forSilence(const QString& portName);
    // Advice for a device that answered the boot sequence, then not a later command.
    static QString forStalledAnswer(const QString& portName);
    // Advice for a device that answered a command with something no command expects.
    static QString forUnexpectedAnswer(const QString& portName);

    // The group owning the node, when this user may not read and write it
    // and members of that group may.
    static QString deniedGroup(const QString& portName);
    // "program (process ID n)" of another process holding the port, from its
    // lock file or the open files under /proc; empty when none is found.
    static QString holder(const QString& portName);
};

} // namespace QKel::Comms
