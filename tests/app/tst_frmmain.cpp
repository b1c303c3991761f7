#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/CommandSwitch.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "app/ToolbarPictures.h"
#include "app/frmMain.h"
#include "app/MainLinkProbe.h"
#include "link/ErrorList.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/WindowHooks.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/ProgramFolder.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "positions/PosiFileCommands.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

using namespace platform;

namespace {

// The window the way a test needs it: a wide screen, so the load asks nothing.
struct Window
{
    Window()
    {
        frmMain::setScreenWidthForLoad(1280);
        w = new frmMain;
    }
    ~Window()
    {
        delete w;
        core::mainform::clearCommands();
        app::setLinkProbe({});
    }
    frmMain *w = nullptr;
};

bool enabled(frmMain *w, const QString &name)
{
    QObject *o = w->control(name);
    if (auto *a = qobject_cast<QAction *>(o))
        return a->isEnabled();
    return qobject_cast<QWidget *>(o)->isEnabled();
}

void runOp(const QString &op)
{
    static const QHash<QString, void (*)()> ops = {
        {QStringLiteral("CMDBTN_Muko"), &CMDBTN_Muko},
        {QStringLiteral("CMDBTN_Yuko"), &CMDBTN_Yuko},
        {QStringLiteral("ToolBar_Muko"), &ToolBar_Muko},
        {QStringLiteral("ToolBar_Yuko"), &ToolBar_Yuko},
        {QStringLiteral("Menyu_Muko"), &Menyu_Muko},
        {QStringLiteral("Menyu_Yuko"), &Menyu_Yuko},
        {QStringLiteral("MenuFunction_Muko"), &MenuFunction_Muko},
        {QStringLiteral("MenuFunction_Yuko"), &MenuFunction_Yuko},
        {QStringLiteral("EditCMD_Muko"), &EditCMD_Muko},
        {QStringLiteral("SetEditCmdState"), &SetEditCmdState},
        {QStringLiteral("AllCMD_Muko"), &AllCMD_Muko},
        {QStringLiteral("AllCMD_Yuko"), &AllCMD_Yuko}};
    QVERIFY2(ops.contains(op), qPrintable(op));
    ops.value(op)();
}

const QStringList kEdit = {
    QStringLiteral("cmdInsertLine"),    QStringLiteral("cmdDeleteLine"),
    QStringLiteral("mnuEditGyoInsert"), QStringLiteral("mnuEditGyoDelete"),
    QStringLiteral("mnuEditLineCopy"),  QStringLiteral("mnuEditCellCopy"),
    QStringLiteral("mnuEditLinePaste"), QStringLiteral("mnuEditCellPaste"),
    QStringLiteral("tbLineCopy"),       QStringLiteral("tbLinePaste"),
    QStringLiteral("tbCellCopy"),       QStringLiteral("tbCellPaste")};

const QStringList kButtons = {
    QStringLiteral("cmdPosiFileOpen"), QStringLiteral("cmdPosiSaveFile"),
    QStringLiteral("cmdPosiLoad"),     QStringLiteral("cmdPosiRead"),
    QStringLiteral("cmdPosiVerify"),   QStringLiteral("cmdOpenIoWin"),
    QStringLiteral("cmdOpenMoveWin"),  QStringLiteral("cmdOpenGrpWindow"),
    QStringLiteral("cmdSqMcrWinOpen"), QStringLiteral("cmdParaHyoji"),
    QStringLiteral("cmdJogTeach"),     QStringLiteral("cmdReset")};

const QStringList kToolbar = {
    QStringLiteral("tbNew"),   QStringLiteral("tbOpen"),     QStringLiteral("tbSave"),
    QStringLiteral("tbPrint"), QStringLiteral("tbRead"),     QStringLiteral("tbLoad"),
    QStringLiteral("tbShogo"), QStringLiteral("tbInputOutput"), QStringLiteral("tbMoveTest"),
    QStringLiteral("tbGroup"), QStringLiteral("tbSqMacro")};

const QStringList kMenus = {
    QStringLiteral("mnuFileNew"),   QStringLiteral("mnuFileOpen"),
    QStringLiteral("mnuFileGetfromCt"), QStringLiteral("mnuFileSave"),
    QStringLiteral("mnuFileSaveAs"), QStringLiteral("mnuFileShogo"),
    QStringLiteral("mnuFileLoadtoCt"), QStringLiteral("mnuFilePageSetup"),
    QStringLiteral("mnuFilePrint"), QStringLiteral("mnuEdit"),
    QStringLiteral("mnuFuncCtversion"), QStringLiteral("mnuFunctionCt"),
    QStringLiteral("mnuView"),      QStringLiteral("mnuSettings")};

const QStringList kEditToolbar = {QStringLiteral("tbLineCopy"), QStringLiteral("tbLinePaste"),
                                  QStringLiteral("tbCellCopy"), QStringLiteral("tbCellPaste")};
const QStringList kPastes = {QStringLiteral("mnuEditLinePaste"), QStringLiteral("tbLinePaste"),
                             QStringLiteral("mnuEditCellPaste"), QStringLiteral("tbCellPaste")};

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enablingTable_data();
    void enablingTable();
    void switchesLeaveTheRestAlone();
    void closing_data();
    void closing();
    void timer1Condition_data();
    void timer1Condition();
    void timer1Tick();
    void toolbarDispatch_data();
    void toolbarDispatch();
    void toolbarLayout();
    void toolbarIconsLookDisabled();
    void toolbarPicturesAreOurOwn();
    void commentColumnInView_data();
    void commentColumnInView();
    void statusPanelsOneFontEach_data();
    void statusPanelsOneFontEach();
    void viewToggles_data();
    void viewToggles();
    void busyRefusesCommandsAndClosing();
    void loadSizesToScreen_data();
    void loadSizesToScreen();
    void hooksReachTheWindow();
    void loadReadsTheErrorList_data();
    void loadReadsTheErrorList();
};

