#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "support/MemoryGrid.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"
#include "positions/frmSyogoKekka.h"
#include "support/FakeMainForm.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QTableWidget>
#include <QScrollBar>
#include <QStyle>
#include <QtTest>

class TestPosiCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cells_data();
    void cells();
    void emptyGrid();
    void unusedAxisIsNeverRead();
    void passCopiesWholeNumbersAndMm();
    void onlyTheWorkingRange();
    void failureShowsResultWindowOnce();
    void resultWindowRows();
    void resultHeadingsFit_data();
    void resultHeadingsFit();
    void gridHiddenOnlyWhileRead_data();
    void gridHiddenOnlyWhileRead();

private:
    TestEnv *m_env = nullptr;
    MemoryGrid m_grid;
};

namespace {
// Positions 1 to 5 on rows 2 to 6, every cell valid.
void fillGood(MemoryGrid &grid, bool mm)
{
    grid.setRows(2 + 5);
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 5;
    gPosiNoFrom = 1;
    gPosiNoTo = 5;
    for (int r = 2; r < 7; ++r) {
        grid.setText(r, 0, QString::number(r - 1));
        for (int a = 0; a < 4; ++a) {
            grid.setText(r, 4 * a + 1, QStringLiteral("30"));
            grid.setText(r, 4 * a + 2, QStringLiteral("3"));
            grid.setText(r, 4 * a + 3, QStringLiteral("0"));
            grid.setText(r, 4 * a + 4, mm ? QStringLiteral(" 10.000") : QStringLiteral("2000"));
        }
        grid.setText(r, 17, QStringLiteral("0"));
        grid.setText(r, 18, QStringLiteral("0"));
        grid.setText(r, 19, QStringLiteral("0"));
        grid.setText(r, 20, QStringLiteral(" note "));
    }
}

tables::AxisInfo axes4[4];

void setAxes()
{
    for (int a = 0; a < 4; ++a) {
        tables::AxisInfo &x = axes4[a];
        x = tables::AxisInfo();
        x.size = QStringLiteral(" 28");
        x.speed = QStringLiteral("A");
        x.lead = 10;
        x.ppr = 2000;
        x.maxPulse = 20000;
        x.strokeMm = 100;
        x.devStroke = 100;
    }
}
// A main window that logs when its grid is hidden and shown, and a grid that logs every read
// made while it was shown.
struct LoggingForm : FakeMainForm
{
    bool hidden = false;
    QStringList log;
    void GridStateOff() override
    {
        hidden = true;
        log << QStringLiteral("off");
    }
    void GridStateOn() override
    {
        hidden = false;
        log << QStringLiteral("on");
    }
};

class WatchedGrid : public tables::GridCells
{
public:
    WatchedGrid(GridCells &cells, LoggingForm &form) : m_cells(cells), m_form(form) {}
    int rows() const override { return m_cells.rows(); }
    QString text(int row, int col) const override
    {
        if (!m_form.hidden)
            ++readWhileShown;
        return m_cells.text(row, col);
    }
    void setText(int row, int col, const QString &text) override { m_cells.setText(row, col, text); }
    void insertRow(int row) override { m_cells.insertRow(row); }
    void removeRow(int row) override { m_cells.removeRow(row); }
    mutable int readWhileShown = 0;

private:
    GridCells &m_cells;
    LoggingForm &m_form;
};

} // namespace

void TestPosiCheck::init()
{
    m_env = new TestEnv;
    setAxes();
}

void TestPosiCheck::cleanup()
{
    delete m_env;
    m_env = nullptr;
}

