// Reading the position table from the controller and writing it to the controller, against
// the simulated controller.
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiImage.h"
#include "positions/PosiLines.h"
#include "tables/PosiTable.h"
#include "positions/PosiTransfer.h"
#include "positions/PosiVerify.h"
#include "support/PosiTransferFixture.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace posifixture;
using positions::PosiRecord;
using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(sim::Fault)

namespace {

// The progress window whose Cancel is pressed once the bar reaches `at`.
class CancelAt : public link::TransferProgress
{
public:
    explicit CancelAt(int at) : m_at(at) { link::setTransferProgress(this); }
    ~CancelAt() override { link::setTransferProgress(nullptr); }
    void setValue(int value) override
    {
        if (value == m_at && gTranceCancelable)
            gTranceCancel = true;
    }

private:
    int m_at;
};

QString overLimitText(const QString &list)
{
    return LoadResText(379) + QStringLiteral("\r\n") + LoadResText(380) + QStringLiteral("\r\n")
           + LoadResText(381) + list + LoadResText(382);
}

// Positions 1 to `count` of the controller hold recordFor(n, 20, 100 n).
void fillController(SimFixture &sim, int count)
{
    for (int n = 1; n <= count; ++n)
        sim.model().setPosition(n, digits(recordFor(n, 20, 100 * n)));
}

bool tableHolds(int n, const PosiRecord &r)
{
    const auto got = positions::posiRecordFromTable(n);
    return got && *got == r;
}

} // namespace

class TestPosiTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void readRange_data();
    void readRange();
    void saveQuestion_data();
    void saveQuestion();
    void reconciliationReadFails();
    void reconciliation_data();
    void reconciliation();
    void cancelMidRead();
    void faultMidRead_data();
    void faultMidRead();

    void writeRange();
    void writeAfterRefusedPasteSendsTheScreen();
    void lateReplyMidway_data();
    void lateReplyMidway();
    void writeOverLimit_data();
    void writeOverLimit();
    void writeFaultMidway_data();
    void writeFaultMidway();
    void writeSkipsFlaggedAndRefusesBadValues();
    void writeCancelledBetweenPositions();
    void writePlainModeRefused_data();
    void writeModeEnteredLate();
    void writeAxisUseUnread_data();
    void writeAxisUseUnread();
    void writePlainModeRefused();
    void roundTrip();
    void newControllerReadAndWrittenBack();

private:
    QTemporaryDir m_dir;
    SimFixture m_sim;
};

void TestPosiTransfer::initTestCase()
{
    platform::SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
    m_sim.startOrFail();
}

void TestPosiTransfer::init()
{
    TestEnv::resetAll();
    m_sim.reset();
    matchController(m_sim, 0b1111);
}

void TestPosiTransfer::cleanup()
{
    QCOMPARE(m_sim.dialogs().unexpected(), QStringList());
    CommPortCloseForce();
}

void TestPosiTransfer::readRange_data()
{
    QTest::addColumn<int>("from"); // -1: all positions
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("mm");

    QTest::newRow("2 to 4 in pulses") << 2 << 4 << false;
    QTest::newRow("2 to 4 in millimetres") << 2 << 4 << true;
    QTest::newRow("all positions") << -1 << 999 << false;
}

void TestPosiTransfer::readRange()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, mm);
    FakeMainForm form;
    gDispMmUnit = mm;
    fillController(m_sim, 999);
    gPosiWork[3][20] = QStringLiteral("kept from the file");
    gPosiFilePath = QStringLiteral("/somewhere/old.qzd");

    // A table that was never filled is not asked about.
    ModalDriver driver;
    driver.then(range(from, to));
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), 0);

    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(370)});
    const int first = from < 0 ? 1 : from;
    const QStringList sent = linesOf(m_sim.received(), QStringLiteral("0RP"));
    QCOMPARE(sent.size(), to - first + 1);
    QCOMPARE(sent.first(), QStringLiteral("0RP") + positions::posiRecordNo(first));
    QCOMPARE(sent.last(), QStringLiteral("0RP") + positions::posiRecordNo(to));
    QCOMPARE(m_sim.hooks().entries(QStringLiteral("progress 368")),
             QStringList{QStringLiteral("progress 368 of %1").arg(to - first + 2)});
    for (int n = first; n <= to; ++n)
        QVERIFY2(tableHolds(n, recordFor(n, 20, 100 * n)), qPrintable(QString::number(n)));
    QCOMPARE(gPosiTable[3][4], 300 * 2 / 400.0);
    QCOMPARE(gPosiFileTable[3][kColComment].toString(), QStringLiteral("kept from the file"));
    QCOMPARE(gPosiNoDefFrom, first);
    QCOMPARE(gPosiNoDefTo, to);
    QCOMPARE(gPosiFileName, LoadResText(374));
    QCOMPARE(form.fileName, LoadResText(374));
    QVERIFY(gPosiFilePath.isEmpty());
    QVERIFY(!gDataChanged);
    QVERIFY(!gOfflineMode);
    QVERIFY(form.gridActive);
    QCOMPARE(form.grid.rows(), to - first + 3);
    const int second = 100 * (first + 1);
    QCOMPARE(form.grid.text(3, 4), mm ? QStringLiteral("%1").arg(second * 2 / 400.0, 7, 'f', 3) : QString::number(second));
}