void TestFrmMain::enablingTable_data()
{
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<bool>("clipLine");
    QTest::addColumn<bool>("clipCell");
    QTest::addColumn<QStringList>("off"); // every other switched control is on

    const QStringList none;
    QTest::newRow("after load") << none << false << false << kEdit;
    QTest::newRow("edit state, empty clipboard") << QStringList{"SetEditCmdState"} << false << false << kPastes;
    QTest::newRow("edit state, cells copied") << QStringList{"SetEditCmdState"} << false << true
                                              << QStringList{"mnuEditLinePaste", "tbLinePaste"};
    QTest::newRow("edit state, lines copied") << QStringList{"SetEditCmdState"} << true << true << none;
    QTest::newRow("all off") << QStringList{"SetEditCmdState", "AllCMD_Muko"} << true << true
                             << core::cmdswitch::switchedControls();
    QTest::newRow("no nesting") << QStringList{"SetEditCmdState", "AllCMD_Muko", "AllCMD_Muko", "AllCMD_Yuko"}
                                << true << true << kEdit;
    QTest::newRow("buttons off") << QStringList{"SetEditCmdState", "CMDBTN_Muko"} << true << true
                                 << (kButtons + QStringList{"cmdInsertLine", "cmdDeleteLine"});
    QTest::newRow("buttons back, line buttons stay off")
        << QStringList{"SetEditCmdState", "CMDBTN_Muko", "CMDBTN_Yuko"} << true << true
        << QStringList{"cmdInsertLine", "cmdDeleteLine"};
    QTest::newRow("toolbar off") << QStringList{"SetEditCmdState", "ToolBar_Muko"} << true << true
                                 << (kToolbar + kEditToolbar);
    QTest::newRow("toolbar back, edit buttons stay off")
        << QStringList{"SetEditCmdState", "ToolBar_Muko", "ToolBar_Yuko"} << true << true << kEditToolbar;
    QTest::newRow("menus off") << QStringList{"SetEditCmdState", "Menyu_Muko"} << true << true
                               << (kMenus + QStringList{"mnuEditGyoInsert", "mnuEditGyoDelete"});
    QTest::newRow("menus back, line items stay off")
        << QStringList{"SetEditCmdState", "Menyu_Muko", "Menyu_Yuko"} << true << true
        << QStringList{"mnuEditGyoInsert", "mnuEditGyoDelete"};
    QTest::newRow("function menu off") << QStringList{"SetEditCmdState", "MenuFunction_Muko"} << true << true
                                       << QStringList{"mnuFunctionCt"};
    QTest::newRow("function menu back") << QStringList{"SetEditCmdState", "MenuFunction_Muko", "MenuFunction_Yuko"}
                                        << true << true << none;
    QTest::newRow("edit commands off") << QStringList{"SetEditCmdState", "EditCMD_Muko"} << true << true << kEdit;
}

