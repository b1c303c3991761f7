// Enter in every window of the program against the simulated controller: what it does, and
// that it never starts a write to the controller, a move or a change of outputs. A window's
// default button is a button Enter clicks from anywhere in the window (a list, a check box);
// the operator aims at a button with the mouse or Space.
#include "tables/DevSetting.h"
#include "actuators/frmDevice3.h"
#include "app/MainLinkProbe.h"
#include "app/StartOffline.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "link/LinkState.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
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
#include <QtTest>
#include <memory>

class TestEnterKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void tableHoldsEveryWindow();
    void enterInEveryWindow_data();
    void enterInEveryWindow();

private:
    SimFixture m_sim;
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

void TestEnterKey::init()
{
    TestEnv::resetAll();
    m_sim.reset();
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(false); // a start that moved would be seen: the home return
}

void TestEnterKey::cleanup()
{
    mainform::clearCommands();
    mainform::setLinkProbe({});
}

// A window class added to the program gets its row in the table below.
void TestEnterKey::tableHoldsEveryWindow()
{
    QSet<QString> listed;
    for (const ProgramWindow &w : programWindows())
        listed.insert(QLatin1String(w.name));
    const QSet<QString> inSources = windowClassesInSources();
    QVERIFY(inSources.size() >= 20);
    QCOMPARE(listed, inSources);
}

void TestEnterKey::enterInEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");   // the control Enter goes to; empty: as the window opened
    QTest::addColumn<QString>("outcome"); // stays, accepted, rejected, closed

    const auto row = [](const char *window, const char *focus, const char *outcome) {
        QTest::addRow("%s%s%s", window, *focus ? ", on " : "", focus) << window << focus << outcome;
    };
    row("frmMain", "", "stays");
    row("frmSplash", "", "stays");
    row("frmSelection", "", "accepted");    // the choice of online or offline, nothing sent yet
    row("frmAbout", "", "accepted");
    row("frmOptions2", "", "stays");
    row("frmParameta2", "", "stays");
    row("frmDevice", "", "stays");
    row("frmGrp", "", "stays");
    row("frmSqMcr", "", "stays");
    row("frmDevice2", "", "accepted");      // the actuators kept on the PC
    row("frmDevice3", "", "stays");         // never Change and Write nor Detail Edit
    row("frmDevice3", "comboDeviceStroke0", "stays");
    row("frmDevice3", "chkDevPgUse0", "stays");
    row("frmTrance", "", "stays");
    row("frmProcessing", "", "stays");
    row("frmMove", "", "stays");
    row("frmJOG", "", "stays");             // never Start (its home return moves)
    row("frmIOCheck", "", "stays");         // never Start Monitor (its "0CM01")
    row("frmIOCheck", "chkIgnore", "stays");
    row("frmDataShogo", "", "accepted");    // a choice inside a verification, which only reads
    row("frmPrintSelect", "", "stays");
    row("frmSelectPosiNo2", "", "accepted"); // the range of an operation the operator started;
    row("frmSelectPosiNo3", "", "stays");    // a write asks before it sends
    row("frmSelectPosiNo4", "", "accepted");
    row("frmSyogoKekka", "", "accepted");
}

void TestEnterKey::enterInEveryWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, focus);
    QFETCH(QString, outcome);

    startup::resetAxesForStart();
    frmMain::setScreenWidthForLoad(1280);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(useStoredActuatorsOffline(), 0);
    gOfflineMode = false;

    QWidget *made = nullptr;
    for (const ProgramWindow &w : programWindows()) {
        if (QLatin1String(w.name) == window)
            made = w.make(main.get());
    }
    QVERIFY(made);
    QPointer<QWidget> w(made);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QApplication::setActiveWindow(w);
    if (!focus.isEmpty()) {
        auto *target = w->findChild<QWidget *>(focus);
        QVERIFY2(target, qPrintable(focus));
        target->setFocus(Qt::OtherFocusReason);
    }
    // The buttons that would start a write, a move or a change of outputs are ready: it is
    // Enter that must not click them.
    if (auto *device = qobject_cast<frmDevice3 *>(made))
        QVERIFY(device->cmdPrmCtWrite()->isEnabled());
    if (window == QLatin1String("frmJOG"))
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdJOGST"))->isEnabled());
    if (window == QLatin1String("frmIOCheck"))
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdIoMonitor"))->isEnabled());
    m_sim.controller().clearReceived();
    const qsizetype boxesBefore = m_sim.dialogs().boxes().size();

    QWidget *receiver = QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())
                            ? QApplication::focusWidget()
                            : w.data();
    if (!focus.isEmpty())
        QCOMPARE(receiver->objectName(), focus);
    sendX11Key(receiver, Qt::Key_Return);
    QCoreApplication::processEvents();
    // The windows' own timers would send what Enter asked for.
    if (auto *io = qobject_cast<frmIOCheck *>(w))
        io->timerInputOutput1_Timer();
    if (auto *jog = qobject_cast<frmJOG *>(w))
        jog->timerTusin_Timer();

    QCOMPARE(outcomeOf(w), outcome);
    QVERIFY2(m_sim.received().isEmpty(), qPrintable(m_sim.received().join(' ')));
    QCOMPARE(m_sim.dialogs().boxes().size(), boxesBefore);

    if (w && w != main.get()) {
        w->hide();
        delete w.data();
    }
}

QTEST_MAIN(TestEnterKey)
#include "tst_enterkey.moc"
