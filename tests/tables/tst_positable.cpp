#include "tables/DevSetting.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestPosiTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newTableDefaults();
    void accDefault_data();
    void accDefault();
    void copyTakesTheWorkingRangeOnly();
    void clampSelectRow_data();
    void clampSelectRow();
    void numericValue_data();
    void numericValue();
};

void TestPosiTable::init()
{
    TestEnv::resetAll();
    tables::resetPosiImage();
}

void TestPosiTable::newTableDefaults()
{
    for (int a = 0; a < 4; ++a) {
        gDevSize[a] = a == 2 ? QStringLiteral(" 42") : QStringLiteral(" 28");
        gDevSpeed[a] = a == 2 ? QStringLiteral("D") : QStringLiteral("L");
    }
    gPosiTable[999][1] = 77;
    gPosiFileTable[500][kColComment] = QStringLiteral("old");
    InitPosiData();
    for (int n : {1, 500, 999}) {
        for (int a = 0; a < 4; ++a) {
            QCOMPARE(gPosiFileTable[n][4 * a].toInt(), 30);
            QCOMPARE(gPosiFileTable[n][4 * a + 1].toInt(), a == 2 ? 2 : 3);
            QCOMPARE(gPosiFileTable[n][4 * a + 2].toInt(), 0);
            QCOMPARE(gPosiFileTable[n][4 * a + 3].toInt(), 0);
            QCOMPARE(gPosiTable[n][a], 0.0);
            QCOMPARE(gPosiTable[n][a + 4], 0.0);
        }
        for (int c : {kColItpl, kColOut, kColSm})
            QCOMPARE(gPosiFileTable[n][c].toInt(), 0);
        QCOMPARE(gPosiFileTable[n][kColComment].toString(), QString());
        // The image carries the same defaults one column to the right.
        for (int c = 0; c < kPosiCols; ++c)
            QCOMPARE(gPosiWork[n][c + 1], gPosiFileTable[n][c]);
    }
    QVERIFY(!gPosiFileTable[0][0].isValid()); // row 0 is never used
}

void TestPosiTable::accDefault_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("acc");
    QTest::newRow("D, 42") << " 42" << "D" << 2;
    QTest::newRow("D, 35") << " 35" << "D" << 3;
    QTest::newRow("L, 42") << " 42" << "L" << 3;
    QTest::newRow("D, 42 without blank") << "42" << "D" << 3;
    QTest::newRow("nothing known") << "" << "" << 3;
}

void TestPosiTable::accDefault()
{
    QFETCH(QString, size);
    QFETCH(QString, speed);
    QFETCH(int, acc);
    QCOMPARE(tables::defaultAcc(size, speed), acc);
}

void TestPosiTable::copyTakesTheWorkingRangeOnly()
{
    for (int n = 1; n <= 6; ++n) {
        for (int c = 0; c < kPosiCols; ++c)
            gPosiWork[n][c + 1] = c == kColComment ? QVariant(QStringLiteral("c%1").arg(n)) : QVariant(QString::number(n * 100 + c));
        gPosiTable[n][4] = -1; // a millimetre value the copy must not touch
    }
    gPosiNoFrom = 3;
    gPosiNoTo = 5;
    CopyGridToPosiData();
    QVERIFY(!gPosiFileTable[2][0].isValid());
    QVERIFY(!gPosiFileTable[6][0].isValid());
    for (int n = 3; n <= 5; ++n) {
        QCOMPARE(gPosiFileTable[n][0].toString(), QString::number(n * 100));
        QCOMPARE(gPosiTable[n][0], double(n * 100 + 3)); // Posi of axis 1
        QCOMPARE(gPosiTable[n][3], double(n * 100 + 15)); // Posi of axis 4
        QCOMPARE(gPosiTable[n][4], -1.0);
        QCOMPARE(gPosiFileTable[n][kColComment].toString(), QStringLiteral("c%1").arg(n));
    }
    gPosiNoFrom = 5;
    gPosiNoTo = 4;
    gPosiWork[5][1] = 1;
    CopyGridToPosiData();
    QCOMPARE(gPosiFileTable[5][0].toString(), QStringLiteral("500"));
}

void TestPosiTable::clampSelectRow_data()
{
    QTest::addColumn<int>("fileFrom");
    QTest::addColumn<int>("fileTo");
    QTest::addColumn<int>("shownFrom");
    QTest::addColumn<int>("shownTo");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("commonFrom");
    QTest::addColumn<int>("commonTo");
    QTest::newRow("no overlap") << 20 << 40 << 1 << 15 << 1 << -7 << -7;
    QTest::newRow("file starts inside") << 20 << 40 << 30 << 60 << 0 << 30 << 40;
    QTest::newRow("shown inside file") << 20 << 40 << 25 << 30 << 0 << 25 << 30;
    QTest::newRow("file inside shown") << 20 << 40 << 10 << 60 << 0 << 20 << 40;
    QTest::newRow("file before shown") << 1 << 5 << 10 << 20 << 1 << -7 << -7;
}

void TestPosiTable::clampSelectRow()
{
    QFETCH(int, fileFrom);
    QFETCH(int, fileTo);
    QFETCH(int, shownFrom);
    QFETCH(int, shownTo);
    QFETCH(int, result);
    QFETCH(int, commonFrom);
    QFETCH(int, commonTo);
    gPosiFileNoFrom = fileFrom;
    gPosiFileNoTo = fileTo;
    gPosiNoDefFrom = shownFrom;
    gPosiNoDefTo = shownTo;
    gPosiCommonFrom = gPosiCommonTo = -7; // kept without overlap
    QCOMPARE(ClampSelectRow(), result);
    QCOMPARE(gPosiCommonFrom, commonFrom);
    QCOMPARE(gPosiCommonTo, commonTo);
}

void TestPosiTable::numericValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("number");
    QTest::newRow("number") << QVariant(12.5) << 12.5;
    QTest::newRow("text") << QVariant(QStringLiteral("30")) << 30.0;
    QTest::newRow("leading blanks") << QVariant(QStringLiteral("  -1.25")) << -1.25;
    // Never the number a text begins with: "12abc" and "1e3" stand for no number.
    QTest::newRow("trailing text") << QVariant(QStringLiteral("12abc")) << 0.0;
    QTest::newRow("exponent") << QVariant(QStringLiteral("1e3")) << 0.0;
    QTest::newRow("empty") << QVariant(QString()) << 0.0;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0.0;
    QTest::newRow("nothing") << QVariant() << 0.0;
}

void TestPosiTable::numericValue()
{
    QFETCH(QVariant, value);
    QFETCH(double, number);
    QCOMPARE(tables::numericValue(value), number);
}

QTEST_MAIN(TestPosiTable)
#include "tst_positable.moc"