void TestFrmMain::enablingTable()
{
    QFETCH(QStringList, ops);
    QFETCH(bool, clipLine);
    QFETCH(bool, clipCell);
    QFETCH(QStringList, off);
    TestEnv env;
    Window win;
    gClipLineOk = clipLine;
    gClipCellOk = clipCell;
    for (const QString &op : ops)
        runOp(op);
    for (const QString &name : core::cmdswitch::switchedControls()) {
        QVERIFY2(win.w->control(name), qPrintable(name));
        QVERIFY2(enabled(win.w, name) == !off.contains(name), qPrintable(name));
    }
}

void TestFrmMain::switchesLeaveTheRestAlone()
{
    TestEnv env;
    Window win;
    AllCMD_Muko();
    QVERIFY(!win.w->flgdData()->isEnabled());
    QVERIFY(!win.w->flgdData()->redraw());
    for (const char *name : {"mnuFile", "mnuFileExit", "mnuHelp", "mnuHelpAbout", "cmdChangeDev"})
        QVERIFY2(enabled(win.w, QLatin1String(name)), name);
    for (QAction *a : win.w->tbToolBar()->actions()) {
        if (a->isSeparator())
            QVERIFY(a->isEnabled());
    }
    AllCMD_Yuko();
    QVERIFY(win.w->flgdData()->isEnabled());
    QVERIFY(win.w->flgdData()->redraw());
    QVERIFY(!enabled(win.w, QStringLiteral("cmdInsertLine")));
    // Moving the grid's cursor to a position row brings the edit commands back.
    win.w->flgdData()->setRows(4);
    win.w->flgdData()->body()->setCurrentCell(1, 3);
    QCOMPARE(win.w->flgdData()->row(), 3);
    QVERIFY(enabled(win.w, QStringLiteral("cmdInsertLine")));
    QVERIFY(enabled(win.w, QStringLiteral("tbLineCopy")));
    QVERIFY(!enabled(win.w, QStringLiteral("tbLinePaste")));
}

void TestFrmMain::closing_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("saveResult"); // -2: no Save As wired
    QTest::addColumn<bool>("saveCancelled");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("portClosed");

    QTest::newRow("unchanged, OK") << false << int(IdOk) << 0 << false << true << true;
    QTest::newRow("unchanged, Cancel") << false << int(IdCancel) << 0 << false << false << false;
    QTest::newRow("changed, Yes, saved") << true << int(IdYes) << 0 << false << true << false;
    QTest::newRow("changed, Yes, dialog cancelled") << true << int(IdYes) << 1 << true << false << false;
    QTest::newRow("changed, Yes, save failed") << true << int(IdYes) << 1 << false << false << false;
    QTest::newRow("changed, Yes, no Save As yet") << true << int(IdYes) << -2 << false << false << false;
    QTest::newRow("changed, No") << true << int(IdNo) << 0 << false << true << false;
    QTest::newRow("changed, Cancel") << true << int(IdCancel) << 0 << false << false << false;
}

void TestFrmMain::closing()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(int, saveResult);
    QFETCH(bool, saveCancelled);
    QFETCH(bool, closes);
    QFETCH(bool, portClosed);
    TestEnv env;
    Window win;
    bool closedPort = false;
    app::LinkProbe probe;
    probe.closePort = [&] { closedPort = true; };
    app::setLinkProbe(probe);
    int saves = 0;
    if (saveResult != -2) {
        core::mainform::setCommand(QStringLiteral("mnuFileSaveAs_Click"), [&] {
            ++saves;
            SaveCancelFlag = saveCancelled;
            return saveResult;
        });
    }
    gDataChanged = changed;
    gPortNo = 4;
    env.dialogs().answer(answer);

    QCOMPARE(win.w->close(), closes);
    QCOMPARE(env.dialogs().boxes().size(), 1);
    QCOMPARE(env.dialogs().boxes().first().prompt, LoadResText(changed ? 391 : 390));
    QCOMPARE(win.w->ExitCancelled, !closes);
    QCOMPARE(SaveCancelFlag, false);
    QCOMPARE(closedPort, portClosed);
    QCOMPARE(saves, changed && answer == IdYes && saveResult != -2 ? 1 : 0);
    // The settings are stored at exit, and only then.
    QCOMPARE(SettingsStore::contains(QStringLiteral("PortNo")), closes);
}

