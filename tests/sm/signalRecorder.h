#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

// Records every signal of some objects' own classes into one list, in the
// order emitted, so a test can compare whole sequences across different
// signals and objects. Arguments are
// kept as QVariants and can be read back formatted as "name(arg, arg)".
class SignalRecorder : public QObject
{
public:
    struct Entry
    {
        QByteArray name;
        QVariantList arguments;
    };

    explicit SignalRecorder(QObject* source);
    explicit SignalRecorder(const QList<QObject*>& sources);

    QList<Entry> entries() const;
    QStringList formatted() const;
    QStringList names() const;
    void clear();

    // The text one argument takes in formatted(): byte arrays as hexadecimal,
    // object pointers as "null" or their class name.
    static QString format(const QVariant& value);
    static QString format(const QByteArray& name, const QVariantList& arguments = {});

    int qt_metacall(QMetaObject::Call call, int id, void** arguments) override;

private:
    QList<QObject*> mSources;
    QList<Entry> mEntries;
};
