// The command arguments and record codecs, without a controller.
#include "tables/ParaSet.h"
#include "link/CommandSet.h"
#include "link/GrpSmTransfer.h"
#include "link/ParaBlockCodec.h"
#include "support/TestEnv.h"

#include <QtTest>

namespace {

// Bytes as the wire writes them, "01 2C ..." without blanks.
QString hexBytes(const link::BlockBytes &bytes, int first, int count)
{
    QString text;
    for (int i = first; i < first + count; ++i)
        text += QString::number(bytes[i], 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return text;
}

QString replyOf(int block, const QString &digits32)
{
    return QStringLiteral("0RD") + QString::number(block, 16).toUpper() + digits32 + QStringLiteral("\r\n");
}

} // namespace

class TestCommandCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void arguments_data();
    void arguments();
    void groupRecords_data();
    void groupRecords();
    void macroRecords_data();
    void macroRecords();
    void groupAndMacroReplies_data();
    void groupAndMacroReplies();
    void paraFieldsEncoded_data();
    void paraFieldsEncoded();
    void paraFieldRefused_data();
    void paraFieldRefused();
    void actuatorCodeRead_data();
    void actuatorCodeRead();
    void paraRepliesChecked_data();
    void paraRepliesChecked();
    void paraRoundTrip();
    void reservedSlots();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestCommandCodecs::init()
{
    m_env = std::make_unique<TestEnv>();
    ClearParaArrays();
    ClearParaTable();
    gPrmActSize[0] = QStringLiteral(" 28");
    gPrmActSpeed[0] = QStringLiteral("L");
}

void TestCommandCodecs::arguments_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("argument"); // "-" for none

    QTest::newRow("mode 0, all axes") << "mode" << 0 << 15 << "150";
    QTest::newRow("mode 1, all axes") << "mode" << 1 << 15 << "151";
    QTest::newRow("mode 0, no mask") << "mode" << 0 << 0 << "00";
    QTest::newRow("move 10 axes 1 and 3") << "move" << 10 << 5 << "00A5";
    QTest::newRow("home move") << "move" << 0 << 15 << "000F";
    QTest::newRow("move 999") << "move" << 999 << 1 << "3E71";
    QTest::newRow("move 1000") << "move" << 1000 << 15 << "-";
    QTest::newRow("move -1") << "move" << -1 << 15 << "-";
    QTest::newRow("group 5") << "group" << 5 << 0 << "05";
    QTest::newRow("group 99") << "group" << 99 << 0 << "63";
    QTest::newRow("group 100") << "group" << 100 << 0 << "-";
}

void TestCommandCodecs::arguments()
{
    QFETCH(QString, kind);
    QFETCH(int, value);
    QFETCH(int, mask);
    QFETCH(QString, argument);

    std::optional<QString> built;
    if (kind == QLatin1String("mode"))
        built = link::cmd::commModeArgument(mask, value);
    else if (kind == QLatin1String("move"))
        built = link::cmd::moveArgument(value, mask);
    else
        built = link::cmd::grpMoveArgument(value);
    QCOMPARE(built.value_or(QStringLiteral("-")), argument);
}

void TestCommandCodecs::groupRecords_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("record");

    QTest::newRow("group 5, 1 to 250") << 5 << 1 << 250 << "050010FA";
    QTest::newRow("group 99, 999") << 99 << 999 << 999 << "633E73E7";
    QTest::newRow("empty group") << 12 << 0 << 0 << "0C000000";
    QTest::newRow("end beyond FFF") << 5 << 1 << 4096 << "-";
    QTest::newRow("negative start") << 5 << -1 << 10 << "-";
}

void TestCommandCodecs::groupRecords()
{
    QFETCH(int, group);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, record);
    QCOMPARE(link::grpRecord(group, start, end).value_or(QStringLiteral("-")), record);
}