void TestFrmMain::timer1Condition_data()
{
    QTest::addColumn<bool>("offline");
    QTest::addColumn<bool>("alarm");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<bool>("exchange");
    QTest::addColumn<bool>("due");
    QTest::newRow("online, message pending") << false << false << true << false << true;
    QTest::newRow("nothing pending") << false << false << false << false << false;
    QTest::newRow("offline") << true << false << true << false << false;
    QTest::newRow("alarm reported") << false << true << true << false << false;
    QTest::newRow("exchange running") << false << false << true << true << false;
}

void TestFrmMain::timer1Condition()
{
    QFETCH(bool, offline);
    QFETCH(bool, alarm);
    QFETCH(bool, pending);
    QFETCH(bool, exchange);
    QFETCH(bool, due);
    QCOMPARE(core::mainform::commModeRetryDue(offline, alarm, pending, exchange), due);
}

void TestFrmMain::timer1Tick()
{
    TestEnv env;
    Window win;
    win.w->Timer1()->stop();
    bool portOpen = true;
    bool pending = true;
    bool exchange = true;
    int commModeResult = 1;
    int sent = 0;
    app::LinkProbe probe;
    probe.portOpen = [&] { return portOpen; };
    probe.alarmNow = [] { return false; };
    probe.eventMsgPending = [&] { return pending; };
    probe.exchangeRunning = [&] { return exchange; };
    probe.commModeOn2 = [&] { ++sent; return commModeResult; };
    probe.clearEventMsg = [&] { pending = false; };
    app::setLinkProbe(probe);
    SetOnlineMode();
    QLabel *port = win.w->lamp(QStringLiteral("imgPortGreen"));

    win.w->Timer1_Timer(); // an exchange runs: nothing is sent
    QVERIFY(!port->isHidden());
    QCOMPARE(sent, 0);
    exchange = false;
    win.w->Timer1_Timer(); // sent, refused: the message stays pending
    QCOMPARE(sent, 1);
    QVERIFY(pending);
    commModeResult = 0;
    win.w->Timer1_Timer(); // taken: the message is cleared
    QCOMPARE(sent, 2);
    QVERIFY(!pending);
    portOpen = false;
    win.w->Timer1_Timer();
    QCOMPARE(sent, 2);
    QVERIFY(port->isHidden());
    QVERIFY(!win.w->statusPanel(4)->text().isEmpty());
}

void TestFrmMain::toolbarDispatch_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("command");
    QTest::newRow("Open") << "Open" << "OpenPosiFile";
    QTest::newRow("Save") << "Save" << "SavePosiFileCheck";
    QTest::newRow("Print") << "Print" << "mnuFilePrint_Click";
    QTest::newRow("Read") << "Read" << "GetPosidataFromCt";
    QTest::newRow("Load") << "Load" << "LoadPosidataToCt";
    QTest::newRow("Shogo") << "Shogo" << "PosiDataCtShogoCmd";
    QTest::newRow("LineCopy") << "LineCopy" << "mnuEditLineCopy_Click";
    QTest::newRow("LinePaste") << "LinePaste" << "mnuEditLinePaste_Click";
    QTest::newRow("CellCopy") << "CellCopy" << "mnuEditCellCopy_Click";
    QTest::newRow("CellPaste") << "CellPaste" << "mnuEditCellPaste_Click";
    QTest::newRow("InputOutput") << "InputOutput" << "ShowIoWindow";
    QTest::newRow("MoveTest") << "MoveTest" << "ShowMoveWindow";
    QTest::newRow("Group") << "Group" << "ShowGrpWindow";
    QTest::newRow("SqMacro") << "SqMacro" << "ShowSqMcrWindow";
    QTest::newRow("separator") << "" << "";
    QTest::newRow("unknown key") << "Nothing" << "";
}

void TestFrmMain::toolbarDispatch()
{
    QFETCH(QString, key);
    QFETCH(QString, command);
    TestEnv env;
    Window win;
    QStringList ran;
    for (const char *name : {"OpenPosiFile", "SavePosiFileCheck", "mnuFilePrint_Click",
                                "GetPosidataFromCt", "LoadPosidataToCt", "PosiDataCtShogoCmd",
                                "mnuEditLineCopy_Click", "mnuEditLinePaste_Click",
                                "mnuEditCellCopy_Click", "mnuEditCellPaste_Click", "ShowIoWindow",
                                "ShowMoveWindow", "ShowGrpWindow", "ShowSqMcrWindow"})
        core::mainform::setCommand(QLatin1String(name), [&ran, name] { ran << QLatin1String(name); return 0; });
    gClipLineOk = gClipCellOk = true;
    SetEditCmdState();
    if (QAction *a = win.w->action(QStringLiteral("tb") + key); a && !key.isEmpty()) {
        a->trigger(); // the button itself
        QCOMPARE(ran, QStringList{command});
        ran.clear();
    }
    win.w->tbToolBar_ButtonClick(key);
    QCOMPARE(ran, command.isEmpty() ? QStringList() : QStringList{command});
}

