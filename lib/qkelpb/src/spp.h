#pragma once

#include "abstractmessage.h"

#include <spp.pb.h>

namespace QKel::Pb::Spp {

// The serial-port-profile service the device offers.
class Server : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString serviceName READ serviceName WRITE setServiceName NOTIFY serviceNameChanged)
    QKEL_PB_MESSAGE(Server, Kel::Pb::Spp::Server)

public:
    QString serviceName() const;
    void setServiceName(QString value);

signals:
    void serviceNameChanged(QString);
};

// The serial-port-profile peer the device connects to, named either by its
// address or by its name: setting one makes the other read empty.
class Remote : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString mac READ mac WRITE setMac NOTIFY macChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    QKEL_PB_MESSAGE(Remote, Kel::Pb::Spp::Remote)

public:
    QString mac() const;
    void setMac(QString value);
    QString name() const;
    void setName(QString value);

signals:
    void macChanged(QString);
    void nameChanged(QString);
};

}  // namespace QKel::Pb::Spp
