#include "tables/DevSetting.h"
#include "positions/PosiCompare.h"
#include "tables/PosiImage.h"
#include "positions/PosiRecord.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace positions;

Q_DECLARE_METATYPE(positions::PosiRecord)

using Cells = QList<QPair<int, int>>; // (position, table column)

namespace {

PosiRecord record(std::initializer_list<qint64> fields)
{
    PosiRecord r;
    int c = 0;
    for (qint64 v : fields)
        r.field[c++] = v;
    return r;
}

// Axis 1 VEL 30, ACC 3, WAY 1, Posi 1000000; axes 2 to 4 VEL 1, ACC 1, WAY 0, Posi 0; ITPL 0,
// OUT 2, S/M 20.
PosiRecord sample()
{
    return record({30, 3, 1, 1000000, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 2, 20});
}

const QString kSampleDigits = QStringLiteral("1E31F4240" "011000000" "011000000" "011000000" "0214");

} // namespace

class TestPosiRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void writeEcho_data();
    void writeEcho();
    void fromTable();
    void intoImageKeepsComment();

    void compare_data();
    void compare();
    void compareMissingPositions();
    void overLimit_data();
    void overLimit();
    void dataExist_data();
    void dataExist();
    void verifyRange_data();
    void verifyRange();
};

void TestPosiRecord::encode_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<PosiRecord>("rec");
    QTest::addColumn<QString>("expected"); // empty: refused

    QTest::newRow("sample") << 1 << sample() << QStringLiteral("001") + kSampleDigits;
    QTest::newRow("position 255") << 255 << PosiRecord() << QStringLiteral("0FF") + QString(40, QLatin1Char('0'));
    QTest::newRow("position 999, field maxima") << 999
        << record({255, 15, 15, 1048575, 255, 15, 15, 1048575, 255, 15, 15, 1048575, 255, 15, 15, 1048575, 15, 15, 255})
        << QStringLiteral("3E7") + QStringLiteral("FFFFFFFFF").repeated(4) + QStringLiteral("FFFF");
    QTest::newRow("Posi one beyond five digits") << 1 << record({30, 3, 0, 1048576}) << QString();
    QTest::newRow("VEL beyond two digits") << 1 << record({256}) << QString();
    QTest::newRow("negative Posi") << 1 << record({30, 3, 0, -1}) << QString();
    QTest::newRow("S/M beyond two digits") << 1 << record({30, 3, 0, 0, 30, 3, 0, 0, 30, 3, 0, 0, 30, 3, 0, 0, 0, 0, 256}) << QString();
    QTest::newRow("position 0") << 0 << PosiRecord() << QString();
    QTest::newRow("position 1000") << 1000 << PosiRecord() << QString();
}

void TestPosiRecord::encode()
{
    QFETCH(int, position);
    QFETCH(PosiRecord, rec);
    QFETCH(QString, expected);
    const auto text = encodePosiRecord(position, rec);
    if (expected.isEmpty()) {
        QVERIFY(!text);
        return;
    }
    QVERIFY(text);
    QCOMPARE(text->size(), kPosiRecordLength);
    QCOMPARE(*text, expected);
    // What is written reads back the same.
    const auto back = decodePosiReply(QStringLiteral("0RP") + *text + QStringLiteral("\r\n"), position);
    QVERIFY(back);
    QVERIFY(*back == rec);
}

void TestPosiRecord::decode_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("good");

    const QString good = QStringLiteral("0RP001") + kSampleDigits;
    QTest::newRow("good with CR LF") << good + QStringLiteral("\r\n") << 1 << true;
    QTest::newRow("good without CR LF") << good << 1 << true;
    QTest::newRow("lower-case digits") << good.toLower().replace(QStringLiteral("0rp"), QStringLiteral("0RP")) << 1 << true;
    QTest::newRow("another position") << good << 2 << false;
    QTest::newRow("wrong echo") << QStringLiteral("0RD001") + kSampleDigits << 1 << false;
    QTest::newRow("short") << good.left(45) << 1 << false;
    QTest::newRow("long") << good + QStringLiteral("0") << 1 << false;
    QString vel = good;
    vel[7] = QLatin1Char('G');
    QTest::newRow("VEL not hexadecimal") << vel << 1 << false;
    QString posi = good;
    posi[10] = QLatin1Char(' ');
    QTest::newRow("Posi with a blank") << posi << 1 << false;
    QString sm = good;
    sm[45] = QLatin1Char('X');
    QTest::newRow("S/M not hexadecimal") << sm << 1 << false;
    QTest::newRow("empty") << QString() << 1 << false;
}

void TestPosiRecord::decode()
{
    QFETCH(QString, reply);
    QFETCH(int, position);
    QFETCH(bool, good);
    const auto rec = decodePosiReply(reply, position);
    QCOMPARE(bool(rec), good);
    if (good) {
        QCOMPARE(rec->field[0], 30);
        QCOMPARE(rec->field[1], 3);
        QCOMPARE(rec->field[2], 1);
        QCOMPARE(rec->field[3], 1000000);
        QVERIFY(*rec == sample());
    }
}

