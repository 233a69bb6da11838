#include "customspinboxvalidator.h"

#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

namespace {

struct Setup
{
    double minimum = 0.0;
    double maximum = 99.0;
    int decimals = 0;
    int radix = 10;
    QString prefix;
    QString suffix;
    int bitWidth = 0;
};

// Configures the validator the way the QML engine does: properties first,
// then the completion of the component.
void configure(CustomSpinBoxValidator& validator, const Setup& setup, double value)
{
    validator.classBegin();
    validator.setMinimumValue(setup.minimum);
    validator.setMaximumValue(setup.maximum);
    validator.setDecimals(setup.decimals);
    validator.setRadix(setup.radix);
    validator.setPrefix(setup.prefix);
    validator.setSuffix(setup.suffix);
    validator.setBitWidth(setup.bitWidth);
    validator.setValue(value);
    validator.componentComplete();
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(QValidator::State)

class TestCustomSpinBoxValidator : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void setValueAfterCompletion_data();
    void setValueAfterCompletion();
    void valuesBeforeCompletion();
    void rangeChangeClampsAtOnce_data();
    void rangeChangeClampsAtOnce();
    void textFollowsProperties_data();
    void textFollowsProperties();
    void validate_data();
    void validate();
    void fixup_data();
    void fixup();
    void localeNotation();
    void stepping_data();
    void stepping();
    void unusableRadixIsIgnored();
};

void TestCustomSpinBoxValidator::setValueAfterCompletion_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expectedValue");
    QTest::addColumn<QString>("expectedText");

    QTest::newRow("above default range") << Setup{} << 150.0 << 99.0 << "99";
    QTest::newRow("below default range") << Setup{} << -3.0 << 0.0 << "0";
    QTest::newRow("rounds to no decimals") << Setup{} << 41.6 << 42.0 << "42";
    QTest::newRow("two decimals") << Setup{0, 10, 2, 10, "<", " ms"} << 1.234 << 1.23 << "<1.23 ms";
    QTest::newRow("two decimals pads") << Setup{0, 10, 2, 10, {}, {}} << 2.0 << 2.0 << "2.00";
    QTest::newRow("negative range") << Setup{-50, -10, 1, 10, {}, {}} << 0.0 << -10.0 << "-10.0";
    QTest::newRow("minimum wins over maximum") << Setup{20, 10, 0, 10, {}, {}} << 15.0 << 20.0 << "20";
    QTest::newRow("hex shows lower case") << Setup{0, 4095, 0, 16, "0x", {}} << 255.0 << 255.0 << "0xff";
    QTest::newRow("hex zero") << Setup{0, 4095, 0, 16, "0x", {}} << 0.0 << 0.0 << "0x0";
    QTest::newRow("hex above 31 bits") << Setup{0, 4294967295.0, 0, 16, "0x", {}} << 4294967295.0
                                       << 4294967295.0 << "0xffffffff";
    QTest::newRow("hex negative") << Setup{-300, 0, 0, 16, {}, {}} << -255.0 << -255.0 << "-ff";
    QTest::newRow("signed hex shows the bit pattern") << Setup{-128, 127, 0, 16, "0x", {}, 8} << -128.0 << -128.0
                                                      << "0x80";
    QTest::newRow("signed 32-bit hex") << Setup{-2147483648.0, 2147483647.0, 0, 16, "0x", {}, 32} << -1.0 << -1.0
                                       << "0xffffffff";
    QTest::newRow("octal") << Setup{0, 100, 0, 8, {}, {}} << 64.0 << 64.0 << "100";
    QTest::newRow("not a number") << Setup{} << qQNaN() << 99.0 << "99";
    QTest::newRow("infinity") << Setup{0, 4095, 0, 16, {}, {}} << qInf() << 4095.0 << "fff";
}

