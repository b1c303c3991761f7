#include "positions/PosiFileDevice.h"

#include "support/TestEnv.h"

#include <QtTest>

namespace {

// Axes 1 and 2 in use with an actuator each, in both sets alike; axes 3 and 4 unused.
void sameSetting()
{
    const QString size[2] = {QStringLiteral(" 28"), QStringLiteral(" 42")};
    const QString speed[2] = {QStringLiteral("L"), QStringLiteral("D")};
    for (int a = 0; a < kAxisCount; ++a) {
        const bool used = a < 2;
        gAxisUnused[a] = gDevSetteiUnused[a] = !used;
        if (!used)
            continue;
        gDevSize[a] = gDevSetteiSize[a] = size[a];
        gDevSpeed[a] = gDevSetteiSpeed[a] = speed[a];
        gDevStroke[a] = gDevSetteiStroke[a] = 50 * (a + 1);
        gAxisNewType[a] = gDevSetteiNewType[a] = a == 1;
        gDevWithPG[a] = gDevSetteiWithPG[a] = true;
        gDevVertical[a] = gDevSetteiVertical[a] = false;
    }
}

} // namespace

class TestPosiFileDevice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compare_data();
    void compare();
    void reflect();
    void snapshotRestores();
};

void TestPosiFileDevice::compare_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("result");
    QTest::newRow("same") << 0 << 0;
    QTest::newRow("new type") << 1 << 1;
    QTest::newRow("size") << 2 << 1;
    QTest::newRow("speed") << 3 << 1;
    QTest::newRow("stroke") << 4 << 1;
    QTest::newRow("PG") << 5 << 1;
    QTest::newRow("vertical") << 6 << 1;
    QTest::newRow("axis the file leaves unused") << 7 << 0;
    QTest::newRow("axis only the file uses") << 8 << 1;
}

void TestPosiFileDevice::compare()
{
    QFETCH(int, change);
    QFETCH(int, result);
    TestEnv env;
    sameSetting();
    switch (change) {
    case 1: gDevSetteiNewType[1] = false; break;
    case 2: gDevSetteiSize[1] = QStringLiteral(" 35"); break;
    case 3: gDevSetteiSpeed[1] = QStringLiteral("L"); break;
    case 4: gDevSetteiStroke[1] = 300; break;
    case 5: gDevSetteiWithPG[1] = false; break;
    case 6: gDevSetteiVertical[1] = true; break;
    case 7:
        // The file does not use axis 2: what the pending set holds for it does not count.
        gDevSetteiUnused[1] = true;
        gDevSetteiSize[1] = QStringLiteral(" 35");
        break;
    case 8:
        gDevSetteiUnused[2] = false;
        gDevSetteiSize[2] = QStringLiteral(" 35");
        break;
    }
    QCOMPARE(CompareActuatorSettingOfPosifile2PC(), result);
}

void TestPosiFileDevice::reflect()
{
    TestEnv env;
    sameSetting();
    // The file uses axes 2 and 3; axis 1 not.
    gDevSetteiUnused[0] = true;
    gDevSetteiUnused[2] = false;
    gDevSetteiSize[2] = QStringLiteral("E35");
    gDevSetteiSpeed[2] = QStringLiteral("L");
    gDevSetteiStroke[2] = 200;
    gDevSetteiNewType[2] = true;
    gDevSetteiVertical[2] = true;
    gDevSetteiWithPG[2] = false;
    gDevSetteiSize[1] = QStringLiteral(" 35");

    ReflectFileDevice2PcDevice();

    QCOMPARE(gAxisUnused[0], true);
    QCOMPARE(gAxisUnused[1], false);
    QCOMPARE(gAxisUnused[2], false);
    QCOMPARE(gAxisUnused[3], true);
    QCOMPARE(gDevSize[0], QStringLiteral(" 28")); // an axis now unused keeps its values
    QCOMPARE(gDevSize[1], QStringLiteral(" 35"));
    QCOMPARE(gDevSize[2], QStringLiteral("E35"));
    QCOMPARE(gDevSpeed[2], QStringLiteral("L"));
    QCOMPARE(gDevStroke[2], 200);
    QCOMPARE(gAxisNewType[2], true);
    QCOMPARE(gDevVertical[2], true);
    QCOMPARE(gDevWithPG[2], false);
    QCOMPARE(CompareActuatorSettingOfPosifile2PC(), 0);
}

void TestPosiFileDevice::snapshotRestores()
{
    TestEnv env;
    sameSetting();
    gDevLead[0] = 6;
    gDevMaxPulse[0] = 4000;
    const QString family = gDevFamily[1];
    const auto snapshot = positions::DevSettingSnapshot::take();
    gDevSetteiUnused[2] = false;
    gDevSetteiSize[0] = QStringLiteral("E35");
    ReflectFileDevice2PcDevice();
    gDevLead[0] = 12;
    gDevMaxPulse[0] = 1;
    gDevFamily[1] = QStringLiteral("JH");
    snapshot.restore();
    QCOMPARE(gAxisUnused[2], true);
    QCOMPARE(gDevSetteiUnused[2], true);
    QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
    QCOMPARE(gDevSetteiSize[0], QStringLiteral(" 28"));
    QCOMPARE(gDevLead[0], 6);
    QCOMPARE(gDevMaxPulse[0], 4000);
    QCOMPARE(gDevFamily[1], family);
}

QTEST_MAIN(TestPosiFileDevice)
#include "tst_posifiledevice.moc"
