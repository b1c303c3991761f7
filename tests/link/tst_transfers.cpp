// Block transfers of parameters, group data, sequence macros, actuator read-back and the
// input/output words against the simulated controller.
#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/GrpTable.h"
#include "link/ParaReread.h"
#include "tables/ParaSet.h"
#include "tables/SmTable.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/GrpSmTransfer.h"
#include "link/LinkState.h"
#include "link/ParaBlockCodec.h"
#include "link/ParaTransfer.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "tables/IoBits.h"
#include "support/SimFixture.h"
#include "support/ValidParameters.h"

#include <QtTest>
#include <cstring>

using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(sim::Fault)

namespace {

QStringList commandsOf(const QStringList &lines)
{
    QStringList out;
    for (const QString &l : lines)
        out << (l.startsWith(QLatin1String("0WD")) || l.startsWith(QLatin1String("0RD")) ? l.left(4) : l.left(3));
    return out;
}

} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void paraReadSequence_data();
    void paraReadSequence();
    void paraWriteSequence();
    void paraWriteKeepsTheControllersReservedBytes();
    void paraDeviceWrite();
    void paraFaults_data();
    void paraFaults();
    void paraReadRefusesActuatorCodes_data();
    void paraReadRefusesActuatorCodes();
    void paraWriteRefusesBadValuesBeforeSending();
    void rewriteAxisMask();
    void shortReRead();
    void groupsWritten();
    void groupsRead();
    void groupAndMacroFaults_data();
    void groupAndMacroFaults();
    void macrosWrittenAndRead();
    void actuatorReadBack();
    void inputsAndOutputs();

private:
    SimFixture m_sim;
};

void TestTransfers::initTestCase()
{
    m_sim.startOrFail();
}

void TestTransfers::init()
{
    m_sim.reset();
}

void TestTransfers::paraReadSequence_data()
{
    QTest::addColumn<int>("axes");
    QTest::addColumn<QStringList>("received");

    QTest::newRow("axis 1 only") << 1 << QStringList{"0RD0", "0RD1", "0RD5", "0RD6"};
    QTest::newRow("axes 2 and 4") << 10 << QStringList{"0RD0", "0RD2", "0RD4", "0RD7", "0RD8", "0RDB", "0RDC"};
    QTest::newRow("all axes") << 15 << QStringList{"0RD0", "0RD1", "0RD2", "0RD3", "0RD4", "0RD5", "0RD6",
                                                    "0RD7", "0RD8", "0RD9", "0RDA", "0RDB", "0RDC"};
}

void TestTransfers::paraReadSequence()
{
    QFETCH(int, axes);
    QFETCH(QStringList, received);

    m_sim.useAxes(axes);
    m_sim.model().setBlockByte(5, 0, 0x01);
    m_sim.model().setBlockByte(5, 1, 0x2C);
    QCOMPARE(ReadParaFromCt(), 0);
    QCOMPARE(m_sim.received(), received);
    QCOMPARE(m_sim.hooks().log, QStringList({"progress 368 of 13", "progress closed at 12"}));
    QCOMPARE(gParaTmp[21][0].toInt(), axes);
    for (int a = 0; a < kAxisCount; ++a) {
        const bool used = axes & (1 << a);
        QCOMPARE(gParaTmp[13][a].toString(), used ? QStringLiteral(" 28L100") : QString());
        QCOMPARE(gParaTmp[9][a].toString(), used ? QStringLiteral("400") : QString());
    }
    if (axes & 1)
        QCOMPARE(gParaTmp[1][0].toInt(), 300);
    QCOMPARE(m_sim.prompts(), QStringList{});
}