void TestCommandCodecs::macroRecords_data()
{
    QTest::addColumn<int>("macro");
    QTest::addColumn<int>("command0");
    QTest::addColumn<int>("data0");
    QTest::addColumn<QString>("record");

    QTest::newRow("macro 1, step 0 = 3/2") << 0 << 3 << 2 << "0132" + QString(30, '0');
    QTest::newRow("macro 20, data F") << 19 << 6 << 15 << "146F" + QString(30, '0');
    QTest::newRow("command 16") << 0 << 16 << 0 << "-";
    QTest::newRow("negative data") << 0 << 1 << -1 << "-";
}

void TestCommandCodecs::macroRecords()
{
    QFETCH(int, macro);
    QFETCH(int, command0);
    QFETCH(int, data0);
    QFETCH(QString, record);
    int commands[16] = {};
    int data[16] = {};
    commands[0] = command0;
    data[0] = data0;
    QCOMPARE(link::smRecord(macro, commands, data).value_or(QStringLiteral("-")), record);
}

void TestCommandCodecs::groupAndMacroReplies_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("decoded"); // "-" refused

    QTest::newRow("group 5") << 5 << "0RG050010FA\r\n" << "1-250";
    QTest::newRow("group 6 answered for 5") << 5 << "0RG060010FA\r\n" << "-";
    QTest::newRow("group not hex") << 5 << "0RG05001XFA\r\n" << "-";
    QTest::newRow("macro 1, END with data 5") << 0 << "0RS0105" + QString(30, '0') + "\r\n" << "0/0";
    QTest::newRow("macro 1, 3/2") << 0 << "0RS0132" + QString(30, '0') + "\r\n" << "3/2";
    QTest::newRow("macro 2 answered for 1") << 0 << "0RS0232" + QString(30, '0') + "\r\n" << "-";
    QTest::newRow("macro not hex") << 0 << "0RS013" + QString(30, '0') + "Z\r\n" << "-";
}

void TestCommandCodecs::groupAndMacroReplies()
{
    QFETCH(int, number);
    QFETCH(QString, line);
    QFETCH(QString, decoded);

    QString actual = QStringLiteral("-");
    if (line.startsWith(QLatin1String("0RG"))) {
        if (const auto g = link::grpFromReply(number, line))
            actual = QStringLiteral("%1-%2").arg(g->first).arg(g->second);
    } else {
        int commands[16] = {};
        int data[16] = {};
        if (link::smFromReply(number, line, commands, data))
            actual = QStringLiteral("%1/%2").arg(commands[0]).arg(data[0]);
    }
    QCOMPARE(actual, decoded);
}

void TestCommandCodecs::paraFieldsEncoded_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("firstByte");
    QTest::addColumn<QString>("bytes");

    QTest::newRow("HOME OFFSET 300") << 5 << "offset" << qint64(300) << 0 << "012C";
    QTest::newRow("HOME OFFSET 5") << 5 << "offset" << qint64(5) << 0 << "0005";
    QTest::newRow("PG ALM 65535") << 5 << "pgalarm" << qint64(65535) << 7 << "FFFF";
    QTest::newRow("AXIS STROKE 262143") << 6 << "stroke" << qint64(262143) << 5 << "03FFFF";
    QTest::newRow("AXIS PULSE 40000") << 6 << "pulse" << qint64(40000) << 2 << "9C40";
    QTest::newRow("axis mask in block 0") << 0 << "mask" << qint64(5) << 6 << "05";
    QTest::newRow("ninth single item") << 0 << "single28" << qint64(200) << 8 << "C8";
    QTest::newRow("HOME SEQ of axis 2") << 2 << "order" << qint64(3) << 0 << "03";
    QTest::newRow("size 28 speed L") << 6 << "size 28" << qint64(0) << 8 << "1C4C";
    QTest::newRow("size E35 any speed") << 6 << "size E35" << qint64(0) << 8 << "2345";
}

