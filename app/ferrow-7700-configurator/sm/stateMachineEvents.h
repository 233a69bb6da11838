#pragma once

#include <configuration.h>
#include <device/abstractDevice.h>

#include <QByteArray>
#include <QSharedPointer>
#include <QtGlobal>

// The events of the session state machine. They are copied into the machine's
// queue when they arrive while another event is being processed.
namespace QKel::Sm {

struct EventConnect {};
struct EventDisconnect {};
struct EventAutoflash {};

// One payload from the link that passed the frame check.
struct EventNewData
{
    QByteArray data;
};

struct EventTimeout {};

struct EventCommsError
{
    quint16 errorCode = 0;
};

struct EventLoadError
{
    QKel::Pb::Configuration::File::LOAD_ERROR loadError;
};

// A device object from a loaded file or a new configuration; may be null.
struct EventSetDevice
{
    QSharedPointer<QKel::Device::AbstractDevice> device;
};

struct EventReadDeviceConfiguration {};
struct EventWriteDeviceConfiguration {};
struct EventEnterNormalOperation {};
struct EventEnterPairingMode {};
struct EventFactoryReset {};

} // namespace QKel::Sm