void TestTransfers::paraWriteSequence()
{
    m_sim.useAxes(1);
    QCOMPARE(ReadParaFromCt(), 0); // the reserved bytes of this run
    m_sim.controller().clearReceived();
    validParameters();
    QCOMPARE(WriteParaToCt(), 0);
    QCOMPARE(commandsOf(m_sim.received()), QStringList({"0WD0", "0WD1", "0WD5", "0WD6", "0WE"}));
    QCOMPARE(m_sim.received().last(), QStringLiteral("0WE2"));
    QCOMPARE(m_sim.model().writeEnds('2'), 1);
    QCOMPARE(m_sim.model().block(5).left(2).toHex().toUpper(), QByteArray("012C"));
    QCOMPARE(m_sim.model().block(6).mid(2, 2).toHex().toUpper(), QByteArray("9C40"));
    QCOMPARE(m_sim.model().block(6).mid(5, 3).toHex().toUpper(), QByteArray("03FFFF"));
    QCOMPARE(m_sim.model().block(6).mid(8, 2), QByteArray("\x1C" "L"));
    QCOMPARE(m_sim.model().blockByte(0, 6), 1);
    QCOMPARE(gTusinStr[6].toString(), QStringLiteral("6") + QString::fromLatin1(m_sim.model().block(6).toHex().toUpper()));
    QCOMPARE(m_sim.hooks().log.last(), QStringLiteral("progress closed at 14"));

    // Read back, the controller gives the very values.
    ClearParaArrays();
    QCOMPARE(ReadParaFromCt(), 0);
    QCOMPARE(SetParametaFromTable(), 0);
    QCOMPARE(gPrmAxisPulse[0], 40000);
    QCOMPARE(gPrmAxisStroke[0], 262143);
    QCOMPARE(gPrmHomeOffset[0], 300);
}

void TestTransfers::paraWriteKeepsTheControllersReservedBytes()
{
    m_sim.useAxes(1);
    m_sim.model().setBlockByte(0, 8, 0x5A);  // the ninth single parameter
    m_sim.model().setBlockByte(0, 12, 0xAB); // reserved
    m_sim.model().setBlockByte(5, 15, 0xCD);
    m_sim.model().setBlockByte(6, 13, 0xEF);
    validParameters();
    // Nothing read in this run: the blocks with reserved bytes are read first.
    QCOMPARE(WriteParaToCt(), 0);
    QCOMPARE(commandsOf(m_sim.received()),
             QStringList({"0RD0", "0RD5", "0RD6", "0WD0", "0WD1", "0WD5", "0WD6", "0WE"}));
    QCOMPARE(m_sim.model().blockByte(0, 8), 0x5A);
    QCOMPARE(m_sim.model().blockByte(0, 12), 0xAB);
    QCOMPARE(m_sim.model().blockByte(5, 15), 0xCD);
    QCOMPARE(m_sim.model().blockByte(6, 13), 0xEF);

    // Once known, they are not read again.
    m_sim.controller().clearReceived();
    QCOMPARE(WriteParaToCt(), 0);
    QCOMPARE(commandsOf(m_sim.received()), QStringList({"0WD0", "0WD1", "0WD5", "0WD6", "0WE"}));
}

void TestTransfers::paraDeviceWrite()
{
    m_sim.useAxes(1);
    validParameters();
    m_sim.model().setBlockByte(0, 2, 0x77); // block 0 is not the device write's
    QCOMPARE(WriteParaToCt_Device(), 0);
    QCOMPARE(commandsOf(m_sim.received()), QStringList({"0RD5", "0RD6", "0WD5", "0WD6", "0WE"}));
    QCOMPARE(gTusinStr[1].toString().left(1), QStringLiteral("5"));
    QCOMPARE(gTusinStr[2].toString().left(1), QStringLiteral("6"));
    QCOMPARE(m_sim.model().blockByte(0, 2), 0x77);
    QCOMPARE(m_sim.hooks().log.last(), QStringLiteral("progress closed at 9"));
}

void TestTransfers::paraFaults_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("offline");

    const QStringList k104{LoadResText(104)};
    const QStringList k384{ResLines({384, 385})};
    QTest::newRow("read: wrong echo at block 5") << "read" << Fault::nth(FaultKind::WrongEcho, "0RD", 3) << k104 << true;
    QTest::newRow("read: reply of another block") << "read" << Fault::nth(FaultKind::WrongRecord, "0RD", 2) << k104 << true;
    QTest::newRow("read: not hexadecimal") << "read" << Fault::nth(FaultKind::NotHex, "0RD", 4) << k104 << true;
    QTest::newRow("write: wrong echo at block 1") << "write" << Fault::nth(FaultKind::WrongEcho, "0WD", 2) << k104 << true;
    QTest::newRow("write: block 0 echoed as 1") << "write" << Fault::nth(FaultKind::WrongRecord, "0WD", 1) << k384 << false;
    QTest::newRow("write: end answered wrong") << "write" << Fault::nth(FaultKind::WrongRecord, "0WE", 1) << k384 << false;
    QTest::newRow("device: echo of another block") << "device" << Fault::nth(FaultKind::WrongRecord, "0WD", 2) << k384 << false;
}

