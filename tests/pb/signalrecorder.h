#pragma once

#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>
#include <QStringList>
#include <QVector>

// Records, in emission order, the names of the properties whose change
// signals an object emits, and "dataChanged" for the plain dataChanged().
// Works like QSignalSpy: one dynamic slot per watched signal.
class SignalRecorder : public QObject
{
public:
    explicit SignalRecorder(QObject* watched)
    {
        const QMetaObject* meta = watched->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            if (property.hasNotifySignal())
                watch(watched, property.notifySignal().methodIndex(), property.name());
        }
    }

    void watchDataChanged(QObject* watched)
    {
        watch(watched, watched->metaObject()->indexOfSignal("dataChanged()"), "dataChanged");
    }

    QStringList order;

    int qt_metacall(QMetaObject::Call call, int id, void** arguments) override
    {
        id = QObject::qt_metacall(call, id, arguments);
        if (id < 0 || call != QMetaObject::InvokeMetaMethod)
            return id;
        order.append(mNames.at(id));
        return -1;
    }

private:
    void watch(QObject* watched, int signalIndex, const QString& name)
    {
        QMetaObject::connect(watched, signalIndex, this, QObject::staticMetaObject.methodCount() + mNames.size(),
                             Qt::DirectConnection);
        mNames.append(name);
    }

    QStringList mNames;
};