void TestPosiTransfer::saveQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveGoesThrough");
    QTest::addColumn<bool>("reads");

    QTest::newRow("cancel") << int(platform::IdCancel) << false << false;
    QTest::newRow("no") << int(platform::IdNo) << false << true;
    QTest::newRow("yes, the save is cancelled") << int(platform::IdYes) << false << false;
    QTest::newRow("yes, saved") << int(platform::IdYes) << true << true;
}

void TestPosiTransfer::saveQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, saveGoesThrough);
    QFETCH(bool, reads);
    FakeMainForm form;
    fillController(m_sim, 5);
    showTable(form, 1, 5); // a new table holds data, changed or not
    const QString path = m_dir.filePath(QStringLiteral("saved.qzd"));
    QFile::remove(path);

    ModalDriver driver;
    QStringList expected{LoadResText(369)};
    m_sim.dialogs().answer(answer);
    if (answer == platform::IdYes) {
        driver.then(range(saveGoesThrough ? 1 : 0, 5));
        if (saveGoesThrough) {
            m_sim.dialogs().answer(platform::IdOk);
            m_sim.dialogs().chooseFile(path);
            expected << LoadResText(405);
        }
    }
    if (reads) {
        driver.then(range(1, 5));
        m_sim.dialogs().answer(platform::IdOk);
        expected << LoadResText(370);
    }
    QCOMPARE(GetPosidataFromCt(), reads ? 0 : 1);
    QCOMPARE(m_sim.prompts(), expected);
    QCOMPARE(QFile::exists(path), saveGoesThrough);
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0RP")).size(), reads ? 5 : 0);
    QCOMPARE(tableHolds(2, recordFor(2, 20, 200)), reads);
    QCOMPARE(driver.pending(), 0);
    QVERIFY(form.gridActive);
}

// The controller's actuators cannot be read: the link's box alone, nothing read.
void TestPosiTransfer::reconciliationReadFails()
{
    FakeMainForm form;
    fillController(m_sim, 10);
    m_sim.controller().addFault(Fault::nth(FaultKind::WrongRecord, "0RD6", 1));

    ModalDriver driver;
    driver.then(range(3, 6));
    m_sim.dialogs().answer(platform::IdOk); // 370
    m_sim.dialogs().answer(platform::IdOk); // the link's box
    QCOMPARE(GetPosidataFromCt(), 1);

    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(370), LoadResText(104)}));
    QCOMPARE(driver.pending(), 0);
    QVERIFY(linesOf(m_sim.received(), QStringLiteral("0RP")).isEmpty());
    QVERIFY(gOfflineMode);
}

void TestPosiTransfer::reconciliation_data()
{
    QTest::addColumn<int>("option"); // -1 cancel; -2 the port cannot be opened
    QTest::addColumn<bool>("reads");
    QTest::addColumn<QStringList>("after"); // message boxes after 370

    QTest::newRow("read the controller's setting") << 0 << true << QStringList();
    QTest::newRow("disregard it") << 1 << true << QStringList();
    QTest::newRow("cancel") << -1 << false << QStringList{ResLines({425})};
    QTest::newRow("port cannot be opened") << -2 << false << QStringList{ResLines({108, 425})};
}

