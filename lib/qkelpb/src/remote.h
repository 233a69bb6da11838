#pragma once

#include "abstractmessage.h"

#include <remote.pb.h>

namespace QKel::Pb::Remote {

// A remote entry of a configuration file; data holds the socket or SPP
// endpoint the device connects to.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(TYPE type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QByteArray data READ data WRITE setData NOTIFY dataChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* object READ object WRITE setObject NOTIFY objectChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Remote::Config)

public:
    enum TYPE : int {
        TYPE__NONE = 0,
        TYPE__SOCKET = 1,
        TYPE__SPP = 2,
    };
    Q_ENUM(TYPE)

    bool enabled() const;
    void setEnabled(bool value);
    QKEL_PB_TYPE_AND_DATA_ACCESSORS

signals:
    void enabledChanged(bool);
    void typeChanged(QKel::Pb::Remote::Config::TYPE);
    void dataChanged(QByteArray);
    void objectChanged(QKel::Pb::AbstractMessage*);
};

}  // namespace QKel::Pb::Remote
