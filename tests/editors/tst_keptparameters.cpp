// The parameter window keeps what it shows for the run, for the actuators it was made for: after
// every road that makes other actuators current, the window closed or open, it shows what a new
// window shows and no write from it sends an item of the set made for the old actuators. The
// same actuators made current again keep it.
#include "actuators/DeviceChange.h"
#include "actuators/frmDevice3.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/frmSelection.h"
#include "editors/frmParameta2.h"
#include "link/LinkState.h"
#include "link/OnlineMode.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "positions/PosiFileCommands.h"
#include "positions/PosiTransfer.h"
#include "tables/DevSetting.h"
#include "tables/ParaFile.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/ModalDriver.h"
#include "support/PosiTransferFixture.h"
#include "support/ShownValues.h"
#include "support/SimFixture.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using namespace platform;

namespace {

// The roads that make actuators current outside the parameter window.
enum Road {
    ChangeAndWrite,      // the online actuator window's Change and Write
    ChangeDeviceSetup,   // Change Device, the factory parameters of the setup window's choice
    ChangeDeviceFile,    // Change Device, a parameter file
    OnlineStartUp,       // the start-up that takes the controller's actuators
    PosiFileActuators,   // a position file's actuators with their factory parameters
    PosiFileParaFile,    // a position file opened with a parameter file
    PosiReadTakesCt,     // the position read that takes the controller's actuators
};

// The values a window shows beyond what a new window shows (every field empty, no entry chosen).
QStringList filledValues(const QWidget *w)
{
    QStringList out;
    for (const QString &v : shownValues(w)) {
        if (!v.endsWith(QLatin1Char('=')) && !v.endsWith(QLatin1String("=-1")))
            out << v;
    }
    return out;
}

// The 16 bytes of every write of parameter block `block` the controller received.
QList<QByteArray> writtenBlocks(const QStringList &received, int block)
{
    QList<QByteArray> out;
    const QString head = QStringLiteral("0WD") + QString::number(block, 16).toUpper();
    for (const QString &line : received) {
        if (line.startsWith(head) && line.size() == head.size() + 32)
            out << QByteArray::fromHex(line.mid(head.size()).toLatin1());
    }
    return out;
}

// Axis 1's items of the set made for " 28" L 100 that no write may bring back once the axis
// carries another stroke: what the controller received of them, by name.
QStringList oldItemsWritten(const QStringList &received)
{
    QStringList found;
    for (const QByteArray &b : writtenBlocks(received, 6)) {
        if ((quint8(b[10]) << 8 | quint8(b[11])) == 100)
            found << QStringLiteral("stroke 100");
        if ((quint8(b[5]) << 16 | quint8(b[6]) << 8 | quint8(b[7])) == 20000)
            found << QStringLiteral("20000 pulses");
    }
    for (const QByteArray &b : writtenBlocks(received, 5)) {
        if ((quint8(b[0]) << 8 | quint8(b[1])) == 123)
            found << QStringLiteral("offset 123");
    }
    return found;
}

ModalDriver::Action chooseOption(int option)
{
    return [option](QWidget *w) {
        static_cast<frmSelection *>(w)->optSelectKomoku(option)->click();
        clickChild(w, QStringLiteral("cmdSelectOk"));
    };
}

} // namespace

class TestKeptParameters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_sim.startOrFail();
    }
    void init();
    void cleanup();
    void keptSetEndsWithItsActuators_data();
    void keptSetEndsWithItsActuators();
    void windowsOwnRoadsShowTodaysSet_data();
    void windowsOwnRoadsShowTodaysSet();
    void writeAfterAxisUseChangedElsewhere();

private:
    // The parameter window as its opener shows it.
    void open();
    void close();
    QLineEdit *text(const QString &name) const;
    QComboBox *list(const QString &name) const;
    void click(const char *name);
    // Read from the controller (" 28" L 100), then 123 typed into axis 1's OFFSET.
    void readAndType();
    // The controller's axis 1 carries the 50 mm actuator with its factory limit.
    void controllerTakes50();
    // A parameter file whose axis 1 is " 28" L 50, axes 2 to 4 unused, with factory values.
    QString paraFileFor50();
    // Runs the road, answering its windows and boxes: axis 1 then carries `stroke` mm.
    void runRoad(Road road, int stroke);

    SimFixture m_sim;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<FakeMainForm> m_main;
    std::unique_ptr<frmMain> m_realMain;
    QPointer<frmParameta2> m_w;
};