void TestPosiCheck::cells_data()
{
    QTest::addColumn<int>("col");      // grid column of row 3 (position 2)
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<bool>("d42");     // axis 1 is the actuator " 42" speed "D"
    QTest::addColumn<bool>("fails");

    QTest::newRow("VEL 0") << 1 << "0" << false << false << true;
    QTest::newRow("VEL 1") << 1 << "1" << false << false << false;
    QTest::newRow("VEL 60") << 1 << "60" << false << false << false;
    QTest::newRow("VEL 61") << 1 << "61" << false << false << true;
    // Blanks are no number: the grid would show nothing and send 0.
    QTest::newRow("VEL blanks") << 1 << "  " << false << false << true;
    QTest::newRow("VEL empty") << 1 << "" << false << false << true;
    QTest::newRow("ACC blanks") << 2 << " " << false << false << true;
    QTest::newRow("WAY blanks") << 3 << " " << false << false << true;
    QTest::newRow("ITPL blanks") << 17 << " " << false << false << true;
    QTest::newRow("S/M 20") << 19 << "20" << false << false << false;
    QTest::newRow("S/M 21") << 19 << "21" << false << false << true;
    QTest::newRow("OUT 4") << 18 << "4" << false << false << true;
    QTest::newRow("ACC 3 on D 42") << 2 << "3" << false << true << true;
    QTest::newRow("ACC 3 elsewhere") << 2 << "3" << false << false << false;
    QTest::newRow("pulses 262143") << 4 << "262143" << false << false << false;
    QTest::newRow("pulses 262144") << 4 << "262144" << false << false << true;
    QTest::newRow("pulses beyond 32 bits") << 4 << "99999999999" << false << false << true;
    QTest::newRow("VEL beyond 16 bits") << 1 << "70000" << false << false << true;
    QTest::newRow("mm 100.4 rounds to stroke") << 4 << "100.4" << true << false << false;
    QTest::newRow("mm 100.5 rounds to stroke") << 4 << "100.5" << true << false << false;
    QTest::newRow("mm 100.6") << 4 << "100.6" << true << false << true;
    QTest::newRow("mm 101.5") << 4 << "101.5" << true << false << true;
    QTest::newRow("posi blanks") << 4 << " " << true << false << true;
    // Pasted text can carry a sign the keys cannot: a negative position is never a position.
    QTest::newRow("mm -0.4") << 4 << "-0.4" << true << false << true;
    QTest::newRow("mm -0.0") << 4 << "-0.0" << true << false << false;
    // Pulses have no decimal point: shown -0.4, it would be sent as 0.
    QTest::newRow("pulses -0.4") << 4 << "-0.4" << false << false << true;
    QTest::newRow("empty comment") << 20 << "" << false << false << false;
    QTest::newRow("comment in Windows-31J") << 20 << QString::fromUtf8("位置ﾃｽ") << false << false << false;
    // A comment the file cannot hold would make every save fail.
    QTest::newRow("comment the file cannot hold") << 20 << QString::fromUtf8("café") << false << false << true;
    QTest::newRow("comment with half a pair") << 20 << QStringLiteral("a") + QChar(0xDE00) << false << false << true;
}

void TestPosiCheck::cells()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(bool, mm);
    QFETCH(bool, d42);
    QFETCH(bool, fails);

    fillGood(m_grid, mm);
    if (d42) {
        axes4[0].size = QStringLiteral(" 42");
        axes4[0].speed = QStringLiteral("D");
        for (int r = 2; r < 7; ++r)
            m_grid.setText(r, 2, QStringLiteral("2"));
    }
    m_grid.setText(3, col, text);
    gPosiFileTable[2][0] = 11; // what a failed check must leave

    QCOMPARE(checkPosiGrid(m_grid, axes4, mm), fails ? 1 : 0);
    QCOMPARE(gPosiLineFlag[1], fails); // position 2 is element 1
    QCOMPARE(gPosiLineFlag[2], false);
    QCOMPARE(gPosiCellFlag[2][col - 1], fails);
    QCOMPARE(gPosiCellFlag[2][19], fails);
    QCOMPARE(gPosiNgCount, fails ? 1 : 0);
    if (fails)
        QCOMPARE(gPosiFileTable[2][0].toInt(), 11);
    else
        QCOMPARE(gPosiFileTable[2][0].toInt(), col == 1 ? int(text.toDouble()) : 30);
}

void TestPosiCheck::emptyGrid()
{
    m_grid.setRows(2);
    gPosiNoDefFrom = 3;
    gPosiNoDefTo = 7;
    bool shown = false;
    setCheckGrid(&m_grid);
    tables::setCheckResultWindow([&] { shown = true; });
    QCOMPARE(PosiDataCheck3(), 2);
    QCOMPARE(gPosiNoDefFrom, 0);
    QCOMPARE(gPosiNoDefTo, 0);
    QVERIFY(!shown);
}

void TestPosiCheck::unusedAxisIsNeverRead()
{
    fillGood(m_grid, false);
    axes4[2].used = false;
    for (int c = 9; c <= 12; ++c)
        m_grid.setText(4, c, c == 9 ? QString() : QStringLiteral("junk"));
    gPosiTable[3][2] = 777;
    QCOMPARE(checkPosiGrid(m_grid, axes4, false), 0);
    QCOMPARE(gPosiFileTable[3][8].toInt(), 30);
    QCOMPARE(gPosiFileTable[3][9].toInt(), 3);
    QCOMPARE(gPosiFileTable[3][10].toInt(), 0);
    QCOMPARE(gPosiTable[3][2], 0.0);
    QCOMPARE(gPosiTable[3][6], 0.0);
}

