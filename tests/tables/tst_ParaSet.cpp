#include "tables/ParaSet.h"

#include <QtTest>

class TestParaSet : public QObject
{
    Q_OBJECT

private:
    // A complete table: every number cell 1, TYPE and PG FUNCTION per axis as given.
    static void fillTable(int type, int pgFunction)
    {
        ClearParaTable();
        for (int item = 1; item <= 31; ++item)
            for (int r = 0; r < kAxisCount; ++r)
                gParaTmp[item][r] = 1;
        for (int r = 0; r < kAxisCount; ++r) {
            gParaTmp[12][r] = type;
            gParaTmp[13][r] = QStringLiteral(" 28L050");
            gParaTmp[14][r] = pgFunction;
            gParaTmp[29][r] = QStringLiteral(" 35");
            gParaTmp[30][r] = QStringLiteral("D");
            gParaTmp[31][r] = QStringLiteral("300");
        }
        gParaTmp[21][0] = 5;
    }

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        tables::resetParaSet();
    }

    void setParametaFromTable_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("pgFunction");
        QTest::addColumn<bool>("qz");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("withPG");

        QTest::newRow("TYPE 0") << 0 << 0 << true << false << false;
        QTest::newRow("TYPE 1") << 1 << 2 << true << true << true;
        QTest::newRow("TYPE 2") << 2 << 1 << false << false << true;
    }

    void setParametaFromTable()
    {
        QFETCH(int, type);
        QFETCH(int, pgFunction);
        QFETCH(bool, qz);
        QFETCH(bool, vertical);
        QFETCH(bool, withPG);

        fillTable(type, pgFunction);
        gAxisUnused[2] = true;
        gDevIsQz[2] = !qz;
        QCOMPARE(SetParametaFromTable(), 0);
        QCOMPARE(gDevIsQz[1], qz);
        QCOMPARE(gDevSetteiVertical[1], vertical);
        QCOMPARE(gDevSetteiWithPG[1], withPG);
        QCOMPARE(gPrmActSize[1], QStringLiteral(" 35")); // the parts, not the code
        QCOMPARE(gPrmActStroke[1], 300);
        QCOMPARE(gAxisMask, 5);
        // An axis not in use keeps its values.
        QCOMPARE(gPrmHomePush[2], 0);
        QCOMPARE(gDevIsQz[2], !qz);
    }

    // A cell that does not convert leaves the whole set and the derived flags as they were.
    void badCellChangesNothing_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("row");
        QTest::addColumn<QVariant>("cell");

        QTest::newRow("empty single") << 27 << 0 << QVariant(QString());
        QTest::newRow("text") << 26 << 3 << QVariant(QStringLiteral("x"));
        QTest::newRow("16-bit overflow") << 2 << 1 << QVariant(32768);
        QTest::newRow("32-bit overflow") << 9 << 0 << QVariant(2147483648.0);
    }

    void badCellChangesNothing()
    {
        QFETCH(int, item);
        QFETCH(int, row);
        QFETCH(QVariant, cell);

        fillTable(1, 1);
        gParaTmp[item][row] = cell;
        QCOMPARE(SetParametaFromTable(), 1);
        QCOMPARE(gPrmHomeOffset[0], 0);
        QCOMPARE(gAxisMask, 0);
        QVERIFY(!gDevSetteiVertical[0] && !gDevSetteiWithPG[0]);
        if (item != 27) {
            QCOMPARE(LetParaTableToArrays(), 1);
            QVERIFY(gPrmActuator[0].isEmpty());
        }
    }

    void designationParts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");

        QTest::newRow("seven characters") << " 28L050" << " 28" << "L" << 50;
        QTest::newRow("blanks in the stroke") << " 28L 50" << " 28" << "L" << 50;
        QTest::newRow("six characters") << "28L050" << " 28" << "L" << 50;
        QTest::newRow("size E35") << "E35L100" << "E35" << "L" << 100;
    }

    // LetParaTableToArrays takes the parts from the code, for all four axes.
    void designationParts()
    {
        QFETCH(QString, code);
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);

        fillTable(0, 0);
        gParaTmp[13][3] = code;
        gAxisUnused[3] = true;
        gPrmSingle28 = 4;
        gParaTmp[27][0] = QString();
        QCOMPARE(LetParaTableToArrays(), 0);
        QCOMPARE(gPrmActSize[3], size);
        QCOMPARE(gPrmActSpeed[3], speed);
        QCOMPARE(gPrmActStroke[3], stroke);
        QCOMPARE(gPrmStopPause, 0);
        QCOMPARE(gPrmSingle28, 4);
    }

    void printAxisFlags()
    {
        gAxisMask = 5;
        SetAxisFlagFromMask();
        QCOMPARE(QList<bool>(gPrnAxisUnused, gPrnAxisUnused + 4), QList<bool>({false, true, false, true}));
        gParaTmp[21][0] = QStringLiteral("10");
        SetAxisFlagFromPara();
        QCOMPARE(QList<bool>(gPrnAxisUnused, gPrnAxisUnused + 4), QList<bool>({true, false, true, false}));
    }
};

QTEST_GUILESS_MAIN(TestParaSet)
#include "tst_ParaSet.moc"