void TestCustomSpinBoxValidator::setValueAfterCompletion()
{
    QFETCH(Setup, setup);
    QFETCH(double, value);
    QFETCH(double, expectedValue);
    QFETCH(QString, expectedText);

    CustomSpinBoxValidator validator;
    configure(validator, setup, 5.0);
    validator.setValue(value);
    QCOMPARE(validator.value(), expectedValue);
    QCOMPARE(validator.text(), expectedText);
}

void TestCustomSpinBoxValidator::valuesBeforeCompletion()
{
    CustomSpinBoxValidator validator;
    QSignalSpy valueSpy(&validator, &CustomSpinBoxValidator::valueChanged);
    validator.classBegin();
    validator.setValue(150.7);
    QCOMPARE(validator.value(), 150.7);
    QCOMPARE(valueSpy.count(), 0);

    validator.componentComplete();
    QCOMPARE(validator.value(), 99.0);
    QCOMPARE(valueSpy.count(), 1);
}

void TestCustomSpinBoxValidator::rangeChangeClampsAtOnce_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("newValue");
    QTest::addColumn<double>("expectedValue");

    QTest::newRow("maximum below value") << "maximumValue" << QVariant(40.0) << 40.0;
    QTest::newRow("minimum above value") << "minimumValue" << QVariant(60.0) << 60.0;
    QTest::newRow("fewer decimals") << "decimals" << QVariant(0) << 51.0;
}

void TestCustomSpinBoxValidator::rangeChangeClampsAtOnce()
{
    QFETCH(QString, property);
    QFETCH(QVariant, newValue);
    QFETCH(double, expectedValue);

    CustomSpinBoxValidator validator;
    configure(validator, Setup{0, 99, 1, 10, {}, {}}, 50.8);
    QSignalSpy valueSpy(&validator, &CustomSpinBoxValidator::valueChanged);
    QSignalSpy textSpy(&validator, &CustomSpinBoxValidator::textChanged);

    QVERIFY(validator.setProperty(property.toLatin1(), newValue));
    QCOMPARE(validator.value(), expectedValue);
    QCOMPARE(valueSpy.count(), 1);
    QVERIFY(textSpy.count() >= 2);
}

void TestCustomSpinBoxValidator::textFollowsProperties_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("newValue");
    QTest::addColumn<bool>("textChanges");

    QTest::newRow("value") << "value" << QVariant(7.0) << true;
    QTest::newRow("minimum") << "minimumValue" << QVariant(1.0) << true;
    QTest::newRow("maximum") << "maximumValue" << QVariant(50.0) << true;
    QTest::newRow("decimals") << "decimals" << QVariant(2) << true;
    QTest::newRow("prefix") << "prefix" << QVariant("#") << true;
    QTest::newRow("suffix") << "suffix" << QVariant("s") << true;
    QTest::newRow("radix") << "radix" << QVariant(16) << true;
    QTest::newRow("step size") << "stepSize" << QVariant(5.0) << false;
}

void TestCustomSpinBoxValidator::textFollowsProperties()
{
    QFETCH(QString, property);
    QFETCH(QVariant, newValue);
    QFETCH(bool, textChanges);

    CustomSpinBoxValidator validator;
    configure(validator, Setup{}, 3.0);
    QSignalSpy textSpy(&validator, &CustomSpinBoxValidator::textChanged);
    QVERIFY(validator.setProperty(property.toLatin1(), newValue));
    QCOMPARE(textSpy.count() > 0, textChanges);
}

