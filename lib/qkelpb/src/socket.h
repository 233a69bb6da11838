#pragma once

#include "abstractmessage.h"

#include <socket.pb.h>

namespace QKel::Pb::Socket {

// A socket the device listens on.
class Server : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint port READ port WRITE setPort NOTIFY portChanged)
    Q_PROPERTY(PROTOCOL protocol READ protocol WRITE setProtocol NOTIFY protocolChanged)
    QKEL_PB_MESSAGE(Server, Kel::Pb::Socket::Server)

public:
    enum PROTOCOL : int {
        PROTOCOL__TCP = 0,
        PROTOCOL__UDP = 1,
    };
    Q_ENUM(PROTOCOL)

    uint port() const;
    void setPort(uint value);
    PROTOCOL protocol() const;
    void setProtocol(PROTOCOL value);

signals:
    void portChanged(uint);
    void protocolChanged(QKel::Pb::Socket::Server::PROTOCOL);
};

// A socket the device connects to; the address is host text, not checked here.
class Remote : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString address READ address WRITE setAddress NOTIFY addressChanged)
    Q_PROPERTY(uint port READ port WRITE setPort NOTIFY portChanged)
    Q_PROPERTY(QKel::Pb::Socket::Server::PROTOCOL protocol READ protocol WRITE setProtocol NOTIFY protocolChanged)
    QKEL_PB_MESSAGE(Remote, Kel::Pb::Socket::Remote)

public:
    QString address() const;
    void setAddress(QString value);
    uint port() const;
    void setPort(uint value);
    Server::PROTOCOL protocol() const;
    void setProtocol(Server::PROTOCOL value);

signals:
    void addressChanged(QString);
    void portChanged(uint);
    void protocolChanged(QKel::Pb::Socket::Server::PROTOCOL);
};

}  // namespace QKel::Pb::Socket