void TestPosiTransfer::reconciliation()
{
    QFETCH(int, option);
    QFETCH(bool, reads);
    QFETCH(QStringList, after);
    FakeMainForm form;
    fillController(m_sim, 10);
    const int storedStroke = gDevStroke[0];
    SaveDevSetting();
    // The controller's axis 1 carries another stroke.
    sim::ControllerModel::Actuator other;
    other.stroke = 50;
    m_sim.model().setActuator(0, other);
    gPosiNoDefFrom = gPosiNoFrom = 0;
    gPosiNoDefTo = gPosiNoTo = 0;
    if (option == -2)
        m_sim.useMissingDevice();

    ModalDriver driver;
    driver.then(range(3, 6));
    m_sim.dialogs().answer(platform::IdOk);
    if (option != -2)
        driver.then(choose(option));
    if (!reads)
        m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), reads ? 0 : 1);
    qputenv("QZW4_PORT_DEVICE", m_sim.controller().devicePath().toLocal8Bit());

    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(370)} + after);
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0RP")).size(), reads ? 4 : 0);
    QCOMPARE(tableHolds(4, recordFor(4, 20, 400)), reads);
    QCOMPARE(gPosiNoDefFrom, reads ? 3 : 0);
    QCOMPARE(gPosiNoDefTo, reads ? 6 : 0);
    QCOMPARE(gPosiNoFrom, reads ? 3 : 0);
    QCOMPARE(gOfflineMode, option == -2);
    // Reading the controller's setting takes its actuator.
    QCOMPARE(gPrmActStroke[0], option == -2 ? 0 : 50);
    // Taken, it is the current one and the one the next start loads; disregarded, neither.
    const bool taken = option == 0;
    QCOMPARE(gDevStroke[0], taken ? 50 : storedStroke);
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke1"), QString()).toInt(), taken ? 50 : storedStroke);
}

void TestPosiTransfer::cancelMidRead()
{
    FakeMainForm form;
    fillController(m_sim, 10);
    showTable(form, 1, 15);
    CancelAt cancel(2); // pressed while the third position is on its way

    ModalDriver driver;
    m_sim.dialogs().answer(platform::IdNo);
    driver.then(range(1, 10));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), 1);

    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0RP")),
             QStringList({"0RP001", "0RP002", "0RP003"}));
    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(369), LoadResText(370), LoadResText(425)}));
    QCOMPARE(gPosiFileTable[2][0].toInt(), 30);
    QCOMPARE(gPosiTable[2][0], 0.0);
    QCOMPARE(gPosiNoDefFrom, 1);
    QCOMPARE(gPosiNoDefTo, 15);
    QCOMPARE(gPosiNoFrom, 1);
    QCOMPARE(gPosiNoTo, 15);
    QCOMPARE(form.grid.rows(), 17);
    QCOMPARE(gPosiFileName, QString());
}

void TestPosiTransfer::faultMidRead_data()
{
    QTest::addColumn<sim::Fault>("fault");
    QTest::addColumn<QString>("message"); // the link's box, the only one after the questions

    Fault notHex = Fault::nth(FaultKind::NotHex, "0RP", 3);
    notHex.offset = 12;
    QTest::newRow("field not hexadecimal") << notHex << LoadResText(104);
    QTest::newRow("another position's reply") << Fault::nth(FaultKind::WrongRecord, "0RP", 3) << LoadResText(104);
    QTest::newRow("wrong length") << Fault::nth(FaultKind::WrongLength, "0RP", 3) << ResLines({105, 106});
}

void TestPosiTransfer::faultMidRead()
{
    QFETCH(sim::Fault, fault);
    QFETCH(QString, message);
    FakeMainForm form;
    fillController(m_sim, 10);
    showTable(form, 1, 15);
    gPosiFileName = QStringLiteral("mine");
    m_sim.controller().addFault(fault);

    ModalDriver driver;
    m_sim.dialogs().answer(platform::IdNo);
    driver.then(range(2, 8));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), 1);

    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(369), LoadResText(370), message}));
    QVERIFY(!linesOf(m_sim.received(), QStringLiteral("0RP")).contains(QStringLiteral("0RP005")));
    QVERIFY(gOfflineMode);
    QCOMPARE(gPosiFileTable[2][0].toInt(), 30);
    QCOMPARE(gPosiTable[3][0], 0.0);
    QCOMPARE(gPosiNoDefFrom, 1);
    QCOMPARE(gPosiNoDefTo, 15);
    QCOMPARE(gPosiFileName, QStringLiteral("mine"));
    QVERIFY(!m_sim.hooks().progressOpen);
}

