#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "app/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "positions/PosiGrid.h"
#include "positions/PosiGridText.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo3.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace platform;

namespace {

struct Window
{
    Window()
    {
        tables::resetPosiImage();
        frmMain::setScreenWidthForLoad(1280);
        w = new frmMain;
    }
    ~Window()
    {
        delete w;
        core::mainform::clearCommands();
    }
    FixedGrid &grid() { return *w->flgdData(); }
    frmMain *w = nullptr;
};

// Answers the range window of New with a range, or cancels it.
void answerRange(const QString &start, const QString &end)
{
    whenModalOpens([start, end](QWidget *modal) {
        auto *range = qobject_cast<frmSelectPosiNo3 *>(modal);
        QVERIFY(range);
        if (start.isEmpty()) {
            range->cmdSelectPosiCancel()->click();
            return;
        }
        range->txtStartPosiNo()->setText(start);
        range->txtEndPosiNo()->setText(end);
        range->cmdSelectPosiOk()->click();
    });
}

QStringList row(FixedGrid &g, int r)
{
    QStringList out;
    for (int c = 0; c < g.cols(); ++c)
        out << g.text(r, c);
    return out;
}

} // namespace

class TestPosiGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headings_data();
    void headings();
    void headingMerge();
    void newTable();
    void newCancelled();
    void newAsksAboutChanges_data();
    void newAsksAboutChanges();
    void redisplay_data();
    void redisplay();
    void redisplayNothingShown();
    void axisColours();
    void lineCheck();
    void doubleClickRefusesUnusedAxis();
    void bulkChangeAlwaysShowsAgain();
};

void TestPosiGrid::headings_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QStringList>("row1");
    QTest::newRow("English, mm") << 2 << true
        << QStringList{"No.", "VEL1", "ACC1", "WAY1", "Posi1(mm)", "VEL2", "ACC2", "WAY2", "Posi2(mm)",
                       "VEL3", "ACC3", "WAY3", "Posi3(mm)", "VEL4", "ACC4", "WAY4", "Posi4(mm)",
                       "ITPL", "OUT", "S/M", "COMMENT"};
    QTest::newRow("English, pulses") << 2 << false
        << QStringList{"No.", "VEL1", "ACC1", "WAY1", "Posi1(pls)", "VEL2", "ACC2", "WAY2", "Posi2(pls)",
                       "VEL3", "ACC3", "WAY3", "Posi3(pls)", "VEL4", "ACC4", "WAY4", "Posi4(pls)",
                       "ITPL", "OUT", "S/M", "COMMENT"};
}

void TestPosiGrid::headings()
{
    QFETCH(int, language);
    QFETCH(bool, mm);
    QFETCH(QStringList, row1);
    TestEnv env;
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    gDispMmUnit = mm;
    Window win;
    QCOMPARE(row(win.grid(), 1), row1);
    QCOMPARE(win.grid().text(0, 0), QString());
    QCOMPARE(win.grid().text(0, 1), QStringLiteral("AXIS 1"));
    QCOMPARE(win.grid().text(0, 16), QStringLiteral("AXIS 4"));
    QCOMPARE(win.grid().text(0, 20), QStringLiteral("Common"));
    QCOMPARE(win.grid().rows(), 2);

    // The unit changes only the four Posi headings.
    gDispMmUnit = !mm;
    Change_DispUnit();
    QStringList changed = row1;
    for (int n = 1; n <= 4; ++n)
        changed[4 * n] = QStringLiteral("Posi%1%2").arg(n).arg(mm ? "(pls)" : "(mm)");
    QCOMPARE(row(win.grid(), 1), changed);
}

