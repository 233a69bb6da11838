#include "commsTestSupport.h"
#include "serialProvider.h"
#include "setting.h"

#include <QtTest>

using QKel::Comms::SerialProvider;
using QKel::Global::Setting;

class TestSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void setValue_data();
    void setValue();
    void providerListsItsSettings();
};

void TestSetting::init()
{
    CommsTest::useProgramSettings();
}

void TestSetting::setValue_data()
{
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QVariant>("next");
    QTest::addColumn<bool>("changes");
    QTest::newRow("same text") << QVariant("ttyS0") << QVariant("ttyS0") << false;
    QTest::newRow("other text") << QVariant("ttyS0") << QVariant("ttyS1") << true;
    QTest::newRow("text to empty") << QVariant("ttyS0") << QVariant(QString()) << true;
    QTest::newRow("bool flipped") << QVariant(false) << QVariant(true) << true;
    QTest::newRow("number equal across types") << QVariant(1) << QVariant(1.0) << false;
}

void TestSetting::setValue()
{
    QFETCH(QVariant, initial);
    QFETCH(QVariant, next);
    QFETCH(bool, changes);
    Setting setting("Port", Setting::SETTING_TYPE_TEXT, initial);
    QSignalSpy changed(&setting, &Setting::valueChanged);
    setting.setProperty("value", next);
    QCOMPARE(changed.count(), changes ? 1 : 0);
    QCOMPARE(setting.value(), changes ? next : initial);
    if (changes)
        QCOMPARE(changed.at(0).at(0), next);
    QCOMPARE(setting.comboValues(), QList<QVariant>{});
}

void TestSetting::providerListsItsSettings()
{
    QPointer<Setting> port;
    {
        SerialProvider provider(QStringList{"ttyS0", "ttyUSB0"});
        auto settings = provider.settings();
        QCOMPARE(settings.count(&settings), 1);
        port = qobject_cast<Setting*>(settings.at(&settings, 0));
        QVERIFY(port);
        QCOMPARE(port->property("name").toString(), QString("Port"));
        QCOMPARE(port->property("comboValues").toList(), (QList<QVariant>{"ttyS0", "ttyUSB0"}));
        auto again = provider.settings();
        QCOMPARE(again.count(&again), 1);
    }
    // Released with the provider, once the event loop runs.
    QVERIFY(port);
    QTRY_VERIFY(!port);
}

QTEST_GUILESS_MAIN(TestSetting)
#include "tst_setting.moc"