static void applySetting(const QString &setting, qint64 value)
{
    if (setting == QLatin1String("offset"))
        gPrmHomeOffset[0] = qint32(value);
    else if (setting == QLatin1String("pgalarm"))
        gPrmPgAlarm[0] = qint32(value);
    else if (setting == QLatin1String("stroke"))
        gPrmAxisStroke[0] = qint32(value);
    else if (setting == QLatin1String("pulse"))
        gPrmAxisPulse[0] = qint32(value);
    else if (setting == QLatin1String("mask"))
        gAxisMask = int(value);
    else if (setting == QLatin1String("single28"))
        gPrmSingle28 = int(value);
    else if (setting == QLatin1String("order"))
        gPrmHomeOrder[1] = int(value);
    else if (setting == QLatin1String("size 28"))
        gPrmActSize[0] = QStringLiteral(" 28");
    else if (setting == QLatin1String("size E35")) {
        gPrmActSize[0] = QStringLiteral("E35");
        gPrmActSpeed[0] = QStringLiteral("M");
    } else if (setting == QLatin1String("lead"))
        gPrmAxisLead[0] = int(value);
    else if (setting == QLatin1String("velocity"))
        gPrmHomeVel[0] = int(value);
    else if (setting == QLatin1String("empty size"))
        gPrmActSize[0].clear();
    else if (setting == QLatin1String("empty speed"))
        gPrmActSpeed[0].clear();
    else if (setting == QLatin1String("size 300"))
        gPrmActSize[0] = QStringLiteral("300");
}

void TestCommandCodecs::paraFieldsEncoded()
{
    QFETCH(int, block);
    QFETCH(QString, setting);
    QFETCH(qint64, value);
    QFETCH(int, firstByte);
    QFETCH(QString, bytes);

    applySetting(setting, value);
    QVariant rsv[link::kParaRsvSlots];
    link::BlockBytes encoded;
    QVERIFY(link::encodeParaBlock(block, rsv, encoded));
    QCOMPARE(hexBytes(encoded, firstByte, int(bytes.size() / 2)), bytes);
    const QString record = link::paraBlockRecord(block, encoded);
    QCOMPARE(record.size(), 33);
    QCOMPARE(record.left(1), QString::number(block, 16).toUpper());
}

void TestCommandCodecs::paraFieldRefused_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("item");

    QTest::newRow("HOME OFFSET 65536") << 5 << "offset" << qint64(65536) << 1;
    QTest::newRow("negative offset") << 5 << "offset" << qint64(-1) << 1;
    QTest::newRow("HOME VEL 256") << 5 << "velocity" << qint64(256) << 3;
    QTest::newRow("AXIS STROKE 2^24") << 6 << "stroke" << qint64(16777216) << 7;
    QTest::newRow("AXIS PULSE 65536") << 6 << "pulse" << qint64(65536) << 9;
    QTest::newRow("lead 256") << 6 << "lead" << qint64(256) << 8;
    QTest::newRow("mask 256") << 0 << "mask" << qint64(256) << 21;
    QTest::newRow("empty size") << 6 << "empty size" << qint64(0) << 29;
    QTest::newRow("empty speed") << 6 << "empty speed" << qint64(0) << 30;
    QTest::newRow("size 300") << 6 << "size 300" << qint64(0) << 30;
}

void TestCommandCodecs::paraFieldRefused()
{
    QFETCH(int, block);
    QFETCH(QString, setting);
    QFETCH(qint64, value);
    QFETCH(int, item);

    applySetting(setting, value);
    QVariant rsv[link::kParaRsvSlots];
    link::BlockBytes encoded;
    int bad = -1;
    QVERIFY(!link::encodeParaBlock(block, rsv, encoded, &bad));
    QCOMPARE(bad, item);
}