void TestPosiCheck::passCopiesWholeNumbersAndMm()
{
    fillGood(m_grid, true);
    m_grid.setText(2, 1, QStringLiteral(" 60"));        // blanks around a number are trimmed
    m_grid.setText(2, 4, QStringLiteral("12.3456"));    // mm kept as typed
    m_grid.setText(2, 8, QStringLiteral("0.0125"));     // 2.5 pulses: half to even, 2
    QCOMPARE(checkPosiGrid(m_grid, axes4, true), 0);
    QCOMPARE(gPosiFileTable[1][0], QVariant(60));
    QCOMPARE(gPosiTable[1][4], 12.3456);
    QCOMPARE(gPosiTable[1][0], 2469.0);
    QCOMPARE(gPosiFileTable[1][3].toDouble(), 2469.0);
    QCOMPARE(gPosiTable[1][1], 2.0);
    QCOMPARE(gPosiFileTable[1][19].toString(), QStringLiteral(" note "));

    fillGood(m_grid, false);
    m_grid.setText(2, 4, QStringLiteral("2500"));
    QCOMPARE(checkPosiGrid(m_grid, axes4, false), 0);
    QCOMPARE(gPosiTable[1][0], 2500.0);
    QCOMPARE(gPosiTable[1][4], 12.5);
}

void TestPosiCheck::onlyTheWorkingRange()
{
    fillGood(m_grid, false);
    m_grid.setText(2, 1, QStringLiteral("99")); // position 1: outside
    m_grid.setText(6, 1, QStringLiteral("99")); // position 5: outside
    m_grid.setText(4, 1, QStringLiteral("45"));
    gPosiNoFrom = 2;
    gPosiNoTo = 4;
    QCOMPARE(checkPosiGrid(m_grid, axes4, false), 0);
    QCOMPARE(gPosiFileTable[3][0].toInt(), 45);
    QVERIFY(!gPosiFileTable[1][0].isValid());
    QVERIFY(!gPosiFileTable[5][0].isValid());
}

void TestPosiCheck::failureShowsResultWindowOnce()
{
    fillGood(m_grid, false);
    m_grid.setText(3, 1, QStringLiteral("0"));
    m_grid.setText(5, 19, QStringLiteral("21"));
    gDispMmUnit = false;
    setCheckGrid(&m_grid);
    int shown = 0;
    QList<tables::ResultLine> seen;
    bool verifyMode = true;
    tables::setCheckResultWindow([&] {
        ++shown;
        seen = tables::resultLines();
        verifyMode = gResultIsVerify;
    });
    gResultIsVerify = true;
    QCOMPARE(PosiDataCheck3(), 1);
    QCOMPARE(shown, 1);
    QVERIFY(!verifyMode);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].position, 2);
    QVERIFY(seen[0].cell[0]);
    QCOMPARE(seen[1].position, 4);
    QVERIFY(seen[1].cell[18]);
    // Afterwards the cell flags and the count are cleared; the line flags stay.
    QCOMPARE(gPosiNgCount, 0);
    QVERIFY(!gPosiCellFlag[2][19]);
    QVERIFY(gPosiLineFlag[1]);
    QVERIFY(gPosiLineFlag[3]);
}

void TestPosiCheck::resultWindowRows()
{
    gAxisUnused[3] = true;
    gPosiNoFrom = 1;
    gPosiCellFlag[4][2] = gPosiCellFlag[4][19] = true;
    gPosiCellFlag[9][17] = gPosiCellFlag[9][19] = true;
    gPosiNgCount = 2;
    gResultIsVerify = false;
    gLangOffset = 10000;

    frmSyogoKekka w;
    QCOMPARE(w.windowTitle(), QStringLiteral("The result of a position data check"));
    QCOMPARE(w.lblSyogoKekka->text(), QStringLiteral("Invalid value in some data. It is as follows for details."));
    QTableWidget *g = w.flgdSyogoKekka;
    QCOMPARE(g->rowCount(), 4);
    QCOMPARE(g->item(1, 0)->text(), QStringLiteral("No."));
    QCOMPARE(g->item(2, 0)->text(), QStringLiteral("4"));
    QCOMPARE(g->item(2, 3)->text(), QStringLiteral("X"));
    QCOMPARE(g->item(2, 3)->background().color(), QColor(0xFF, 0x80, 0x80));
    QCOMPARE(g->item(2, 4)->text(), QStringLiteral("O"));
    QCOMPARE(g->item(3, 0)->text(), QStringLiteral("9"));
    QCOMPARE(g->item(3, 18)->text(), QStringLiteral("X"));
    QVERIFY(g->isColumnHidden(13));
    QVERIFY(!g->isColumnHidden(12));

    gResultIsVerify = true;
    frmSyogoKekka v;
    QCOMPARE(v.windowTitle(), QStringLiteral("The result of verification"));

    const bool unused[4] = {false, true, false, true};
    const QList<int> widths = tables::resultColumnWidths(1360, unused);
    QCOMPARE(widths[0], 100);
    QCOMPARE(widths[5], 0);
    QCOMPARE(widths[16], 0);
    QCOMPARE(widths[19], 100);
}

