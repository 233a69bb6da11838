#pragma once

#include <QByteArray>
#include <QList>

namespace QKel::Comms::Protocol {

// Reassembles boot protocol frames from the chunks a byte stream delivers.
// Frames are cut by their length field, so several frames in one chunk are all
// delivered, in order, and a 0x0D inside a payload never ends a frame early.
class FrameAssembler
{
public:
    // Appends one chunk and returns the payloads of every frame it completed.
    QList<QByteArray> append(const QByteArray& chunk);
    void clear();
    int pendingSize() const;

private:
    QByteArray mBuffer;
};

} // namespace QKel::Comms::Protocol