void TestKeptParameters::init()
{
    TestEnv::resetAll();
    m_sim.reset();
    m_folder = std::make_unique<DataFolder>();
    QVERIFY(m_folder->installShipped({"nqzdevice.lst", "w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst",
                                      "erroreng.lst", "errorjpn.lst"}));
    m_main = std::make_unique<FakeMainForm>();
    // Axis 1 alone, " 28" L 100 on both sides.
    posifixture::matchController(m_sim, 1);
    SetOnlineMode();
    core::mainform::clearCommands();
    editors::registerParameterWindowCommands();
}

void TestKeptParameters::cleanup()
{
    if (m_w)
        m_w->close();
    QTRY_VERIFY(!frmParameta2::instance());
    QVERIFY2(m_sim.dialogs().unexpected().isEmpty(), qPrintable(m_sim.dialogs().unexpected().join(u'|')));
    QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
    CommPortCloseForce();
    m_realMain.reset();
    m_main.reset();
    m_folder.reset();
    core::mainform::clearCommands();
}

void TestKeptParameters::open()
{
    QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdParaHyoji_Click")), 0);
    m_w = frmParameta2::instance();
    QVERIFY(m_w);
}

void TestKeptParameters::close()
{
    m_w->close();
    QTRY_VERIFY(!frmParameta2::instance());
}

QLineEdit *TestKeptParameters::text(const QString &name) const
{
    auto *e = m_w->findChild<QLineEdit *>(name);
    if (!e)
        qFatal("no field %s", qPrintable(name));
    return e;
}

QComboBox *TestKeptParameters::list(const QString &name) const
{
    auto *c = m_w->findChild<QComboBox *>(name);
    if (!c)
        qFatal("no list %s", qPrintable(name));
    return c;
}

void TestKeptParameters::click(const char *name)
{
    auto *b = m_w->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(b && b->isEnabled(), name);
    b->click();
}

void TestKeptParameters::readAndType()
{
    open();
    click("cmdParaRead"); // the window is empty: nothing to save first
    QCOMPARE(m_sim.prompts(), QStringList());
    QCOMPARE(list(QStringLiteral("comboActStroke_0"))->currentText(), QStringLiteral("100"));
    QCOMPARE(text(QStringLiteral("txtAxisStroke_0"))->text(), QStringLiteral("20000"));
    QLineEdit *offset = text(QStringLiteral("txtHomeOffset_0"));
    QApplication::setActiveWindow(m_w);
    offset->setFocus();
    offset->selectAll();
    typeX11(offset, QStringLiteral("123"));
    sendX11Key(offset, Qt::Key_Tab);
    QCOMPARE(offset->text(), QStringLiteral("123"));
}

void TestKeptParameters::controllerTakes50()
{
    sim::ControllerModel::Actuator fifty;
    fifty.stroke = 50;
    fifty.strokeLimit = 10000;
    m_sim.model().setActuator(0, fifty);
}

QString TestKeptParameters::paraFileFor50()
{
    const QString path = m_folder->path(QStringLiteral("fifty.pmt"));
    gDevSetteiUnused[0] = false;
    gDevSetteiFamily[0] = QStringLiteral("QZ");
    gDevSetteiSize[0] = QStringLiteral(" 28");
    gDevSetteiSpeed[0] = QStringLiteral("L");
    gDevSetteiStroke[0] = 50;
    for (int a = 1; a < kAxisCount; ++a)
        gDevSetteiUnused[a] = true;
    gDevWinOnline = false;
    if (SetStdParameta() != 0 || WriteParaFile(path) != 0)
        return QString();
    // The file alone holds them.
    ClearParaArrays();
    return path;
}