void TestTransfers::paraFaults()
{
    QFETCH(QString, operation);
    QFETCH(Fault, fault);
    QFETCH(QStringList, messages);
    QFETCH(bool, offline);

    m_sim.useAxes(1);
    QCOMPARE(ReadParaFromCt(), 0);
    m_sim.controller().clearReceived();
    validParameters();
    gParaTmp[1][0] = QStringLiteral("kept");
    const QVariant rsv0 = gParaRsvByte[0];
    m_sim.controller().addFault(fault);
    const int result = operation == QLatin1String("read") ? ReadParaFromCt()
                       : operation == QLatin1String("write") ? WriteParaToCt()
                                                             : WriteParaToCt_Device();
    QCOMPARE(result, 1);
    QCOMPARE(m_sim.prompts(), messages);
    QCOMPARE(gOfflineMode, offline);
    QCOMPARE(gParaTmp[1][0].toString(), QStringLiteral("kept"));
    QCOMPARE(gParaRsvByte[0], rsv0);
    if (fault.match != "0WE") {
        QVERIFY(!m_sim.received().contains(QStringLiteral("0WE2")));
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
    }
}

void TestTransfers::paraReadRefusesActuatorCodes_data()
{
    QTest::addColumn<int>("sizeByte");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<bool>("taken");
    QTest::newRow("28 L 999") << 28 << int('L') << 999 << true;
    QTest::newRow("stroke 1000") << 28 << int('L') << 1000 << false;
    QTest::newRow("size 100") << 100 << int('L') << 50 << false;
    QTest::newRow("lower-case speed") << 28 << int('l') << 50 << false;
}

// An actuator code of the controller that no code can carry is a wrong reply, never another
// actuator.
void TestTransfers::paraReadRefusesActuatorCodes()
{
    QFETCH(int, sizeByte);
    QFETCH(int, speed);
    QFETCH(int, stroke);
    QFETCH(bool, taken);
    m_sim.useAxes(1);
    sim::ControllerModel::Actuator a;
    a.sizeByte = sizeByte;
    a.speed = char(speed);
    a.stroke = stroke;
    m_sim.model().setActuator(0, a);
    gParaTmp[13][0] = QStringLiteral("kept");

    QCOMPARE(ReadParaFromCt(), taken ? 0 : 1);
    QCOMPARE(m_sim.prompts(), taken ? QStringList() : QStringList{LoadResText(104)});
    QCOMPARE(gOfflineMode, !taken);
    QCOMPARE(gParaTmp[13][0].toString(), taken ? QStringLiteral(" 28L999") : QStringLiteral("kept"));
}

void TestTransfers::paraWriteRefusesBadValuesBeforeSending()
{
    m_sim.useAxes(3);
    validParameters();
    gPrmHomeVel[1] = 256;
    QCOMPARE(WriteParaToCt(), kParaWriteNotBegun);
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({1524, 1525})});
    QCOMPARE(m_sim.received(), QStringList{});

    m_sim.dialogs().clear();
    validParameters();
    gPrmActSpeed[1].clear(); // no actuator letter: cannot be coded
    QCOMPARE(WriteParaToCt_Device(), kParaWriteNotBegun);
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({1524, 1525})});
    QCOMPARE(m_sim.received(), QStringList{});
}

void TestTransfers::rewriteAxisMask()
{
    m_sim.model().setBlockByte(0, 3, 0x42);
    m_sim.model().setBlockByte(0, 15, 0x99);
    QCOMPARE(RewriteParaBlock2(5), 0);
    QCOMPARE(m_sim.model().blockByte(0, 6), 5);
    QCOMPARE(m_sim.model().blockByte(0, 3), 0x42);
    QCOMPARE(m_sim.model().blockByte(0, 15), 0x99);
    QCOMPARE(gAxisMask, 5);
    QCOMPARE(commandsOf(m_sim.received()), QStringList({"0RD0", "0WD0"}));

    m_sim.useAxes(15);
    gAxisUnused[2] = true;
    QCOMPARE(RewriteParaBlock(), 0);
    QCOMPARE(m_sim.model().blockByte(0, 6), 11);
}