void TestPosiRecord::writeEcho_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("good");
    QTest::newRow("echo") << QStringLiteral("0WP00A\r\n") << 10 << true;
    QTest::newRow("other position") << QStringLiteral("0WP00B\r\n") << 10 << false;
    QTest::newRow("other command") << QStringLiteral("0RP00A\r\n") << 10 << false;
    QTest::newRow("cut") << QStringLiteral("0WP0") << 10 << false;
}

void TestPosiRecord::writeEcho()
{
    QFETCH(QString, reply);
    QFETCH(int, position);
    QFETCH(bool, good);
    QCOMPARE(posiWriteEchoIs(reply, position), good);
}

void TestPosiRecord::fromTable()
{
    TestEnv env;
    const PosiRecord s = sample();
    for (int c = 0; c < 19; ++c)
        gPosiFileTable[7][c] = int(s.field[c]);
    // A file's number text counts by its value; Posi comes from the pulses, not the slot.
    gPosiFileTable[7][0] = QStringLiteral(" 30");
    gPosiFileTable[7][3] = 5;
    gPosiTable[7][0] = 1000000;
    gPosiTable[7][4] = 12.5; // millimetres never reach the record
    auto rec = posiRecordFromTable(7);
    QVERIFY(rec);
    QVERIFY(*rec == s);

    gPosiFileTable[7][5] = QStringLiteral("x");
    QVERIFY(!posiRecordFromTable(7));
    gPosiFileTable[7][5] = 1.5;
    QVERIFY(!posiRecordFromTable(7));
    gPosiFileTable[7][5] = 1;
    gPosiTable[7][1] = 10.25;
    QVERIFY(!posiRecordFromTable(7));
}

void TestPosiRecord::intoImageKeepsComment()
{
    TestEnv env;
    gPosiWork[4][0] = 4;
    gPosiWork[4][20] = QStringLiteral("from the file");
    posiRecordIntoImage(4, sample());
    QCOMPARE(tables::numericValue(gPosiWork[4][1]), 30.0);
    QCOMPARE(tables::numericValue(gPosiWork[4][4]), 1000000.0);
    QCOMPARE(tables::numericValue(gPosiWork[4][19]), 20.0);
    QCOMPARE(gPosiWork[4][20].toString(), QStringLiteral("from the file"));
    QCOMPARE(gPosiWork[4][0].toInt(), 4);
}

namespace {
// Positions 1 to 5 equal on both sides: the table in whole numbers, the image as a file
// leaves it (texts with a leading blank).
void equalSides()
{
    for (int n = 1; n <= 5; ++n) {
        for (int c = 0; c < 19; ++c) {
            const int v = tables::isPosiColumn(c) ? 100 * n + c : (c % 4) + 1;
            if (tables::isPosiColumn(c))
                gPosiTable[n][c / 4] = v;
            else
                gPosiFileTable[n][c] = v;
            gPosiFileTable[n][kColComment] = QStringLiteral("mine");
            gPosiWork[n][c + 1] = QStringLiteral(" %1").arg(v);
        }
        gPosiWork[n][20] = QStringLiteral("theirs");
    }
}
} // namespace

void TestPosiRecord::compare_data()
{
    QTest::addColumn<int>("unusedMask");
    QTest::addColumn<Cells>("changed"); // changed in the image
    QTest::addColumn<QList<int>>("rows");                 // positions flagged

    QTest::newRow("equal") << 0 << Cells() << QList<int>();
    QTest::newRow("several columns, three positions")
        << 0 << Cells{{2, 0}, {2, 3}, {2, 18}, {4, 15}, {5, 16}} << QList<int>{2, 4, 5};
    QTest::newRow("unused axis not compared") << 0b0100 << Cells{{3, 8}, {3, 11}} << QList<int>();
    QTest::newRow("used axis beside an unused one") << 0b0100 << Cells{{3, 8}, {3, 12}} << QList<int>{3};
}

void TestPosiRecord::compare()
{
    QFETCH(int, unusedMask);
    QFETCH(Cells, changed);
    QFETCH(QList<int>, rows);
    TestEnv env;
    for (int a = 0; a < 4; ++a)
        gAxisUnused[a] = (unusedMask >> a) & 1;
    equalSides();
    gPosiCellFlag[9][0] = true; // stale flags go
    for (const auto &[n, c] : changed)
        gPosiWork[n][c + 1] = tables::numericValue(gPosiWork[n][c + 1]) + 1;

    QCOMPARE(comparePosiRange(1, 5), int(rows.size()));
    QCOMPARE(gPosiNgCount, int(rows.size()));
    QVERIFY(!gPosiCellFlag[9][0]);
    for (int n = 1; n <= 5; ++n) {
        QCOMPARE(gPosiCellFlag[n][kColComment], rows.contains(n));
        for (int c = 0; c < 19; ++c) {
            const bool expected = changed.contains({n, c}) && (tables::axisOfColumn(c) < 0 || !gAxisUnused[tables::axisOfColumn(c)]);
            QCOMPARE(gPosiCellFlag[n][c], expected);
        }
    }
    QList<int> listed;
    for (const tables::ResultLine &line : tables::resultLines())
        listed << line.position;
    QCOMPARE(listed, rows);
}

