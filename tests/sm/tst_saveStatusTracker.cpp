#include "saveStatusTracker.h"

#include <QSignalSpy>
#include <QtTest>

using QKel::Config::SaveStatusTracker;
using QKel::Global::Types;

class TestSaveStatusTracker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newTrackerIsEmptyInMainThread();
    void setterEmitsOnlyOnChange_data();
    void setterEmitsOnlyOnChange();
    void forceSaveNeededEmitsOnce();
};

void TestSaveStatusTracker::initTestCase()
{
    qRegisterMetaType<Types::eConfigurationType>();
}

void TestSaveStatusTracker::newTrackerIsEmptyInMainThread()
{
    // Made first by another thread, as the state machine's start-up may, the
    // tracker still lives in the main thread, where devices report to it.
    const SaveStatusTracker* tracker = nullptr;
    QScopedPointer<QThread> maker(QThread::create([&tracker] { tracker = SaveStatusTracker::instance(); }));
    maker->start();
    QVERIFY(maker->wait(30000));
    QCOMPARE(tracker->thread(), QThread::currentThread());
    QCOMPARE(tracker->currentFilePath(), QString());
    QCOMPARE(tracker->currentFileUrl(), QString());
    QCOMPARE(tracker->saveNeeded(), false);
    QCOMPARE(tracker->configurationType(), Types::CONFIGURATION_TYPE_NONE);
    QCOMPARE(int(tracker->configurationType()), -1);
}

void TestSaveStatusTracker::setterEmitsOnlyOnChange_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("otherValue");

    QTest::newRow("path") << QByteArray("currentFilePath") << QVariant(QStringLiteral("/tmp/a.frc"))
                          << QVariant(QStringLiteral("/tmp/b.frc"));
    QTest::newRow("url") << QByteArray("currentFileUrl") << QVariant(QStringLiteral("file:///tmp/a.frc"))
                         << QVariant(QString());
    QTest::newRow("save needed") << QByteArray("saveNeeded") << QVariant(true) << QVariant(false);
    QTest::newRow("type file") << QByteArray("configurationType")
                               << QVariant::fromValue(Types::CONFIGURATION_TYPE_FILE)
                               << QVariant::fromValue(Types::CONFIGURATION_TYPE_READ_FROM_DEVICE);
    QTest::newRow("type new") << QByteArray("configurationType")
                              << QVariant::fromValue(Types::CONFIGURATION_TYPE_NEW)
                              << QVariant::fromValue(Types::CONFIGURATION_TYPE_NONE);
}

void TestSaveStatusTracker::setterEmitsOnlyOnChange()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, otherValue);

    auto* tracker = SaveStatusTracker::instance();
    const QMetaProperty meta = tracker->metaObject()->property(tracker->metaObject()->indexOfProperty(property));
    QSignalSpy spy(tracker, QByteArray("2" + meta.notifySignal().methodSignature()).constData());
    QVERIFY(spy.isValid());

    // Start from the other value so that the first write below is a change.
    tracker->setProperty(property, otherValue);
    spy.clear();

    QVERIFY(tracker->setProperty(property, value));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(tracker->property(property), value);
    QCOMPARE(spy.at(0).at(0), value);

    QVERIFY(tracker->setProperty(property, value));
    QCOMPARE(spy.count(), 1);

    QVERIFY(tracker->setProperty(property, otherValue));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(tracker->property(property), otherValue);
}

void TestSaveStatusTracker::forceSaveNeededEmitsOnce()
{
    auto* tracker = SaveStatusTracker::instance();
    tracker->setSaveNeeded(false);
    QSignalSpy spy(tracker, &SaveStatusTracker::saveNeededChanged);

    tracker->onForceSaveNeeded();
    tracker->onForceSaveNeeded();

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QVERIFY(tracker->saveNeeded());
}

QTEST_GUILESS_MAIN(TestSaveStatusTracker)
#include "tst_saveStatusTracker.moc"
