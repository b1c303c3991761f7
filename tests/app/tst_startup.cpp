#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "core/frmSelection.h"
#include "tables/GrpTable.h"
#include "tables/SmTable.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "sim/ControllerModel.h"
#include "sim/SimSession.h"
#include "support/DataFolder.h"
#include "support/FileFault.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

// The start-up roads against the controller simulator: the end state, the messages, the
// online lamp, the windows shown and the lines the controller received.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void roads_data();
    void roads();
    void qtTextsFollowTheStoredLanguage_data();
    void qtTextsFollowTheStoredLanguage();
    void damagedListsAtStart_data();
    void damagedListsAtStart();

private:
    sim::ControllerModel m_model;
    sim::SimSession m_session;
};

namespace {

enum Road { Online, Offline };
enum Setup {
    GoodController,
    WrongModel,
    PortMissing,
    IncompleteActuator,
    StoredValid,
    StoredInvalid,
    NoCatalogue
};

void choose(QWidget *w, int option)
{
    auto *f = qobject_cast<frmSelection *>(w);
    QVERIFY(f);
    QVERIFY(!f->cmdSelectCancel()->isVisible());
    f->optSelectKomoku(option)->click();
    f->cmdSelectOk()->click();
}

} // namespace

void TestStartup::initTestCase()
{
    QString error;
    QVERIFY2(m_session.start(&error), qPrintable(error));
    m_model.install(m_session.controller());
}

void TestStartup::roads_data()
{
    QTest::addColumn<int>("road");
    QTest::addColumn<int>("setup");
    QTest::addColumn<bool>("offline");
    QTest::addColumn<QList<QList<int>>>("boxes"); // the message ids of each box, in order
    QTest::addColumn<QStringList>("windows");
    QTest::addColumn<QStringList>("receivedStart");
    QTest::addColumn<int>("portTries"); // failed port openings, -1 where not asked

    const QStringList change = {"frmSelection", "frmSelection", "frmDevice2"};
    const QStringList goodReads = {"0CM02", "0CM1", "0RV", "0CM1", "0RD0", "0CM1", "0RD6", "0RD8", "0RDA", "0RDC"};
    QTest::newRow("online, good controller") << int(Online) << int(GoodController) << false << QList<QList<int>>{}
                                             << QStringList{"frmSelection"} << goodReads << 0;
    QTest::newRow("online, wrong model") << int(Online) << int(WrongModel) << true << QList<QList<int>>{{124, 125}}
                                         << change << QStringList{"0CM02", "0CM1", "0RV"} << 0;
    // Six attempts, five pauses between them, then the message and the offline road.
    QTest::newRow("online, port does not open") << int(Online) << int(PortMissing) << true << QList<QList<int>>{{109, 0, 110}}
                                                << change << QStringList{} << 6;
    QTest::newRow("online, incomplete actuator") << int(Online) << int(IncompleteActuator) << true << QList<QList<int>>{}
                                                 << change << goodReads << 0;
    QTest::newRow("offline, stored set valid") << int(Offline) << int(StoredValid) << true << QList<QList<int>>{}
                                               << change << QStringList{} << -1;
    QTest::newRow("offline, stored set invalid") << int(Offline) << int(StoredInvalid) << true << QList<QList<int>>{{4, 5}}
                                                 << change << QStringList{} << -1;
    // An empty program folder lacks the error list too: the main window's load says so first.
    QTest::newRow("offline, no catalogue") << int(Offline) << int(NoCatalogue) << true << QList<QList<int>>{{30, 31}, {15, 16}}
                                           << QStringList{"frmSelection"} << QStringList{} << -1;
}