void TestPosiGrid::headingMerge()
{
    TestEnv env;
    Window win;
    for (int c : {1, 5, 9, 13, 17})
        QCOMPARE(win.grid().mergedSpan(0, c), 4);
    QCOMPARE(win.grid().mergedSpan(1, 1), 1);
    // A designation shown over one axis keeps its own merged cell.
    core::mainform::form()->setAxisHeading(1, QStringLiteral("AXIS 2:************"));
    QCOMPARE(win.grid().text(0, 8), QStringLiteral("AXIS 2:************"));
    QCOMPARE(win.grid().mergedSpan(0, 5), 4);
    QCOMPARE(win.grid().mergedSpan(0, 1), 4);

    // While an operation has the grid locked the headings go on painting (a window it opens
    // would otherwise leave them blank); a heading changed meanwhile merges on unlocking.
    AllCMD_Muko();
    QVERIFY(!win.grid().redraw());
    QVERIFY(!win.grid().body()->updatesEnabled());
    QVERIFY(win.grid().heading()->updatesEnabled());
    core::mainform::form()->setAxisHeading(2, QStringLiteral("AXIS 3:QZ- 28L-100_"));
    AllCMD_Yuko();
    QCOMPARE(win.grid().mergedSpan(0, 9), 4);
    QCOMPARE(win.grid().mergedSpan(0, 5), 4);
}

void TestPosiGrid::newTable()
{
    TestEnv env;
    gDispMmUnit = true;
    Window win;
    gDevSize[1] = QStringLiteral(" 42"); // the load cleared the codes
    gDevSpeed[1] = QStringLiteral("D");
    gPosiFileName = QStringLiteral("old");
    gPosiTable[7][0] = 1234;
    answerRange(QStringLiteral("5"), QStringLiteral("10"));
    win.w->action(QStringLiteral("tbNew"))->trigger();

    FixedGrid &g = win.grid();
    QCOMPARE(g.rows(), 8);
    QCOMPARE(g.text(2, 0), QStringLiteral("5"));
    QCOMPARE(g.text(7, 0), QStringLiteral("10"));
    QCOMPARE(row(g, 3), (QStringList{"6", "30", "3", "0", "  0.000", "30", "2", "0", "  0.000",
                                     "30", "3", "0", "  0.000", "30", "3", "0", "  0.000",
                                     "0", "0", "0", ""}));
    QCOMPARE(gPosiTable[7][0], 0.0);
    QCOMPARE(gPosiFileTable[999][0].toInt(), 30); // every position, not only those shown
    QCOMPARE(gPosiNoDefFrom, 5);
    QCOMPARE(gPosiNoDefTo, 10);
    QVERIFY(!gPosiNewMode);
    QVERIFY(!gDataChanged);
    QCOMPARE(win.w->lblFileName()->text(), LoadResText(213));
    QVERIFY(!g.isHidden());
    QVERIFY(g.scrollBars());
    QCOMPARE(g.row(), 0);
    QVERIFY(!win.w->action(QStringLiteral("mnuEditLineCopy"))->isEnabled());
}

void TestPosiGrid::newCancelled()
{
    TestEnv env;
    Window win;
    gPosiNoDefFrom = 3;
    gPosiNoDefTo = 4;
    gPosiFileTable[3][0] = 55;
    gDataChanged = false;
    AllCMD_Muko();
    answerRange(QString(), QString());
    win.w->mnuFileNew_Click();
    QCOMPARE(gPosiNoDefFrom, 3);
    QCOMPARE(gPosiNoDefTo, 4);
    QCOMPARE(gPosiFileTable[3][0].toInt(), 55);
    QVERIFY(!gSelectCancel);
    QVERIFY(!gPosiNewMode);
    QVERIFY(win.w->action(QStringLiteral("tbOpen"))->isEnabled());
    QVERIFY(win.w->button(QStringLiteral("cmdPosiRead"))->isEnabled());
    QVERIFY(!win.w->button(QStringLiteral("cmdInsertLine"))->isEnabled());
}

