// The parameter window's controller and file commands against the simulated controller.
#include "link/OnlineMode.h"
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "tables/ParaSet.h"
#include "link/ParaReread.h"
#include "tables/ParaVerify.h"
#include "tables/ParaInput.h"
#include "tables/StdParaList.h"
#include "editors/ParaWindowCommands.h"
#include "link/ParaBlockCodec.h"
#include "editors/frmParameta2.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "tables/PosiTable.h"
#include "support/DataFolder.h"
#include "support/DiesWhenWriting.h"
#include "support/FakeMainForm.h"
#include "support/ModalDriver.h"
#include "support/ParaSetText.h"
#include "support/PosiTransferFixture.h"
#include "support/ShownValues.h"
#include "support/SimFixture.h"
#include "support/ValidParameters.h"
#include "support/X11Keys.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <utility>

using namespace platform;

namespace {

// The window's values for axis 1, matching the simulated actuator " 28" L 100.
void axisOneSet()
{
    AxisParameters p;
    p.homeOffset = 300;
    p.axisStroke = 20000;
    p.axisLead = 2;
    p.axisPulse = 400;
    p.jhOrQz = 0;
    p.actStroke = 100;
    p.actuator = QStringLiteral(" 28L100");
    p.pgFunc = 0;
    writeAxisParameters(0, p);
    SharedParameters shared;
    shared.homeOut = 2;
    shared.axisMask = 1;
    shared.autoHome = 0;
    writeSharedParameters(shared);
}

} // namespace