void TestStartup::roads()
{
    QFETCH(int, road);
    QFETCH(int, setup);
    QFETCH(bool, offline);
    QFETCH(QList<QList<int>>, boxes);
    QFETCH(QStringList, windows);
    QFETCH(QStringList, receivedStart);
    QFETCH(int, portTries);

    m_session.reset();
    m_model.reset();
    m_session.useSimulator();
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);

    switch (setup) {
    case WrongModel:
        m_model.setVersion("1.0", '3');
        break;
    case PortMissing:
        m_session.useMissingDevice();
        break;
    case IncompleteActuator: {
        sim::ControllerModel::Actuator a;
        a.stroke = 0;
        m_model.setActuator(2, a);
        break;
    }
    case StoredInvalid:
        env.storeSettings({{QStringLiteral("DevSize1"), QStringLiteral("X")}});
        break;
    case NoCatalogue:
        platform::setProgramFolder(env.tempPath(QString()));
        break;
    default:
        break;
    }
    for (int i = 0; i < boxes.size(); ++i)
        env.dialogs().answer(platform::IdOk);

    // A start-up that takes another road than the row expects meets windows nobody answers;
    // the driver then ends the run at once instead of letting it wait.
    ModalDriver driver;
    driver.failFastOnUnexpected();
    driver.then([&](QWidget *w) { choose(w, road == Online ? 0 : 1); });
    if (windows.size() > 1) {
        driver.then([](QWidget *w) { choose(w, 0); }); // the factory parameters of the choice
        driver.then([](QWidget *w) {
            // An axis whose actuator is unknown gets a speed, as the operator would choose one.
            for (int a = 0; a < kAxisCount; ++a) {
                auto *speed = w->findChild<QComboBox *>(QStringLiteral("comboDeviceSpeed%1").arg(a));
                if (speed->currentText().isEmpty()) {
                    speed->setEditText(QStringLiteral("L"));
                    Q_EMIT speed->activated(0);
                }
            }
            clickChild(w, QStringLiteral("cmdDeviceSet"));
        });
    }

    gSmData[2][3] = 4;
    frmMain *window = Main(0);
    QVERIFY(window);

    // Every road starts the group and macro tables, which the windows then keep for the run.
    QCOMPARE(gGrpData[1][0], 1);
    QCOMPARE(gGrpData[kGrpCount][1], 1);
    QCOMPARE(gSmData[2][3], 0);
    QCOMPARE(gOfflineMode, offline);
    QCOMPARE(window->lamp(QStringLiteral("imgGreenLedOnline"))->isVisibleTo(window), !offline);
    QVERIFY(!gDevSelectLock);
    QCOMPARE(driver.shown(), windows);
    QStringList expected;
    for (const QList<int> &box : boxes) {
        // Each box's lines in order, one CR LF between them (0: an empty line).
        QStringList lines;
        for (int id : box)
            lines << (id == 0 ? QString() : LoadResText(id));
        // The port's failure adds the system's reason on a line of its own.
        if (box.first() == 109)
            lines << link::SerialLink::instance().lastOpenError();
        expected << lines.join(QStringLiteral("\r\n"));
    }
    QCOMPARE(env.dialogs().prompts(), expected);
    if (portTries >= 0)
        QCOMPARE(gRetryCount, portTries);
    const QStringList received = m_session.controller().receivedLines();
    QVERIFY2(received.mid(0, receivedStart.size()) == receivedStart, qPrintable(received.join(QLatin1Char(' '))));
    if (setup == GoodController) {
        QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
        QCOMPARE(gDevStroke[3], 100);
        QVERIFY(!gProcessingShown);
        // The controller's actuators became the system's as on every road: stored for the
        // next start, with the limits they bring.
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevSize1"), QString()), QStringLiteral(" 28"));
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke4"), QString()), QStringLiteral("100"));
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevPPR1"), QString()), QString::number(gDevPPR[0]));
        QVERIFY(gDevPPR[0] > 0);
        QVERIFY(gStrokeMm[0] > 0);
    }
    if (windows.size() > 1) {
        // The actuators the setup window showed are now the system's.
        // An axis whose actuator was known: the stored one (axis 1 is the bad one), or the one
        // the controller reported before the incomplete axis.
        const int known = setup == StoredInvalid ? 3 : 0;
        QCOMPARE(gDevSize[known], QStringLiteral(" 28"));
        QCOMPARE(gDevSpeed[known], QStringLiteral("L"));
        QCOMPARE(gDevStroke[known], 100);
    }
    QVERIFY(!CommPortIsOpen() || gPortOccupy);
    CommPortCloseForce();
    delete window;
}

void TestStartup::qtTextsFollowTheStoredLanguage_data()
{
    QTest::addColumn<QString>("stored"); // "Language", empty when none is stored
    QTest::addColumn<bool>("japaneseDesktop");
    QTest::addColumn<QString>("yes");
    QTest::newRow("Japanese") << "1" << false << QStringLiteral("はい");
    QTest::newRow("English on a Japanese desktop") << "2" << true << "Yes";
    QTest::newRow("nothing stored, Japanese desktop") << "" << true << "Yes";
}

