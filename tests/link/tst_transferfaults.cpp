// Every resending transfer of blocks (parameters, groups, macros, actuator read-back, axis
// limits, the model check) under the controller's and the wire's faults, against the simulated
// controller: right data, no box, nothing left over for the next command. Each fault family is
// a function of its own, run by CTest as an entry of its own, since each fault costs real
// time-outs of the link.
#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/GrpSmTransfer.h"
#include "link/LinkState.h"
#include "link/ParaBlockCodec.h"
#include "link/ParaTransfer.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "tables/DevSetting.h"
#include "tables/GrpTable.h"
#include "tables/ParaSet.h"
#include "tables/SmTable.h"
#include "support/SimFixture.h"
#include "support/ValidParameters.h"

#include <QtTest>

using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(sim::Fault)

namespace {

// Some line was sent twice in a row: the controller's late answer made the sender resend it.
bool resentOnce(const QStringList &lines, const QByteArray &command)
{
    for (int i = 1; i < lines.size(); ++i)
        if (lines.at(i) == lines.at(i - 1) && lines.at(i).startsWith(QLatin1String(command)))
            return true;
    return false;
}

// Every block a parameter write sent is the controller's block now.
void checkWrittenBlocks(const SimFixture &sim, const QStringList &received)
{
    for (const QString &line : received) {
        if (!line.startsWith(QLatin1String("0WD")))
            continue;
        const int block = line.mid(3, 1).toInt(nullptr, 16);
        QCOMPARE(QString::fromLatin1(const_cast<SimFixture &>(sim).model().block(block).toHex().toUpper()),
                 line.mid(4));
    }
}

struct Transfer
{
    const char *name;
    const char *operation;
    QByteArray command;
    int n; // the fault falls on the n-th line of the command
};

const Transfer kTransfers[] = {
    {"parameter read", "para read", "0RD", 2},
    {"parameter write", "para write", "0WD", 2},
    {"actuator parameter write", "device write", "0WD", 1},
    {"axis use rewrite", "axis use", "0RD", 1},
    {"group read", "grp read", "0RG", 40},
    {"group write", "grp write", "0WG", 40},
    {"macro read", "sm read", "0RS", 5},
    {"macro write", "sm write", "0WS", 5},
    {"actuator read-back", "device read", "0RD", 1},
    {"axis limits", "axis block", "0RD", 1},
    {"model of every axis", "model", "0RV", 1},
};

void addFaultColumns()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("paced");  // the controller's characters at 9600 baud, in turn
    QTest::addColumn<bool>("resent"); // some line must have gone twice
}

} // namespace

class TestTransferFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void lateReplyInEveryTransfer_data();
    void lateReplyInEveryTransfer() { runUnderFault(); }
    void slowRunInEveryTransfer_data();
    void slowRunInEveryTransfer() { runUnderFault(); }
    void cutReplyInEveryTransfer_data();
    void cutReplyInEveryTransfer() { runUnderFault(); }
    void wireFaultInEveryTransfer_data();
    void wireFaultInEveryTransfer() { runUnderFault(); }

private:
    void runUnderFault();
    SimFixture m_sim;
};

void TestTransferFaults::initTestCase()
{
    m_sim.startOrFail();
}

void TestTransferFaults::init()
{
    m_sim.reset();
}

void TestTransferFaults::lateReplyInEveryTransfer_data()
{
    addFaultColumns();
    // The copy of the late reply meets the next command (the worst case) ...
    for (const Transfer &t : kTransfers)
        QTest::newRow(t.name) << t.operation << Fault::late(t.command, t.n, true) << false << true;
    // ... or follows the late reply at once.
    QTest::newRow("group read, copy at once") << "grp read" << Fault::late("0RG", 40, false) << false << true;
}

void TestTransferFaults::slowRunInEveryTransfer_data()
{
    addFaultColumns();
    // A controller that stays slow for a while: every line answered after the time-out,
    // resends included, so that each copy of a reply meets the next line's time-out.
    // The axis use rewrite reads one block and writes one: the run spans both commands.
    for (const Transfer &t : kTransfers) {
        const QByteArray match = QByteArray(t.operation) == "axis use" ? QByteArray() : t.command;
        QTest::newRow(qPrintable(QStringLiteral("%1, slow run").arg(QLatin1String(t.name))))
            << t.operation << Fault::slow(match, t.n, 4, 1500) << true << true;
    }
}

