#include "abstractmessage.h"

namespace QKel::Pb {

AbstractMessage::AbstractMessage(QObject* parent)
    : QObject(parent)
{
}

AbstractMessage::~AbstractMessage() = default;

}  // namespace QKel::Pb