void TestFrmMain::toolbarLayout()
{
    TestEnv env;
    Window win;
    const QList<QAction *> all = win.w->tbToolBar()->actions();
    QStringList keys;
    for (int i = 0; i < 22; ++i) {
        QAction *a = all.at(i);
        keys << (a->isSeparator() ? QString() : a->property("Key").toString());
        // An icon-only button is named by its text.
        QVERIFY(a->isSeparator() || !a->text().isEmpty());
    }
    QCOMPARE(keys, core::cmdswitch::toolbarKeys());
    QCOMPARE(win.w->action(QStringLiteral("tbNew"))->toolTip(), LoadResText(300));
}

namespace {

// How far an icon stands out from a light toolbar: each pixel's darkness and colour, weighted
// by its opacity.
double standOut(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            sum += c.alphaF() * ((255 - c.lightness()) + c.hsvSaturation()) / 510.0;
        }
    }
    return sum;
}

} // namespace

void TestFrmMain::toolbarIconsLookDisabled()
{
    TestEnv env;
    Window win;
    QHash<QString, QImage> shown;
    for (QAction *a : win.w->tbToolBar()->actions()) {
        const QString key = a->property("Key").toString();
        if (a->isSeparator() || key.isEmpty())
            continue;
        const QImage on = a->icon().pixmap(QSize(20, 20), QIcon::Normal).toImage();
        const QImage off = a->icon().pixmap(QSize(20, 20), QIcon::Disabled).toImage();
        // Off must be visibly fainter than on, also for icons that are grey to begin with.
        QVERIFY2(standOut(off) < 0.6 * standOut(on), qPrintable(key));
        shown.insert(key, on);
    }
    // Line and cell, copy and paste are four different pictures.
    const QStringList edit = {QStringLiteral("LineCopy"), QStringLiteral("LinePaste"),
                              QStringLiteral("CellCopy"), QStringLiteral("CellPaste")};
    for (int i = 0; i < edit.size(); ++i)
        for (int j = i + 1; j < edit.size(); ++j)
            QVERIFY2(shown.value(edit[i]) != shown.value(edit[j]), qPrintable(edit[i] + edit[j]));

    // And the button itself follows its action.
    AllCMD_Muko();
    for (const QString &key : edit)
        QVERIFY(!win.w->tbToolBar()->widgetForAction(win.w->action(QStringLiteral("tb") + key))->isEnabled());
}

void TestFrmMain::viewToggles_data()
{
    QTest::addColumn<QString>("clicks"); // T toolbar, S status bar
    QTest::addColumn<bool>("toolBar");
    QTest::addColumn<bool>("statusBar");
    QTest::newRow("status bar off") << "S" << true << false;
    QTest::newRow("toolbar off") << "T" << false << true;
    QTest::newRow("both off") << "TS" << false << false;
    QTest::newRow("both off and on again") << "TSST" << true << true;
    QTest::newRow("toolbar twice") << "TT" << true << true;
}

void TestFrmMain::viewToggles()
{
    QFETCH(QString, clicks);
    QFETCH(bool, toolBar);
    QFETCH(bool, statusBar);
    TestEnv env;
    Window win;
    win.w->show();
    for (QChar c : clicks) {
        SetEditCmdState();
        win.w->action(c == QLatin1Char('T') ? QStringLiteral("mnuViewToolBar")
                                            : QStringLiteral("mnuViewStatusBar"))->trigger();
        QVERIFY(!enabled(win.w, QStringLiteral("cmdInsertLine"))); // the edit commands go off
    }
    QCOMPARE(win.w->tbToolBar()->isVisible(), toolBar);
    QCOMPARE(win.w->statusBar()->isVisible(), statusBar);
    QCOMPARE(win.w->action(QStringLiteral("mnuViewToolBar"))->isChecked(), toolBar);
    QCOMPARE(win.w->action(QStringLiteral("mnuViewStatusBar"))->isChecked(), statusBar);
    // The logo shows in exactly one place.
    QCOMPARE(win.w->picture(1)->isVisible(), toolBar);
    QCOMPARE(win.w->picture(2)->isVisible(), !toolBar);
}