void TestTransferFaults::cutReplyInEveryTransfer_data()
{
    addFaultColumns();
    // A reply that the time-out cuts: its rest comes within one line time ...
    for (const Transfer &t : kTransfers)
        QTest::newRow(qPrintable(QStringLiteral("%1, cut by the time-out").arg(QLatin1String(t.name))))
            << t.operation << Fault::straddle(t.command, t.n, 975, 35) << true << false;
    // ... or pauses longer: the line goes again; the head received is not glued to the
    // resend's reply, and the rest that follows the resend completes it.
    QTest::newRow("parameter read, cut reply pauses") << "para read" << Fault::straddle("0RD", 2, 975, 150) << true << true;
    QTest::newRow("group write, cut reply pauses") << "grp write" << Fault::straddle("0WG", 40, 975, 150) << true << true;
    QTest::newRow("model, cut reply pauses") << "model" << Fault::straddle("0RV", 2, 975, 150) << true << true;
}

void TestTransferFaults::wireFaultInEveryTransfer_data()
{
    addFaultColumns();
    // Wire faults the resend recovers from: what came of the lost reply is no head of the
    // resend's reply. A controller that answers twice needs no resend: the copy is dropped,
    // whether it meets the next command or follows the reply at once on the line.
    for (const Transfer &t : kTransfers) {
        const QString name = QLatin1String(t.name);
        QTest::newRow(qPrintable(name + QStringLiteral(", LF lost")))
            << t.operation << Fault::lineEndLost(t.command, t.n) << false << true;
        QTest::newRow(qPrintable(name + QStringLiteral(", reply cut for good")))
            << t.operation << Fault::cutForGood(t.command, t.n) << true << true;
        QTest::newRow(qPrintable(name + QStringLiteral(", reply sent twice")))
            << t.operation << Fault::twice(t.command, t.n, true) << false << false;
        QTest::newRow(qPrintable(name + QStringLiteral(", reply sent twice on the line")))
            << t.operation << Fault::twice(t.command, t.n, false) << true << false;
    }
    QTest::newRow("parameter read, CR LF lost") << "para read" << Fault::lineEndLost("0RD", 2, false) << true << true;
    QTest::newRow("group write, CR LF lost") << "grp write" << Fault::lineEndLost("0WG", 40, false) << true << true;
    QTest::newRow("model, CR LF lost") << "model" << Fault::lineEndLost("0RV", 2, false) << true << true;
    QTest::newRow("group read, reply cut after its echo") << "grp read" << Fault::cutForGood("0RG", 40, 3) << false << true;
}

