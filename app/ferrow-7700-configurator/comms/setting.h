#pragma once

#include <QList>
#include <QObject>
#include <QScopedPointer>
#include <QVariant>

namespace QKel::Global {

class SettingPrivate;

// One named, typed, user-editable parameter of a data provider; the
// connection-settings window renders a list of them generically.
class Setting : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(quint8 type READ type CONSTANT)
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QList<QVariant> comboValues READ comboValues CONSTANT)

public:
    enum eSettingType : quint8 {
        SETTING_TYPE_BOOL = 0,
        SETTING_TYPE_TEXT = 1,
        SETTING_TYPE_COMBO = 2,
    };

    Setting(const QString& name, eSettingType type, const QVariant& value, QObject* parent = nullptr);
    Setting(const QString& name, eSettingType type, const QList<QVariant>& comboValues, const QVariant& value,
            QObject* parent = nullptr);
    ~Setting() override;

    QString name() const;
    quint8 type() const;
    QVariant value() const;
    QList<QVariant> comboValues() const;

public slots:
    void setValue(const QVariant& value);

signals:
    void valueChanged(QVariant value);

private:
    QScopedPointer<SettingPrivate> d;
};

} // namespace QKel::Global
