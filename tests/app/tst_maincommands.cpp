#include "tables/DevSetting.h"
#include "actuators/DeviceChange.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "app/MainCommands.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "app/frmMain.h"
#include "tables/FileRetry.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "link/frmTrance.h"
#include "platform/FixedGrid.h"
#include "positions/PosiEditor.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "sim/ControllerModel.h"
#include "sim/SimSession.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using platform::IdOk;

// The main window's own commands of the Function and Help menus against the controller
// simulator, and the busy guard as the operations hold it.
class TestMainCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void functionMenu_data();
    void functionMenu();
    void hiddenItems();
    void operationsHoldTheGuard_data();
    void operationsHoldTheGuard();
    void secondEntryRefusedDuringExchange();
    void progressCancelWorksWhileBusy();

private:
    sim::ControllerModel m_model;
    sim::SimSession m_session;
    TestEnv *m_env = nullptr;
    frmMain *m_w = nullptr;
};

namespace {

// Runs a probe once, when the operation's progress window reaches `at`, with the real
// window shown meanwhile.
class ProbingProgress : public link::TransferProgress
{
public:
    ProbingProgress(int at, std::function<void()> probe) : m_at(at), m_probe(std::move(probe))
    {
        link::setTransferProgress(this);
    }
    ~ProbingProgress() override { link::setTransferProgress(nullptr); }
    void open(int captionId, int maximum) override { link::defaultTransferProgress().open(captionId, maximum); }
    void setValue(int value) override
    {
        link::defaultTransferProgress().setValue(value);
        if (value == m_at && m_probe)
            std::exchange(m_probe, nullptr)();
    }
    void close() override { link::defaultTransferProgress().close(); }

private:
    int m_at;
    std::function<void()> m_probe;
};

frmTrance *progressWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<frmTrance *>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

} // namespace

void TestMainCommands::initTestCase()
{
    QString error;
    QVERIFY2(m_session.start(&error), qPrintable(error));
    m_model.install(m_session.controller());
}

void TestMainCommands::init()
{
    m_session.reset();
    m_model.reset();
    m_session.useSimulator();
    m_env = new TestEnv;
    tables::resetPosiImage();
    frmMain::setScreenWidthForLoad(1280);
    m_w = new frmMain;
    positions::attachPosiEditing(*m_w);
    wireMainCommands(*m_w);
    positions::registerPosiFileCommands();
    actuators::wireDeviceCommands();
    m_w->show();
    AllCMD_Yuko();
    gTimeOutMs = 1000;
}

void TestMainCommands::cleanup()
{
    delete m_w;
    m_w = nullptr;
    core::mainform::clearCommands();
    CommPortCloseForce();
    delete m_env;
    m_env = nullptr;
}

void TestMainCommands::functionMenu_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("controllerAxes");  // block 0's mask
    QTest::addColumn<int>("systemAxes");      // axes in use before the command
    QTest::addColumn<QString>("fault");       // "", "port", "model"
    QTest::addColumn<QStringList>("prompts"); // the boxes, in order
    QTest::addColumn<bool>("offline");

    const QString portFailed = ResLines({109, 110}, QStringLiteral("\r\n\r\n"));
    const QString version = LoadResText(426) + QStringLiteral("\r\n\r\n<MAIN>  1.5\r\n\r\n<")
                            + LoadResText(1406) + QStringLiteral(">  1.5");
    QTest::newRow("axes 1 and 3") << "mnuFuncGetAxis" << 5 << 15 << "" << QStringList{QStringLiteral("Axis setting is 5.")} << false;
    QTest::newRow("all four axes") << "mnuFuncGetAxis" << 15 << 1 << "" << QStringList{QStringLiteral("Axis setting is 15.")} << false;
    QTest::newRow("axis check, port missing") << "mnuFuncGetAxis" << 15 << 15 << "port" << QStringList{portFailed} << true;
    QTest::newRow("version, axis 2 only") << "mnuFuncCtversion" << 2 << 2 << "" << QStringList{version} << false;
    QTest::newRow("version, an axis of another model") << "mnuFuncCtversion" << 2 << 2 << "model" << QStringList{} << false;
    QTest::newRow("version, port missing") << "mnuFuncCtversion" << 2 << 2 << "port" << QStringList{portFailed} << true;
}

void TestMainCommands::functionMenu()
{
    QFETCH(QString, item);
    QFETCH(int, controllerAxes);
    QFETCH(int, systemAxes);
    QFETCH(QString, fault);
    QFETCH(QStringList, prompts);
    QFETCH(bool, offline);
    const QString portFailed = ResLines({109, 110}, QStringLiteral("\r\n\r\n"));

    m_model.setAxisMask(controllerAxes);
    m_model.setVersion("1.5", '4');
    if (fault == QLatin1String("model"))
        m_model.setAxisTag(2, "K2R");
    if (fault == QLatin1String("port"))
        m_session.useMissingDevice();
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = (systemAxes & (1 << a)) == 0;
    SetOfflineMode();
    gPortOccupy = false;
    for (int i = 0; i < prompts.size(); ++i)
        m_env->dialogs().answer(IdOk);

    m_w->action(item)->trigger();

    if (fault == QLatin1String("port")) {
        // The system's reason for the refusal follows the two messages on a line of its own.
        const QString reason = link::SerialLink::instance().lastOpenError();
        QVERIFY2(reason.startsWith(QStringLiteral("/dev/")), qPrintable(reason));
        for (QString &prompt : prompts) {
            if (prompt == portFailed)
                prompt += QStringLiteral("\r\n") + reason;
        }
    }
    QCOMPARE(m_env->dialogs().prompts(), prompts);
    QCOMPARE(gOfflineMode, offline);
    QCOMPARE(m_w->lamp(QStringLiteral("imgGreenLedOnline"))->isVisibleTo(m_w), !offline);
    if (item == QLatin1String("mnuFuncGetAxis") && fault.isEmpty()) {
        for (int a = 0; a < kAxisCount; ++a)
            QCOMPARE(gAxisUnused[a], (controllerAxes & (1 << a)) == 0);
    }
    // The port is given back (no "PortOccupy") and every command is on again, whatever the
    // outcome.
    QVERIFY(!CommPortIsOpen());
    QVERIFY(!commandRefused());
    for (const char *name : {"cmdPosiFileOpen", "tbOpen", "mnuFileOpen", "mnuFunctionCt"})
        QVERIFY2(m_w->action(QLatin1String(name)) ? m_w->action(QLatin1String(name))->isEnabled()
                                                   : m_w->button(QLatin1String(name))->isEnabled(),
                 name);
    QVERIFY(!progressWindow());
}

