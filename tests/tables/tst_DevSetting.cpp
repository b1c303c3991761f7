#include "tables/DevSetting.h"
#include "core/PrintLayout.h"
#include "tables/ParaSet.h"

#include <QtTest>

class TestDevSetting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        tables::resetParaSet();
    }

    void checkDevCode_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<int>("result");

        QTest::newRow("stroke 10") << " 28" << "L" << 10 << 0;
        QTest::newRow("stroke 500") << " 28" << "L" << 500 << 0;
        QTest::newRow("stroke 9") << " 28" << "L" << 9 << 1;
        QTest::newRow("stroke 501") << " 28" << "L" << 501 << 1;
        QTest::newRow("two-character size") << "28" << "L" << 100 << 1;
        QTest::newRow("lower-case speed") << " 28" << "l" << 100 << 1;
        QTest::newRow("empty speed") << " 28" << "" << 100 << 1;
        QTest::newRow("speed Z") << "E35" << "Z" << 100 << 0;
    }

    void checkDevCode()
    {
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        QFETCH(int, result);
        QCOMPARE(CheckDevCode(size, speed, stroke), result);
    }

    void splitDevCode_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<QString>("printStroke");

        QTest::newRow("blank-padded stroke") << 1 << " 35D300" << 0 << " 35" << "D" << 300 << "300";
        QTest::newRow("zero-padded stroke") << 1 << " 28L050" << 0 << " 28" << "L" << 50 << " 50";
        QTest::newRow("blanks before stroke") << 1 << " 28L 50" << 0 << " 28" << "L" << 50 << " 50";
        QTest::newRow("six characters") << 1 << "28L050" << 1 << "" << "" << 0 << "";
        QTest::newRow("eight characters") << 1 << " 28L0050" << 1 << "" << "" << 0 << "";
        QTest::newRow("axis 4") << 4 << " 28L050" << 1 << "" << "" << 0 << " 50";
        QTest::newRow("axis -1") << -1 << " 28L050" << 1 << "" << "" << 0 << " 50";
    }

    void splitDevCode()
    {
        QFETCH(int, axis);
        QFETCH(QString, code);
        QFETCH(int, result);
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        QFETCH(QString, printStroke);

        QCOMPARE(SplitDevCode(axis, code), result);
        QCOMPARE(gPrmActSize[1], size);
        QCOMPARE(gPrmActSpeed[1], speed);
        QCOMPARE(gPrmActStroke[1], stroke);
        for (int a : {0, 2, 3})
            QVERIFY(gPrmActSize[a].isEmpty());

        gPrnDevStroke.clear();
        QCOMPARE(SplitDevCodePrint(code), code.size() == 7 ? 0 : 1);
        QCOMPARE(gPrnDevStroke, printStroke);
    }

    void letDevFlags_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("qz");
        QTest::addColumn<bool>("newType");
        QTest::addColumn<bool>("vertical");

        // The new-type flag starts set: kind 1 with another size leaves it so.
        QTest::newRow("kind 0") << 0 << " 28" << true << false << false;
        QTest::newRow("kind 1, size 42") << 1 << " 42" << true << true << true;
        QTest::newRow("kind 1, size 28") << 1 << " 28" << true << true << true;
        QTest::newRow("kind 5") << 5 << " 42" << false << false << false;
    }

    void letDevFlags()
    {
        QFETCH(int, kind);
        QFETCH(QString, size);
        QFETCH(bool, qz);
        QFETCH(bool, newType);
        QFETCH(bool, vertical);

        gAxisUnused[3] = true;
        for (int a = 0; a < kAxisCount; ++a) {
            gAxisNewType[a] = gDevSetteiNewType[a] = true;
            gCtDevKind[a] = kind;
            gCtDevLead[a] = 6;
            gCtDevPPR[a] = 40000;
            gCtDevWithPG[a] = 2;
            gAxisStrokeLimit[a] = 100000;
            gPrmActSize[a] = size;
        }
        LetDevFlags();
        QCOMPARE(gDevIsQz[0], qz);
        QCOMPARE(gAxisNewType[0], newType);
        QCOMPARE(gDevSetteiNewType[0], newType);
        QCOMPARE(gDevVertical[0], vertical);
        QCOMPARE(gDevSetteiVertical[0], vertical);
        QVERIFY(gDevWithPG[0] && gDevSetteiWithPG[0]);
        QCOMPARE(gDevLead[0], 6);
        QCOMPARE(gDevPPR[0], 40000);
        QCOMPARE(gDevMaxPulse[0], 100000);
        QCOMPARE(gDevLead[3], 2); // an axis not in use is left alone
    }

    void checkDevSettingStopsAtIncompleteAxis()
    {
        for (int a = 0; a < kAxisCount; ++a) {
            gPrmActSize[a] = QStringLiteral(" 20");
            gPrmActSpeed[a] = QStringLiteral("L");
            gPrmActStroke[a] = 50;
        }
        gPrmActStroke[0] = 0;
        QCOMPARE(CheckDevSetting(), 1);
        for (int a = 0; a < kAxisCount; ++a)
            QVERIFY(gDevSize[a].isEmpty());

        gPrmActStroke[0] = 50;
        QCOMPARE(CheckDevSetting(), 0);
        for (int a = 0; a < kAxisCount; ++a) {
            QCOMPARE(gDevSize[a], QStringLiteral(" 20"));
            QCOMPARE(gDevStroke[a], 50);
            QVERIFY(gAxisNewType[a] && gDevSetteiNewType[a] && gDevIsQz[a]);
        }
    }

    // Axes follow the mask; an axis without an actuator parameter is skipped, the others are
    // still brought up to date, and a lead of 0 divides nothing.
    void culcDevLimits()
    {
        gAxisMask = 5 | 8;
        for (int a = 0; a < kAxisCount; ++a) {
            gPrmActuator[a] = QStringLiteral(" 28L100");
            gPrmActSize[a] = QStringLiteral(" 28");
            gPrmActSpeed[a] = QStringLiteral("L");
            gPrmActStroke[a] = 100;
            gPrmAxisLead[a] = 2;
            gPrmAxisPulse[a] = 40000;
            gPrmAxisStroke[a] = 2000000;
            gPrmJhOrQz[a] = 1;
            gPrmPgFunc[a] = 2;
        }
        gPrmActuator[0].clear();
        gPrmJhOrQz[3] = 4;
        gPrmPgFunc[3] = 0;

        CulcDevLimits();
        QCOMPARE(QList<bool>(gAxisUnused, gAxisUnused + 4), QList<bool>({false, true, false, false}));
        QVERIFY(gDevSize[0].isEmpty());
        QCOMPARE(gDevSize[2], QStringLiteral(" 28"));
        QCOMPARE(gDevPPR[2], 40000);
        QCOMPARE(gDevMaxPulse[2], 2000000);
        QCOMPARE(gStrokeMm[2], 100.0);
        QVERIFY(gDevVertical[2] && gDevSetteiVertical[2] && gDevWithPG[2] && gDevSetteiWithPG[2]);
        QVERIFY(!gDevVertical[3] && !gDevWithPG[3]);

        gPrmAxisLead[3] = 0;
        CulcDevLimits();
        QCOMPARE(gDevLead[3], 0);
    }

    // The one reading of a number that a text begins with: the data files' items, the setup
    // window's stroke texts and the test-move window's labels and program cells.
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        QTest::newRow("digits then letters") << " 12abc" << 12.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("minus") << "-5" << -5.0;
        QTest::newRow("plus with fraction") << "+3.25x" << 3.25;
        QTest::newRow("tab first") << "\t7" << 7.0;
        QTest::newRow("fraction only") << ".5" << 0.5;
        QTest::newRow("point last") << "5." << 5.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("second point ends it") << "12.3.4" << 12.3;
        QTest::newRow("stroke item") << " 50" << 50.0;
        QTest::newRow("digit of another script") << QString(QChar(0x0663)) << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(tables::leadingNumber(text), value);
    }

    void copyNewTypeFlagSkipsUnusedAxes()
    {
        gAxisUnused[1] = true;
        for (bool &f : gDevSetteiNewType)
            f = true;
        CopyNewTypeFlag();
        QCOMPARE(QList<bool>(gAxisNewType, gAxisNewType + 4), QList<bool>({true, false, true, true}));
    }
};

QTEST_GUILESS_MAIN(TestDevSetting)
#include "tst_DevSetting.moc"