void TestFrmMain::busyRefusesCommandsAndClosing()
{
    TestEnv env;
    Window win;
    int ran = 0;
    core::mainform::setCommand(QStringLiteral("OpenPosiFile"), [&] { ++ran; return 0; });
    {
        BusyGuard outer;
        {
            BusyGuard inner;
        }
        QVERIFY(commandRefused());
        win.w->action(QStringLiteral("tbOpen"))->trigger();
        win.w->button(QStringLiteral("cmdPosiFileOpen"))->click();
        win.w->action(QStringLiteral("mnuFileOpen"))->trigger();
        QCOMPARE(ran, 0);
        QVERIFY(!win.w->close()); // refused without a question
        QVERIFY(env.dialogs().boxes().isEmpty());
    }
    QVERIFY(!commandRefused());
    win.w->action(QStringLiteral("tbOpen"))->trigger();
    win.w->button(QStringLiteral("cmdPosiFileOpen"))->click();
    win.w->action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(ran, 3);
}

void TestFrmMain::toolbarPicturesAreOurOwn()
{
    // A desktop theme that offers pictures under the usual names changes nothing.
    QIcon::setThemeName(QStringLiteral("hicolor"));
    TestEnv env;
    Window win;
    QHash<QString, QImage> shown;
    for (QAction *a : win.w->tbToolBar()->actions()) {
        const QString key = a->property("Key").toString();
        if (a->isSeparator() || key.isEmpty())
            continue;
        const QImage on = a->icon().pixmap(QSize(20, 20), QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(on == app::toolbarpics::picture(key, 20).toImage().convertToFormat(QImage::Format_ARGB32), qPrintable(key));
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            QVERIFY2(it.value() != on, qPrintable(key + QStringLiteral(" looks like ") + it.key()));
        shown.insert(key, on);
    }
    QCOMPARE(shown.size(), 15);
}

void TestFrmMain::commentColumnInView_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("English") << 10000;
    QTest::newRow("Japanese") << 0;
}

void TestFrmMain::commentColumnInView()
{
    QFETCH(int, offset);
    TestEnv env;
    gLangOffset = offset;
    frmMain::setScreenWidthForLoad(1024);
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(1024, 717));
    platform::FixedGrid *grid = w.flgdData();
    int total = 0;
    for (int c = 0; c < positions::posigrid::kGridCols; ++c)
        total += grid->columnWidth(c);
    // At the start size every column, the comment column and its heading included, is in view.
    QVERIFY2(total <= grid->viewportWidth(), qPrintable(QStringLiteral("%1 in %2").arg(total).arg(grid->viewportWidth())));
    // And the comment column takes the whole room the others leave.
    QCOMPARE(total, grid->viewportWidth());
    QFont f = grid->font();
    f.setPointSize(8);
    QVERIFY(grid->columnWidth(positions::posigrid::kCommentCol) >= QFontMetrics(f).horizontalAdvance(grid->text(1, positions::posigrid::kCommentCol)));
    QCOMPARE(grid->text(1, positions::posigrid::kCommentCol), LoadResText(234));
    // A wider window gives the room to the comment column.
    const int before = grid->columnWidth(positions::posigrid::kCommentCol);
    w.resize(1200, 717);
    QTRY_VERIFY(grid->columnWidth(positions::posigrid::kCommentCol) >= before + 176);
}

void TestFrmMain::statusPanelsOneFontEach_data()
{
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<QString>("panel3");
    QTest::newRow("English") << "<1>1mm = 200Pulse" << "<1>1Pulse= 0.005mm";
    QTest::newRow("Japanese") << "<1>1mm = 200ﾊﾟﾙｽ" << "<1>1ﾊﾟﾙｽ= 0.005mm";
}