void TestMainCommands::hiddenItems()
{
    // An item the layout hides still runs its command.
    QVERIFY(m_w->action(QStringLiteral("mnuFuncTest")));
    QVERIFY(!m_w->action(QStringLiteral("mnuFuncTest"))->isVisible());
    QString opened;
    whenModalOpens([&](QWidget *modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    m_w->action(QStringLiteral("mnuFuncTest"))->trigger();
    QCOMPARE(opened, QStringLiteral("frmDevice3"));
}

// Operations hold the guard for their whole run, seen from a window they open midway.
void TestMainCommands::operationsHoldTheGuard_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Save As, range window") << "mnuFileSaveAs_Click";
    QTest::newRow("Save, check result window") << "SavePosiFileCheck";
    QTest::newRow("actuator change, choice window") << "cmdChangeDev_Click";
}

void TestMainCommands::operationsHoldTheGuard()
{
    QFETCH(QString, command);
    InitPosiData();
    gPosiNoDefFrom = gPosiNoFrom = 1;
    gPosiNoDefTo = gPosiNoTo = 3;
    QzDataHyoji_3();
    m_w->flgdData()->setText(2, 1, QStringLiteral("0")); // fails the check

    ModalDriver driver;
    bool busyInside = false;
    driver.then([&](QWidget *w) {
        busyInside = commandRefused();
        if (command == QLatin1String("cmdChangeDev_Click")) {
            w->findChild<QWidget *>(QStringLiteral("optSelectKomoku0"))->setProperty("checked", true);
            clickChild(w, QStringLiteral("cmdSelectOk"));
        } else {
            w->close();
        }
    });
    if (command == QLatin1String("cmdChangeDev_Click"))
        driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdDeviceCancel")); });

    core::mainform::runCommand(command);
    QCOMPARE(driver.pending(), 0);
    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY(busyInside);
    QVERIFY(!commandRefused());

    // The file retries hold it on their own as well.
    bool busyReading = false;
    tables::readWithRetry([&] {
        busyReading = commandRefused();
        return tables::FileRead::Ok;
    });
    QVERIFY(busyReading);
}

// While an exchange of an operation waits, what the command switching leaves open is
// refused too: the buttons and menus that are never switched, and the close box.
void TestMainCommands::secondEntryRefusedDuringExchange()
{
    int ran = 0;
    for (const char *name : {"cmdChangeDev_Click", "mnuHelpAbout_Click", "mnuFuncCtversion_Click"})
        core::mainform::setCommand(QLatin1String(name), [&ran] { return ++ran; });
    m_model.setAxisMask(15);
    m_env->dialogs().answer(IdOk); // "Axis setting is 15."

    bool probed = false;
    bool closed = true;
    ProbingProgress progress(2, [&] {
        probed = true;
        QVERIFY(commandRefused());
        m_w->button(QStringLiteral("cmdChangeDev"))->click();
        m_w->action(QStringLiteral("mnuHelpAbout"))->trigger();
        m_w->action(QStringLiteral("mnuFileExit"))->trigger();
        closed = m_w->close();
    });
    m_w->action(QStringLiteral("mnuFuncGetAxis"))->trigger();

    QVERIFY(probed);
    QCOMPARE(ran, 0);
    QVERIFY(!closed);
    QVERIFY(m_w->isVisible());
    QCOMPARE(m_env->dialogs().prompts(), QStringList{QStringLiteral("Axis setting is 15.")});
    QCOMPARE(m_session.controller().receivedLines().filter(QStringLiteral("0RV")).size(), 0);

    // Once the operation is over the same entries run.
    m_w->button(QStringLiteral("cmdChangeDev"))->click();
    m_w->action(QStringLiteral("mnuHelpAbout"))->trigger();
    QCOMPARE(ran, 2);
}

// The exempt control: the progress window's Cancel works while the system is busy.
void TestMainCommands::progressCancelWorksWhileBusy()
{
    int ran = 0;
    core::mainform::setCommand(QStringLiteral("cmdChangeDev_Click"), [&ran] { return ++ran; });
    BusyGuard operation;
    gTranceCancelable = true;
    gTranceCancel = false;
    link::transferProgress().open(368, 3);
    frmTrance *window = progressWindow();
    QVERIFY(window);
    QVERIFY(window->cmdTranceCancel()->isVisible());
    QTest::mouseClick(window->cmdTranceCancel(), Qt::LeftButton);
    QVERIFY(gTranceCancel);
    m_w->button(QStringLiteral("cmdChangeDev"))->click();
    QCOMPARE(ran, 0);
    link::transferProgress().close();
}

QTEST_MAIN(TestMainCommands)
#include "tst_maincommands.moc"
