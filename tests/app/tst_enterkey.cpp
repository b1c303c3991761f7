// Every key that presses a button (Return, keypad Enter, Space, Escape) in every window of the
// program against the simulated controller, as the window opens and after a box of its own:
// what it does, which control has the focus, and that it never starts a write to the
// controller, a move or a change of outputs or mode. A window's default button is a button
// Enter clicks from anywhere in the window; Space presses the focused one. The operator aims at
// a button that acts with the mouse or Tab.
#include "tables/DevSetting.h"
#include "actuators/frmDevice3.h"
#include "app/MainLinkProbe.h"
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/Exchange.h"
#include "operation/AlarmReset.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "operation/frmMove.h"
#include "platform/SettingsStore.h"
#include "support/AllWindows.h"
#include "support/SimFixture.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {
struct KeyPress;
}

class TestEnterKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void tableHoldsEveryWindow();
    void keyInEveryWindow_data();
    void keyInEveryWindow();
    void keyAfterTheWindowsBox_data();
    void keyAfterTheWindowsBox();

private:
    // The main window, then the window named (the main window's own entry: it again), shown
    // and active, against the controller: m_main and m_w. The rows share one main window, as
    // the program has one; the main window's own rows get a new one. A shared main window has
    // lost to the fixture's reset the hooks the link and the actuator names call it by: its
    // rows assert that nothing reaches the link, and its names stand as the first row set them.
    void open(const QString &window);
    // The key to the control of w that has the focus, then the ticks that would send what it
    // asked for.
    void pressKey(QWidget *w, const KeyPress &key);
    SimFixture m_sim;
    std::unique_ptr<frmMain> m_main;
    QPointer<QWidget> m_w;
    QPointer<QWidget> m_made;  // what the row made beside the main window: m_w or its owner
    bool m_mainKeyed = false;  // a key went to the main window
    QString m_mainFocus;       // the main window's first focus
};

namespace {

// What Enter did to the window.
QString outcomeOf(QWidget *w)
{
    if (!w)
        return QStringLiteral("gone");
    if (auto *dialog = qobject_cast<QDialog *>(w)) {
        if (!dialog->isVisible())
            return dialog->result() == QDialog::Accepted ? QStringLiteral("accepted") : QStringLiteral("rejected");
    }
    return w->isVisible() ? QStringLiteral("stays") : QStringLiteral("closed");
}

// The window classes of the program, read from its sources.
QSet<QString> windowClassesInSources()
{
    QSet<QString> names;
    static const QRegularExpression declaration(QStringLiteral("\\bclass\\s+(frm\\w+)\\s*:\\s*public\\b"));
    QDirIterator it(QStringLiteral(QZ_SOURCE_DIR), {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch &m : declaration.globalMatch(text))
            names.insert(m.captured(1));
    }
    return names;
}

} // namespace

void TestEnterKey::initTestCase()
{
    m_sim.startOrFail();
}

void TestEnterKey::cleanupTestCase()
{
    m_main.reset();
}

void TestEnterKey::init()
{
    TestEnv::resetAll();
    m_sim.reset();
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(false); // a start that moved would be seen: the home return
}

// What the row made goes with it. The main window serves the next row unless a key went to
// it or the row failed: either may have left it in another state than at its opening.
void TestEnterKey::cleanup()
{
    if (m_made && m_made != m_main.get()) {
        m_made->hide();
        delete m_made.data();
    }
    if (m_mainKeyed || QTest::currentTestFailed())
        m_main.reset();
    m_mainKeyed = false;
    core::mainform::clearCommands();
    app::setLinkProbe({});
}