void TestPosiTransfer::writeRange()
{
    FakeMainForm form;
    showTable(form, 1, 5, [] {
        for (int n = 1; n <= 5; ++n)
            putIntoTable(n, recordFor(n, 10 + n, 1000 * n));
    });

    ModalDriver driver;
    driver.then(range(2, 4));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 0);

    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(375), LoadResText(376)}));
    const QStringList received = m_sim.received();
    QCOMPARE(received.first(), QStringLiteral("0RA"));
    QVERIFY(received.contains(QStringLiteral("0CM01")));
    QCOMPARE(received.last(), QStringLiteral("0CM00"));
    QCOMPARE(linesOf(received, QStringLiteral("0WP")),
             QStringList({QStringLiteral("0WP") + *positions::encodePosiRecord(2, recordFor(2, 12, 2000)),
                          QStringLiteral("0WP") + *positions::encodePosiRecord(3, recordFor(3, 13, 3000)),
                          QStringLiteral("0WP") + *positions::encodePosiRecord(4, recordFor(4, 14, 4000))}));
    QCOMPARE(m_sim.model().position(3), digits(recordFor(3, 13, 3000)));
    QCOMPARE(m_sim.model().position(5), sim::ControllerModel::newPosition());
    QCOMPARE(m_sim.hooks().entries(QStringLiteral("progress 383")), QStringList{QStringLiteral("progress 383 of 3")});
    QVERIFY(m_sim.hooks().log.contains(QStringLiteral("progress closed at 3")));
    QVERIFY(form.gridActive);
    QVERIFY(!gDataChanged);
}

// A paste refused for one field leaves the grid as it was, and the write sends exactly what
// the grid shows, as it did before the paste.
void TestPosiTransfer::writeAfterRefusedPasteSendsTheScreen()
{
    FakeMainForm form;
    showTable(form, 1, 3, [] {
        for (int n = 1; n <= 3; ++n)
            putIntoTable(n, recordFor(n, 10 + n, 1000 * n));
    });
    const auto write = [this] {
        m_sim.controller().clearReceived();
        ModalDriver driver;
        driver.then(range(1, 3));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().answer(platform::IdOk);
        const int result = LoadPosidataToCt();
        return result == 0 ? linesOf(m_sim.received(), QStringLiteral("0WP")) : QStringList();
    };
    const QStringList first = write();
    QCOMPARE(first.size(), 3);

    // Position 2's line from another program: VEL "12abc", a position "1,5".
    QStringList fields;
    for (int c = 1; c <= 20; ++c)
        fields << form.grid.text(3, c);
    fields[0] = QStringLiteral("12abc");
    fields[3] = QStringLiteral("1,5");
    const QStringList shown = form.grid.row(3);
    m_sim.dialogs().answer(platform::IdOk);
    QVERIFY(!positions::LinePasteFromClip(form.grid, fields.join(QLatin1Char('\t')), 3, 1));
    QCOMPARE(form.grid.row(3), shown);
    const QStringList written{LoadResText(375), LoadResText(376)};
    QCOMPARE(m_sim.prompts(), written + QStringList{LoadResText(3010) + QStringLiteral("\r\nNo.2  VEL1  \"12abc\"\r\nNo.2  Posi1(mm)  \"1,5\"")});

    QCOMPARE(write(), first);
}

// A controller that answers a position only after its resend, and the resend's copy
// meets the next position's command: every position still goes where it belongs.
void TestPosiTransfer::lateReplyMidway_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<sim::Fault>("fault"); // on the third position's command
    QTest::addColumn<bool>("resent");
    for (const bool write : {false, true}) {
        const QByteArray command = write ? "0WP" : "0RP";
        const char *road = write ? "write" : "read";
        QTest::newRow(road) << write << Fault::late(command, 3, true) << true;
        // Wire faults the resend recovers from, and a controller that answers twice.
        QTest::newRow(qPrintable(QStringLiteral("%1, LF lost").arg(QLatin1String(road))))
            << write << Fault::lineEndLost(command, 3) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1, reply cut for good").arg(QLatin1String(road))))
            << write << Fault::cutForGood(command, 3) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1, reply sent twice").arg(QLatin1String(road))))
            << write << Fault::twice(command, 3, true) << false;
        QTest::newRow(qPrintable(QStringLiteral("%1, reply sent twice at once").arg(QLatin1String(road))))
            << write << Fault::twice(command, 3, false) << false;
    }
}