void TestPosiRecord::compareMissingPositions()
{
    TestEnv env;
    gAxisUnused[3] = true;
    equalSides();
    bool held[kPosiRows] = {};
    held[1] = held[2] = held[5] = true;
    // Rows 3 and 4 of the image equal the table, yet the file does not hold them.
    QCOMPARE(comparePosiRange(1, 5, held), 2);
    for (int c = 0; c < 19; ++c) {
        const bool compared = c >= 12 && c < 16 ? false : true;
        QCOMPARE(gPosiCellFlag[3][c], compared);
        QCOMPARE(gPosiCellFlag[4][c], compared);
    }
    QVERIFY(!gPosiCellFlag[1][kColComment]);
    QVERIFY(!gPosiCellFlag[5][kColComment]);
}

void TestPosiRecord::overLimit_data()
{
    QTest::addColumn<int>("unusedMask");
    QTest::addColumn<QList<int>>("flagged"); // positions whose check flag is set
    QTest::addColumn<QList<int>>("over");

    QTest::newRow("axis 1 and 2 over, each position once") << 0 << QList<int>() << QList<int>{12, 15};
    QTest::newRow("flagged position skipped") << 0 << QList<int>{15} << QList<int>{12};
    QTest::newRow("unused axis never over") << 0b0010 << QList<int>() << QList<int>{12};
}

void TestPosiRecord::overLimit()
{
    QFETCH(int, unusedMask);
    QFETCH(QList<int>, flagged);
    QFETCH(QList<int>, over);
    TestEnv env;
    for (int a = 0; a < 4; ++a)
        gAxisUnused[a] = (unusedMask >> a) & 1;
    const qint32 limit[4] = {20000, 20000, 20000, 20000};
    for (int n = 10; n <= 16; ++n)
        for (int a = 0; a < 4; ++a)
            gPosiTable[n][a] = 20000; // on the limit is within
    gPosiTable[12][0] = 20001;
    gPosiTable[12][1] = 30000;
    gPosiTable[15][1] = 20000.6; // rounds to 20001
    gPosiTable[13][2] = 20000.4;
    // Millimetres are never compared with the limit in pulses.
    for (int n = 10; n <= 16; ++n)
        gPosiTable[n][4] = 999999;
    for (int n : flagged)
        gPosiLineFlag[n - 1] = true;
    QCOMPARE(positionsOverLimit(10, 16, limit), over);
    QCOMPARE(posiNumberList(QList<int>{12, 15}), QStringLiteral("12,15,"));
}

void TestPosiRecord::dataExist_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("exists");
    QTest::newRow("never filled") << QVariant() << 1 << false;
    QTest::newRow("empty text") << QVariant(QString()) << 1 << false;
    QTest::newRow("zero counts") << QVariant(0) << 1 << true;
    QTest::newRow("position 999") << QVariant(30) << 999 << true;
    QTest::newRow("a comment alone") << QVariant(QStringLiteral("x")) << 500 << true;
}

void TestPosiRecord::dataExist()
{
    QFETCH(QVariant, value);
    QFETCH(int, position);
    QFETCH(bool, exists);
    TestEnv env;
    gPosiFileTable[position][position == 500 ? kColComment : 0] = value;
    gPosiDataExist = false;
    CheckPosiDataExist();
    QCOMPARE(gPosiDataExist, exists);
}

void TestPosiRecord::verifyRange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // The grid shows 1 to 30, the file holds 10 to 50: the overlap offered is 10 to 30.
    QTest::newRow("offered") << "10" << "30" << 0 << 10 << 30;
    QTest::newRow("inside") << "12" << "20" << 0 << 12 << 20;
    QTest::newRow("start below the overlap") << "5" << "20" << 1 << 0 << 0;
    QTest::newRow("end above the overlap") << "20" << "31" << 1 << 0 << 0;
    QTest::newRow("reversed does nothing") << "20" << "10" << 2 << 0 << 0;
    QTest::newRow("empty") << "" << "20" << 1 << 0 << 0;
}

void TestPosiRecord::verifyRange()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, result);
    QFETCH(int, from);
    QFETCH(int, to);
    TestEnv env;
    gPosiCommonFrom = 10;
    gPosiCommonTo = 30;
    QCOMPARE(acceptRange4(start, end), result);
    QCOMPARE(gPosiNoFrom, from);
    QCOMPARE(gPosiNoTo, to);
}

QTEST_GUILESS_MAIN(TestPosiRecord)
#include "tst_posirecord.moc"
