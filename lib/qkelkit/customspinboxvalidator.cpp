#include "customspinboxvalidator.h"

#include <QDebug>
#include <QDoubleValidator>
#include <QLocale>
#include <QRegularExpression>
#include <QScopedValueRollback>

#include <cmath>
#include <limits>

namespace {

// More digits than any 64-bit number has cannot be meant.
constexpr int kMaxDigits = 20;
constexpr int kMaxBitWidth = 52;

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
    {
        decimalValidator.setNotation(QDoubleValidator::StandardNotation);
    }

    double value = 0.0;
    double stepSize = 1.0;
    QString prefix;
    QString suffix;
    int radix = 10;
    int bitWidth = 0;
    bool completed = false;
    bool validating = false;
    QDoubleValidator decimalValidator{0.0, 99.0, 0};
};

CustomSpinBoxValidator::CustomSpinBoxValidator(QObject* parent)
    : QValidator(parent), d(new CustomSpinBoxValidatorPrivate)
{
    const QLocale locale = numberLocale();
    setLocale(locale);
    d->decimalValidator.setLocale(locale);

    // Everything but the step size changes what the box shows.
    connect(this, &CustomSpinBoxValidator::valueChanged, this, &CustomSpinBoxValidator::announceText);
    connect(this, &CustomSpinBoxValidator::minimumValueChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::maximumValueChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::decimalsChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::prefixChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::suffixChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::radixChanged, this, &CustomSpinBoxValidator::textChanged);
    connect(this, &CustomSpinBoxValidator::bitWidthChanged, this, &CustomSpinBoxValidator::textChanged);
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
    const QString number = input.mid(prefixLength, qMax(0, input.length() - prefixLength - d->suffix.length()));
    const int numberPos = qBound(0, pos - prefixLength, number.length());
    input = d->prefix + number + d->suffix;
    pos = prefixLength + numberPos;

    // The typed text is the user's until the edit ends: announcing the
    // stored value's text now would overwrite what is being typed.
    const QScopedValueRollback<bool> validating(d->validating, true);
    return validateNumber(input, number);
}

// Reads the whole number text, never a prefix of it: a number past the range
// is clamped into it (in every radix alike), and in two's complement a
// pattern with the sign bit set is the negative number. An empty text is
// left to fixup() at the end of the edit: the box validates its text at
// other times too, when an empty text is no entry of the user's.
QValidator::State CustomSpinBoxValidator::validateNumber(const QString& input, const QString& number) const
{
    const bool negative = number.startsWith(QLatin1Char('-'));
    const QString digits = negative ? number.mid(1) : number;
    if (negative && (minimumValue() >= 0 || twosComplement()))
        return Invalid;

    double read = 0.0;
    if (d->radix == 10) {
        const QString point = locale().decimalPoint();
        const QString pattern = decimals() > 0
            ? QStringLiteral("[0-9]*(%1[0-9]{0,%2})?").arg(QRegularExpression::escape(point)).arg(decimals())
            : QStringLiteral("[0-9]*");
        if (!QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(digits).hasMatch())
            return Invalid;
        if (digits.length() > kMaxDigits)
            return Invalid;
        bool ok = digits.isEmpty();
        if (!ok)
            read = locale().toDouble(digits, &ok);
        if (!ok)
            return Intermediate;
    } else {
        if (digits.length() > kMaxDigits)
            return Invalid;
        for (const QChar c : digits) {
            bool ok = false;
            const int digit = QString(c).toInt(&ok, d->radix);
            if (!ok)
                return Invalid;
            read = read * d->radix + digit;
        }
        const double span = std::ldexp(1.0, d->bitWidth);
        if (twosComplement() && read >= span / 2 && read < span)
            read -= span;
    }
    if (negative)
        read = -read;

    // A finished edit shows what the box holds: only a text that reads back
    // as the stored value is acceptable, so a clamped entry is replaced by
    // the stored value's own text when the edit ends.
    if (digits.isEmpty())
        return Intermediate;
    const_cast<CustomSpinBoxValidator*>(this)->setValue(read);
    return input == text() ? Acceptable : Intermediate;
}

// An edit that ends with no number at all stands for 0; any other unfinished
// text gives way to the value the box holds.
void CustomSpinBoxValidator::fixup(QString& input) const
{
    QString number = input;
    if (number.startsWith(d->prefix))
        number.remove(0, d->prefix.length());
    if (!d->suffix.isEmpty() && number.endsWith(d->suffix))
        number.chop(d->suffix.length());
    if (number.isEmpty())
        const_cast<CustomSpinBoxValidator*>(this)->setValue(0.0);
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
        : integerText(truncatedToInteger(twosComplement() && value < 0 ? value + std::ldexp(1.0, d->bitWidth) : value),
                  d->radix);
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

int CustomSpinBoxValidator::bitWidth() const
{
    return d->bitWidth;
}

void CustomSpinBoxValidator::setBitWidth(int bitWidth)
{
    if (assignIfChanged(d->bitWidth, qBound(0, bitWidth, kMaxBitWidth)))
        emit bitWidthChanged();
}

// Negative values of a signed field in another radix are written as their
// bit pattern at the field's width, as the gateway holds them.
bool CustomSpinBoxValidator::twosComplement() const
{
    return d->radix != 10 && d->bitWidth > 0 && minimumValue() < 0;
}

void CustomSpinBoxValidator::announceText()
{
    if (!d->validating)
        emit textChanged();
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