void TestTransfers::shortReRead()
{
    m_sim.model().setAxisMask(3);
    m_sim.model().setBlockByte(2, 0, 2); // HOME SEQ of axis 2
    QCOMPARE(GetParametaValue2(), 0);
    QCOMPARE(gAxisMask, 3);
    QVERIFY(gAxisUnused[2]);
    QCOMPARE(gPrmHomeOrder[1], 2);
    QCOMPARE(gPrmActuator[0], QStringLiteral(" 28L100"));

    m_sim.reset();
    m_sim.controller().addFault(Fault::always(FaultKind::WrongRecord, "0RD"));
    QCOMPARE(GetParametaValue2(), 1);
    QCOMPARE(m_sim.prompts(), QStringList({LoadResText(104)})); // one failure, one box
}

void TestTransfers::groupsWritten()
{
    gGrpData[5][0] = 1;
    gGrpData[5][1] = 250;
    gGrpData[99][0] = 999;
    gGrpData[99][1] = 999;
    QCOMPARE(WriteGrpDataToCt(), 0);
    const QStringList received = m_sim.received();
    QCOMPARE(received.size(), 100);
    QCOMPARE(received.at(4), QStringLiteral("0WG050010FA"));
    QCOMPARE(received.last(), QStringLiteral("0WE3"));
    QCOMPARE(m_sim.model().group(5), std::make_pair(1, 250));
    QCOMPARE(m_sim.model().group(99), std::make_pair(999, 999));
    QCOMPARE(m_sim.hooks().log, QStringList({"progress 383 of 100", "progress closed at 100"}));

    m_sim.controller().clearReceived();
    gGrpData[50][1] = 4096;
    QCOMPARE(WriteGrpDataToCt(), 1);
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({820, 821})});
    QCOMPARE(m_sim.received(), QStringList{});
}

void TestTransfers::groupsRead()
{
    m_sim.model().setGroup(40, 3, 0x3E7);
    QCOMPARE(ReadGrpDataFromCt(), 0);
    QCOMPARE(m_sim.received().size(), 99);
    QCOMPARE(gGrpDataIn[40][0], 3);
    QCOMPARE(gGrpDataIn[40][1], 999);
    QCOMPARE(gTusinStr[39].toString(), QStringLiteral("0RG280033E7\r\n"));

    // A stop asked for before the first group: nothing requested, the flag cleared.
    m_sim.controller().clearReceived();
    gGrpDataIn[40][0] = 7;
    gTranceCancel = true;
    QCOMPARE(ReadGrpDataFromCt(), 2);
    QVERIFY(!gTranceCancel);
    QCOMPARE(m_sim.received(), QStringList{});
    QCOMPARE(gGrpDataIn[40][0], 7);
}

void TestTransfers::groupAndMacroFaults_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("end");

    QTest::newRow("group read fails at 40") << "grp read" << Fault::nth(FaultKind::WrongEcho, "0RG", 40) << LoadResText(104) << "";
    QTest::newRow("group 41 answered for 40") << "grp read" << Fault::nth(FaultKind::WrongRecord, "0RG", 40) << LoadResText(104) << "";
    // A cut write says, in the link's box, that the controller may hold part of the new data.
    QTest::newRow("group write, echo of group 15") << "grp write" << Fault::nth(FaultKind::WrongRecord, "0WG", 5) << ResLines({384, 385, 3022}) << "0WE3";
    QTest::newRow("group write, end wrong") << "grp write" << Fault::nth(FaultKind::WrongRecord, "0WE", 1) << ResLines({384, 385, 3022}) << "";
    QTest::newRow("macro read, another macro") << "sm read" << Fault::nth(FaultKind::WrongRecord, "0RS", 3) << LoadResText(104) << "";
    QTest::newRow("macro write fails at 2") << "sm write" << Fault::nth(FaultKind::WrongEcho, "0WS", 2) << ResLines({104, 3022}) << "0WE1";
}