void TestPosiGrid::newAsksAboutChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("saveResult"); // -2: no save wired
    QTest::addColumn<bool>("rangeAsked");
    QTest::addColumn<bool>("notDoneMessage");
    QTest::newRow("Cancel") << int(IdCancel) << 0 << false << false;
    QTest::newRow("No") << int(IdNo) << 0 << true << false;
    QTest::newRow("Yes, saved") << int(IdYes) << 0 << true << false;
    QTest::newRow("Yes, save failed") << int(IdYes) << 1 << false << true;
    QTest::newRow("Yes, check found faults") << int(IdYes) << 2 << false << false;
    QTest::newRow("Yes, no save yet") << int(IdYes) << -2 << false << true;
}

void TestPosiGrid::newAsksAboutChanges()
{
    QFETCH(int, answer);
    QFETCH(int, saveResult);
    QFETCH(bool, rangeAsked);
    QFETCH(bool, notDoneMessage);
    TestEnv env;
    Window win;
    if (saveResult != -2)
        core::mainform::setCommand(QStringLiteral("SavePosiFileCheck"), [saveResult] { return saveResult; });
    gDataChanged = true;
    gPosiFileName = QStringLiteral("mine");
    env.dialogs().answer(answer);
    if (notDoneMessage)
        env.dialogs().answer(IdOk);
    bool asked = false;
    if (rangeAsked) {
        whenModalOpens([&asked](QWidget *modal) {
            asked = true;
            qobject_cast<frmSelectPosiNo3 *>(modal)->cmdSelectPosiCancel()->click();
        });
    }
    win.w->mnuFileNew_Click();
    QCOMPARE(asked, rangeAsked);
    QStringList prompts{LoadResText(394)};
    if (notDoneMessage)
        prompts << LoadResText(395);
    QCOMPARE(env.dialogs().prompts(), prompts);
    QVERIFY(gDataChanged);
    QCOMPARE(gPosiFileName, QStringLiteral("mine"));
}

void TestPosiGrid::redisplay_data()
{
    QTest::addColumn<bool>("mm");
    QTest::addColumn<bool>("axis2Unused");
    QTest::addColumn<QStringList>("expected"); // the row of position 11
    QTest::newRow("millimetres") << true << false
        << QStringList{"11", "60", "2", "1", " 12.500", "5", "1", "3", "  0.015",
                       "30", "3", "0", "-45.125", "30", "3", "0", "1234.500",
                       "1", "3", "20", "  two blanks"};
    QTest::newRow("pulses") << false << false
        << QStringList{"11", "60", "2", "1", "2500", "5", "1", "3", "77",
                       "30", "3", "0", "-9025", "30", "3", "0", "246900",
                       "1", "3", "20", "  two blanks"};
    QTest::newRow("unused axis, mm") << true << true
        << QStringList{"11", "60", "2", "1", " 12.500", "30", "3", "0", "  0.000",
                       "30", "3", "0", "-45.125", "30", "3", "0", "1234.500",
                       "1", "3", "20", "  two blanks"};
    QTest::newRow("unused axis, pulses") << false << true
        << QStringList{"11", "60", "2", "1", "2500", "30", "3", "0", "0",
                       "30", "3", "0", "-9025", "30", "3", "0", "246900",
                       "1", "3", "20", "  two blanks"};
}

void TestPosiGrid::redisplay()
{
    QFETCH(bool, mm);
    QFETCH(bool, axis2Unused);
    QFETCH(QStringList, expected);
    TestEnv env;
    gDispMmUnit = mm;
    Window win;
    InitPosiData();
    const QVariant values[20] = {60, QStringLiteral("2"), 1, 0, QStringLiteral("05"), 1, 3, 0,
                                 30, 3, 0, 0, 30, 3, 0, 0, 1, QStringLiteral("3.0"), 20,
                                 QStringLiteral("  two blanks")};
    for (int c = 0; c < 20; ++c)
        gPosiFileTable[11][c] = values[c];
    const double pulses[4] = {2500, 77, -9025, 246900};
    const double mmValues[4] = {12.5, 0.0154, -45.125, 1234.5};
    for (int a = 0; a < 4; ++a) {
        gPosiTable[11][a] = pulses[a];
        gPosiTable[11][a + 4] = mmValues[a];
    }
    gAxisUnused[1] = axis2Unused;
    gPosiNoDefFrom = 10;
    gPosiNoDefTo = 12;
    QzDataHyoji_3();
    QCOMPARE(win.grid().rows(), 5);
    QCOMPARE(row(win.grid(), 3), expected);
    QCOMPARE(win.grid().text(4, 0), QStringLiteral("12"));
    QVERIFY(!win.grid().isHidden());
    QCOMPARE(win.grid().row(), 0);
}

