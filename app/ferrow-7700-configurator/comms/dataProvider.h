#pragma once

#include <QList>
#include <QObject>
#include <QQmlListProperty>

namespace QKel::Global {
class Setting;
}

namespace QKel::Comms {

// The byte-stream end of the link: writes frames, reassembles and checks the
// frames that arrive and emits only their payloads.
class DataProvider : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QQmlListProperty<QObject> settings READ settings CONSTANT)

public:
    explicit DataProvider(QObject* parent = nullptr);
    ~DataProvider() override;

    QQmlListProperty<QObject> settings();

public slots:
    virtual void close() = 0;
    virtual void open() = 0;
    virtual QList<QKel::Global::Setting*> settingsList() const = 0;
    // Looks again for what the settings can offer (ports plugged in or
    // removed since); never ends an open session. Nothing to do by default.
    virtual void refresh();

signals:
    void newData(QByteArray data);
    void errorOccurred(quint16 errorCode, QString errorText);
    // Sent just before errorOccurred with the same code: what the user can do
    // about it, empty when the cause cannot be told.
    void errorAdvised(quint16 errorCode, QString advice);
    // The chosen port and what the system knows about it, after every change.
    void portChanged(QString portName, QString description);

protected slots:
    virtual void onWriteData(QByteArray data) = 0;

protected:
    // Takes the provider's settings into the list released at destruction;
    // derived destructors call it so settings never listed are released too.
    void fillSettings();

private:
    QList<QObject*> mSettings;
};

} // namespace QKel::Comms