void TestTransfers::groupAndMacroFaults()
{
    QFETCH(QString, operation);
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    QFETCH(QString, end);

    // The controller holds other values than the tables, so that any record taken shows.
    for (int g = 1; g <= kGrpCount; ++g) {
        gGrpDataIn[g][0] = 11;
        gGrpDataIn[g][1] = 12;
        m_sim.model().setGroup(g, 1, 2);
    }
    for (int s = 0; s < kSmSteps; ++s)
        for (int c = 0; c < 2 * kSmMacros; ++c)
            gSmDataIn[s][c] = 4;
    for (int m = 1; m <= kSmMacros; ++m)
        m_sim.model().setMacro(m, QByteArray(32, '1'));
    m_sim.controller().addFault(fault);
    int result = 0;
    if (operation == QLatin1String("grp read"))
        result = ReadGrpDataFromCt();
    else if (operation == QLatin1String("grp write"))
        result = WriteGrpDataToCt();
    else if (operation == QLatin1String("sm read"))
        result = ReadSqMcrFromCt();
    else
        result = WriteSqMcrToCt();
    QCOMPARE(result, 1);
    QCOMPARE(m_sim.prompts(), QStringList{message});
    if (!end.isEmpty())
        QVERIFY(!m_sim.received().contains(end));
    for (int g = 1; g <= kGrpCount; ++g) {
        QCOMPARE(gGrpDataIn[g][0], 11);
        QCOMPARE(gGrpDataIn[g][1], 12);
    }
    for (int s = 0; s < kSmSteps; ++s)
        for (int c = 0; c < 2 * kSmMacros; ++c)
            QCOMPARE(gSmDataIn[s][c], 4);
    QVERIFY(!m_sim.hooks().progressOpen);
    if (operation == QLatin1String("sm read"))
        QCOMPARE(m_sim.hooks().entries("CMDBTN").size(), 1);
}

void TestTransfers::macrosWrittenAndRead()
{
    gSmData[0][0] = 3;
    gSmData[0][1] = 2;
    gSmData[1][38] = 6; // macro 20, step 1
    gSmData[1][39] = 9;
    QCOMPARE(WriteSqMcrToCt(), 0);
    QCOMPARE(m_sim.received().first(), QStringLiteral("0WS0132") + QString(30, QLatin1Char('0')));
    QCOMPARE(m_sim.received().last(), QStringLiteral("0WE1"));
    QCOMPARE(m_sim.model().macro(20), QByteArray("0069") + QByteArray(28, '0'));

    m_sim.model().setMacro(2, "05" + QByteArray(30, '0')); // END step with data 5
    QCOMPARE(ReadSqMcrFromCt(), 0);
    QCOMPARE(gSmDataIn[0][0], 3);
    QCOMPARE(gSmDataIn[0][1], 2);
    QCOMPARE(gSmDataIn[0][2], 0);
    QCOMPARE(gSmDataIn[0][3], 0);
    QCOMPARE(gSmDataIn[1][38], 6);
    QCOMPARE(gSmDataIn[1][39], 9);
}

void TestTransfers::actuatorReadBack()
{
    m_sim.useAxes(5);
    sim::ControllerModel::Actuator e35;
    e35.kind = 1;
    e35.lead = 6;
    e35.pulsesPerRev = 40000; // beyond 16 signed bits, a valid controller value
    e35.withPG = 1;
    e35.strokeLimit = 262143;
    e35.sizeByte = 35;
    e35.speed = 'E';
    e35.stroke = 50;
    m_sim.model().setActuator(0, e35);
    gPrmActSize[1] = QStringLiteral("old");
    QCOMPARE(ReadDeviceFromCt(), 0);
    QCOMPARE(commandsOf(m_sim.received()), QStringList({"0CM", "0RD6", "0RDA"}));
    QCOMPARE(gCtDevKind[0], 1);
    QCOMPARE(gCtDevLead[0], 6);
    QCOMPARE(gCtDevPPR[0], 40000);
    QCOMPARE(gCtDevWithPG[0], 1);
    QCOMPARE(gAxisStrokeLimit[0], 262143);
    QCOMPARE(gPrmActSize[0], QStringLiteral("E35"));
    QCOMPARE(gPrmActSpeed[0], QStringLiteral("L"));
    QCOMPARE(gPrmActStroke[0], 50);
    QCOMPARE(gPrmActSize[1], QString());
    QCOMPARE(gCtDevPPR[1], 0);
    QCOMPARE(gPrmActSize[2], QStringLiteral(" 28"));

    // A failure on the second axis leaves the read-back set as it was.
    m_sim.controller().addFault(Fault::nth(FaultKind::WrongRecord, "0RD", 2));
    gCtDevLead[0] = 99;
    QCOMPARE(ReadDeviceFromCt(), 1);
    QCOMPARE(gCtDevLead[0], 99);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
    m_sim.dialogs().clear();
    m_sim.controller().addFault(Fault::always(FaultKind::WrongRecord, "0RD"));
    QCOMPARE(SetDeviceFromCt(), -1);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
}

