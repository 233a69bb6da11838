#include "signalRecorder.h"

#include <QMetaMethod>

namespace {

// The recorder's made-up slot number of a signal tells source and signal apart.
constexpr int MethodsPerSource = 1000;

} // namespace

SignalRecorder::SignalRecorder(QObject* source)
    : SignalRecorder(QList<QObject*>{source})
{
}

SignalRecorder::SignalRecorder(const QList<QObject*>& sources)
    : mSources(sources)
{
    const int firstSlot = QObject::staticMetaObject.methodCount();
    for (int number = 0; number < sources.size(); ++number) {
        const QMetaObject* meta = sources.at(number)->metaObject();
        for (int index = QObject::staticMetaObject.methodCount(); index < meta->methodCount(); ++index) {
            if (meta->method(index).methodType() == QMetaMethod::Signal) {
                QMetaObject::connect(sources.at(number), index, this,
                                     firstSlot + number * MethodsPerSource + index, Qt::DirectConnection);
            }
        }
    }
}

QList<SignalRecorder::Entry> SignalRecorder::entries() const
{
    return mEntries;
}

QStringList SignalRecorder::formatted() const
{
    QStringList lines;
    for (const Entry& entry : mEntries) {
        lines << format(entry.name, entry.arguments);
    }
    return lines;
}

QStringList SignalRecorder::names() const
{
    QStringList result;
    for (const Entry& entry : mEntries) {
        result << QString::fromLatin1(entry.name);
    }
    return result;
}

void SignalRecorder::clear()
{
    mEntries.clear();
}

QString SignalRecorder::format(const QVariant& value)
{
    if (value.userType() == QMetaType::QByteArray) {
        return QString::fromLatin1(value.toByteArray().toHex());
    }
    if (value.userType() == QMetaType::QObjectStar) {
        const auto* object = value.value<QObject*>();
        return object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("null");
    }
    return value.toString();
}

QString SignalRecorder::format(const QByteArray& name, const QVariantList& arguments)
{
    QStringList texts;
    for (const QVariant& argument : arguments) {
        texts << format(argument);
    }
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name), texts.join(QStringLiteral(", ")));
}

int SignalRecorder::qt_metacall(QMetaObject::Call call, int id, void** arguments)
{
    id = QObject::qt_metacall(call, id, arguments);
    if (id < 0 || call != QMetaObject::InvokeMetaMethod) {
        return id;
    }
    const QMetaMethod signal = mSources.at(id / MethodsPerSource)->metaObject()->method(id % MethodsPerSource);
    Entry entry{signal.name(), {}};
    for (int i = 0; i < signal.parameterCount(); ++i) {
        entry.arguments << QVariant(signal.parameterType(i), arguments[i + 1]);
    }
    mEntries << entry;
    return -1;
}