void TestCustomSpinBoxValidator::validate_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QValidator::State>("expectedState");
    QTest::addColumn<QString>("expectedInput");
    QTest::addColumn<int>("expectedPos");
    QTest::addColumn<double>("expectedValue");

    const Setup hex{0, 65535, 0, 16, "0x", {}};
    const Setup ms{0, 1000, 0, 10, {}, " ms"};
    const Setup decimals{0, 10, 2, 10, {}, {}};

    QTest::newRow("plain number") << Setup{} << "42" << 2 << QValidator::Acceptable << "42" << 2 << 42.0;
    QTest::newRow("empty") << Setup{} << "" << 0 << QValidator::Intermediate << "" << 0 << 5.0;
    QTest::newRow("letters") << Setup{} << "4a" << 2 << QValidator::Invalid << "4a" << 2 << 5.0;
    QTest::newRow("decimal point without decimals")
        << Setup{} << "4.2" << 2 << QValidator::Invalid << "4.2" << 2 << 5.0;
    QTest::newRow("group separator before cursor")
        << Setup{} << "4,2" << 2 << QValidator::Invalid << "4,2" << 2 << 5.0;
    QTest::newRow("decimal point allowed") << decimals << "1.5" << 3 << QValidator::Intermediate << "1.5" << 3
                                           << 1.5;
    QTest::newRow("decimals complete") << decimals << "1.25" << 4 << QValidator::Acceptable << "1.25" << 4
                                       << 1.25;
    QTest::newRow("suffix appended") << ms << "25" << 2 << QValidator::Acceptable << "25 ms" << 2 << 25.0;
    QTest::newRow("suffix kept") << ms << "250 ms" << 3 << QValidator::Acceptable << "250 ms" << 3 << 250.0;
    QTest::newRow("prefix inserted, cursor moved")
        << hex << "ff" << 2 << QValidator::Acceptable << "0xff" << 4 << 255.0;
    QTest::newRow("upper case hex is intermediate")
        << hex << "0xFF" << 4 << QValidator::Intermediate << "0xFF" << 4 << 255.0;
    QTest::newRow("hex digit out of range") << hex << "0xfg" << 4 << QValidator::Invalid << "0xfg" << 4 << 5.0;
    QTest::newRow("hex clamped") << hex << "0x12345" << 7 << QValidator::Intermediate << "0x12345" << 7
                                 << 65535.0;
    QTest::newRow("minus without a negative range")
        << Setup{0, 4294967295.0, 0, 16, {}, {}} << "-1" << 2 << QValidator::Invalid << "-1" << 2 << 5.0;
    QTest::newRow("hex far past the range clamps")
        << hex << "0x123456789abcdef01" << 19 << QValidator::Intermediate << "0x123456789abcdef01" << 19
        << 65535.0;
    QTest::newRow("more digits than any number") << hex << "0x123456789012345678901" << 23 << QValidator::Invalid
                                                 << "0x123456789012345678901" << 23 << 5.0;
    QTest::newRow("only the prefix") << hex << "0x" << 2 << QValidator::Intermediate << "0x" << 2 << 5.0;
    QTest::newRow("decimal past the range clamps, not a prefix")
        << Setup{0, 65535, 0, 10, {}, {}} << "70000" << 5 << QValidator::Intermediate << "70000" << 5 << 65535.0;
    QTest::newRow("hex past 32 bits clamps")
        << Setup{0, 4294967295.0, 0, 16, "0x", {}} << "0x100000000" << 11 << QValidator::Intermediate
        << "0x100000000" << 11 << 4294967295.0;
    QTest::newRow("negative decimal") << Setup{-50, 50, 0, 10, {}, {}} << "-7" << 2 << QValidator::Acceptable << "-7"
                                      << 2 << -7.0;
    QTest::newRow("lone minus") << Setup{-50, 50, 0, 10, {}, {}} << "-" << 1 << QValidator::Intermediate << "-" << 1
                                << 5.0;
    QTest::newRow("signed hex bit pattern") << Setup{-128, 127, 0, 16, "0x", {}, 8} << "0x80" << 4
                                            << QValidator::Acceptable << "0x80" << 4 << -128.0;
    QTest::newRow("signed hex refuses a minus") << Setup{-128, 127, 0, 16, "0x", {}, 8} << "0x-1" << 4
                                                << QValidator::Invalid << "0x-1" << 4 << 5.0;
    QTest::newRow("overlapping prefix and suffix")
        << Setup{0, 99, 0, 10, "x", "x"} << "x" << 1 << QValidator::Intermediate << "xx" << 1 << 5.0;
}