void TestTransfers::inputsAndOutputs()
{
    m_sim.model().setInputs("80000F");
    m_sim.model().setOutputs("180000");
    QCOMPARE(ReadIOFromCt(), 0);
    QVERIFY(gInputBit[0][0] && gInputBit[5][0] && gInputBit[5][3] && !gInputBit[1][0]);
    QVERIFY(gOutputBit[0][3] && gOutputBit[1][0] && !gOutputBit[0][0]);
    QVERIFY(gTusinNow); // the monitor holds the link for its whole cycle
    QCOMPARE(m_sim.hooks().log, QStringList{"read flag cleared"});

    gOutputReq[0][3] = true;
    QCOMPARE(WriteOutputToCt(), 0);
    QCOMPARE(m_sim.received().last(), QStringLiteral("0WO080000"));
    QCOMPARE(m_sim.model().outputs(), QByteArray("080000"));
    QVERIFY(!gOutputReq[0][3]);
    QCOMPARE(m_sim.hooks().log.last(), QStringLiteral("output pending cleared"));

    // A wrong echo of the digits: told, the toggle already made stays.
    m_sim.hooks().log.clear();
    m_sim.controller().addFault(Fault::nth(FaultKind::WrongRecord, "0WO", 1));
    gOutputReq[5][3] = true;
    QCOMPARE(WriteOutputToCt(), 1);
    QVERIFY(gOutputBit[5][3]);
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({384, 385})});
    QVERIFY(m_sim.hooks().log.isEmpty());

    // A garbled input word reads nothing and gives the main window its commands back.
    m_sim.dialogs().clear();
    Fault garbled = Fault::nth(FaultKind::NotHex, "0RI", 1);
    garbled.offset = 5;
    m_sim.controller().addFault(garbled);
    QCOMPARE(ReadIOFromCt(), 1);
    QVERIFY(gInputBit[0][0]);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
    QCOMPARE(m_sim.hooks().log,
             QStringList({"CMDBTN_Yuko", "ToolBar_Yuko", "Menyu_Yuko", "read flag cleared"}));

    // Good inputs, then a garbled output word: the inputs are not taken either.
    m_sim.dialogs().clear();
    m_sim.model().setInputs("000000");
    m_sim.model().setOutputs("000000");
    m_sim.controller().addFault(Fault::nth(FaultKind::NotHex, "0RO", 1));
    bool inputsBefore[kIoDigits][kIoBitsPerDigit];
    bool outputsBefore[kIoDigits][kIoBitsPerDigit];
    std::memcpy(inputsBefore, gInputBit, sizeof inputsBefore);
    std::memcpy(outputsBefore, gOutputBit, sizeof outputsBefore);
    QCOMPARE(ReadIOFromCt(), 1);
    QCOMPARE(m_sim.received().mid(m_sim.received().size() - 2), QStringList({"0RI", "0RO"}));
    QVERIFY(gInputBit[0][0]); // the inputs as they were, and not as the controller has them
    QCOMPARE(std::memcmp(inputsBefore, gInputBit, sizeof inputsBefore), 0);
    QCOMPARE(std::memcmp(outputsBefore, gOutputBit, sizeof outputsBefore), 0);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
}

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