void TestPosiCheck::resultHeadingsFit_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("axis4Unused");
    QTest::newRow("English") << 10000 << false;
    QTest::newRow("Japanese") << 0 << false;
    QTest::newRow("English, axis 4 unused") << 10000 << true;
}

void TestPosiCheck::resultHeadingsFit()
{
    QFETCH(int, offset);
    QFETCH(bool, axis4Unused);
    gAxisUnused[3] = axis4Unused;
    gPosiNoFrom = 1;
    gPosiCellFlag[4][2] = gPosiCellFlag[4][19] = true;
    gPosiNgCount = 1;
    gLangOffset = offset;

    frmSyogoKekka w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTableWidget *g = w.flgdSyogoKekka;
    const QFontMetrics metrics(g->font());
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    int shown = 0;
    for (int c = 0; c < 20; ++c) {
        if (g->isColumnHidden(c))
            continue;
        ++shown;
        // Each heading whole, the columns equal, every column in view without scrolling.
        const QString heading = g->item(1, c)->text();
        QVERIFY2(g->columnWidth(c) >= metrics.horizontalAdvance(heading) + 2 * margin,
                 qPrintable(QStringLiteral("%1: %2 px").arg(heading).arg(g->columnWidth(c))));
        QCOMPARE(g->columnWidth(c), g->columnWidth(0));
        if (g->columnSpan(0, c) > 1) {
            const QString top = g->item(0, c)->text();
            QVERIFY2(g->columnWidth(c) * g->columnSpan(0, c) >= metrics.horizontalAdvance(top) + 2 * margin,
                     qPrintable(top));
        }
    }
    QCOMPARE(shown, axis4Unused ? 16 : 20);
    QVERIFY(g->viewport()->width() >= shown * g->columnWidth(0));
    QCOMPARE(g->horizontalScrollBar()->maximum(), 0);
    QVERIFY(w.frameGeometry().width() <= 1024);
}

void TestPosiCheck::gridHiddenOnlyWhileRead_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("log");
    const QStringList offOn = {QStringLiteral("off"), QStringLiteral("on")};
    QTest::newRow("passes") << "good" << 0 << offOn;
    QTest::newRow("fails, result window after the grid is back") << "bad" << 1 << (offOn + QStringList{QStringLiteral("result")});
    QTest::newRow("ends early beyond the loaded rows") << "short" << 1 << offOn;
    QTest::newRow("empty grid is never hidden") << "empty" << 2 << QStringList();
}

void TestPosiCheck::gridHiddenOnlyWhileRead()
{
    QFETCH(QString, grid);
    QFETCH(int, result);
    QFETCH(QStringList, log);

    LoggingForm form;
    gDispMmUnit = false;
    for (int a = 0; a < 4; ++a) {
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("A");
        gDevLead[a] = 10;
        gDevPPR[a] = 2000;
        gDevStroke[a] = 100;
    }
    fillGood(form.grid, false);
    if (grid == QLatin1String("bad"))
        form.grid.setText(3, 1, QStringLiteral("0"));
    else if (grid == QLatin1String("short"))
        gPosiNoTo = 9;
    else if (grid == QLatin1String("empty"))
        form.grid.setRows(2);
    WatchedGrid watched(form.grid, form);
    setCheckGrid(&watched);
    tables::setCheckResultWindow([&] { form.log << (form.hidden ? QStringLiteral("result hidden") : QStringLiteral("result")); });

    QCOMPARE(PosiDataCheck3(), result);
    tables::setCheckGrid(nullptr);
    QCOMPARE(form.log, log);
    QCOMPARE(watched.readWhileShown, 0);
}

QTEST_MAIN(TestPosiCheck)
#include "tst_posicheck.moc"