void TestPosiGrid::redisplayNothingShown()
{
    TestEnv env;
    Window win;
    win.grid().setRows(4);
    win.grid().setText(3, 5, QStringLiteral("keep"));
    QzDataHyoji_3();
    DispAxisData();
    QCOMPARE(win.grid().rows(), 4);
    QCOMPARE(win.grid().text(3, 5), QStringLiteral("keep"));
    QVERIFY(!win.grid().isHidden());
}

void TestPosiGrid::axisColours()
{
    TestEnv env;
    Window win;
    InitPosiData();
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 3;
    gAxisUnused[1] = true;
    QzDataHyoji_3();
    FixedGrid &g = win.grid();
    for (int r = 2; r < 5; ++r) {
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(g.background(r, c), positions::posigrid::windowColour());
        for (int c = 5; c <= 8; ++c)
            QCOMPARE(g.background(r, c), QColor(224, 224, 224));
        for (int c = 9; c <= 12; ++c)
            QCOMPARE(g.background(r, c), positions::posigrid::windowColour());
        for (int c = 13; c <= 16; ++c)
            QCOMPARE(g.background(r, c), QColor(255, 255, 192));
    }
    // Headings and the common columns are not the axis display's to colour.
    g.setBackground(3, 18, Qt::red);
    gAxisUnused[1] = false;
    DispAxisData();
    QCOMPARE(g.background(3, 5), QColor(255, 255, 192));
    QCOMPARE(g.background(3, 18), QColor(Qt::red));
    QCOMPARE(g.background(1, 5), QColor());
}

void TestPosiGrid::lineCheck()
{
    TestEnv env;
    Window win;
    env.dialogs().answer(IdOk);
    QCOMPARE(Check_flgdLineNo(), 1);
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({433, 434})});
    win.grid().setRows(3);
    QCOMPARE(Check_flgdLineNo(), 0);
    QCOMPARE(env.dialogs().boxes().size(), 1);
}

void TestPosiGrid::doubleClickRefusesUnusedAxis()
{
    TestEnv env;
    Window win;
    win.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(win.w));
    InitPosiData();
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 2;
    gAxisUnused[2] = true;
    QzDataHyoji_3();
    QTableWidget *body = win.grid().body();
    auto editorOpen = [body] {
        const auto editors = body->viewport()->findChildren<QLineEdit *>();
        for (QLineEdit *e : editors)
            if (e->isVisible())
                return true;
        return false;
    };
    for (int c : {9, 12}) {
        win.grid().setCursor(2, c);
        win.w->flgdData_DblClick();
        QVERIFY2(!editorOpen(), "unused axis");
    }
    win.grid().setCursor(2, 13);
    win.w->flgdData_DblClick();
    QVERIFY(editorOpen());
}

void TestPosiGrid::bulkChangeAlwaysShowsAgain()
{
    TestEnv env;
    Window win;
    try {
        positions::posigrid::BulkChange hidden(win.grid());
        QVERIFY(win.grid().isHidden());
        QVERIFY(!win.grid().scrollBars());
        throw std::runtime_error("early end");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!win.grid().isHidden());
    QVERIFY(win.grid().scrollBars());
}

QTEST_MAIN(TestPosiGrid)
#include "tst_posigrid.moc"
