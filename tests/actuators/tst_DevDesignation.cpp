#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "core/Messages.h"
#include "platform/DialogScript.h"
#include "support/DataFolder.h"

#include <QtTest>

class TestDevDesignation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        actuators::resetDevDesignation();
    }

    void designation_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<bool>("qz");
        QTest::addColumn<bool>("newType");
        QTest::addColumn<bool>("withPG");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("old");

        // Catalogue: " 28L 50" both options selectable, " 35D300" PG always present,
        // "E35L100" no PG and always vertical.
        QTest::newRow("options chosen, old type") << " 28" << "L" << 50 << true << false << true << true
                                                  << "QZ- 28L- 50EV" << "(Old)";
        QTest::newRow("options not chosen") << " 28" << "L" << 50 << true << false << false << false
                                            << "QZ- 28L- 50__" << "(Old)";
        QTest::newRow("new type has no vertical mark") << " 28" << "L" << 50 << true << true << true << true
                                                       << "QZ- 28L- 50E " << "";
        QTest::newRow("PG always present") << " 35" << "D" << 300 << true << false << true << false
                                           << "QZ- 35D-300 _" << "(Old)";
        QTest::newRow("options not available") << "E35" << "L" << 100 << true << true << true << true
                                               << "QZ-E35L-100  " << "";
        QTest::newRow("not in the catalogue") << " 28" << "L" << 500 << true << false << true << true
                                              << "QZ- 28L-500  " << "(Old)";
        QTest::newRow("another family") << " 28" << "L" << 50 << false << false << true << false
                                        << "JH- 28L- 50E_" << "(Old)";
    }

    void designation()
    {
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        QFETCH(bool, qz);
        QFETCH(bool, newType);
        QFETCH(bool, withPG);
        QFETCH(bool, vertical);
        QFETCH(QString, label);
        QFETCH(QString, old);

        DataFolder folder;
        folder.installCatalogue();
        platform::DialogScript script;
        // The axis before and the axes after are built the same way; axis 2 is not in use.
        for (int a = 0; a < kAxisCount; ++a) {
            gDevSize[a] = size;
            gDevSpeed[a] = speed;
            gDevStroke[a] = stroke;
            gDevIsQz[a] = qz;
            gDevFamily[a] = QStringLiteral("QZ");
            gAxisNewType[a] = newType;
            gDevSetteiWithPG[a] = withPG;
            gDevSetteiVertical[a] = vertical;
        }
        gAxisUnused[1] = true;
        int shown = 0;
        setDeviceNameHook([&shown] { ++shown; });

        DispDeviceName();
        QCOMPARE(shown, 1);
        for (int a : {0, 2, 3}) {
            QCOMPARE(gDevTypeLabel[a], label);
            QCOMPARE(DevGridHeading(a), LoadResText(220 + a) + QLatin1Char(':') + label + old);
        }
        QVERIFY(gDevTypeLabel[1].isEmpty());
        QCOMPARE(DevGridHeading(1), LoadResText(221) + QStringLiteral(":************"));
        QVERIFY(script.boxes().isEmpty());
    }

    void missingCatalogueGivesBlankMarksSilently()
    {
        DataFolder folder;
        platform::DialogScript script;
        gDevSize[0] = QStringLiteral(" 28");
        gDevSpeed[0] = QStringLiteral("L");
        gDevStroke[0] = 50;
        gAxisNewType[0] = true;
        DispDeviceName();
        QCOMPARE(gDevTypeLabel[0], QStringLiteral("QZ- 28L- 50  "));
        QVERIFY(script.boxes().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDevDesignation)
#include "tst_DevDesignation.moc"
