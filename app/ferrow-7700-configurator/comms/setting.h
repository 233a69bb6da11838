#pragma once

#include <QList>
#include <QObject>
#include <QScopedPointer>
#include <QStringList>
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
    Q_PROPERTY(QList<QVariant> comboValues READ comboValues NOTIFY comboValuesChanged)
    // What the system knows about each choice, in the order of comboValues;
    // the value stays the bare choice.
    Q_PROPERTY(QStringList comboDescriptions READ comboDescriptions NOTIFY comboValuesChanged)

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
    QStringList comboDescriptions() const;
    // The description of one choice, empty when it has none.
    Q_INVOKABLE QString describe(const QVariant& choice) const;
    // Replaces the choices; `descriptions` is matched by position and may be shorter.
    void setComboValues(const QList<QVariant>& comboValues, const QStringList& descriptions = {});

public slots:
    void setValue(const QVariant& value);

signals:
    void valueChanged(QVariant value);
    void comboValuesChanged();

private:
    QScopedPointer<SettingPrivate> d;
};

} // namespace QKel::Global
