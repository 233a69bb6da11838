// The CAN filter model: indexes, the eight roles, conversion on write, the
// refused operations and the methods QML calls.
#include "can.h"
#include "canfiltermodel.h"

#include <QPointer>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTest>

using namespace QKel::Pb;
using Role = Can::FilterModel::CAN_FILTER_ROLE;

// Two filters with every field set to a value distinct from its default.
class Fixture
{
public:
    Fixture()
        : config(new Can::Config)
        , model(config, nullptr)
    {
        auto* second = new Can::Filter(config);
        second->setEnabled(true);
        second->setExtended(true);
        second->setExtendedMatters(true);
        second->setId(0x18FEF100);
        second->setMask(0x1FFFFFFF);
        second->setInhibitTimeMs(250);
        second->setRemoteFrame(true);
        second->setPgn(0xFEF1);
        config->setFilterList({new Can::Filter(config), second});
    }
    ~Fixture() { delete config; }

    Can::Filter* filter(int row) const { return config->filterList().at(row); }

    Can::Config* config;
    Can::FilterModel model;
};

class TstCanFilterModel : public QObject
{
    Q_OBJECT

private slots:
    void rolesReadFilterFields_data();
    void rolesReadFilterFields();
    void indexExistsOnlyForFilters_data();
    void indexExistsOnlyForFilters();
    void setDataConvertsAndReports_data();
    void setDataConvertsAndReports();
    void staleIndexesAndVanishedConfigReadNothing();
    void rowsCannotBeInsertedOrRemoved();
    void filterSetterBypassesModel();
    void scriptCallsInvokables();
};

void TstCanFilterModel::rolesReadFilterFields_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("enabled") << 257 << QByteArray("enabled") << QVariant(true);
    QTest::newRow("extended") << 258 << QByteArray("extended") << QVariant(true);
    QTest::newRow("extendedMatters") << 259 << QByteArray("extendedMatters") << QVariant(true);
    QTest::newRow("id") << 260 << QByteArray("id") << QVariant(0x18FEF100u);
    QTest::newRow("mask") << 261 << QByteArray("mask") << QVariant(0x1FFFFFFFu);
    QTest::newRow("inhibitTimeMs") << 262 << QByteArray("inhibitTimeMs") << QVariant(250u);
    QTest::newRow("remoteFrame") << 263 << QByteArray("remoteFrame") << QVariant(true);
    QTest::newRow("pgn") << 264 << QByteArray("pgn") << QVariant(0xFEF1u);
}

void TstCanFilterModel::rolesReadFilterFields()
{
    QFETCH(int, role);
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);

    Fixture fixture;
    const QHash<int, QByteArray> roles = fixture.model.roleNames();
    QCOMPARE(roles.size(), 8);
    QCOMPARE(roles.value(role), name);
    const QVariant read = fixture.model.data(fixture.model.index(1, 0), role);
    QCOMPARE(read.userType(), value.userType());
    QCOMPARE(read, value);
    QVERIFY(fixture.model.data(fixture.model.index(0, 0), role) != value);
}

void TstCanFilterModel::indexExistsOnlyForFilters_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<bool>("valid");

    QTest::newRow("first") << 0 << 0 << false << true;
    QTest::newRow("last") << 1 << 0 << false << true;
    QTest::newRow("past the filters") << 2 << 0 << false << false;
    QTest::newRow("negative row") << -1 << 0 << false << false;
    QTest::newRow("second column") << 0 << 1 << false << false;
    QTest::newRow("past the columns") << 0 << 8 << false << false;
    QTest::newRow("child of a row") << 0 << 0 << true << false;
}

void TstCanFilterModel::indexExistsOnlyForFilters()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, withParent);
    QFETCH(bool, valid);

    Fixture fixture;
    const QModelIndex parent = withParent ? fixture.model.index(0, 0) : QModelIndex();
    const QModelIndex index = fixture.model.index(row, column, parent);
    QCOMPARE(index.isValid(), valid);
    QVERIFY(!fixture.model.parent(index).isValid());
    QCOMPARE(fixture.model.rowCount(), 2);
    QCOMPARE(fixture.model.columnCount(), 8);
    QCOMPARE(fixture.model.flags(index).testFlag(Qt::ItemIsEditable), valid);
    QVERIFY(fixture.model.flags(index).testFlag(Qt::ItemIsEnabled));
}

void TstCanFilterModel::setDataConvertsAndReports_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("warning");

    QTest::newRow("id from text") << int(Role::CAN_FILTER_ROLE__ID) << QVariant("291") << QVariant(291u) << true
                                  << QString();
    QTest::newRow("id equal to current") << int(Role::CAN_FILTER_ROLE__ID) << QVariant(0x18FEF100)
                                         << QVariant(0x18FEF100u) << false << QString();
    QTest::newRow("mask from junk text") << int(Role::CAN_FILTER_ROLE__MASK) << QVariant("abc") << QVariant(0u) << true
                                         << QString();
    QTest::newRow("pgn from negative number") << int(Role::CAN_FILTER_ROLE__PGN) << QVariant(-1)
                                              << QVariant(0xFFFFFFFFu) << true << QString();
    QTest::newRow("enabled from text") << int(Role::CAN_FILTER_ROLE__ENABLED) << QVariant("false") << QVariant(false)
                                       << true << QString();
    QTest::newRow("remote frame from number") << int(Role::CAN_FILTER_ROLE__REMOTE_FRAME) << QVariant(0)
                                              << QVariant(false) << true << QString();
    QTest::newRow("extended unchanged") << int(Role::CAN_FILTER_ROLE__EXTENDED) << QVariant(true) << QVariant(true)
                                        << false << QString();
    QTest::newRow("edit role") << int(Qt::EditRole) << QVariant(5) << QVariant() << false
                               << "Attempted write of unrecognized CAN filter role 2";
    QTest::newRow("end marker") << int(Role::CAN_FILTER_ROLE____ROLE_COUNT_WITH_OFFSET__) << QVariant(5) << QVariant()
                                << false << "Attempted write of unrecognized CAN filter role 265";
}