namespace {

// What each key pressed right after a window opened does, with the control that has the first
// focus (empty: none; the keys go to the window).
struct WindowKeys
{
    const char *window;
    const char *first;
    const char *outcome[4]; // Return, keypad Enter, Space, Escape
};

const QList<WindowKeys> &windowKeys()
{
    static const QList<WindowKeys> table = {
        {"frmMain", "flgdData", {"stays", "stays", "stays", "stays"}},
        {"frmSplash", "", {"stays", "stays", "stays", "stays"}},
        {"frmSelection", "cmdSelectOk", {"accepted", "accepted", "accepted", "stays"}}, // online or offline, nothing sent yet
        {"frmAbout", "", {"accepted", "accepted", "accepted", "rejected"}},
        {"frmOptions2", "qt_tabwidget_tabbar", {"stays", "stays", "stays", "rejected"}},
        {"frmParameta2", "txtHomeOffset_0", {"stays", "stays", "stays", "stays"}},
        {"frmDevice", "txtStrokeTyo", {"stays", "stays", "stays", "rejected"}},
        {"frmGrp", "txtGrpStartNo_0", {"stays", "stays", "stays", "stays"}},
        {"frmSqMcr", "comboMerei_0", {"stays", "stays", "stays", "stays"}},
        {"frmDevice2", "cmdDeviceSet", {"accepted", "accepted", "accepted", "rejected"}}, // the actuators kept on the PC
        {"frmDevice3", "cmdDeviceCancel", {"stays", "stays", "rejected", "rejected"}}, // never Change and Write
        {"frmTrance", "", {"stays", "stays", "stays", "stays"}},
        {"frmProcessing", "", {"stays", "stays", "stays", "stays"}},
        {"frmMove", "flgdProgram", {"stays", "stays", "stays", "stays"}},
        {"frmJOG", "flgdJOGPosi", {"stays", "stays", "stays", "rejected"}}, // never Start (its home return moves)
        {"frmIOCheck", "cmdIoWinClose", {"stays", "stays", "rejected", "rejected"}}, // never Start Monitor, no mode ticked
        {"frmDataShogo", "cmdFileDataShogo", {"accepted", "accepted", "accepted", "rejected"}}, // a choice inside a verification
        {"frmPrintSelect", "optPrintPosi0", {"stays", "stays", "stays", "rejected"}},
        {"frmSelectPosiNo2", "optSelectPosiNo0", {"accepted", "accepted", "stays", "rejected"}}, // an operation's range;
        {"frmSelectPosiNo3", "txtStartPosiNo", {"stays", "stays", "stays", "rejected"}},          // a write asks before it sends
        {"frmSelectPosiNo4", "cmdSelectPosiOk", {"accepted", "accepted", "accepted", "rejected"}},
        {"frmSyogoKekka", "", {"accepted", "accepted", "stays", "rejected"}},
    };
    return table;
}

struct KeyPress
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const KeyPress kKeys[4] = {{"Return", Qt::Key_Return, Qt::NoModifier},
                           {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
                           {"Space", Qt::Key_Space, Qt::NoModifier},
                           {"Escape", Qt::Key_Escape, Qt::NoModifier}};

// Every tick box and option of the window with its state: a key the operator did not aim at one
// changes none (the next command would send what it chose).
QStringList choices(const QWidget *w)
{
    QStringList out;
    if (!w)
        return out;
    for (const QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
        if (b->isCheckable())
            out << b->objectName() + QLatin1Char('=') + QString::number(b->isChecked());
    }
    return out;
}

QString focusName(QWidget *window)
{
    QWidget *focus = window ? window->focusWidget() : nullptr;
    if (!focus)
        return QString();
    // A grid's rows are its body, a view of its own.
    if (!focus->objectName().isEmpty())
        return focus->objectName();
    for (QWidget *p = focus->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (!p->objectName().isEmpty())
            return p->objectName();
    }
    return QString();
}

// The windows' own timers, which send what a button asked for.
void tick(QWidget *w)
{
    QCoreApplication::processEvents();
    if (auto *io = qobject_cast<frmIOCheck *>(w))
        io->timerInputOutput1_Timer();
    if (auto *jog = qobject_cast<frmJOG *>(w))
        jog->timerTusin_Timer();
    if (auto *move = qobject_cast<frmMove *>(w))
        move->runner().timerEventCheck_Timer();
}

} // namespace

void TestEnterKey::pressKey(QWidget *w, const KeyPress &key)
{
    m_mainKeyed = m_mainKeyed || w == m_main.get();
    QWidget *receiver = QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())
                            ? QApplication::focusWidget()
                            : w;
    sendX11Key(receiver, key.key, key.modifiers);
    tick(w);
}