void TestCustomSpinBoxValidator::validate()
{
    QFETCH(Setup, setup);
    QFETCH(QString, input);
    QFETCH(int, pos);
    QFETCH(QValidator::State, expectedState);
    QFETCH(QString, expectedInput);
    QFETCH(int, expectedPos);
    QFETCH(double, expectedValue);

    CustomSpinBoxValidator validator;
    configure(validator, setup, 5.0);
    QCOMPARE(validator.validate(input, pos), expectedState);
    QCOMPARE(input, expectedInput);
    QCOMPARE(pos, expectedPos);
    QCOMPARE(validator.value(), expectedValue);
}

void TestCustomSpinBoxValidator::fixup_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal") << Setup{0, 100000, 0, 10, {}, " Hz"} << 12345.0 << "12" << "12345 Hz";
    QTest::newRow("hex") << Setup{0, 65535, 0, 16, "0x", {}} << 4096.0 << "0xFFFF1" << "0x1000";
    QTest::newRow("separator in suffix") << Setup{0, 99, 0, 10, {}, " ,s"} << 9.0 << "9" << "9 s";
    QTest::newRow("emptied is 0, within the range") << Setup{10, 99, 0, 10, {}, {}} << 50.0 << "" << "10";
    QTest::newRow("only the prefix is 0") << Setup{0, 65535, 0, 16, "0x", {}} << 4096.0 << "0x" << "0x0";
}

void TestCustomSpinBoxValidator::fixup()
{
    QFETCH(Setup, setup);
    QFETCH(double, value);
    QFETCH(QString, input);
    QFETCH(QString, expected);

    CustomSpinBoxValidator validator;
    configure(validator, setup, value);
    validator.fixup(input);
    QCOMPARE(input, expected);
}

void TestCustomSpinBoxValidator::localeNotation()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CustomSpinBoxValidator validator;
    configure(validator, Setup{0, 100000, 2, 10, {}, {}}, 12345.678);
    QCOMPARE(validator.text(), QStringLiteral("12345,68"));

    QString typed = QStringLiteral("7,25");
    int pos = typed.length();
    QCOMPARE(validator.validate(typed, pos), QValidator::Acceptable);
    QCOMPARE(validator.value(), 7.25);

    QString grouped = QStringLiteral("1.234");
    pos = 2;
    QCOMPARE(validator.validate(grouped, pos), QValidator::Invalid);
}

void TestCustomSpinBoxValidator::stepping_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("stepSize");
    QTest::addColumn<bool>("up");
    QTest::addColumn<double>("expected");

    QTest::newRow("up") << 10.0 << 1.0 << true << 11.0;
    QTest::newRow("down") << 10.0 << 4.0 << false << 6.0;
    QTest::newRow("up at maximum") << 98.0 << 5.0 << true << 99.0;
    QTest::newRow("down at minimum") << 2.0 << 5.0 << false << 0.0;
}

void TestCustomSpinBoxValidator::stepping()
{
    QFETCH(double, start);
    QFETCH(double, stepSize);
    QFETCH(bool, up);
    QFETCH(double, expected);

    CustomSpinBoxValidator validator;
    configure(validator, Setup{}, start);
    validator.setStepSize(stepSize);
    up ? validator.increment() : validator.decrement();
    QCOMPARE(validator.value(), expected);
}

void TestCustomSpinBoxValidator::unusableRadixIsIgnored()
{
    CustomSpinBoxValidator validator;
    configure(validator, Setup{0, 4095, 0, 16, {}, {}}, 255.0);
    QSignalSpy radixSpy(&validator, &CustomSpinBoxValidator::radixChanged);
    QTest::ignoreMessage(QtWarningMsg, "Ignoring an unusable spin box radix 0");
    validator.setRadix(0);
    QTest::ignoreMessage(QtWarningMsg, "Ignoring an unusable spin box radix 99");
    validator.setRadix(99);
    QCOMPARE(radixSpy.count(), 0);
    QCOMPARE(validator.text(), QStringLiteral("ff"));
}

QTEST_GUILESS_MAIN(TestCustomSpinBoxValidator)
#include "tst_customspinboxvalidator.moc"
