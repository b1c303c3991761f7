#include "tables/DevSetting.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestModule2Calc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void divisionByZeroFails();
    void tableConversions();
    void tableConversionRefusesZeroLead();
    void strokeMm_data();
    void strokeMm();
    void pulsePerMm_data();
    void pulsePerMm();
    void dispPulsePerMmFirstAxisInUse();
    void roundUpTenth_data();
    void roundUpTenth();
};

void TestModule2Calc::conversions_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("ppr");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("pulse to mm") << "p2mm" << 10 << 2000 << 0 << 1.0 << 0.005;
    QTest::newRow("pulse to mm large") << "p2mm" << 6 << 800 << 0 << 40000.0 << 300.0;
    QTest::newRow("mm to pulse half to even 0") << "mm2p" << 10 << 2000 << 0 << 0.0025 << 0.0;
    QTest::newRow("mm to pulse half to even 2") << "mm2p" << 10 << 2000 << 0 << 0.0075 << 2.0;
    QTest::newRow("mm to pulse 2.5 to 2") << "mm2p" << 10 << 2000 << 0 << 0.0125 << 2.0;
    QTest::newRow("mm to pulse 3.5 to 4") << "mm2p" << 10 << 2000 << 0 << 0.0175 << 4.0;
    QTest::newRow("mm to pulse ordinary") << "mm2p" << 2 << 400 << 0 << 12.345 << 2469.0;
    QTest::newRow("snap half up") << "snap" << 10 << 2000 << 1 << 0.0075 << 0.01;
    QTest::newRow("snap half down") << "snap" << 10 << 2000 << 0 << 0.0075 << 0.005;
    QTest::newRow("snap whole pulse mode 1") << "snap" << 10 << 2000 << 1 << 0.015 << 0.015;
    QTest::newRow("snap whole pulse mode 0") << "snap" << 10 << 2000 << 0 << 0.015 << 0.015;
    QTest::newRow("snap above half") << "snap" << 10 << 2000 << 0 << 0.0076 << 0.01;
    QTest::newRow("snap below half") << "snap" << 10 << 2000 << 1 << 0.0074 << 0.005;
    // 1.49996 pulses shows as .5000 at four decimals but is below a half: stays down.
    QTest::newRow("snap a hair below half") << "snap" << 10 << 2000 << 1 << 0.0074998 << 0.005;
    QTest::newRow("snap zero") << "snap" << 2 << 400 << 1 << 0.0 << 0.0;
}

void TestModule2Calc::conversions()
{
    QFETCH(QString, routine);
    QFETCH(int, lead);
    QFETCH(int, ppr);
    QFETCH(int, mode);
    QFETCH(double, value);
    QFETCH(double, expected);

    std::optional<double> r;
    if (routine == QLatin1String("p2mm"))
        r = PulseToMm(lead, ppr, value);
    else if (routine == QLatin1String("mm2p"))
        r = MmToPulse(lead, ppr, value);
    else
        r = MmRoundToPulse(lead, mode, ppr, value);
    QVERIFY(r.has_value());
    QVERIFY2(qAbs(*r - expected) < 1e-12, qPrintable(QString::number(*r, 'g', 17)));
}

void TestModule2Calc::divisionByZeroFails()
{
    QVERIFY(!PulseToMm(10, 0, 5).has_value());
    QVERIFY(!MmToPulse(0, 400, 5).has_value());
    QVERIFY(!MmRoundToPulse(0, 1, 400, 5).has_value());
    QVERIFY(!MmRoundToPulse(2, 1, 0, 5).has_value());
    QCOMPARE(CulcRoundUpTenth(1, 0, 1), -1);
}

void TestModule2Calc::tableConversions()
{
    TestEnv env;
    gAxisUnused[1] = true;
    gDevLead[0] = 10;
    gDevPPR[0] = 2000;
    gDevLead[2] = 6;
    gDevPPR[2] = 800;
    gDevLead[3] = 2;
    gDevPPR[3] = 400;
    gPosiNoFrom = 2;
    gPosiNoTo = 3;
    for (int n = 1; n <= 4; ++n)
        for (int a = 0; a < 4; ++a)
            gPosiTable[n][a] = 100.0 * n + a;

    QCOMPARE(PulseToMm_Table(), 0);
    QCOMPARE(gPosiTable[2][4], 200.0 * 0.005);
    QCOMPARE(gPosiTable[2][5], 0.0); // axis 2 not in use
    QCOMPARE(gPosiTable[3][6], 302.0 * 6 / 800);
    QCOMPARE(gPosiTable[1][4], 0.0); // outside the working range
    QCOMPARE(gPosiTable[4][4], 0.0);

    gPosiTable[3][4] = 1.5;
    gPosiTable[3][7] = 0.0125; // 2.5 pulses: even
    QCOMPARE(MmToPulse_Table(), 0);
    QCOMPARE(gPosiTable[3][0], 300.0);
    QCOMPARE(gPosiTable[3][1], 0.0);
    QCOMPARE(gPosiTable[3][3], 2.0);
    QCOMPARE(gPosiTable[1][0], 100.0);
}