void TestPosiTransfer::lateReplyMidway()
{
    QFETCH(bool, write);
    QFETCH(sim::Fault, fault);
    QFETCH(bool, resent);
    FakeMainForm form;
    const QString command = write ? QStringLiteral("0WP") : QStringLiteral("0RP");
    ModalDriver driver;
    if (write) {
        showTable(form, 1, 5, [] {
            for (int n = 1; n <= 5; ++n)
                putIntoTable(n, recordFor(n, 10 + n, 1000 * n));
        });
        driver.then(range(1, 5));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().answer(platform::IdOk);
    } else {
        fillController(m_sim, 5);
        driver.then(range(1, 5));
        m_sim.dialogs().answer(platform::IdOk);
    }
    m_sim.controller().addFault(fault);
    QCOMPARE(write ? LoadPosidataToCt() : GetPosidataFromCt(), 0);

    QCOMPARE(m_sim.prompts(), write ? QStringList({LoadResText(375), LoadResText(376)})
                                    : QStringList{LoadResText(370)});
    const QStringList sent = linesOf(m_sim.received(), command);
    QCOMPARE(sent.size(), resent ? 6 : 5);
    if (resent)
        QCOMPARE(sent.at(2), sent.at(3)); // the third position went twice
    for (int n = 1; n <= 5; ++n) {
        if (write)
            QCOMPARE(m_sim.model().position(n), digits(recordFor(n, 10 + n, 1000 * n)));
        else
            QVERIFY2(tableHolds(n, recordFor(n, 20, 100 * n)), qPrintable(QString::number(n)));
    }
}

void TestPosiTransfer::writeOverLimit_data()
{
    QTest::addColumn<bool>("mm");
    QTest::newRow("pulses") << false;
    QTest::newRow("millimetres") << true;
}

void TestPosiTransfer::writeOverLimit()
{
    QFETCH(bool, mm);
    matchController(m_sim, 0b1111, 10000);
    FakeMainForm form;
    gDispMmUnit = mm;
    // 12000 pulses are 60 mm: within the actuator's stroke, beyond the controller's limit.
    showTable(form, 1, 5, [] {
        gPosiTable[3][0] = 12000;
        gPosiTable[5][1] = 10001;
        gPosiTable[4][0] = 10000;
    });

    ModalDriver driver;
    driver.then(range(1, 5));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 1);

    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(375), overLimitText(QStringLiteral("3,5,"))}));
    QVERIFY(linesOf(m_sim.received(), QStringLiteral("0WP")).isEmpty());
    // The controller is never left in transfer mode.
    QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
    QVERIFY(!m_sim.hooks().progressOpen);
}

void TestPosiTransfer::writeFaultMidway_data()
{
    QTest::addColumn<sim::Fault>("fault");
    QTest::addColumn<QString>("message"); // the link's box, the only one after the question

    QTest::newRow("echo of another position") << Fault::nth(FaultKind::WrongRecord, "0WP", 3) << ResLines({384, 385, 3022});
    QTest::newRow("wrong length") << Fault::nth(FaultKind::WrongLength, "0WP", 3) << ResLines({105, 106, 3022});
}

void TestPosiTransfer::writeFaultMidway()
{
    QFETCH(sim::Fault, fault);
    QFETCH(QString, message);
    FakeMainForm form;
    showTable(form, 1, 6, [] {
        for (int n = 1; n <= 6; ++n)
            putIntoTable(n, recordFor(n, 30, 50 * n));
    });
    m_sim.controller().addFault(fault);

    ModalDriver driver;
    driver.then(range(1, 6));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 1);

    // One box: the link's word, then that the controller may hold part of the new data.
    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(375), message}));
    QCOMPARE(m_sim.model().position(1), digits(recordFor(1, 30, 50)));
    QCOMPARE(m_sim.model().position(2), digits(recordFor(2, 30, 100)));
    QCOMPARE(m_sim.model().position(4), sim::ControllerModel::newPosition());
    QVERIFY(!linesOf(m_sim.received(), QStringLiteral("0WP")).join(QLatin1Char(' ')).contains(QStringLiteral("0WP004")));
    QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
    QVERIFY(!m_sim.hooks().progressOpen);
}