void TestStartup::qtTextsFollowTheStoredLanguage()
{
    QFETCH(QString, stored);
    QFETCH(bool, japaneseDesktop);
    QFETCH(QString, yes);
    m_session.reset();
    m_model.reset();
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);
    if (!stored.isEmpty())
        env.storeSettings({{QStringLiteral("Language"), stored}});
    const QLocale desktop;
    if (japaneseDesktop)
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    // The offline road with the example catalogue's actuators.
    ModalDriver driver;
    driver.failFastOnUnexpected();
    driver.then([](QWidget *w) { choose(w, 1); });
    driver.then([](QWidget *w) { choose(w, 0); });
    driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdDeviceSet")); });
    env.dialogs().answer(platform::IdOk); // nothing stored yet: "Device type is not selected."
    frmMain *window = Main(0);
    QLocale::setDefault(desktop);
    QVERIFY(window);
    QCOMPARE(driver.shown(), (QStringList{"frmSelection", "frmSelection", "frmDevice2"}));

    // Every question of the run answers on buttons of the stored language.
    const auto box = platform::makeMessageBox(LoadResText(391), platform::MbYesNoCancel | platform::MbQuestion);
    QString text = box->button(QMessageBox::Yes)->text();
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    QCOMPARE(text, yes);
    delete window;
}

void TestStartup::damagedListsAtStart_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("line"); // the line the box names; 0: the list reads whole

    // Each list the program only reads, with the row whose damage is tried.
    const QList<std::pair<QString, int>> lists = {
        {QStringLiteral("nqzdevice.lst"), 3}, {QStringLiteral("w4nqzstpr.lst"), 3},
        {QStringLiteral("w4qzstpr.lst"), 3},  {QStringLiteral("w4cmstpr.lst"), 7},
        {QStringLiteral("erroreng.lst"), 3},  {QStringLiteral("errorjpn.lst"), 3}};
    for (const auto &[list, row] : lists) {
        const QByteArray good = fileBytes(platform::programFile(list));
        QList<FileCopy> copies = listDamageCopies(good, row);
        copies.prepend(editorEndingCopies(good, FileKind::ReadOnly).first()); // no last line end
        for (const FileCopy &copy : copies)
            QTest::newRow(qPrintable(list + QStringLiteral(", ") + copy.name))
                << list << copy.bytes << (copy.verdict == FileVerdict::ReadsWhole ? 0 : copy.line);
    }
}

// The offline start with one of the program's lists damaged: one box names the list and its
// line, never says it is missing; a damaged catalogue ends the start there (nothing to choose
// from), a damaged factory list leaves the operator's choice without its factory values (36),
// a damaged alarm list is told as the main window loads. A last line without its line end
// reads as if it had one.
void TestStartup::damagedListsAtStart()
{
    QFETCH(QString, list);
    QFETCH(QByteArray, contents);
    QFETCH(int, line);

    m_session.reset();
    m_model.reset();
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);
    const QDir folder(env.tempPath(QString()));
    for (const char *name : {"nqzdevice.lst", "w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst", "erroreng.lst",
                             "errorjpn.lst"})
        QVERIFY(QFile::copy(platform::programFile(QLatin1String(name)), folder.filePath(QLatin1String(name))));
    platform::setProgramFolder(folder.path());
    QFile damaged(folder.filePath(list));
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(damaged.write(contents), contents.size());
    damaged.close();
    if (list == QLatin1String("w4qzstpr.lst"))
        env.storeSettings({{QStringLiteral("NewType1"), QStringLiteral("0")}}); // read for an old-type axis
    if (list == QLatin1String("errorjpn.lst"))
        env.storeSettings({{QStringLiteral("Language"), QStringLiteral("1")}});

    const bool catalogue = list == QLatin1String("nqzdevice.lst");
    const bool factory = list.startsWith(QLatin1String("w4"));
    ModalDriver driver;
    driver.failFastOnUnexpected();
    driver.then([](QWidget *w) { choose(w, 1); });
    if (!(catalogue && line)) {
        driver.then([](QWidget *w) { choose(w, 0); });
        driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdDeviceSet")); });
    }
    if (line)
        env.dialogs().answer(platform::IdOk);

    frmMain *window = Main(0);
    QVERIFY(window);
    QStringList boxes;
    if (line) {
        // One failure, one box: a factory list's box says what it costs too (36).
        boxes << damageText({QString(), {}, FileVerdict::Damaged, line}, folder.filePath(list)) + QStringLiteral("\r\n")
                     + LoadResText(3051) + (factory ? QStringLiteral("\r\n") + LoadResText(36) : QString());
    }
    QCOMPARE(env.dialogs().prompts(), boxes);
    const QStringList windows = catalogue && line ? QStringList{"frmSelection"}
                                                  : QStringList{"frmSelection", "frmSelection", "frmDevice2"};
    QCOMPARE(driver.shown(), windows);
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    delete window;
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
