#ifndef CUSTOMSPINBOXVALIDATOR_H
#define CUSTOMSPINBOXVALIDATOR_H

#include <QQmlParserStatus>
#include <QScopedPointer>
#include <QValidator>

class CustomSpinBoxValidatorPrivate;

// Holds the value, range and formatting of a spin box and checks what the
// user types into it, in decimal or in another radix (hexadecimal in practice).
class CustomSpinBoxValidator : public QValidator, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QString text READ text NOTIFY textChanged)
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(double minimumValue READ minimumValue WRITE setMinimumValue NOTIFY minimumValueChanged)
    Q_PROPERTY(double maximumValue READ maximumValue WRITE setMaximumValue NOTIFY maximumValueChanged)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals NOTIFY decimalsChanged)
    Q_PROPERTY(double stepSize READ stepSize WRITE setStepSize NOTIFY stepSizeChanged)
    Q_PROPERTY(QString prefix READ prefix WRITE setPrefix NOTIFY prefixChanged)
    Q_PROPERTY(QString suffix READ suffix WRITE setSuffix NOTIFY suffixChanged)
    Q_PROPERTY(int radix READ radix WRITE setRadix NOTIFY radixChanged)
    Q_PROPERTY(int bitWidth READ bitWidth WRITE setBitWidth NOTIFY bitWidthChanged)

public:
    explicit CustomSpinBoxValidator(QObject* parent = nullptr);
    ~CustomSpinBoxValidator() override;

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void classBegin() override;
    void componentComplete() override;

    QString text() const;
    QString textFromValue(double value) const;

    double value() const;
    void setValue(double value);
    double minimumValue() const;
    void setMinimumValue(double minimumValue);
    double maximumValue() const;
    void setMaximumValue(double maximumValue);
    int decimals() const;
    void setDecimals(int decimals);
    double stepSize() const;
    void setStepSize(double stepSize);
    QString prefix() const;
    void setPrefix(const QString& prefix);
    QString suffix() const;
    void setSuffix(const QString& suffix);
    int radix() const;
    void setRadix(int radix);
    int bitWidth() const;
    void setBitWidth(int bitWidth);

public slots:
    void increment();
    void decrement();

signals:
    void valueChanged();
    void minimumValueChanged();
    void maximumValueChanged();
    void decimalsChanged();
    void stepSizeChanged();
    void prefixChanged();
    void suffixChanged();
    void textChanged();
    void radixChanged();
    void bitWidthChanged();

private:
    void reapplyValue();
    void announceText();
    bool twosComplement() const;
    QValidator::State validateNumber(const QString& input, const QString& number) const;

    QScopedPointer<CustomSpinBoxValidatorPrivate> d;
};

#endif // CUSTOMSPINBOXVALIDATOR_H