void TestKeptParameters::runRoad(Road road, int stroke)
{
    const QString strokeText = QString::number(stroke);
    ModalDriver driver;
    switch (road) {
    case ChangeAndWrite: {
        frmDevice3 device;
        device.panels().setAxisEnable(0, 1);
        for (int a = 1; a < kAxisCount; ++a)
            device.panels().setAxisEnable(a, 0);
        auto &axis = device.panels().axis[0];
        axis.comboDeviceSize.text = QStringLiteral(" 28");
        axis.comboDeviceSpeed.text = QStringLiteral("L");
        axis.comboDeviceStroke.text = strokeText;
        // The old type, neither vertical nor with PG, as the system has it.
        axis.chkNewOrOld.value = 1;
        axis.chkDevVsiyou.value = 0;
        axis.chkDevPgUse.value = 0;
        device.show();
        m_sim.dialogs().answer(IdOk); // 1527
        device.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(1527)});
        break;
    }
    case ChangeDeviceSetup:
        driver.then(chooseOption(0));
        driver.then([strokeText](QWidget *w) {
            auto *strokeList = w->findChild<QComboBox *>(QStringLiteral("comboDeviceStroke0"));
            strokeList->setEditText(strokeText);
            clickChild(w, QStringLiteral("cmdDeviceSet"));
        });
        cmdChangeDev_Click();
        QCOMPARE(m_sim.prompts(), QStringList());
        break;
    case ChangeDeviceFile: {
        const QString file = paraFileFor50();
        QVERIFY(!file.isEmpty());
        driver.then(chooseOption(1));
        m_sim.dialogs().chooseFile(file);
        cmdChangeDev_Click();
        QCOMPARE(m_sim.prompts(), QStringList());
        break;
    }
    case OnlineStartUp: {
        controllerTakes50();
        // The start-up's own main window in place of the fake one; the parameter window's
        // opener is wired again by it.
        m_main.reset();
        frmMain::setScreenWidthForLoad(1024);
        driver.then(chooseOption(0)); // online
        m_realMain.reset(Main(0));
        QVERIFY(m_realMain);
        QCOMPARE(m_sim.prompts(), QStringList());
        QVERIFY(!gOfflineMode);
        break;
    }
    case PosiFileActuators: {
        const QString file = m_folder->path(QStringLiteral("fifty.qzd"));
        QVERIFY(m_folder->write(QStringLiteral("fifty.qzd"),
                                "\"QZ-K4\"\r\n\"QZ- 28L- 50__\",\"\",\"\",\"\"\r\n\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                "1,\" 20\",\" 1\",\" 0\",\" 1\",\" 20\",\" 1\",\" 0\",\" 1\",\" 20\",\" 1\",\" 0\",\" 1\","
                                "\" 20\",\" 1\",\" 0\",\" 1\",\" 0\",\" 0\",\" 0\",\"c1\"\r\n"));
        driver.then(chooseOption(1)); // the file's actuators with their factory parameters
        m_sim.dialogs().chooseFile(file);
        QCOMPARE(OpenPosiFile(), 0);
        QCOMPARE(m_sim.prompts(), QStringList());
        break;
    }
    case PosiFileParaFile: {
        const QString pmt = paraFileFor50();
        QVERIFY(!pmt.isEmpty());
        const QString file = m_folder->path(QStringLiteral("fifty.qzd"));
        QVERIFY(m_folder->write(QStringLiteral("fifty.qzd"),
                                "\"QZ-K4\"\r\n\"QZ- 28L- 50__\",\"\",\"\",\"\"\r\n\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                "1,\" 20\",\" 1\",\" 0\",\" 1\",\" 20\",\" 1\",\" 0\",\" 1\",\" 20\",\" 1\",\" 0\",\" 1\","
                                "\" 20\",\" 1\",\" 0\",\" 1\",\" 0\",\" 0\",\" 0\",\"c1\"\r\n"));
        driver.then(chooseOption(2)); // a parameter file
        m_sim.dialogs().chooseFile(file);
        m_sim.dialogs().chooseFile(pmt);
        QCOMPARE(OpenPosiFile(), 0);
        QCOMPARE(m_sim.prompts(), QStringList());
        break;
    }
    case PosiReadTakesCt:
        controllerTakes50();
        driver.then(posifixture::range(1, 2));
        m_sim.dialogs().answer(IdOk); // 370
        driver.then(chooseOption(0)); // the controller's actuators
        QCOMPARE(GetPosidataFromCt(), 0);
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(370)});
        break;
    }
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(gDevStroke[0], stroke);
    m_sim.dialogs().clear();
}

