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

signals:
    void newData(QByteArray data);
    void errorOccurred(quint16 errorCode, QString errorText);

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