// A window class added to the program gets its rows in the tables below.
void TestEnterKey::tableHoldsEveryWindow()
{
    QSet<QString> listed;
    for (const ProgramWindow &w : programWindows())
        listed.insert(QLatin1String(w.name));
    const QSet<QString> inSources = windowClassesInSources();
    QVERIFY(inSources.size() >= 20);
    QCOMPARE(listed, inSources);
    QSet<QString> keyed;
    for (const WindowKeys &w : windowKeys())
        keyed.insert(QLatin1String(w.window));
    QCOMPARE(keyed, inSources);
}

void TestEnterKey::keyInEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");   // the control the key goes to; empty: as the window opened
    QTest::addColumn<QString>("first");   // the window's first focus
    QTest::addColumn<QString>("outcome"); // stays, accepted, rejected, closed

    for (const WindowKeys &w : windowKeys()) {
        for (int k = 0; k < 4; ++k)
            QTest::addRow("%s, %s", w.window, kKeys[k].name) << w.window << k << "" << w.first << w.outcome[k];
    }
    // Enter taking a pick in a list or a tick is no click on a write either.
    const auto on = [](const char *window, const char *focus) {
        for (int k = 0; k < 2; ++k)
            QTest::addRow("%s, %s on %s", window, kKeys[k].name, focus) << window << k << focus << "" << "stays";
    };
    on("frmDevice3", "comboDeviceStroke0");
    on("frmDevice3", "chkDevPgUse0");
    on("frmIOCheck", "chkIgnore");
}

void TestEnterKey::keyInEveryWindow()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(QString, first);
    QFETCH(QString, outcome);

    open(window);
    if (QTest::currentTestFailed())
        return;
    QPointer<QWidget> &w = m_w;
    QWidget *made = w;
    if (focus.isEmpty()) {
        QCOMPARE(focusName(w), first);
    } else {
        auto *target = w->findChild<QWidget *>(focus);
        QVERIFY2(target, qPrintable(focus));
        target->setFocus(Qt::OtherFocusReason);
    }
    // The buttons that would start a write, a move or a change of outputs are ready: it is
    // the key that must not click them.
    if (auto *device = qobject_cast<frmDevice3 *>(made))
        QVERIFY(device->cmdPrmCtWrite()->isEnabled());
    if (window == QLatin1String("frmJOG"))
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdJOGST"))->isEnabled());
    if (window == QLatin1String("frmIOCheck"))
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdIoMonitor"))->isEnabled());
    m_sim.controller().clearReceived();
    const qsizetype boxesBefore = m_sim.dialogs().boxes().size();
    const QStringList chosen = choices(w);

    pressKey(w, kKeys[key]);

    QCOMPARE(outcomeOf(w), outcome);
    QCOMPARE(choices(w), w ? chosen : QStringList());
    QVERIFY2(m_sim.received().isEmpty(), qPrintable(m_sim.received().join(' ')));
    QCOMPARE(m_sim.dialogs().boxes().size(), boxesBefore);
}

void TestEnterKey::open(const QString &window)
{
    app::startup::resetAxesForStart();
    if (!m_main || window == QLatin1String("frmMain")) {
        m_main.reset(); // first: a main window's end unhooks what the next one hooks
        frmMain::setScreenWidthForLoad(1280);
        m_main = std::make_unique<frmMain>();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_mainFocus = focusName(m_main.get());
    }
    // A shared main window as it opened: the rows before only opened windows beside it.
    QCOMPARE(focusName(m_main.get()), m_mainFocus);
    QCOMPARE(useStoredActuatorsOffline(), 0);
    gOfflineMode = false;

    for (const ProgramWindow &made : programWindows()) {
        if (QLatin1String(made.name) == window)
            m_w = made.make(m_main.get());
    }
    QVERIFY(m_w);
    // The window, or the window that owns it (the stroke calculator's parameter window).
    m_made = m_w;
    while (m_made->parentWidget() && m_made->parentWidget() != m_main.get())
        m_made = m_made->parentWidget();
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w));
    QApplication::setActiveWindow(m_w);
}