void TestKeptParameters::keptSetEndsWithItsActuators_data()
{
    QTest::addColumn<int>("road");
    QTest::addColumn<int>("stroke"); // axis 1's after the road
    QTest::addColumn<bool>("whileOpen"); // the window open while the road runs
    const struct
    {
        const char *name;
        Road road;
        bool open;
    } roads[] = {
        {"Change and Write", ChangeAndWrite, true},
        {"Change Device, setup window", ChangeDeviceSetup, true},
        {"Change Device, parameter file", ChangeDeviceFile, true},
        {"online start-up", OnlineStartUp, false},
        {"position file's actuators", PosiFileActuators, true},
        {"position file with a parameter file", PosiFileParaFile, true},
        {"position read taking the controller's", PosiReadTakesCt, true},
    };
    for (const auto &r : roads) {
        QTest::addRow("%s, window closed", r.name) << int(r.road) << 50 << false;
        if (r.open)
            QTest::addRow("%s, window open", r.name) << int(r.road) << 50 << true;
    }
    // The same actuators written or chosen again: nothing changed, the operator's set stays.
    QTest::newRow("Change and Write, same actuators") << int(ChangeAndWrite) << 100 << false;
    QTest::newRow("Change Device, same actuators, window open") << int(ChangeDeviceSetup) << 100 << true;
}

void TestKeptParameters::keptSetEndsWithItsActuators()
{
    QFETCH(int, road);
    QFETCH(int, stroke);
    QFETCH(bool, whileOpen);
    const bool changed = stroke != 100;
    readAndType();
    const QStringList shown = shownValues(m_w);
    if (!whileOpen)
        close();

    runRoad(Road(road), stroke);
    if (QTest::currentTestFailed())
        return;

    if (whileOpen) {
        // At once: what the window shows belongs to the actuators it was made for.
        if (changed)
            QCOMPARE(filledValues(m_w), QStringList());
        else
            QCOMPARE(shownValues(m_w), shown);
        close();
    }
    open();
    if (changed) {
        QCOMPARE(filledValues(m_w), QStringList());
    } else {
        QCOMPARE(shownValues(m_w), shown);
    }

    m_sim.controller().clearReceived();
    m_sim.dialogs().answer(IdYes); // 470
    if (changed) {
        m_sim.dialogs().answer(IdOk); // 7 + 8: nothing to write
    } else {
        m_sim.dialogs().answer(IdNo); // 685
        m_sim.dialogs().answer(IdOk); // 1527
    }
    click("cmdParaWrite");
    const QStringList received = m_sim.received();
    if (changed) {
        QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), ResLines({7, 8})}));
        QCOMPARE(received, QStringList());
    } else {
        QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), LoadResText(685), LoadResText(1527)}));
        // The operator's own set for these actuators.
        QCOMPARE(oldItemsWritten(received), (QStringList{"stroke 100", "20000 pulses", "offset 123"}));
    }
    QCOMPARE(gDevStroke[0], stroke);
}

// The window's own roads to other actuators: the read that takes the controller's and the write
// that the system takes. The window then shows the set of today's actuators, keeps it when
// closed, and writes none of the old set's items.
void TestKeptParameters::windowsOwnRoadsShowTodaysSet_data()
{
    QTest::addColumn<bool>("write");
    QTest::newRow("read taking the controller's actuators") << false;
    QTest::newRow("write the system takes") << true;
}