void TestCommandCodecs::actuatorCodeRead_data()
{
    QTest::addColumn<int>("sizeByte");
    QTest::addColumn<int>("speedByte");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("designation");

    QTest::newRow("28 L 50") << 28 << int('L') << 50 << " 28" << "L" << " 28L050";
    QTest::newRow("E is E35 L") << 35 << int('E') << 100 << "E35" << "L" << "E35L100";
    QTest::newRow("one digit size") << 5 << int('A') << 10 << "  5" << "A" << "  5A010";
    QTest::newRow("no speed letter") << 42 << 0 << 0 << " 42" << "" << " 42000";
}

void TestCommandCodecs::actuatorCodeRead()
{
    QFETCH(int, sizeByte);
    QFETCH(int, speedByte);
    QFETCH(int, stroke);
    QFETCH(QString, size);
    QFETCH(QString, speed);
    QFETCH(QString, designation);

    link::BlockBytes bytes {};
    bytes[8] = sizeByte;
    bytes[9] = speedByte;
    bytes[10] = stroke >> 8;
    bytes[11] = stroke & 0xFF;
    QVariant rsv[link::kParaRsvSlots];
    link::decodeParaBlock(6, bytes, gParaTmp, rsv);
    QCOMPARE(gParaTmp[29][0].toString(), size);
    QCOMPARE(gParaTmp[30][0].toString(), speed);
    QCOMPARE(gParaTmp[13][0].toString(), designation);
}

void TestCommandCodecs::paraRepliesChecked_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");

    const QString digits = QStringLiteral("0102030405060708090A0B0C0D0E0F10");
    QTest::newRow("block 5") << 5 << replyOf(5, digits) << true;
    QTest::newRow("block 6 for 5") << 5 << replyOf(6, digits) << false;
    QTest::newRow("not hex") << 5 << replyOf(5, QString(digits).replace(7, 1, QLatin1Char('G'))) << false;
    QTest::newRow("short") << 5 << replyOf(5, digits.left(30)) << false;
    // The actuator code of an even block (bytes 8 to 11) must form a code: size, letter, stroke.
    const QString code = QStringLiteral("0102030405060708%1%2%3");
    const auto even = [&](const char *size, const char *speed, const char *stroke) {
        return replyOf(6, code.arg(QLatin1String(size), QLatin1String(speed), QLatin1String(stroke)) + QStringLiteral("00000000"));
    };
    QTest::newRow("28 L 999") << 6 << even("1C", "4C", "03E7") << true;
    QTest::newRow("E35") << 6 << even("23", "45", "0064") << true;
    QTest::newRow("no actuator") << 6 << even("00", "00", "0000") << true;
    QTest::newRow("stroke 1000") << 6 << even("1C", "4C", "03E8") << false;
    QTest::newRow("size 100") << 6 << even("64", "4C", "0032") << false;
    QTest::newRow("lower-case speed") << 6 << even("1C", "6C", "0032") << false;
    QTest::newRow("speed not a letter") << 6 << even("1C", "38", "0032") << false;
    QTest::newRow("odd block not a code") << 5 << replyOf(5, code.arg("64", "38", "FFFF") + QStringLiteral("00000000")) << true;
}

void TestCommandCodecs::paraRepliesChecked()
{
    QFETCH(int, block);
    QFETCH(QString, line);
    QFETCH(bool, ok);
    const auto bytes = link::paraBlockFromReply(block, line);
    QCOMPARE(bytes.has_value(), ok);
    if (ok)
        QCOMPARE(hexBytes(*bytes, 0, 16), line.mid(4, 32));
}

