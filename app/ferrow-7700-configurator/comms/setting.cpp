#include "setting.h"

namespace QKel::Global {

class SettingPrivate
{
public:
    QString name;
    Setting::eSettingType type;
    QVariant value;
    QList<QVariant> comboValues;
    QStringList comboDescriptions;
};

Setting::Setting(const QString& name, eSettingType type, const QVariant& value, QObject* parent)
    : Setting(name, type, {}, value, parent)
{
}

Setting::Setting(const QString& name, eSettingType type, const QList<QVariant>& comboValues,
                 const QVariant& value, QObject* parent)
    : QObject(parent)
    , d(new SettingPrivate{name, type, value, {}, {}})
{
    setComboValues(comboValues);
}

Setting::~Setting() = default;

QString Setting::name() const
{
    return d->name;
}

quint8 Setting::type() const
{
    return d->type;
}

QVariant Setting::value() const
{
    return d->value;
}

QList<QVariant> Setting::comboValues() const
{
    return d->comboValues;
}

QStringList Setting::comboDescriptions() const
{
    return d->comboDescriptions;
}

QString Setting::describe(const QVariant& choice) const
{
    const int index = d->comboValues.indexOf(choice);
    return index >= 0 && index < d->comboDescriptions.size() ? d->comboDescriptions.at(index) : QString();
}

void Setting::setComboValues(const QList<QVariant>& comboValues, const QStringList& descriptions)
{
    QStringList padded = descriptions.mid(0, comboValues.size());
    while (padded.size() < comboValues.size())
        padded.append(QString());
    if (comboValues == d->comboValues && padded == d->comboDescriptions)
        return;
    d->comboValues = comboValues;
    d->comboDescriptions = padded;
    emit comboValuesChanged();
}

void Setting::setValue(const QVariant& value)
{
    if (value == d->value)
        return;
    d->value = value;
    emit valueChanged(QVariant(d->value));
}

} // namespace QKel::Global