void TestTransferFaults::runUnderFault()
{
    QFETCH(QString, operation);
    QFETCH(Fault, fault);
    QFETCH(bool, paced);
    QFETCH(bool, resent);

    sim::ControllerModel &model = m_sim.model();
    m_sim.useAxes(3);
    validParameters();
    gAxisMask = 3;
    for (int b = 1; b <= 12; ++b)
        model.setBlockByte(b, 15, 0x40 + b);
    sim::ControllerModel::Actuator second;
    second.lead = 6;
    second.strokeLimit = 30000;
    model.setActuator(1, second);
    for (int g = 1; g <= kGrpCount; ++g) {
        model.setGroup(g, g, 999 - g);
        gGrpData[g][0] = 999 - g;
        gGrpData[g][1] = 999;
    }
    const auto macroDigits = [](int m) {
        return QByteArray::number(m % 6 + 1) + QByteArray::number(m % 4 + 1) + QByteArray(30, '0');
    };
    for (int m = 1; m <= kSmMacros; ++m) {
        model.setMacro(m, macroDigits(m));
        gSmData[0][2 * (m - 1)] = (m + 1) % 6 + 1;
        gSmData[0][2 * (m - 1) + 1] = (m + 1) % 4 + 1;
    }
    for (int a = 1; a <= 4; ++a)
        model.setAxisVersion(a, "1." + QByteArray::number(a));

    m_sim.controller().setPaced(paced);
    m_sim.controller().addFault(fault);
    int result = -1;
    if (operation == QLatin1String("para read"))
        result = ReadParaFromCt();
    else if (operation == QLatin1String("para write"))
        result = WriteParaToCt();
    else if (operation == QLatin1String("device write"))
        result = WriteParaToCt_Device();
    else if (operation == QLatin1String("axis use"))
        result = RewriteParaBlock2(1);
    else if (operation == QLatin1String("grp read"))
        result = ReadGrpDataFromCt();
    else if (operation == QLatin1String("grp write"))
        result = WriteGrpDataToCt();
    else if (operation == QLatin1String("sm read"))
        result = ReadSqMcrFromCt();
    else if (operation == QLatin1String("sm write"))
        result = WriteSqMcrToCt();
    else if (operation == QLatin1String("device read"))
        result = ReadDeviceFromCt();
    else if (operation == QLatin1String("axis block"))
        result = ReadAxisBlock();
    else if (operation == QLatin1String("model")) {
        m_sim.useAxes(15);
        result = CheckCtModel();
    }
    QCOMPARE(result, 0);
    QCOMPARE(m_sim.prompts(), QStringList{});
    const QStringList received = m_sim.received();
    if (resent)
        QVERIFY2(resentOnce(received, fault.match), qPrintable(received.join(QLatin1Char(' '))));
    else if (fault.kind == FaultKind::Twice)
        QVERIFY2(!resentOnce(received, fault.match), qPrintable(received.join(QLatin1Char(' '))));
    // A slow run may end with the transfer's last line: its copy is still to come.
    if (!paced)
        QCOMPARE(link::SerialLink::instance().repeatsExpected(), 0);
    // Nothing is left over for the command after them.
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
    QCOMPARE(link::SerialLink::instance().repeatsExpected(), 0);
    QCOMPARE(m_sim.prompts(), QStringList{});

    if (operation == QLatin1String("para read")) {
        for (int b = 0; b < link::kParaBlockCount; ++b)
            if (link::paraBlockInUse(b))
                QCOMPARE(gTusinStr[b].toString(), QStringLiteral("0RD") + QString::number(b, 16).toUpper()
                                                      + QString::fromLatin1(model.block(b).toHex().toUpper())
                                                      + QStringLiteral("\r\n"));
    } else if (operation == QLatin1String("para write") || operation == QLatin1String("device write")) {
        checkWrittenBlocks(m_sim, received);
        QCOMPARE(model.writeEnds('2'), 1);
    } else if (operation == QLatin1String("axis use")) {
        QCOMPARE(model.blockByte(0, 6), 1);
        QCOMPARE(gAxisMask, 1);
    } else if (operation == QLatin1String("grp read")) {
        for (int g = 1; g <= kGrpCount; ++g) {
            QCOMPARE(gGrpDataIn[g][0], g);
            QCOMPARE(gGrpDataIn[g][1], 999 - g);
        }
    } else if (operation == QLatin1String("grp write")) {
        for (int g = 1; g <= kGrpCount; ++g)
            QCOMPARE(model.group(g), std::make_pair(999 - g, 999));
        QCOMPARE(model.writeEnds('3'), 1);
    } else if (operation == QLatin1String("sm read")) {
        for (int m = 1; m <= kSmMacros; ++m) {
            QCOMPARE(gSmDataIn[0][2 * (m - 1)], m % 6 + 1);
            QCOMPARE(gSmDataIn[0][2 * (m - 1) + 1], m % 4 + 1);
        }
    } else if (operation == QLatin1String("sm write")) {
        for (int m = 1; m <= kSmMacros; ++m)
            QCOMPARE(model.macro(m), macroDigits(m + 1));
        QCOMPARE(model.writeEnds('1'), 1);
    } else if (operation == QLatin1String("device read")) {
        QCOMPARE(gCtDevLead[0], 2);
        QCOMPARE(gCtDevLead[1], 6);
        QCOMPARE(gAxisStrokeLimit[1], 30000);
    } else if (operation == QLatin1String("axis block")) {
        QCOMPARE(gAxisStrokeLimit[0], 20000);
        QCOMPARE(gAxisStrokeLimit[1], 30000);
    } else if (operation == QLatin1String("model")) {
        for (int a = 0; a < kAxisCount; ++a)
            QCOMPARE(gAxisVersionStr[a], QStringLiteral("1.%1").arg(a + 1));
    }
}

QTEST_MAIN(TestTransferFaults)
#include "tst_transferfaults.moc"
