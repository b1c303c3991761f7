#include "actuators/DevCatalogue.h"
#include "actuators/DevSettingStore.h"
#include "platform/DialogScript.h"
#include "platform/SettingsStore.h"
#include "support/DataFolder.h"

#include <QtTest>

using platform::SettingsStore;

class TestDevSettingStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
    }

    void emptyStoreGivesDefaults()
    {
        DataFolder folder;
        folder.installCatalogue();
        SettingsStore::setText(QStringLiteral("DevStroke1"), QStringLiteral("50"));
        QCOMPARE(LoadDevSetting(), 0);
        for (int a = 0; a < kAxisCount; ++a) {
            QCOMPARE(gDevSize[a], QStringLiteral(" 28"));
            QCOMPARE(gDevSetteiSpeed[a], QStringLiteral("L"));
            QVERIFY(gDevIsQz[a] && gAxisNewType[a] && gDevSetteiNewType[a] && gDevVertical[a]);
            QVERIFY(!gDevWithPG[a]);
            QCOMPARE(gDevNewTypeStr[a], QStringLiteral("NEW"));
            QCOMPARE(gDevLead[a], 2);
            QCOMPARE(gDevPPR[a], 400);
        }
        QCOMPARE(gDevStroke[0], 50);
        QCOMPARE(gDevStroke[1], 100);
    }

    void storedValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("result");

        QTest::newRow("catalogue row wins over stored lead") << "DevLead1" << "99" << 0;
        QTest::newRow("size of two characters") << "DevSize1" << "28" << 1;
        QTest::newRow("stroke not a number") << "DevStroke1" << "abc" << 1;
        QTest::newRow("PPR not a number") << "DevPPR1" << "x" << 1;
        QTest::newRow("flag -1 is not set") << "NewType1" << "-1" << 0;
    }

    // Axis 1 holds " 28" L 50 of the catalogue; one stored key is spoiled.
    void storedValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, result);

        DataFolder folder;
        folder.installCatalogue();
        for (int a = 1; a <= 4; ++a)
            SettingsStore::setText(QStringLiteral("DevStroke%1").arg(a), QStringLiteral("50"));
        SettingsStore::setText(key, value);
        gDevSize[0] = QStringLiteral("E35");
        gDevStroke[0] = 100;
        gDevSpeed[0] = QStringLiteral("L");
        QCOMPARE(LoadDevSetting(), result);
        if (result == 0) {
            QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
            QCOMPARE(gDevLead[0], 2);
            QCOMPARE(gDevPPR[0], 400);
        }
        QCOMPARE(gAxisNewType[0], key != QLatin1String("NewType1"));
        QCOMPARE(gDevSize[1], QStringLiteral(" 28"));
    }

    void leadOfActuatorNotInCatalogue_data()
    {
        QTest::addColumn<QString>("lead");
        QTest::addColumn<int>("result");
        QTest::newRow("2") << "2" << 0;
        QTest::newRow("20") << "20" << 0;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("21") << "21" << 1;
    }

    void leadOfActuatorNotInCatalogue()
    {
        QFETCH(QString, lead);
        QFETCH(int, result);
        DataFolder folder;
        folder.installCatalogue();
        for (int a = 1; a <= 4; ++a) {
            SettingsStore::setText(QStringLiteral("DevStroke%1").arg(a), QStringLiteral("150"));
            SettingsStore::setText(QStringLiteral("DevLead%1").arg(a), lead);
            SettingsStore::setText(QStringLiteral("DevPPR%1").arg(a), QStringLiteral("40000"));
        }
        QCOMPARE(LoadDevSetting(), result);
        QCOMPARE(gDevPPR[2], 40000);
        if (result == 0)
            QCOMPARE(gDevLead[2], lead.toInt());
    }

    // What is saved for the axes in use loads back; the leading blank of a size survives the
    // settings file, and an axis not in use keeps its stored keys.
    void roundTrip()
    {
        DataFolder folder;
        folder.installCatalogue();
        SettingsStore::setText(QStringLiteral("DevSize4"), QStringLiteral(" 20"));
        const QString sizes[] = {QStringLiteral(" 35"), QStringLiteral(" 99"), QStringLiteral(" 28"),
                                 QStringLiteral("E35")};
        const QString speeds[] = {QStringLiteral("D"), QStringLiteral("H"), QStringLiteral("L"),
                                  QStringLiteral("L")};
        const int strokes[] = {300, 250, 50, 100};
        for (int a = 0; a < kAxisCount; ++a) {
            gDevSize[a] = sizes[a];
            gDevSpeed[a] = speeds[a];
            gDevStroke[a] = strokes[a];
            gDevLead[a] = a == 1 ? 12 : 1;
            gDevPPR[a] = a == 1 ? 50000 : 1;
            gAxisNewType[a] = a % 2 == 0;
            gDevSetteiVertical[a] = a == 0;
            gDevSetteiWithPG[a] = a != 0;
        }
        gAxisUnused[3] = true;
        QCOMPARE(SaveDevSetting(), 0);

        tables::resetDevSetting();
        QCOMPARE(LoadDevSetting(), 0);
        for (int a = 0; a < 3; ++a) {
            QCOMPARE(gDevSize[a], sizes[a]);
            QCOMPARE(gDevSetteiSize[a], sizes[a]);
            QCOMPARE(gDevSpeed[a], speeds[a]);
            QCOMPARE(gDevStroke[a], strokes[a]);
            QCOMPARE(gAxisNewType[a], a % 2 == 0);
            QCOMPARE(gDevVertical[a], a == 0);
            QCOMPARE(gDevSetteiWithPG[a], a != 0);
            QVERIFY(gDevIsQz[a]);
        }
        // From the catalogue, or from the store for an actuator the catalogue lacks.
        QCOMPARE(gDevLead[0], 8);
        QCOMPARE(gDevPPR[0], 40000);
        QCOMPARE(gDevLead[1], 12);
        QCOMPARE(gDevPPR[1], 50000);
        QCOMPARE(gDevSize[3], QStringLiteral(" 20"));
    }
};

QTEST_GUILESS_MAIN(TestDevSettingStore)
#include "tst_DevSettingStore.moc"
