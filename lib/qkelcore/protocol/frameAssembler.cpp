#include "frameAssembler.h"

#include "bootProtocol.h"

#include <QDebug>

namespace QKel::Comms::Protocol {

namespace {
constexpr int HeaderSize = 3;
}

QList<QByteArray> FrameAssembler::append(const QByteArray& chunk)
{
    QList<QByteArray> payloads;
    mBuffer.append(chunk);
    while (!mBuffer.isEmpty()) {
        if (mBuffer.at(0) != BootProtocol::StartByte) {
            qWarning() << "Read data with an invalid start byte; discarding.";
            mBuffer.clear();
            break;
        }
        if (mBuffer.size() < HeaderSize)
            break;
        const int frameSize = BootProtocol::announcedPayloadSize(mBuffer) + BootProtocol::FrameOverhead;
        if (mBuffer.size() < frameSize)
            break;
        // A frame whose announced length is complete but fails the check can
        // never be repaired by later bytes: it is dropped (the checker logs why)
        // so that the frames behind it still get through.
        QByteArray payload;
        if (BootProtocol::checkAndGetPayload(mBuffer.left(frameSize), payload))
            payloads.append(payload);
        mBuffer.remove(0, frameSize);
    }
    return payloads;
}

void FrameAssembler::clear()
{
    mBuffer.clear();
}

int FrameAssembler::pendingSize() const
{
    return mBuffer.size();
}

} // namespace QKel::Comms::Protocol
