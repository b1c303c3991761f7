#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "tables/CellEntry.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace tables;

class TestCellEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyFilter_data();
    void keyFilter();
    void editorLengths();
    void entry_data();
    void entry();
    void comment_data();
    void comment();
    void setDataStoresPositionAndMarksChange();
};

namespace {
// An axis of lead 10 mm and 2000 pulses per revolution: 200 pulses to the millimetre.
AxisInfo axis(const QString &size = QStringLiteral(" 28"), const QString &speed = QStringLiteral("A"))
{
    AxisInfo a;
    a.size = size;
    a.speed = speed;
    a.lead = 10;
    a.ppr = 2000;
    a.maxPulse = 20000; // 100 mm
    a.strokeMm = 100;
    a.devStroke = 100;
    return a;
}
} // namespace

void TestCellEntry::keyFilter_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("passing");
    QTest::addColumn<QString>("dropped");

    const QString ctl = QStringLiteral("\b\t\r");
    QTest::newRow("VEL") << 1 << false << "0123456789" + ctl << ".-a +";
    QTest::newRow("ACC axis 2") << 6 << false << "123" + ctl << "0456789.";
    QTest::newRow("WAY axis 3") << 11 << false << "0123" << "456789.";
    QTest::newRow("Posi pulses") << 4 << false << "0123456789" + ctl << ".-e,";
    QTest::newRow("Posi mm") << 16 << true << "0123456789." + ctl << "-e,";
    QTest::newRow("ITPL") << 17 << false << "01" << "23.";
    QTest::newRow("OUT") << 18 << false << "0123" << "4.";
    QTest::newRow("S/M") << 19 << false << "0123456789" << ".-";
    QTest::newRow("COMMENT takes every key") << 20 << false << "aZ \"#.-0" << "";
}

void TestCellEntry::keyFilter()
{
    QFETCH(int, col);
    QFETCH(bool, mm);
    QFETCH(QString, passing);
    QFETCH(QString, dropped);
    for (QChar ch : passing)
        QVERIFY2(keyPasses(col, mm, ch), qPrintable(QString(ch)));
    for (QChar ch : dropped)
        QVERIFY2(!keyPasses(col, mm, ch), qPrintable(QString(ch)));
}

void TestCellEntry::editorLengths()
{
    const QList<int> expected = {0, 2, 1, 1, 7, 2, 1, 1, 7, 2, 1, 1, 7, 2, 1, 1, 7, 1, 1, 2, 40};
    for (int c = 0; c <= 20; ++c)
        QCOMPARE(editorLength(c, true), expected[c]);
}

void TestCellEntry::entry_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<bool>("roundUp");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("pulses");
    QTest::addColumn<double>("mmValue");

    const QString s28 = QStringLiteral(" 28"), a = QStringLiteral("A");
    QTest::newRow("VEL 75 refused") << 1 << false << true << s28 << a << "75" << false << "" << 0.0 << 0.0;
    QTest::newRow("VEL 60") << 1 << false << true << s28 << a << "60" << true << "60" << 0.0 << 0.0;
    QTest::newRow("VEL 07 shown 7") << 1 << false << true << s28 << a << "07" << true << "7" << 0.0 << 0.0;
    QTest::newRow("VEL 0 refused") << 1 << false << true << s28 << a << "0" << false << "" << 0.0 << 0.0;
    QTest::newRow("VEL empty refused") << 1 << false << true << s28 << a << "" << false << "" << 0.0 << 0.0;
    QTest::newRow("ACC 3 on D 42 refused") << 2 << false << true << " 42" << "D" << "3" << false << "" << 0.0 << 0.0;
    QTest::newRow("ACC 2 on D 42") << 2 << false << true << " 42" << "D" << "2" << true << "2" << 0.0 << 0.0;
    QTest::newRow("ACC 3 on D 28") << 2 << false << true << s28 << "D" << "3" << true << "3" << 0.0 << 0.0;
    QTest::newRow("ACC 3 on A 42") << 2 << false << true << " 42" << a << "3" << true << "3" << 0.0 << 0.0;
    QTest::newRow("WAY 3") << 3 << false << true << s28 << a << "3" << true << "3" << 0.0 << 0.0;
    QTest::newRow("ITPL 1") << 17 << false << true << s28 << a << "1" << true << "1" << 0.0 << 0.0;
    QTest::newRow("S/M 20") << 19 << false << true << s28 << a << "20" << true << "20" << 0.0 << 0.0;
    QTest::newRow("S/M 21 refused") << 19 << false << true << s28 << a << "21" << false << "" << 0.0 << 0.0;
    QTest::newRow("S/M beyond 16 bits refused") << 19 << false << true << s28 << a << "99999999" << false << "" << 0.0 << 0.0;
    QTest::newRow("pulses at max") << 4 << false << true << s28 << a << "20000" << true << "20000" << 20000.0 << 100.0;
    QTest::newRow("pulses above max") << 4 << false << true << s28 << a << "20001" << false << "" << 0.0 << 0.0;
    QTest::newRow("pulses leading zeros") << 4 << false << true << s28 << a << "0007" << true << "7" << 7.0 << 0.035;
    QTest::newRow("pulses fraction refused") << 4 << false << true << s28 << a << "7.5" << false << "" << 0.0 << 0.0;
    QTest::newRow("mm cut to 12.345, snapped up") << 8 << true << true << s28 << a << "12.3456" << true << " 12.345" << 2469.0 << 12.345;
    QTest::newRow("mm 12.3456 snapped down") << 8 << true << false << s28 << a << "12.3456" << true << " 12.345" << 2469.0 << 12.345;
    QTest::newRow("mm 0.0075 cut to 0.007 first") << 8 << true << true << s28 << a << "0.0075" << true << "  0.005" << 1.0 << 0.005;
    QTest::newRow("mm 0.008 to the nearer pulse") << 8 << true << false << s28 << a << "0.008" << true << "  0.010" << 2.0 << 0.01;
    QTest::newRow("mm 0.003 rounds up to a pulse") << 8 << true << true << s28 << a << "0.003" << true << "  0.005" << 1.0 << 0.005;
    QTest::newRow("mm at stroke") << 8 << true << true << s28 << a << "100" << true << "100.000" << 20000.0 << 100.0;
    QTest::newRow("mm above stroke") << 8 << true << true << s28 << a << "100.001" << false << "" << 0.0 << 0.0;
    // Only a text that is wholly a number of its column is taken (a paste into the editor).
    QTest::newRow("mm two points refused") << 8 << true << true << s28 << a << "1.2.3" << false << "" << 0.0 << 0.0;
    QTest::newRow("mm point alone refused") << 8 << true << true << s28 << a << "." << false << "" << 0.0 << 0.0;
    QTest::newRow("VEL 6a refused") << 1 << false << true << s28 << a << "6a" << false << "" << 0.0 << 0.0;
    QTest::newRow("pulses 1e1 refused") << 4 << false << true << s28 << a << "1e1" << false << "" << 0.0 << 0.0;
}