void TestCommandCodecs::paraRoundTrip()
{
    // Distinct values in every field of every block, through the wire form and back.
    for (int a = 0; a < 4; ++a) {
        gPrmHomeOffset[a] = 300 + a;
        gPrmHomePush[a] = 10 + a;
        gPrmHomeVel[a] = 20 + a;
        gPrmHomeOfsVel[a] = 30 + a;
        gPrmHomePushVel[a] = 40 + a;
        gPrmHomeOrder[a] = a + 1;
        gPrmAxisStroke[a] = 262143 - a;
        gPrmAxisLead[a] = 2 + a;
        gPrmAxisPulse[a] = 40000 + a;
        gPrmJogHighVel[a] = 5 + a;
        gPrmAutoDrv[a] = a % 2;
        gPrmJhOrQz[a] = a;
        gPrmPgFunc[a] = a % 3;
        gPrmPgAlarm[a] = 5000 + a;
        gPrmPgCheckTimer[a] = 50 + a;
        gPrmLsSerchTimer[a] = 60 + a;
        gPrmSoftLimit[a] = a % 2;
        gPrmM0Disable[a] = (a + 1) % 2;
        gPrmActSize[a] = a == 3 ? QStringLiteral("E35") : QStringLiteral(" 42");
        gPrmActSpeed[a] = a == 3 ? QStringLiteral("L") : QStringLiteral("D");
        gPrmActStroke[a] = 50 * (a + 1);
    }
    gPrmHomeOut = 1;
    gPrmAutoHome = 2;
    gPrmAlmCode = 3;
    gPrmGrpEnable = 4;
    gPrmSmTimeoutSel = 5;
    gPrmSmTimerVal = 6;
    gAxisMask = 15;
    gPrmStopPause = 7;
    gPrmSingle28 = 8;
    QVariant rsv[link::kParaRsvSlots];
    for (int s = 0; s < link::kParaRsvSlots; ++s)
        rsv[s] = 0xA0 + s;

    QVariant readRsv[link::kParaRsvSlots];
    for (int block = 0; block < link::kParaBlockCount; ++block) {
        link::BlockBytes bytes;
        QVERIFY(link::encodeParaBlock(block, rsv, bytes));
        const QString line = QStringLiteral("0RD") + link::paraBlockRecord(block, bytes) + QStringLiteral("\r\n");
        QCOMPARE(line.size(), 38);
        const auto back = link::paraBlockFromReply(block, line);
        QVERIFY(back);
        link::decodeParaBlock(block, *back, gParaTmp, readRsv);
    }
    for (int s = 0; s < link::kParaRsvSlots; ++s)
        QCOMPARE(readRsv[s].toInt(), 0xA0 + s);

    // The table unpacks to the very values that were written.
    const int offset3 = gPrmHomeOffset[3];
    ClearParaArrays();
    QCOMPARE(SetParametaFromTable(), 0);
    QCOMPARE(gPrmHomeOffset[3], offset3);
    QCOMPARE(gPrmAxisStroke[0], 262143);
    QCOMPARE(gPrmAxisPulse[2], 40002);
    QCOMPARE(gPrmPgAlarm[1], 5001);
    QCOMPARE(gPrmHomeOrder[3], 4);
    QCOMPARE(gPrmM0Disable[0], 1);
    QCOMPARE(gPrmActSize[3], QStringLiteral("E35"));
    QCOMPARE(gPrmActuator[0], QStringLiteral(" 42D050"));
    QCOMPARE(gPrmStopPause, 7);
    QCOMPARE(gPrmSingle28, 8);
    QCOMPARE(gAxisMask, 15);
}

void TestCommandCodecs::reservedSlots()
{
    // Every slot belongs to exactly one byte of one block.
    QList<int> seen;
    for (int block = 0; block < link::kParaBlockCount; ++block)
        for (int byte = 0; byte < link::kParaBlockBytes; ++byte)
            if (const int slot = link::paraRsvSlot(block, byte); slot >= 0)
                seen << slot;
    std::sort(seen.begin(), seen.end());
    QList<int> all;
    for (int s = 0; s < link::kParaRsvSlots; ++s)
        all << s;
    QCOMPARE(seen, all);
    QCOMPARE(link::paraRsvSlot(0, 9), 0);
    QCOMPARE(link::paraRsvSlot(11, 14), 25);
    QCOMPARE(link::paraRsvSlot(12, 15), 30);
}

QTEST_MAIN(TestCommandCodecs)
#include "tst_commandcodecs.moc"
