#include "tables/ParaFile.h"
#include "tables/ParaInput.h"
#include "editors/ParaPrint.h"
#include "tables/ParaSet.h"
#include "tables/ParaVerify.h"
#include "link/ParaBlockCodec.h"
#include "platform/DialogScript.h"

#include "support/ParaSetText.h"

#include <QtTest>

using tables::kParaItemTable;
using tables::ParaItem;
using tables::paraItem;
using tables::ParaStore;

namespace {

// A set that passes both checks: every number at its lower limit, actuator " 28L050".
void setLowestValidSet()
{
    for (const ParaItem &item : kParaItemTable)
        for (int a = 0; a < (item.perAxis ? kAxisCount : 1); ++a)
            if (item.store != ParaStore::Text)
                item.setValueAt(a, item.min);
    for (int a = 0; a < kAxisCount; ++a) {
        gPrmActSize[a] = QStringLiteral(" 28");
        gPrmActSpeed[a] = QStringLiteral("L");
        gPrmActStroke[a] = 50;
        tables::rebuildActuatorCode(a);
    }
}

// Another valid value for the item on every axis: a number's upper limit (an unchecked
// number 7), another actuator's size or speed. The code follows its parts.
void changeItem(int number)
{
    const ParaItem &item = paraItem(number);
    for (int a = 0; a < (item.perAxis ? kAxisCount : 1); ++a) {
        if (number == 13 || number == 29)
            gPrmActSize[a] = QStringLiteral(" 35");
        if (number == 13 || number == 30)
            gPrmActSpeed[a] = QStringLiteral("D");
        if (item.store != ParaStore::Text)
            item.setValueAt(a, item.check == tables::ParaCheck::None ? 7 : item.max);
    }
    for (int a = 0; a < kAxisCount; ++a)
        tables::rebuildActuatorCode(a);
}

} // namespace

class TestParaItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        tables::resetParaSet();
        tables::resetParaVerify();
    }

    // The table itself: item n in row n, one variable by its store, block fields apart
    // from each other and from the reserved bytes, the file's rows the first items.
    void tableIsWhole()
    {
        QSet<const void *> variables;
        int filed = 0;
        for (int i = 0; i < tables::kParaItemCount; ++i) {
            const ParaItem &item = kParaItemTable[i];
            QCOMPARE(item.number, i + 1);
            const void *variable = item.store == ParaStore::Text ? static_cast<const void *>(item.text)
                                   : item.store == ParaStore::Int32 ? static_cast<const void *>(item.wide)
                                                                     : static_cast<const void *>(item.narrow);
            QVERIFY2(variable, qPrintable(QString::number(item.number)));
            QCOMPARE(int(bool(item.text)) + int(bool(item.wide)) + int(bool(item.narrow)), 1);
            QVERIFY(!variables.contains(variable));
            variables.insert(variable);
            if (item.filed) {
                QCOMPARE(item.number, ++filed); // no gap in the file's rows
            }
            QVERIFY(item.min <= item.max);
        }
        QCOMPARE(filed, 27); // HOME 6, AXIS 7, PG 2, ETC 5, SPECIAL 7
        for (const int block : {0, 1, 5, 6}) {
            QSet<int> used;
            for (int byte = 0; byte < link::kParaBlockBytes; ++byte)
                if (link::paraRsvSlot(block, byte) >= 0)
                    used.insert(byte);
            if (block == 6)
                used << 8 << 9; // the actuator code's size and speed
            for (const ParaItem &item : kParaItemTable) {
                const bool here = (block == 0 && item.block == tables::ParaBlock::Zero)
                                  || (block == 1 && item.block == tables::ParaBlock::Order)
                                  || (block == 5 && item.block == tables::ParaBlock::Odd)
                                  || (block == 6 && item.block == tables::ParaBlock::Even);
                if (!here)
                    continue;
                for (int b = item.firstByte; b < item.firstByte + item.bytes; ++b) {
                    QVERIFY2(!used.contains(b), qPrintable(QStringLiteral("item %1 byte %2").arg(item.number).arg(b)));
                    used.insert(b);
                }
            }
            // The homing-order blocks carry their one item and zeros.
            QCOMPARE(used.size(), block == 1 ? 1 : link::kParaBlockBytes);
        }
    }

    void roundTrips_data()
    {
        QTest::addColumn<int>("number");
        for (const ParaItem &item : kParaItemTable)
            QTest::newRow(qPrintable(QStringLiteral("item %1").arg(item.number))) << item.number;
    }

    // Every item comes back as it went: through the controller's blocks and the exchange
    // table, and (when the file holds it or its code) through the file.
    void roundTrips()
    {
        QFETCH(int, number);
        setLowestValidSet();
        const QStringList lowest = paraSetText();
        changeItem(number);
        const QStringList expected = paraSetText();
        QVERIFY(expected != lowest);

        QVariant table[36][5];
        link::ParaRsv rsv;
        for (int block = 0; block < link::kParaBlockCount; ++block) {
            link::BlockBytes bytes;
            QVERIFY(link::encodeParaBlock(block, rsv, bytes));
            const auto back = link::paraBlockFromReply(block, QStringLiteral("0RD") + link::paraBlockRecord(block, bytes));
            QVERIFY(back);
            link::decodeParaBlock(block, *back, table, rsv);
        }
        ClearParaArrays();
        for (int i = 0; i < kParaItems; ++i)
            for (int r = 0; r < kParaRows; ++r)
                gParaTmp[i][r] = table[i][r];
        QCOMPARE(SetParametaFromTable(), 0);
        QCOMPARE(paraSetText(), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("items.pmt"));
        QCOMPARE(WriteParaFile(path), 0);
        const int single28 = gPrmSingle28;
        ClearParaArrays();
        gPrmSingle28 = single28; // no file holds it: the value stays the controller's
        QCOMPARE(tables::openParaFileFrom(path), 0);
        QCOMPARE(paraSetText(), expected);
    }

    void limits_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("above");
        for (const ParaItem &item : kParaItemTable) {
            if (item.check == tables::ParaCheck::None)
                continue;
            QTest::newRow(qPrintable(QStringLiteral("item %1 below").arg(item.number))) << item.number << false;
            if (item.max < 1000000)
                QTest::newRow(qPrintable(QStringLiteral("item %1 above").arg(item.number))) << item.number << true;
        }
    }

    // One past either limit fails the whole set's check, and the smaller check where it
    // holds the item; at the limit both pass.
    void limits()
    {
        QFETCH(int, number);
        QFETCH(bool, above);
        const ParaItem &item = paraItem(number);
        const qint64 limit = above ? item.max : item.min;
        const auto setTo = [&item](qint64 v) {
            if (item.store == ParaStore::Text)
                item.textAt(item.perAxis ? 2 : 0) = QString(int(v), QLatin1Char('A'));
            else
                item.setValueAt(item.perAxis ? 2 : 0, v);
        };
        setLowestValidSet();
        setTo(limit);
        QCOMPARE(ParametaValueCheck(), 0);
        QCOMPARE(ParametaValueCheck2(), 0);
        setTo(above ? limit + 1 : limit - 1);
        QCOMPARE(ParametaValueCheck(), 1);
        QCOMPARE(ParametaValueCheck2(), item.check == tables::ParaCheck::Always ? 1 : 0);
        // An axis not in use is not checked.
        if (item.perAxis) {
            gAxisUnused[2] = true;
            QCOMPARE(ParametaValueCheck(), 0);
        }
    }

    void verifyNames_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("difference");

        QTest::newRow("OFFSET") << 1 << int(kVerifyHome) << "OFFSET(2),";
        QTest::newRow("SEQ") << 6 << int(kVerifyHome) << "SEQ(2),";
        QTest::newRow("Actuator") << 13 << int(kVerifyAxis) << "Actuator(2),";
        QTest::newRow("ALM") << 15 << int(kVerifyPg) << "ALM(2),";
        QTest::newRow("SM TIMER") << 20 << int(kVerifyEtc) << "SM TIMER,";
        QTest::newRow("STOP/PAUSE") << 27 << int(kVerifySp) << "STOP/PAUSE,";
        QTest::newRow("LS SERCH TIMER") << 24 << int(kVerifySp) << "LS SERCH TIMER(2),";
    }

    // The packed table against the set: one changed item is named in its group alone.
    void verifyNames()
    {
        QFETCH(int, number);
        QFETCH(int, group);
        QFETCH(QString, difference);
        setLowestValidSet();
        SetPrintParaData();
        ParaChangeCheck();
        QVERIFY(!gVerifyNG);
        const ParaItem &item = paraItem(number);
        if (item.store == ParaStore::Text)
            item.textAt(1) = QStringLiteral(" 35D050");
        else
            item.setValueAt(1, item.valueAt(1) + 1);
        ParaChangeCheck();
        QVERIFY(gVerifyNG);
        for (int g = 0; g < kVerifyGroups; ++g)
            QCOMPARE(gVerifyDiff[g], g == group ? difference : QString());
    }
};

QTEST_GUILESS_MAIN(TestParaItems)
#include "tst_ParaItems.moc"