void TstCanFilterModel::setDataConvertsAndReports()
{
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    QFETCH(bool, accepted);
    QFETCH(QString, warning);

    Fixture fixture;
    const QByteArray before = fixture.config->pack();
    const QModelIndex index = fixture.model.index(1, 0);
    QSignalSpy modelChanged(&fixture.model, &QAbstractItemModel::dataChanged);
    QSignalSpy configChanged(fixture.config, &AbstractMessage::dataChanged);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QCOMPARE(fixture.model.setData(index, value, role), accepted);
    QCOMPARE(modelChanged.count(), accepted ? 1 : 0);
    QCOMPARE(configChanged.count(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(modelChanged.at(0).at(0).toModelIndex(), index);
        QCOMPARE(modelChanged.at(0).at(1).toModelIndex(), index);
        QCOMPARE(modelChanged.at(0).at(2).value<QVector<int>>(), QVector<int>());
        QVERIFY(fixture.config->pack() != before);
    }
    if (stored.isValid())
        QCOMPARE(fixture.model.data(index, role), stored);
    // The other filter is never touched.
    QCOMPARE(fixture.filter(0)->pack(), QByteArray());
}

void TstCanFilterModel::staleIndexesAndVanishedConfigReadNothing()
{
    Fixture fixture;
    const QModelIndex second = fixture.model.index(1, 0);
    QTest::ignoreMessage(QtWarningMsg, "Attempted read of unrecognized CAN filter role 0");
    QVERIFY(!fixture.model.data(second).isValid());

    // The list shrinks behind the model's back: the old index reads nothing.
    fixture.config->setFilterList({fixture.filter(0)});
    QVERIFY(!fixture.model.data(second, Role::CAN_FILTER_ROLE__ID).isValid());
    QVERIFY(!fixture.model.setData(second, 1, Role::CAN_FILTER_ROLE__ID));
    QVERIFY(!fixture.model.data(QModelIndex(), Role::CAN_FILTER_ROLE__ID).isValid());

    // An index of another model does not address this one's filters.
    Can::FilterModel other(fixture.config);
    QVERIFY(!fixture.model.data(other.index(0, 0), Role::CAN_FILTER_ROLE__ENABLED).isValid());

    const QModelIndex first = fixture.model.index(0, 0);
    delete fixture.config;
    fixture.config = nullptr;
    QCOMPARE(fixture.model.rowCount(), 0);
    QVERIFY(!fixture.model.data(first, Role::CAN_FILTER_ROLE__ID).isValid());
    QVERIFY(!fixture.model.setData(first, 1, Role::CAN_FILTER_ROLE__ID));
}

void TstCanFilterModel::rowsCannotBeInsertedOrRemoved()
{
    Fixture fixture;
    QTest::ignoreMessage(QtWarningMsg, "The CAN filter model does not yet support inserting rows.");
    QVERIFY(!fixture.model.insertRows(0, 1));
    QTest::ignoreMessage(QtWarningMsg, "The CAN filter model does not yet support removing rows.");
    QVERIFY(!fixture.model.removeRows(0, 1));
    QCOMPARE(fixture.model.rowCount(), 2);
    QCOMPARE(fixture.config->filterList().size(), 2);
}

void TstCanFilterModel::filterSetterBypassesModel()
{
    Fixture fixture;
    QSignalSpy modelChanged(&fixture.model, &QAbstractItemModel::dataChanged);
    QSignalSpy configChanged(fixture.config, &AbstractMessage::dataChanged);
    fixture.filter(0)->setMask(0x7FF);
    QCOMPARE(configChanged.count(), 1);
    QCOMPARE(modelChanged.count(), 0);
    QCOMPARE(fixture.model.data(fixture.model.index(0, 0), Role::CAN_FILTER_ROLE__MASK), QVariant(0x7FFu));
}

void TstCanFilterModel::scriptCallsInvokables()
{
    Fixture fixture;
    QQmlEngine engine;
    QQmlEngine::setObjectOwnership(&fixture.model, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty("model", engine.newQObject(&fixture.model));
    engine.globalObject().setProperty("idRole", Role::CAN_FILTER_ROLE__ID);

    QCOMPARE(engine.evaluate("model.data(model.index(1, 0), idRole)").toUInt(), 0x18FEF100u);
    QCOMPARE(engine.evaluate("model.index(0, 0, model.index(-1, 0)).valid").toBool(), true);
    QCOMPARE(engine.evaluate("model.setData(model.index(0, 0), '4660', idRole)").toBool(), true);
    QCOMPARE(fixture.filter(0)->id(), 0x1234u);
    QTest::ignoreMessage(QtWarningMsg, "Attempted read of unrecognized CAN filter role 0");
    QVERIFY(engine.evaluate("model.data(model.index(0, 0))").isUndefined());
}

QTEST_GUILESS_MAIN(TstCanFilterModel)
#include "tst_canfiltermodel.moc"