void TestPosiTransfer::writeSkipsFlaggedAndRefusesBadValues()
{
    FakeMainForm form;
    showTable(form, 1, 5);
    gPosiLineFlag[1] = true; // position 2
    gPosiLineFlag[3] = true; // position 4
    QCOMPARE(WritePosidataToCt(), 0);
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0WP")).size(), 3);
    QCOMPARE(QStringList(linesOf(m_sim.received(), QStringLiteral("0WP"))).replaceInStrings(QRegularExpression(QStringLiteral("^(.{6}).*")), QStringLiteral("\\1")),
             QStringList({"0WP001", "0WP003", "0WP005"}));

    // A check that passes leaves no position flagged.
    QCOMPARE(PosiDataCheck3(), 0);
    for (int n = 1; n <= 5; ++n)
        QVERIFY(!gPosiLineFlag[n - 1]);

    // A value that does not fit its field stops the write before anything is sent.
    m_sim.controller().clearReceived();
    gPosiFileTable[4][0] = 300;
    gPosiTable[2][1] = 2000000;
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(WritePosidataToCt(), 1);
    QVERIFY(m_sim.received().isEmpty());
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(385) + QStringLiteral("\r\n") + LoadResText(380)
                                          + QStringLiteral("\r\n") + LoadResText(381) + QStringLiteral("2,4,")
                                          + LoadResText(382)});
}

void TestPosiTransfer::writeCancelledBetweenPositions()
{
    FakeMainForm form;
    showTable(form, 1, 6, [] {
        for (int n = 1; n <= 6; ++n)
            putIntoTable(n, recordFor(n, 30, 50 * n));
    });
    CancelAt cancel(2); // pressed while the second position is on its way

    ModalDriver driver;
    driver.then(range(1, 6));
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 1);

    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(375)});
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0WP")).size(), 2);
    QCOMPARE(m_sim.model().position(2), digits(recordFor(2, 30, 100)));
    QCOMPARE(m_sim.model().position(3), sim::ControllerModel::newPosition());
    QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
    QVERIFY(form.gridActive);
}

// The write mode entered late: the link's box alone, the plain mode asked for once, silently,
// and no position sent.
void TestPosiTransfer::writeModeEnteredLate()
{
    FakeMainForm form;
    showTable(form, 1, 2, [] {
        for (int n = 1; n <= 2; ++n)
            putIntoTable(n, recordFor(n, 30, 50 * n));
    });
    m_sim.controller().addFault(Fault::longAfterTheTimeOut("0CM01", 1));

    ModalDriver driver;
    driver.then(range(1, 2));
    m_sim.dialogs().answer(platform::IdOk); // 375
    m_sim.dialogs().answer(platform::IdOk); // the time-out
    QCOMPARE(LoadPosidataToCt(), 1);

    QCOMPARE(m_sim.prompts(), (QStringList{LoadResText(375), ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))}));
    QVERIFY(linesOf(m_sim.received(), QStringLiteral("0WP")).isEmpty());
    QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
    QCOMPARE(m_sim.received().count(QStringLiteral("0CM00")), 1);
}

void TestPosiTransfer::writeAxisUseUnread_data()
{
    QTest::addColumn<sim::Fault>("fault");
    QTest::addColumn<QStringList>("after375");

    // The axis use read again in the write mode (the second "0RD0"): the link's box alone.
    QTest::newRow("echo of another block") << Fault::nth(FaultKind::WrongRecord, "0RD0", 2)
                                           << QStringList{LoadResText(104)};
    QTest::newRow("wrong echo") << Fault::nth(FaultKind::WrongEcho, "0RD0", 2) << QStringList{LoadResText(104)};
}

// The axis use that cannot be read in the write mode is told once, and nothing is written.
void TestPosiTransfer::writeAxisUseUnread()
{
    QFETCH(sim::Fault, fault);
    QFETCH(QStringList, after375);
    FakeMainForm form;
    showTable(form, 1, 2, [] {
        for (int n = 1; n <= 2; ++n)
            putIntoTable(n, recordFor(n, 30, 50 * n));
    });
    m_sim.controller().addFault(fault);

    ModalDriver driver;
    driver.then(range(1, 2));
    m_sim.dialogs().answer(platform::IdOk);
    for (int i = 0; i < after375.size(); ++i)
        m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 1);

    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(375)} + after375);
    QVERIFY(linesOf(m_sim.received(), QStringLiteral("0WP")).isEmpty());
    QCOMPARE(m_sim.model().position(1), sim::ControllerModel::newPosition());
}

