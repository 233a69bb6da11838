#include "customspinboxvalidator.h"

#include <QDebug>
#include <QDoubleValidator>
#include <QLocale>
#include <QRegExpValidator>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// A double carries about 15 significant decimal digits; more decimals only
// format noise (and a huge count would allocate a huge string).
constexpr int kMaxDecimals = 15;
constexpr int kMinRadix = 2;
constexpr int kMaxRadix = 36;

// Converts toward zero without leaving the range of a 64-bit integer, so that
// NaN or an infinite value set from QML cannot turn into undefined behaviour.
qint64 truncatedToInteger(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = 9.0e18;
    return static_cast<qint64>(std::trunc(qBound(-limit, value, limit)));
}

// Qt writes negative numbers of other radixes as their two's complement;
// the box shows a minus sign and the magnitude instead.
QString integerText(qint64 integer, int radix)
{
    const QString magnitude = QString::number(qAbs(integer), radix);
    return integer < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

// Stores a property value; true when it changed and must be announced.
template <typename T>
bool assignIfChanged(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

QLocale numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

class CustomSpinBoxValidatorPrivate
{
public:
    CustomSpinBoxValidatorPrivate()
        : integerValidator(new QRegExpValidator(
              QRegExp(QStringLiteral("-?[0-9A-Fa-f]+"), Qt::CaseSensitive, QRegExp::RegExp)))
    {
        decimalValidator.setNotation(QDoubleValidator::StandardNotation);
    }

    double value = 0.0;
    double stepSize = 1.0;
    QString prefix;
    QString suffix;
    int radix = 10;
    bool completed = false;
    QDoubleValidator decimalValidator{0.0, 99.0, 0};
    std::unique_ptr<QRegExpValidator> integerValidator;
};

CustomSpinBoxValidator::CustomSpinBoxValidator(QObject* parent)
    : QValidator(parent), d(new CustomSpinBoxValidatorPrivate)
{
    const QLocale locale = numberLocale();
    setLocale(locale);
    d->decimalValidator.setLocale(locale);

    // Everything but the step size changes what the box shows.
    connect(this, &CustomSpinBoxValidator::valueChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::minimumValueChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::maximumValueChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::decimalsChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::prefixChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::suffixChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::radixChanged, this, &CustomSpinBoxValidator::textChanged);
}

CustomSpinBoxValidator::~CustomSpinBoxValidator() = default;

QValidator::State CustomSpinBoxValidator::validate(QString& input, int& pos) const
{
    if (pos >= 1 && pos < input.length()) {
        const QChar typed = input.at(pos - 1);
        if (typed == locale().groupSeparator())
            return Invalid;
        if (typed == locale().decimalPoint() && decimals() == 0)
            return Invalid;
    }

    if (!d->prefix.isEmpty() && !input.startsWith(d->prefix)) {
        input.prepend(d->prefix);
        pos += d->prefix.length();
    }
    if (!d->suffix.isEmpty() && !input.endsWith(d->suffix))
        input.append(d->suffix);

    const int prefixLength = d->prefix.length();
    QString number = input.mid(prefixLength, qMax(0, input.length() - prefixLength - d->suffix.length()));
    int numberPos = qBound(0, pos - prefixLength, number.length());
    input = d->prefix + number + d->suffix;
    pos = prefixLength + numberPos;

    return validateNumber(input, number, numberPos);
}

QValidator::State CustomSpinBoxValidator::validateNumber(const QString& input, QString& number,
                                                         int& numberPos) const
{
    bool ok = false;
    double read = 0.0;
    if (d->radix == 10) {
        const State state = d->decimalValidator.validate(number, numberPos);
        if (state != Acceptable)
            return state;
        read = locale().toDouble(number, &ok);
    } else {
        const State state = d->integerValidator->validate(number, numberPos);
        if (state != Acceptable)
            return state;
        // A negative number stands for the unsigned value of its 32-bit pattern.
        const qint64 integer = number.toLongLong(&ok, d->radix);
        ok = ok && integer >= std::numeric_limits<qint32>::min()
            && integer <= std::numeric_limits<quint32>::max();
        read = static_cast<double>(static_cast<quint32>(integer));
    }
    // A number that matches the pattern but cannot be read (too many digits)
    // must not be taken as a finished entry that left the value unchanged.
    if (!ok)
        return Intermediate;

    // Compared with the stored value, not with the number read: a number that
    // was clamped into the range is not what the box holds, so it must not be
    // accepted as typed (leaving the box then shows the clamped value).
    const_cast<CustomSpinBoxValidator*>(this)->setValue(read);
    return input == text() ? Acceptable : Intermediate;
}

void CustomSpinBoxValidator::fixup(QString& input) const
{
    input = textFromValue(d->value);
    input.remove(locale().groupSeparator());
}

void CustomSpinBoxValidator::classBegin()
{
}

void CustomSpinBoxValidator::componentComplete()
{
    d->completed = true;
    setValue(d->value);
}

QString CustomSpinBoxValidator::text() const
{
    return textFromValue(d->value);
}

QString CustomSpinBoxValidator::textFromValue(double value) const
{
    const QString number = d->radix == 10
        ? locale().toString(value, 'f', decimals())
        : integerText(truncatedToInteger(value), d->radix);
    return d->prefix + number + d->suffix;
}

double CustomSpinBoxValidator::value() const
{
    return d->value;
}

void CustomSpinBoxValidator::setValue(double value)
{
    if (d->completed) {
        value = qMax(qMin(value, maximumValue()), minimumValue());
        value = QString::number(value, 'f', decimals()).toDouble();
    }
    if (value == d->value)
        return;
    d->value = value;
    if (d->completed)
        emit valueChanged();
}

double CustomSpinBoxValidator::minimumValue() const
{
    return d->decimalValidator.bottom();
}

void CustomSpinBoxValidator::setMinimumValue(double minimumValue)
{
    if (minimumValue == d->decimalValidator.bottom())
        return;
    d->decimalValidator.setBottom(minimumValue);
    emit minimumValueChanged();
    reapplyValue();
}

double CustomSpinBoxValidator::maximumValue() const
{
    return d->decimalValidator.top();
}

void CustomSpinBoxValidator::setMaximumValue(double maximumValue)
{
    if (maximumValue == d->decimalValidator.top())
        return;
    d->decimalValidator.setTop(maximumValue);
    emit maximumValueChanged();
    reapplyValue();
}

int CustomSpinBoxValidator::decimals() const
{
    return d->decimalValidator.decimals();
}

void CustomSpinBoxValidator::setDecimals(int decimals)
{
    decimals = qBound(0, decimals, kMaxDecimals);
    if (decimals == d->decimalValidator.decimals())
        return;
    d->decimalValidator.setDecimals(decimals);
    emit decimalsChanged();
    reapplyValue();
}

double CustomSpinBoxValidator::stepSize() const
{
    return d->stepSize;
}

void CustomSpinBoxValidator::setStepSize(double stepSize)
{
    if (assignIfChanged(d->stepSize, stepSize))
        emit stepSizeChanged();
}

QString CustomSpinBoxValidator::prefix() const
{
    return d->prefix;
}

void CustomSpinBoxValidator::setPrefix(const QString& prefix)
{
    if (assignIfChanged(d->prefix, prefix))
        emit prefixChanged();
}

QString CustomSpinBoxValidator::suffix() const
{
    return d->suffix;
}

void CustomSpinBoxValidator::setSuffix(const QString& suffix)
{
    if (assignIfChanged(d->suffix, suffix))
        emit suffixChanged();
}

int CustomSpinBoxValidator::radix() const
{
    return d->radix;
}

void CustomSpinBoxValidator::setRadix(int radix)
{
    if (radix < kMinRadix || radix > kMaxRadix) {
        qWarning() << "Ignoring an unusable spin box radix" << radix;
        return;
    }
    if (assignIfChanged(d->radix, radix))
        emit radixChanged();
}

void CustomSpinBoxValidator::increment()
{
    setValue(d->value + d->stepSize);
}

void CustomSpinBoxValidator::decrement()
{
    setValue(d->value - d->stepSize);
}

void CustomSpinBoxValidator::reapplyValue()
{
    if (d->completed)
        setValue(d->value);
}
