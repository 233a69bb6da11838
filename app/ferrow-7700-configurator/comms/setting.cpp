#include "setting.h"

namespace QKel::Global {

class SettingPrivate
{
public:
    QString name;
    Setting::eSettingType type;
    QVariant value;
    QList<QVariant> comboValues;
};

Setting::Setting(const QString& name, eSettingType type, const QVariant& value, QObject* parent)
    : Setting(name, type, {}, value, parent)
{
}

Setting::Setting(const QString& name, eSettingType type, const QList<QVariant>& comboValues,
                 const QVariant& value, QObject* parent)
    : QObject(parent)
    , d(new SettingPrivate{name, type, value, comboValues})
{
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

void Setting::setValue(const QVariant& value)
{
    if (value == d->value)
        return;
    d->value = value;
    emit valueChanged(QVariant(d->value));
}

} // namespace QKel::Global
