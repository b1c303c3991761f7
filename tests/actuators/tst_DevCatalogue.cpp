#include "actuators/DevCatalogue.h"
#include "core/Messages.h"
#include "platform/DialogScript.h"
#include "support/DataFolder.h"

#include <QtTest>

namespace {

QString catalogue(const QString &name)
{
    return fixturePath(QStringLiteral("actuators/") + name);
}

// A catalogue of n rows of one size and speed, strokes 10, 11, ...
QByteArray generatedCatalogue(int count, int rows)
{
    QByteArray out = QByteArray::number(count) + "\r\n";
    for (int r = 0; r < rows; ++r)
        out += "\" 28L-" + QByteArray::number(10 + r).rightJustified(3, '0') + "\",2,400,1,1\r\n";
    return out;
}

} // namespace

class TestDevCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        actuators::resetDevCatalogue();
    }

    void readDevList_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("sizes");
        QTest::addColumn<QString>("firstSize");

        QTest::newRow("good") << "good.lst" << 0 << 7 << 5 << " 28";
        QTest::newRow("count 0") << "count0.lst" << 0 << 0 << 0 << "";
        QTest::newRow("count not a number") << "notanumber.lst" << 0 << 0 << 0 << "";
        QTest::newRow("six sizes") << "sixsizes.lst" << 0 << 6 << 6 << " 20";
        QTest::newRow("seven speeds of one size") << "sevenspeeds.lst" << 0 << 8 << 2 << " 28";
        QTest::newRow("row over two lines") << "splitrow.lst" << 0 << 1 << 1 << " 28";
        QTest::newRow("unquoted code loses its blank") << "unquoted.lst" << 0 << 1 << 1 << "28L";
        QTest::newRow("missing") << "absent.lst" << 1 << 0 << 0 << "";
        QTest::newRow("fewer rows than count") << "short.lst" << 1 << 0 << 0 << "";
        QTest::newRow("seven sizes") << "sevensizes.lst" << 1 << 0 << 0 << "";
        QTest::newRow("text not closed") << "unterminated.lst" << 1 << 0 << 0 << "";
    }

    void readDevList()
    {
        QFETCH(QString, file);
        QFETCH(int, result);
        QFETCH(int, rows);
        QFETCH(int, sizes);
        QFETCH(QString, firstSize);

        DataFolder folder;
        folder.install(catalogue(file), QStringLiteral("nqzdevice.lst"));
        platform::DialogScript script;
        if (result != 0)
            script.answer(platform::IdOk);

        QCOMPARE(ReadDevList(), result);
        QCOMPARE(script.prompts(), result ? QStringList{ResLines({15, 16})} : QStringList{});
        QCOMPARE(gDevListReadFailed[0], result != 0);
        for (int a = 0; a < kAxisCount; ++a) {
            QCOMPARE(gDevListCount[a], rows);
            QCOMPARE(gDevSizeCount[a], sizes);
            QCOMPARE(gDevSpeedCount[a], 0);
            QCOMPARE(gDevSizeList[a][0], firstSize);
        }
        for (int a = 1; a < kAxisCount; ++a)
            QVERIFY(!gDevListReadFailed[a]);
    }

    void rowBounds_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("tableResult");
        QTest::addColumn<int>("lookupOfLastRow");

        QTest::newRow("99 rows") << 99 << 99 << 0 << 0;
        QTest::newRow("100 rows") << 100 << 100 << 1 << 0;
    }

    // The fixed tables stop at 99 rows; the look-ups read any number.
    void rowBounds()
    {
        QFETCH(int, count);
        QFETCH(int, rows);
        QFETCH(int, tableResult);
        QFETCH(int, lookupOfLastRow);

        DataFolder folder;
        folder.write(QStringLiteral("nqzdevice.lst"), generatedCatalogue(count, rows));
        platform::DialogScript script;
        if (tableResult)
            script.answer(platform::IdOk);
        QCOMPARE(ReadDevList(), tableResult);
        QCOMPARE(DevListLookup3(QStringLiteral(" 28"), QStringLiteral("L"), 10 + rows - 1),
                 lookupOfLastRow);
        QVERIFY(script.unexpected().isEmpty());
    }

    // A failed read leaves every table, list and count as the last good read left them.
    void failedReadChangesNothing()
    {
        DataFolder folder;
        folder.install(catalogue(QStringLiteral("good.lst")), QStringLiteral("nqzdevice.lst"));
        SearchDevList();
        QCOMPARE(gDevSpeedCount[2], 3);

        for (const char *bad : {"short.lst", "sevensizes.lst", "absent.lst"}) {
            folder.remove(QStringLiteral("nqzdevice.lst"));
            folder.install(catalogue(QLatin1String(bad)), QStringLiteral("nqzdevice.lst"));
            platform::DialogScript script;
            script.answer(platform::IdOk);
            QCOMPARE(ReadDevList2(2), 1);
            QVERIFY(gDevListReadFailed[2]);
            QCOMPARE(script.prompts(), QStringList{ResLines({15, 16})});
            QCOMPARE(gDevListCount[2], 7);
            QCOMPARE(gDevList[2][4].code, QStringLiteral(" 35D 300"));
            QCOMPARE(gDevSizeCount[2], 5);
            QCOMPARE(gDevSizeList[2][4], QStringLiteral(" 99"));
            QCOMPARE(gDevSpeedCount[2], 3);
        }
        QVERIFY(!gDevListReadFailed[0]);
    }

    void searchDevListKeepsAllSpeeds()
    {
        DataFolder folder;
        folder.install(catalogue(QStringLiteral("sevenspeeds.lst")), QStringLiteral("nqzdevice.lst"));
        platform::DialogScript script;
        SearchDevList();
        QVERIFY(script.boxes().isEmpty());
        QVERIFY(!gDevListReadFailed[0]);
        QCOMPARE(gDevSpeedCount[0], 6);
    }

    void speedListPerSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("speeds");

        QTest::newRow("one letter") << "good.lst" << " 28" << QStringList{"L"};
        QTest::newRow("first six of seven") << "sevenspeeds.lst" << " 28"
                                            << QStringList{"L", "H", "D", "M", "S", "T"};
        QTest::newRow("size exact") << "good.lst" << "28 " << QStringList{};
        QTest::newRow("empty catalogue") << "count0.lst" << " 28" << QStringList{};
    }

    void speedListPerSize()
    {
        QFETCH(QString, file);
        QFETCH(QString, size);
        QFETCH(QStringList, speeds);

        DataFolder folder;
        folder.install(catalogue(file), QStringLiteral("nqzdevice.lst"));
        QCOMPARE(ReadDevList2(1), 0);
        SetDevListData(1, size);
        QStringList got;
        for (int i = 0; i < gDevSpeedCount[1]; ++i)
            got << gDevSpeedList[1][i];
        QCOMPARE(got, speeds);
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<int>("lead");
        QTest::addColumn<int>("ppr");
        QTest::addColumn<int>("pg");
        QTest::addColumn<int>("vertical");

        QTest::newRow("first of two equal rows") << " 28" << "L" << 50 << 2 << 400 << 1 << 1;
        QTest::newRow("stroke digits with a blank") << " 35" << "D" << 300 << 8 << 40000 << 2 << 1;
        QTest::newRow("size E35") << "E35" << "L" << 100 << 6 << 400 << 0 << 2;
        QTest::newRow("size without blank") << "28 " << "L" << 50 << 0 << 0 << 99 << 99;
        QTest::newRow("speed case counts") << " 42" << "L" << 100 << 0 << 0 << 99 << 99;
        QTest::newRow("other stroke") << " 28" << "L" << 150 << 0 << 0 << 99 << 99;
    }

    void lookups()
    {
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        QFETCH(int, lead);
        QFETCH(int, ppr);
        QFETCH(int, pg);
        QFETCH(int, vertical);

        DataFolder folder;
        folder.install(catalogue(QStringLiteral("good.lst")), QStringLiteral("nqzdevice.lst"));
        platform::DialogScript script;
        gCatLead = -1;
        gCatPPR = -1;

        const bool found = lead != 0;
        QCOMPARE(DevListLookup2(size, speed, stroke), found ? 0 : 1);
        QCOMPARE(gCatLead, found ? lead : -1);
        QCOMPARE(int(gCatPPR), found ? ppr : -1);
        QCOMPARE(DevListLookup3(size, speed, stroke), found ? 0 : 1);
        QCOMPARE(DevListLookup4(size, speed, stroke), pg);
        QCOMPARE(DevListLookup5(size, speed, stroke), vertical);
        QVERIFY(script.boxes().isEmpty());
    }

    void lookupFailures()
    {
        DataFolder folder;
        folder.install(catalogue(QStringLiteral("good.lst")), QStringLiteral("nqzdevice.lst"));
        {
            // An option code that is no number fails the look-up that needs it.
            platform::DialogScript script;
            script.answer(platform::IdOk);
            script.answer(platform::IdOk);
            QCOMPARE(DevListLookup4(QStringLiteral(" 99"), QStringLiteral("L"), 100), 99);
            QCOMPARE(DevListLookup5(QStringLiteral(" 99"), QStringLiteral("L"), 100), 99);
            QCOMPARE(DevListLookup3(QStringLiteral(" 99"), QStringLiteral("L"), 100), 0);
            QCOMPARE(script.prompts(), QStringList({ResLines({15}), ResLines({15})}));
        }
        for (const char *bad : {"absent.lst", "bigppr.lst"}) {
            folder.remove(QStringLiteral("nqzdevice.lst"));
            folder.install(catalogue(QLatin1String(bad)), QStringLiteral("nqzdevice.lst"));
            platform::DialogScript script;
            script.answer(platform::IdOk);
            gCatLead = 7;
            gCatPPR = 9;
            QCOMPARE(DevListLookup2(QStringLiteral(" 35"), QStringLiteral("D"), 300), 1);
            QCOMPARE(gCatLead, 7);
            QCOMPARE(int(gCatPPR), 9);
            QCOMPARE(script.prompts(), QStringList({ResLines({15, 16})}));
        }
    }
};

QTEST_GUILESS_MAIN(TestDevCatalogue)
#include "tst_DevCatalogue.moc"