class TestFrmParameta2Transfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_sim.startOrFail();
    }
    void init()
    {
        m_sim.reset();
        tables::resetParaVerify();
        m_folder = std::make_unique<DataFolder>();
        QVERIFY(m_folder->installCatalogue());
        m_main = std::make_unique<FakeMainForm>();
        m_sim.useAxes(1);
        gDevSize[0] = QStringLiteral(" 28");
        gDevSpeed[0] = QStringLiteral("L");
        gDevStroke[0] = 100;
        gDevLead[0] = 2;
        gDevPPR[0] = 400;
        gDevMaxPulse[0] = 20000;
        SetOnlineMode();
        core::mainform::clearCommands();
        editors::registerParameterWindowCommands();
        m_w = frmParameta2::showWindow();
        axisOneSet();
        m_w->ParametaHyoji();
    }
    void cleanup()
    {
        if (m_w)
            m_w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        QVERIFY2(m_sim.dialogs().unexpected().isEmpty(), qPrintable(m_sim.dialogs().unexpected().join(u'|')));
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
        m_main.reset();
        m_folder.reset();
    }

    // Written, changed in the window, read back: the window shows the controller's values.
    void writeThenReadBack()
    {
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdNo);  // 685
        m_sim.dialogs().answer(IdOk);  // 1527
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        QVERIFY(m_sim.received().contains(QStringLiteral("0WE2")));
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaWrite"))->isEnabled());

        text("txtHomeVel_0")->setText(QStringLiteral("33"));
        m_sim.dialogs().answer(IdNo); // 355: no save first
        click("cmdParaRead");
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("10"));
        QCOMPARE(text("txtSmTimeoutTimer")->text(), QStringLiteral("9"));
        QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboStopPause"))->currentIndex(), 1);
        QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboActStroke_0"))->currentText(), QStringLiteral("100"));
    }

    void writeWithReRead()
    {
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdYes); // 685
        m_sim.dialogs().answer(IdOk);  // 1527
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        QCOMPARE(gPrmHomeVel[0], 10);
        QVERIFY(m_sim.received().count(QStringLiteral("0RD5")) >= 1);
    }

    // A controller TYPE is read as itself and written back unchanged, whatever the window
    // showed before.
    void typeReadAndWrittenBack_data()
    {
        QTest::addColumn<int>("type");
        for (int v = 0; v <= 5; ++v)
            QTest::addRow("TYPE %d", v) << v;
    }
    void typeReadAndWrittenBack()
    {
        QFETCH(int, type);
        gPrmJhOrQz[0] = type == 0 ? 1 : 0;
        m_w->ParametaHyoji();
        const auto write = [this] {
            m_sim.dialogs().clear();
            m_sim.dialogs().answer(IdYes); // 470
            m_sim.dialogs().answer(IdNo);  // 685
            m_sim.dialogs().answer(IdOk);  // 1527
            click("cmdParaWrite");
            QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        };
        write(); // the controller holds the window's set
        m_sim.model().setBlockByte(6, 0, type); // the TYPE of axis 1
        m_sim.dialogs().answer(IdNo); // 355
        click("cmdParaRead");
        auto *list = m_w->findChild<QComboBox *>(QStringLiteral("comboEtcJhOrQz_0"));
        QCOMPARE(list->currentText(), LoadResText(643 + type));
        m_sim.model().setBlockByte(6, 0, 9);
        write();
        QCOMPARE(m_sim.model().blockByte(6, 0), type);
    }

    // The window's close box loses nothing: read from the controller, typed in or not, the
    // window opened again shows every value as it was, and a write sends what it shows.
    void closeBoxKeepsTheSet_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("after a read") << QString();
        QTest::newRow("after typing") << QStringLiteral("123");
    }
    void closeBoxKeepsTheSet()
    {
        QFETCH(QString, typed);
        const auto write = [this] {
            m_sim.dialogs().answer(IdYes); // 470
            m_sim.dialogs().answer(IdNo);  // 685
            m_sim.dialogs().answer(IdOk);  // 1527
            click("cmdParaWrite");
        };
        write(); // the controller holds a whole set
        m_sim.dialogs().answer(IdNo); // 355: no save first
        click("cmdParaRead");
        QLineEdit *offset = text("txtHomeOffset_0");
        if (!typed.isEmpty()) {
            QApplication::setActiveWindow(m_w);
            offset->setFocus();
            offset->clear();
            for (QChar c : typed)
                sendX11Key(offset, Qt::Key(c.unicode()));
            sendX11Key(offset, Qt::Key_Tab);
            QCOMPARE(offset->text(), typed);
        }
        const QString expected = offset->text();
        QVERIFY(!expected.isEmpty());
        const QStringList shown = shownValues(m_w);

        m_w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdParaHyoji_Click")), 0);
        m_w = frmParameta2::instance();
        QVERIFY(m_w);
        QCOMPARE(shownValues(m_w), shown);

        write();
        text("txtHomeOffset_0")->setText(QStringLiteral("777")); // the read must bring it back
        m_sim.dialogs().answer(IdNo); // 355
        click("cmdParaRead");
        const QStringList written{LoadResText(470), LoadResText(685), LoadResText(1527)};
        QCOMPARE(m_sim.prompts(), written + QStringList{LoadResText(355)} + written + QStringList{LoadResText(355)});
        QCOMPARE(text("txtHomeOffset_0")->text(), expected);
    }

    // A write whose re-read fails still says that the parameters were written, in the box of
    // the link's failure: one failure, one box.
    void writeWithFailedReRead()
    {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongLength, "0RD1"));
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdYes); // 685
        m_sim.dialogs().answer(IdOk);  // the link's report of the short reply + 1527 + 2921
        click("cmdParaWrite");
        QVERIFY(m_sim.received().contains(QStringLiteral("0WE2")));
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), ResLines({105, 106, 1527, 2921})}));
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaWrite"))->isEnabled());
    }

    // "Save before reading?" Yes: the read goes on only once the edits are in a file.
    void readAfterSaveOnlyWhenSaved_data()
    {
        QTest::addColumn<QString>("file");      // empty: the dialog is cancelled
        QTest::addColumn<QString>("lead");      // the LEAD of axis 1 shown
        QTest::addColumn<QStringList>("told");  // the boxes after 355
        QTest::addColumn<bool>("read");
        const QString nowhere = QStringLiteral("/nonexistent-folder/p.pmt");
        QTest::newRow("saved") << "p.pmt" << "2" << QStringList{LoadResText(14)} << true;
        QTest::newRow("cancelled") << "" << "2" << QStringList{} << false;
        QTest::newRow("refused") << "p.pmt" << "0" << QStringList{ResLines({9, 10})} << false;
        QTest::newRow("failed") << nowhere << "2" << QStringList{LoadResText(13) + QStringLiteral("\r\nNo such file or directory")} << false;
    }
    void readAfterSaveOnlyWhenSaved()
    {
        QFETCH(QString, file);
        QFETCH(QString, lead);
        QFETCH(QStringList, told);
        QFETCH(bool, read);
        QTemporaryDir dir;
        m_sim.model().setBlockByte(5, 3, 10); // the controller's HOME VEL of axis 1
        text("txtHomeVel_0")->setText(QStringLiteral("33"));
        text("txtAxisLead_0")->setText(lead);
        m_sim.dialogs().answer(IdYes); // 355
        if (lead != QLatin1String("0"))
            m_sim.dialogs().chooseFile(file.isEmpty() || file.startsWith(u'/') ? file : dir.filePath(file));
        for (int i = 0; i < told.size(); ++i)
            m_sim.dialogs().answer(IdOk);
        click("cmdParaRead");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(355)} + told);
        QCOMPARE(m_sim.received().contains(QStringLiteral("0RD1")), read);
        QCOMPARE(text("txtHomeVel_0")->text(), read ? QStringLiteral("10") : QStringLiteral("33"));
    }

    // The read-back's actuators reach the whole displayed table, whatever range the last
    // operation worked on: a Posi typed outside it is converted, not dropped at the redraw.
    void reReadConvertsWholeTable()
    {
        const int row5 = typePosiOutsideLastRange(*m_main, QStringLiteral("1.5"));
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdYes); // 685
        m_sim.dialogs().answer(IdOk);  // 1527
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        const double pulses = *MmToPulse(2, 400, 1.5);
        QCOMPARE(gPosiTable[5][0], pulses);
        QCOMPARE(m_main->grid.text(row5, 4).toDouble(), *PulseToMm(2, 400, pulses));
        tables::resetPosiTable();
    }

    // A controller that dies during the write is told once, by the link: no second time-out
    // for leaving the write mode, no 1528 after it; the same box says that the controller may
    // hold part of the new parameters.
    void deadControllerIsToldOnce()
    {
        DiesWhenWriting dies(m_sim.controller());
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdOk);  // the time-out
        click("cmdParaWrite");
        QVERIFY(dies.died());
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470),
                                               ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))
                                                   + QStringLiteral("\r\n") + LoadResText(3022)}));
        QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaWrite"))->isEnabled());
    }

    // A write whose reserved bytes cannot be read first sends no block: the link's word and
    // 1528 in one box, without the cut write's line; the write mode still ends.
    void writeFailedBeforeFirstBlock()
    {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongEcho, "0RD5"));
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdOk);  // the link's word + 1528
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), ResLines({104, 1528})}));
        const QStringList received = m_sim.received();
        QVERIFY2(!received.join(u' ').contains(QStringLiteral("0WD")), qPrintable(received.join(u' ')));
        QCOMPARE(received.last(), QStringLiteral("0CM00"));
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaWrite"))->isEnabled());
    }

    // The write mode answered late. On entry: the time-out is told, nothing is written and
    // the plain mode is sent once, silently. On leaving after a complete write: told as
    // written with the mode unconfirmed, not as a failed write, and nothing more is asked.
    void writeModeAnsweredLate_data()
    {
        QTest::addColumn<QByteArray>("modeLine");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("written");
        QTest::newRow("entry") << QByteArray("0CM01") << ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n")) << false;
        QTest::newRow("end after a complete write") << QByteArray("0CM00") << ResLines({3020, 3021}) << true;
    }
    // Written with the mode unconfirmed: the system may still follow the set the controller
    // took, without asking the controller again or telling the failure twice.
    void writeModeAnsweredLate()
    {
        QFETCH(QByteArray, modeLine);
        QFETCH(QString, told);
        QFETCH(bool, written);
        m_sim.controller().addFault(sim::Fault::longAfterTheTimeOut(modeLine, 1));
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdOk);  // the time-out, or written with the mode unconfirmed
        if (written)
            m_sim.dialogs().answer(IdYes); // 685
        click("cmdParaWrite");
        QStringList prompts{LoadResText(470), told};
        if (written)
            prompts << LoadResText(685);
        QCOMPARE(m_sim.prompts(), prompts);
        const QStringList received = m_sim.received();
        QCOMPARE(received.last(), QStringLiteral("0CM00"));
        QCOMPARE(received.count(QStringLiteral("0CM00")), 1);
        QCOMPARE(received.contains(QStringLiteral("0WE2")), written);
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaWrite"))->isEnabled());
    }

    // The controller uses axes 1 and 2: "PC-Soft" writes the system's axis use back first.
    void writeAfterAxisChoice_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("mask");
        QTest::newRow("PC-Soft") << 0 << 1;
        QTest::newRow("Controller") << 1 << 3;
    }
    void writeAfterAxisChoice()
    {
        QFETCH(int, option);
        QFETCH(int, mask);
        m_sim.model().setAxisMask(3);
        m_sim.recordReceivedAtBoxes();
        ModalDriver driver;
        driver.then([option](QWidget *w) {
            w->findChild<QWidget *>(QStringLiteral("optSelectKomoku%1").arg(option))->setProperty("checked", true);
            clickChild(w, QStringLiteral("cmdSelectOk"));
        });
        m_sim.dialogs().answer(IdYes); // 470
        if (option == 0) {
            m_sim.dialogs().answer(IdNo); // 685
            m_sim.dialogs().answer(IdOk); // 1527
        } else {
            m_sim.dialogs().answer(IdOk); // 7 + 8: axis 2 now in use has empty fields
        }
        click("cmdParaWrite");
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.shown().size(), 1);
        QCOMPARE(m_sim.model().blockByte(0, 6), mask);
        if (option == 0) {
            QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        } else {
            // Refused before anything is written: the blank fields' box is the only one.
            QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), ResLines({7, 8})}));
            const QStringList atRefusal = m_sim.receivedAtBoxes().at(1);
            QVERIFY2(!atRefusal.join(u' ').contains(QStringLiteral("0W")), qPrintable(atRefusal.join(u' ')));
            QVERIFY(!m_sim.received().join(u' ').contains(QStringLiteral("0W")));
        }
    }

    void writeRefusals_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("first");
        QTest::newRow("blank") << "txtHomeVel_0" << "" << 7;
        QTest::newRow("out of range") << "txtAxisLead_0" << "0" << 1524;
        QTest::newRow("beyond 16 bits") << "txtHomePush_0" << "99999999" << 1524;
        // A speed the fields take but no block can carry.
        QTest::newRow("actuator speed LL") << "comboActSpeed_0" << "LL" << 1524;
    }
    // Refused before the first byte, the axis-use question and rewrite included: one box.
    void writeRefusals()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, first);
        m_sim.model().setAxisMask(3); // the controller's axis use differs: the rewrite would follow
        if (field.startsWith(QLatin1String("combo")))
            m_w->findChild<QComboBox *>(field)->setEditText(value);
        else
            text(field)->setText(value);
        m_sim.dialogs().answer(IdYes);
        m_sim.dialogs().answer(IdOk);
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(470), ResLines({first, first + 1})}));
        QCOMPARE(m_sim.received(), QStringList());
        QCOMPARE(m_sim.model().blockByte(0, 6), 3);
    }

    // The controller holds another actuator on axis 1: taken over on OK when it is usable,
    // otherwise the read stops, the system goes offline and the window keeps its values.
    void readWithOtherActuator_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("ctStroke");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("devStroke");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<int>("devLead");
        QTest::newRow("taken over") << int(IdOk) << 50 << true << 50 << false << 4;
        QTest::newRow("cancelled") << int(IdCancel) << 50 << false << 100 << false << 2;
        QTest::newRow("refused") << int(IdOk) << 0 << false << 100 << true << 2;
    }
    void readWithOtherActuator()
    {
        QFETCH(int, answer);
        QFETCH(int, ctStroke);
        QFETCH(bool, read);
        QFETCH(int, devStroke);
        QFETCH(bool, offline);
        QFETCH(int, devLead);
        const QString storedBefore = platform::SettingsStore::text(QStringLiteral("DevStroke1"), QString());
        sim::ControllerModel::Actuator other;
        other.stroke = ctStroke;
        other.strokeLimit = 10000;
        other.lead = 4;
        m_sim.model().setActuator(0, other);
        text("txtHomeVel_0")->setText(QStringLiteral("33"));
        m_sim.dialogs().answer(IdNo); // 355
        m_sim.dialogs().answer(answer); // 357 + 358
        click("cmdParaRead");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(355), ResLines({357, 358})}));
        QCOMPARE(m_sim.received().contains(QStringLiteral("0RD1")), read); // a block only the parameter read asks for
        QCOMPARE(gDevStroke[0], devStroke);
        // Taken over, the controller's actuator converts with its own lead and is the one the
        // next start loads.
        QCOMPARE(gDevLead[0], devLead);
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke1"), QString()),
                 read ? QString::number(devStroke) : storedBefore);
        QCOMPARE(gOfflineMode, offline);
        if (!read)
            QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("33"));
        else
            QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboActStroke_0"))->currentText(), QStringLiteral("50"));
        QVERIFY(m_w->findChild<QPushButton *>(QStringLiteral("cmdParaRead"))->isEnabled());
    }

    // The short re-read that fails on the axis use leaves the port closed; the link's box is
    // the only one.
    void reReadAxisUseFailureClosesPort()
    {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongLength, "0RD0"));
        const bool occupy = std::exchange(gPortOccupy, false);
        m_sim.dialogs().answer(IdOk); // the link's report of the short reply
        QCOMPARE(GetParametaValue2(), 1);
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({105, 106})});
        const bool open = CommPortIsOpen();
        gPortOccupy = occupy;
        QVERIFY(!open);
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("10"));
    }

    // The actuators cannot be read from the controller: the link's box alone, no check
    // failure on top of it, and the window keeps its values.
    void readDevicesFailureOneBox()
    {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongLength, "0RD6"));
        text("txtHomeVel_0")->setText(QStringLiteral("33"));
        m_sim.dialogs().answer(IdNo); // 355
        m_sim.dialogs().answer(IdOk); // the link's report of the short reply
        click("cmdParaRead");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(355), ResLines({105, 106})}));
        QVERIFY(!m_sim.received().contains(QStringLiteral("0RD1")));
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("33"));
    }

    // The simulated controller as it starts (four axes, each " 28" L 100): read through the
    // window, its set passes the check that print and write run first and is the program's
    // own factory set for those actuators; written back, the controller holds what it held.
    void simulatorsOwnSetReadCheckedAndWrittenBack()
    {
        posifixture::matchController(m_sim, 15);
        m_w->YukoJikuHyojiSettei();
        QByteArray before[link::kParaBlockCount];
        for (int b = 0; b < link::kParaBlockCount; ++b)
            before[b] = m_sim.model().block(b);

        // Axes 2 to 4 come into use with blank fields: nothing to save first.
        click("cmdParaRead");
        QCOMPARE(m_sim.prompts(), QStringList{});
        QCOMPARE(ParametaValueCheck(), 0);
        QVERIFY(editors::takeParaFields(*m_w, 1524, 1525));
        const QStringList read = paraSetText();

        QVERIFY(m_folder->installShipped({"w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst"}));
        for (int a = 0; a < kAxisCount; ++a) {
            gDevSetteiUnused[a] = false;
            gDevSetteiFamily[a] = QStringLiteral("QZ");
            gDevSetteiSize[a] = QStringLiteral(" 28");
            gDevSetteiSpeed[a] = QStringLiteral("L");
            gDevSetteiStroke[a] = 100;
            gDevSetteiNewType[a] = false;
            gDevSetteiVertical[a] = false;
            gDevSetteiWithPG[a] = false;
        }
        gDevWinOnline = false;
        QCOMPARE(SetStdParameta(), 0);
        QCOMPARE(paraSetText(), read);

        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdNo);  // 685
        m_sim.dialogs().answer(IdOk);  // 1527
        click("cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        QCOMPARE(m_sim.model().writeEnds('2'), 1);
        for (int b = 0; b < link::kParaBlockCount; ++b)
            QCOMPARE(m_sim.model().block(b), before[b]);
    }

    void readCancelledSendsNothing()
    {
        m_sim.dialogs().answer(IdCancel);
        click("cmdParaRead");
        QVERIFY(m_sim.received().isEmpty());
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("10"));
    }

    // Verified against the controller: equal, then one single item differs.
    void verifyAgainstController()
    {
        m_sim.dialogs().answer(IdYes);
        m_sim.dialogs().answer(IdNo);
        m_sim.dialogs().answer(IdOk);
        click("cmdParaWrite");
        m_sim.dialogs().answer(IdOk);
        click("cmdConpareCT");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}) + QStringList{LoadResText(826)});
        m_sim.dialogs().clear();
        text("txtSmTimeoutTimer")->setText(QStringLiteral("8"));
        text("txtHomeOffset_0")->setText(QStringLiteral("301"));
        m_sim.dialogs().answer(IdOk);
        click("cmdConpareCT");
        const QString crlf = QStringLiteral("\r\n");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(823) + crlf + QLatin1Char('<') + LoadResText(673)
                                              + QStringLiteral("> :OFFSET(1),") + crlf + QLatin1Char('<')
                                              + LoadResText(677) + QStringLiteral("> :SM TIMER,") + crlf});
        QCOMPARE(gPrmSmTimerVal, 8); // taken in, not changed by the comparison
    }

    // Saved, changed, opened again, and verified against the file.
    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pmt"));
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().answer(IdOk); // 14
        click("cmdSaveParaFile");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(14)});
        text("txtHomeVel_0")->setText(QStringLiteral("33"));
        m_sim.dialogs().answer(IdOk); // 679
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().answer(IdOk); // result
        click("cmdConpareFile");
        const QString crlf = QStringLiteral("\r\n");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(14), LoadResText(679),
                                               LoadResText(823) + crlf + QLatin1Char('<') + LoadResText(673)
                                                   + QStringLiteral("> :VEL(1),") + crlf}));
        m_sim.dialogs().clear();
        m_sim.dialogs().chooseFile(path);
        click("cmdReadParaFile");
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("10"));
        m_sim.dialogs().answer(IdOk);
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().answer(IdOk);
        click("cmdConpareFile");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(679), LoadResText(826)}));
        QVERIFY(m_sim.received().isEmpty());
    }

    void unreadableFileChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing.pmt"));
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().answer(IdOk); // 681
        click("cmdReadParaFile");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(681)});
        QCOMPARE(text("txtHomeVel_0")->text(), QStringLiteral("10"));
    }

private:
    QLineEdit *text(const QString &name)
    {
        auto *e = m_w->findChild<QLineEdit *>(name);
        if (!e)
            qFatal("no field %s", qPrintable(name));
        return e;
    }
    void click(const char *name)
    {
        auto *b = m_w->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(b && b->isEnabled(), name);
        b->click();
    }

    SimFixture m_sim;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<FakeMainForm> m_main;
    QPointer<frmParameta2> m_w;
};

QTEST_MAIN(TestFrmParameta2Transfer)
#include "tst_frmParameta2Transfer.moc"