void TestEnterKey::keyAfterTheWindowsBox_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button"); // clicked with the mouse
    QTest::addColumn<bool>("portGone");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("outcome");

    const QString portGone = QStringLiteral("(the port's failure)"); // named once it is gone
    const struct
    {
        const char *window;
        const char *button;
        bool portGone;
        QList<int> answers;
        QStringList boxes;
        const char *outcome; // every key's; null: as when the window opened
    } clicks[] = {
        {"frmMain", "cmdReset", true, {platform::IdOk}, {portGone}, nullptr},
        {"frmParameta2", "cmdParaWrite", false, {platform::IdYes, platform::IdOk}, {LoadResText(470), ResLines({7, 8})}, nullptr},
        {"frmParameta2", "cmdParaWrite", false, {platform::IdNo}, {LoadResText(470)}, nullptr},
        {"frmGrp", "cmdWriteGrp", false, {platform::IdOk}, {ResLines({820, 836, 837, 838})}, nullptr},
        {"frmSqMcr", "cmdWriteSMtoCt", true, {platform::IdYes, platform::IdOk}, {LoadResText(937), portGone}, nullptr},
        // Change and Write ends the window whatever its outcome: the key goes to the main window.
        {"frmDevice3", "cmdPrmCtWrite", true, {platform::IdOk}, {portGone}, "accepted"},
        {"frmMove", "cmdMove", true, {platform::IdOk}, {portGone}, nullptr},
        {"frmJOG", "cmdJOGST", true, {platform::IdOk}, {portGone}, nullptr},
        {"frmIOCheck", "cmdIoMonitor", true, {platform::IdOk}, {portGone}, nullptr},
    };
    for (const auto &c : clicks) {
        for (const WindowKeys &w : windowKeys()) {
            if (qstrcmp(w.window, c.window) != 0)
                continue;
            for (int k = 0; k < 4; ++k) {
                QTest::addRow("%s, %s%s, %s", c.window, c.button, c.portGone ? " without a port" : "", kKeys[k].name)
                    << c.window << c.button << c.portGone << c.answers << c.boxes << k << w.first
                    << (c.outcome ? c.outcome : w.outcome[k]);
            }
        }
    }
}

// The operator clicks a button that acts and answers the box it shows. No key then finds that
// button, or another that acts, focused.
void TestEnterKey::keyAfterTheWindowsBox()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(bool, portGone);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(int, key);
    QFETCH(QString, first);
    QFETCH(QString, outcome);

    operation::registerAlarmReset();
    // The click talks to the link, whose hooks the fixture's reset took from a shared main
    // window: a new one hooks them again.
    m_main.reset();
    open(window);
    if (QTest::currentTestFailed())
        return;
    const std::unique_ptr<frmMain> &main = m_main;
    QPointer<QWidget> &w = m_w;
    if (auto *tabs = w->findChild<QTabWidget *>(QStringLiteral("SSTabPrm")))
        tabs->setCurrentIndex(1); // the controller's commands
    auto *clicked = w->findChild<QAbstractButton *>(button);
    QVERIFY2(clicked && clicked->isVisible() && clicked->isEnabled(), qPrintable(button));

    if (portGone)
        m_sim.useMissingDevice();
    for (int answer : answers)
        m_sim.dialogs().answer(answer);
    QTest::mouseClick(clicked, Qt::LeftButton);
    tick(w);
    boxes.replaceInStrings(QStringLiteral("(the port's failure)"), link::portOpenFailureText());
    m_sim.useSimulator();
    QCOMPARE(m_sim.prompts(), boxes);
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    QCOMPARE(focusName(w), first);
    m_sim.controller().clearReceived();
    const QStringList chosen = choices(w);

    pressKey(w->isVisible() ? w.data() : main.get(), kKeys[key]);

    QCOMPARE(outcomeOf(w), outcome);
    QCOMPARE(choices(w), w ? chosen : QStringList());
    QVERIFY2(m_sim.received().isEmpty(), qPrintable(m_sim.received().join(' ')));
    QCOMPARE(m_sim.prompts(), boxes);
}

QTEST_MAIN(TestEnterKey)
#include "tst_enterkey.moc"