void TestCellEntry::entry()
{
    QFETCH(int, col);
    QFETCH(bool, mm);
    QFETCH(bool, roundUp);
    QFETCH(QString, size);
    QFETCH(QString, speed);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    QFETCH(double, pulses);
    QFETCH(double, mmValue);

    const Entry e = evaluateEntry(col, typed, axis(size, speed), mm, roundUp);
    QCOMPARE(e.accepted, accepted);
    if (!accepted)
        return;
    QCOMPARE(e.text, shown);
    if (e.posi) {
        QCOMPARE(e.pulses, pulses);
        QCOMPARE(e.mm, mmValue);
    }
}

void TestCellEntry::comment_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");

    QTest::newRow("blanks trimmed") << "  pick up  " << true << "pick up";
    QTest::newRow("Japanese") << QString::fromUtf8("ﾜｰｸ取出し") << true << QString::fromUtf8("ﾜｰｸ取出し");
    QTest::newRow("40 characters") << QString(40, QChar(0x3042)) << true << QString(40, QChar(0x3042));
    QTest::newRow("41 characters refused") << QString(41, QLatin1Char('a')) << false << "";
    QTest::newRow("double quote refused") << "say \"hi\"" << false << "";
    QTest::newRow("tab refused") << "a\tb" << false << "";
    // What the file cannot hold is left out, as a line paste leaves it out.
    QTest::newRow("not in Windows-31J left out") << QString::fromUtf8("€ 5") << true << "5";
    QTest::newRow("emoji left out whole") << QString::fromUtf8("a\U0001F600b") << true << "ab";
    QTest::newRow("half a pair left out") << QStringLiteral("a") + QChar(0xD83D) << true << "a";
    QTest::newRow("cleaned, then still a quote") << QString::fromUtf8("é \"x\"") << true << "x";
}

void TestCellEntry::comment()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    const Entry e = evaluateEntry(20, typed, AxisInfo(), false, true);
    QCOMPARE(e.accepted, accepted);
    if (accepted)
        QCOMPARE(e.text, stored);
    QCOMPARE(e.cleaned, holdsUnstorable(typed));
    QVERIFY(!holdsUnstorable(e.text));
}

void TestCellEntry::setDataStoresPositionAndMarksChange()
{
    TestEnv env;
    gDevLead[1] = 10;
    gDevPPR[1] = 2000;
    gDevMaxPulse[1] = 20000;
    gStrokeMm[1] = 100;
    gDispMmUnit = true;
    gMmRoundUp = true;

    QString text = QStringLiteral("150");
    QCOMPARE(SetDataForFlex(5, 8, text), 1);
    QCOMPARE(text, QStringLiteral("150"));
    QCOMPARE(gDataChanged, false);

    text = QStringLiteral("12.5");
    QCOMPARE(SetDataForFlex(5, 8, text), 0);
    QCOMPARE(text, QStringLiteral(" 12.500"));
    QCOMPARE(gPosiTable[5][1], 2500.0);
    QCOMPARE(gPosiTable[5][5], 12.5);
    QCOMPARE(gDataChanged, true);

    // Other columns stay in the grid until the check takes them.
    gDataChanged = false;
    text = QStringLiteral("30");
    QCOMPARE(SetDataForFlex(5, 5, text), 0);
    QCOMPARE(gDataChanged, true);
    QCOMPARE(gPosiFileTable[5][4], QVariant());
}

QTEST_MAIN(TestCellEntry)
#include "tst_cellentry.moc"