void TestKeptParameters::windowsOwnRoadsShowTodaysSet()
{
    QFETCH(bool, write);
    readAndType();
    close();
    open(); // the same actuators: the set typed into is back
    QCOMPARE(text(QStringLiteral("txtHomeOffset_0"))->text(), QStringLiteral("123"));
    if (write) {
        list(QStringLiteral("comboActStroke_0"))->setEditText(QStringLiteral("50"));
        text(QStringLiteral("txtAxisStroke_0"))->setText(QStringLiteral("10000"));
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdYes); // 685: the system takes the written actuators
        m_sim.dialogs().answer(IdOk);  // 1527
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), LoadResText(685), LoadResText(1527)}));
    } else {
        controllerTakes50();
        m_sim.dialogs().answer(IdNo); // 355: no save first
        m_sim.dialogs().answer(IdOk); // 357 + 358: take the controller's
        click("cmdParaRead");
        QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(355), ResLines({357, 358})}));
    }
    QCOMPARE(gDevStroke[0], 50);
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke1"), QString()), QStringLiteral("50"));
    const QString offset = write ? QStringLiteral("123") : QStringLiteral("100");
    QCOMPARE(list(QStringLiteral("comboActStroke_0"))->currentText(), QStringLiteral("50"));
    QCOMPARE(text(QStringLiteral("txtAxisStroke_0"))->text(), QStringLiteral("10000"));
    QCOMPARE(text(QStringLiteral("txtHomeOffset_0"))->text(), offset);
    const QStringList shown = shownValues(m_w);
    close();
    open();
    QCOMPARE(shownValues(m_w), shown);

    m_sim.dialogs().clear();
    m_sim.controller().clearReceived();
    m_sim.dialogs().answer(IdYes); // 470
    m_sim.dialogs().answer(IdNo);  // 685
    m_sim.dialogs().answer(IdOk);  // 1527
    click("cmdParaWrite");
    QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), LoadResText(685), LoadResText(1527)}));
    QCOMPARE(oldItemsWritten(m_sim.received()), write ? QStringList{"offset 123"} : QStringList());
    QCOMPARE(writtenBlocks(m_sim.received(), 6).size(), 1);
    QCOMPARE(gDevStroke[0], 50);
}

// Change and Write stopped after it rewrote the controller's axis use (axis 2 taken out): the
// system follows the controller's, which no road of the actuators' owner told the open window.
// Its next command finds that what it shows was made for another axis use and starts from a new
// window's fields: the write sends nothing, not the old axis use nor axis 2's old set.
void TestKeptParameters::writeAfterAxisUseChangedElsewhere()
{
    posifixture::matchController(m_sim, 3);
    readAndType();
    QCOMPARE(text(QStringLiteral("txtOneAxis"))->text(), QStringLiteral("3"));
    m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongRecord, "0WD", 2));
    {
        frmDevice3 device;
        for (int a = 0; a < kAxisCount; ++a)
            device.panels().setAxisEnable(a, a == 0 ? 1 : 0);
        auto &axis = device.panels().axis[0];
        axis.comboDeviceSize.text = QStringLiteral(" 28");
        axis.comboDeviceSpeed.text = QStringLiteral("L");
        axis.comboDeviceStroke.text = QStringLiteral("100");
        axis.chkNewOrOld.value = 1;
        axis.chkDevVsiyou.value = 0;
        axis.chkDevPgUse.value = 0;
        device.show();
        m_sim.dialogs().answer(IdOk);
        device.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({384, 385, 3022, 2941, 2942, 2944})});
    }
    QVERIFY(gAxisUnused[1]);
    QCOMPARE(m_sim.model().blockByte(0, 6), 1);

    m_sim.dialogs().clear();
    m_sim.controller().clearReceived();
    m_sim.dialogs().answer(IdYes); // 470
    m_sim.dialogs().answer(IdOk);  // 7 + 8
    click("cmdParaWrite");
    QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), ResLines({7, 8})}));
    QCOMPARE(m_sim.received(), QStringList());
    QCOMPARE(m_sim.model().blockByte(0, 6), 1);
    QCOMPARE(filledValues(m_w), QStringList());
}

QTEST_MAIN(TestKeptParameters)
#include "tst_keptparameters.moc"