void TestModule2Calc::tableConversionRefusesZeroLead()
{
    TestEnv env;
    gDevLead[2] = 0;
    gPosiNoFrom = 1;
    gPosiNoTo = 2;
    gPosiTable[1][0] = 400;
    gPosiTable[2][6] = 7;
    QCOMPARE(PulseToMm_Table(), 1);
    QCOMPARE(gPosiTable[1][4], 0.0); // nothing converted, not even axis 1
    QCOMPARE(MmToPulse_Table(), 1);
    QCOMPARE(gPosiTable[2][6], 7.0);
    QCOMPARE(CulcStrokeMm(), 1);

    gAxisUnused[2] = true; // an axis not in use does not stop the others
    QCOMPARE(PulseToMm_Table(), 0);
    QCOMPARE(gPosiTable[1][4], 2.0);
}

void TestModule2Calc::strokeMm_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("ppr");
    QTest::addColumn<int>("maxPulse");
    QTest::addColumn<double>("expected");

    QTest::newRow("exact 300") << 6 << 800 << 40000 << 300.0;
    QTest::newRow("truncated, not rounded") << 6 << 800 << 40001 << 300.007;
    QTest::newRow("thousandths kept") << 2 << 400 << 20001 << 100.005;
    QTest::newRow("ppr 192") << 8 << 192 << 4801 << 200.041;
}

void TestModule2Calc::strokeMm()
{
    QFETCH(int, lead);
    QFETCH(int, ppr);
    QFETCH(int, maxPulse);
    QFETCH(double, expected);

    TestEnv env;
    gDevLead[0] = lead;
    gDevPPR[0] = ppr;
    gDevMaxPulse[0] = maxPulse;
    gAxisUnused[1] = gAxisUnused[2] = gAxisUnused[3] = true;
    gStrokeMm[1] = 55.5;
    QCOMPARE(CulcStrokeMm(), 0);
    QVERIFY2(qAbs(gStrokeMm[0] - expected) < 1e-9, qPrintable(QString::number(gStrokeMm[0], 'g', 17)));
    QCOMPARE(gStrokeMm[1], 55.5); // axes not in use keep their value
}

void TestModule2Calc::pulsePerMm_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("ppr");
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<QString>("panel3");

    QTest::newRow("whole") << 2 << 400 << "<1>1mm = 200Pulse" << "<1>1Pulse= 0.005mm";
    QTest::newRow("thirds") << 6 << 800 << "<1>1mm = 133.333Pulse" << "<1>1Pulse= 0.008mm";
    QTest::newRow("192") << 8 << 192 << "<1>1mm = 24Pulse" << "<1>1Pulse= 0.042mm";
}

void TestModule2Calc::pulsePerMm()
{
    QFETCH(int, lead);
    QFETCH(int, ppr);
    QFETCH(QString, panel2);
    QFETCH(QString, panel3);

    TestEnv env; // English: message 6 is "Pulse"
    gDevLead[0] = lead;
    gDevPPR[0] = ppr;
    const auto t = PulsePerMmFor(0);
    QVERIFY(t.has_value());
    QCOMPARE(t->panel2, panel2);
    QCOMPARE(t->panel3, panel3);
}

void TestModule2Calc::dispPulsePerMmFirstAxisInUse()
{
    TestEnv env;
    QStringList shown;
    setPulsePerMmHook([&](const QString &p2, const QString &p3) { shown << p2 << p3; });
    gAxisUnused[0] = gAxisUnused[1] = true;
    DispPulsePerMm();
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).startsWith(QLatin1String("<3>1mm = ")));
    QVERIFY(shown.at(1).startsWith(QLatin1String("<3>1Pulse")));

    shown.clear();
    DispPulsePerMm2(1); // an axis not in use: nothing
    QVERIFY(shown.isEmpty());
    gAxisUnused[0] = gAxisUnused[1] = gAxisUnused[2] = gAxisUnused[3] = true;
    DispPulsePerMm();
    QVERIFY(shown.isEmpty());

    gAxisUnused[3] = false;
    gDevPPR[3] = 0; // a division that fails writes no panel
    DispPulsePerMm();
    QVERIFY(shown.isEmpty());
}

void TestModule2Calc::roundUpTenth_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.0 stays") << 20 << 10 << 1 << 2;
    QTest::newRow("2.04 stays") << 204 << 100 << 1 << 2;
    QTest::newRow("2.05 rises") << 205 << 100 << 1 << 3;
    QTest::newRow("2.3 rises") << 23 << 10 << 1 << 3;
    QTest::newRow("below 0.05") << 4 << 100 << 1 << -1;
    QTest::newRow("0.05 gives 1") << 5 << 100 << 1 << 1;
    QTest::newRow("b zero") << 1 << 0 << 1 << -1;
}

void TestModule2Calc::roundUpTenth()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(CulcRoundUpTenth(a, b, c), expected);
}

QTEST_GUILESS_MAIN(TestModule2Calc)
#include "tst_module2calc.moc"