void TestPosiTransfer::writePlainModeRefused_data()
{
    QTest::addColumn<int>("refusals"); // of "0CM00", each a wrong echo
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("after375");

    QTest::newRow("taken at the third try") << 2 << 0 << QStringList{LoadResText(376)};
    QTest::newRow("refused at every try") << 6 << 1 << QStringList{ResLines({3020, 3021})};
}

void TestPosiTransfer::writePlainModeRefused()
{
    QFETCH(int, refusals);
    QFETCH(int, result);
    QFETCH(QStringList, after375);
    FakeMainForm form;
    showTable(form, 1, 2, [] {
        for (int n = 1; n <= 2; ++n)
            putIntoTable(n, recordFor(n, 30, 50 * n));
    });
    Fault refused = Fault::always(FaultKind::WrongEcho, "0CM00");
    refused.last = refusals;
    m_sim.controller().addFault(refused);

    ModalDriver driver;
    driver.then(range(1, 2));
    m_sim.dialogs().answer(platform::IdOk);
    for (int i = 0; i < after375.size(); ++i)
        m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), result);

    // The tries themselves are silent: the operator reads the outcome once.
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(375)} + after375);
    QCOMPARE(m_sim.received().count(QStringLiteral("0CM00")), qMin(refusals + 1, 6));
    QCOMPARE(m_sim.model().position(2), digits(recordFor(2, 30, 100)));
}

void TestPosiTransfer::roundTrip()
{
    FakeMainForm form;
    showTable(form, 1, 20, [] {
        for (int n = 1; n <= 20; ++n)
            putIntoTable(n, recordFor(n, n + 5, 777 * n));
        gPosiFileTable[7][kColComment] = QStringLiteral("seven");
    });
    const QString path = m_dir.filePath(QStringLiteral("round.qzd"));
    QCOMPARE(SaveFileAs2(path), 0);
    ModalDriver driver;
    driver.then(range(1, 20));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 0);

    // Another table in the system, then the controller's read back.
    showTable(form, 1, 3);
    gPosiWork[7][20] = QStringLiteral("seven");
    m_sim.dialogs().answer(platform::IdNo);
    driver.then(range(1, 20));
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), 0);
    for (int n = 1; n <= 20; ++n)
        QVERIFY2(tableHolds(n, recordFor(n, n + 5, 777 * n)), qPrintable(QString::number(n)));
    QCOMPARE(form.grid.text(8, 20), QStringLiteral("seven"));

    // And verified equal against the controller.
    driver.then(range(1, 20));
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(PosiDataCtShogoCmd(), 0);
    QStringList shown{LoadResText(375), LoadResText(376), LoadResText(369), LoadResText(370),
                      LoadResText(354) + QStringLiteral("\r\n\r\n") + LoadResText(826)};
    QCOMPARE(m_sim.prompts(), shown);

    // And against the file saved before the write.
    m_sim.dialogs().chooseFile(path);
    driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdSelectPosiOk")); });
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(PosiDataFileShogo2(), 0);
    shown << LoadResText(352) + path + LoadResText(353) + QStringLiteral("\r\n\r\n") + LoadResText(826);
    QCOMPARE(m_sim.prompts(), shown);
    QCOMPARE(driver.pending(), 0);
}

void TestPosiTransfer::newControllerReadAndWrittenBack()
{
    // A controller as it comes holds a new table's values: read, they pass the check and go
    // back unchanged.
    FakeMainForm form;
    ModalDriver driver;
    driver.then(range(1, 10));
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(GetPosidataFromCt(), 0);
    QCOMPARE(form.grid.text(2, 1), QStringLiteral("30"));
    QCOMPARE(form.grid.text(2, 2), QStringLiteral("3"));
    driver.then(range(1, 10));
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(LoadPosidataToCt(), 0);
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0WP")).size(), 10);
    QCOMPARE(m_sim.model().position(10), sim::ControllerModel::newPosition());
    QCOMPARE(driver.pending(), 0);
    QVERIFY(driver.unexpected().isEmpty());
}

QTEST_MAIN(TestPosiTransfer)
#include "tst_positransfer.moc"