void TestFrmMain::statusPanelsOneFontEach()
{
    QFETCH(QString, panel2);
    QFETCH(QString, panel3);
    TestEnv env;
    Window win;
    link::showStatusPanel(2, panel2);
    link::showStatusPanel(3, panel3);
    QLabel *p2 = win.w->statusPanel(2);
    QLabel *p3 = win.w->statusPanel(3);
    QCOMPARE(p2->text(), panel2);
    QCOMPARE(p3->text(), panel3);
    QCOMPARE(p2->textFormat(), Qt::PlainText);
    // The two panels side by side: one font, and each draws its whole text without help.
    QCOMPARE(p3->font(), p2->font());
    for (QLabel *p : {p2, p3}) {
        const QFontMetrics metrics(p->font());
        for (const QChar c : p->text())
            QVERIFY2(c.isSpace() || metrics.inFont(c), qPrintable(p->text()));
    }
}

void TestFrmMain::loadSizesToScreen_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("warned");
    QTest::newRow("800 pixels") << 800 << true;
    QTest::newRow("801 pixels") << 801 << false;
}

void TestFrmMain::loadSizesToScreen()
{
    QFETCH(int, screen);
    QFETCH(bool, warned);
    TestEnv env;
    if (warned)
        env.dialogs().answer(IdOk);
    frmMain::setScreenWidthForLoad(screen);
    frmMain w;
    QCOMPARE(env.dialogs().prompts(), warned ? QStringList{ResLines({435, 436})} : QStringList());
    QCOMPARE(bool(w.windowState() & Qt::WindowMaximized), warned);
    if (!warned)
        QCOMPARE(w.size(), QSize(1024, 717));
    // Maximized on a narrow screen it takes the screen's width; not maximized it snaps back to
    // 12400 twips.
    const int snapWidth = platform::twipsToPixels(&w, 12400);
    QCOMPARE(w.minimumWidth(), warned ? 0 : snapWidth);
    w.setWindowState(Qt::WindowNoState);
    QCOMPARE(w.minimumWidth(), snapWidth);
    QCOMPARE(w.windowTitle(), QStringLiteral("QZ-W4 Ver1.00E"));
    QCOMPARE(w.lblFileName()->text(), LoadResText(213));
    QCOMPARE(gPosiNoDefFrom + gPosiNoDefTo + gPosiNoFrom + gPosiNoTo, 0);
}

void TestFrmMain::hooksReachTheWindow()
{
    TestEnv env;
    Window win;
    SetOfflineMode();
    QVERIFY(win.w->lamp(QStringLiteral("imgGreenLedOnline"))->isHidden());
    SetOnlineMode();
    QVERIFY(!win.w->lamp(QStringLiteral("imgGreenLedOnline"))->isHidden());
    MainFormPort *port = core::mainform::form();
    QCOMPARE(port, static_cast<MainFormPort *>(win.w));
    link::showHomeLamp(true);
    QVERIFY(!win.w->lamp(QStringLiteral("imgHomeGreen"))->isHidden());
    link::showStatusPanel(1, QStringLiteral("Ver 1.23"));
    QCOMPARE(win.w->statusPanel(1)->text(), QStringLiteral("Ver 1.23"));
    link::setAlarmPanel({true, QStringLiteral("5"), QStringLiteral("Over load")});
    QVERIFY(!win.w->lamp(QStringLiteral("imgAlarmLed"))->isHidden());
    QCOMPARE(win.w->findChild<QLabel *>(QStringLiteral("lblErrorComment"))->text(), QStringLiteral("Over load"));
    AllCMD_Muko();
    link::enableMainCommands();
    QVERIFY(win.w->button(QStringLiteral("cmdPosiRead"))->isEnabled());
    QVERIFY(win.w->action(QStringLiteral("tbRead"))->isEnabled());
    QVERIFY(win.w->action(QStringLiteral("mnuFileNew"))->isEnabled());
    QVERIFY(!win.w->button(QStringLiteral("cmdInsertLine"))->isEnabled());
    port->setDeviceLabel(2, QStringLiteral("QZ- 28L- 50E_"));
    QCOMPARE(port->deviceLabel(2), QStringLiteral("QZ- 28L- 50E_"));
}

void TestFrmMain::loadReadsTheErrorList_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("beside the program") << true;
    QTest::newRow("missing") << false;
}

void TestFrmMain::loadReadsTheErrorList()
{
    QFETCH(bool, present);
    TestEnv env;
    if (!present) {
        platform::setProgramFolder(env.tempPath(QStringLiteral("nowhere")));
        env.dialogs().answer(IdOk);
    }
    Window win;
    QCOMPARE(gErrorListMissing, !present);
    QVERIFY(gErrorListPath.endsWith(LoadResText(120)));
    if (present)
        QVERIFY(gErrorListCount > 0);
    else
        QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({30, 31})});
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
