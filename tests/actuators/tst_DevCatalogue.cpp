#include "actuators/DevCatalogue.h"
#include "core/Messages.h"
#include "platform/DialogScript.h"
#include "support/DataFolder.h"
#include "support/FileFault.h"

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
        QTest::addColumn<QString>("file");        // a fixture, or "<contents>"
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("box");         // empty: read; "<path>" for the catalogue's path
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("sizes");
        QTest::addColumn<QString>("firstSize");

        const auto damaged = [](int line) {
            return damageText({QString(), {}, FileVerdict::Damaged, line}, QStringLiteral("<path>"))
                   + QStringLiteral("\r\n") + LoadResText(3051);
        };
        const QByteArray none;
        QTest::newRow("good") << "good.lst" << none << "" << 7 << 5 << " 28";
        QTest::newRow("count 0") << "count0.lst" << none << "" << 0 << 0 << "";
        QTest::newRow("count not a number") << "notanumber.lst" << none << "" << 0 << 0 << "";
        QTest::newRow("six sizes") << "sixsizes.lst" << none << "" << 6 << 6 << " 20";
        QTest::newRow("seven speeds of one size") << "sevenspeeds.lst" << none << "" << 8 << 2 << " 28";
        QTest::newRow("unquoted code loses its blank") << "unquoted.lst" << none << "" << 1 << 1 << "28L";
        // Only a catalogue that is not there is told as missing.
        QTest::newRow("missing") << "absent.lst" << none << ResLines({15, 16}) << 0 << 0 << "";
        QTest::newRow("row over two lines") << "splitrow.lst" << none << damaged(2) << 0 << 0 << "";
        QTest::newRow("fewer rows than count") << "short.lst" << none << damaged(3) << 0 << 0 << "";
        QTest::newRow("seven sizes") << "sevensizes.lst" << none << damaged(8) << 0 << 0 << "";
        QTest::newRow("text not closed") << "unterminated.lst" << none << damaged(2) << 0 << 0 << "";
        // The program only reads the catalogue: an editor's ending reads whole; a row out of
        // its line or a count that is not the rows' is refused with the line named.
        const QByteArray good = fileBytes(catalogue(QStringLiteral("good.lst")));
        for (const FileCopy &copy : editorEndingCopies(good, FileKind::ReadOnly) + listDamageCopies(good, 3)) {
            const bool read = copy.verdict == FileVerdict::ReadsWhole;
            QTest::newRow(qPrintable(copy.name)) << "<contents>" << copy.bytes << (read ? QString() : damaged(copy.line))
                                                 << (read ? 7 : 0) << (read ? 5 : 0) << (read ? " 28" : "");
        }
    }

    void readDevList()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, box);
        QFETCH(int, rows);
        QFETCH(int, sizes);
        QFETCH(QString, firstSize);

        DataFolder folder;
        if (file == QLatin1String("<contents>"))
            folder.write(QStringLiteral("nqzdevice.lst"), contents);
        else
            folder.install(catalogue(file), QStringLiteral("nqzdevice.lst"));
        box.replace(QStringLiteral("<path>"), folder.path(QStringLiteral("nqzdevice.lst")));
        const bool fails = !box.isEmpty();
        platform::DialogScript script;
        if (fails)
            script.answer(platform::IdOk);

        QCOMPARE(ReadDevList(), fails ? 1 : 0);
        QCOMPARE(script.prompts(), fails ? QStringList{box} : QStringList{});
        QCOMPARE(gDevListReadFailed[0], fails);
        for (int a = 0; a < kAxisCount; ++a) {
            QCOMPARE(gDevListCount[a], rows);
            QCOMPARE(gDevSizeCount[a], sizes);
            QCOMPARE(gDevSpeedCount[a], 0);
            QCOMPARE(gDevSizeList[a][0], firstSize);
        }
        for (int a = 1; a < kAxisCount; ++a)
            QVERIFY(!gDevListReadFailed[a]);
    }

    // A stray comma anywhere outside the texts, or a row count one off, never moves items from
    // one row to the next: the catalogue is refused, naming the line.
    void strayCommaOrCountNamesItsLine()
    {
        const QByteArray good = fileBytes(catalogue(QStringLiteral("good.lst")));
        DataFolder folder;
        const QString path = folder.path(QStringLiteral("nqzdevice.lst"));
        struct Change
        {
            QString what;
            QByteArray bytes;
            int line; // the line to name
        };
        QList<Change> changed;
        bool quoted = false;
        for (int i = 0; i < good.size(); ++i) {
            const char c = good.at(i);
            if (c == '"')
                quoted = !quoted;
            if (quoted || c == '"' || c == '\n' || c == ',')
                continue;
            QByteArray bytes = good;
            bytes[i] = ',';
            changed.append({QStringLiteral("a comma at byte %1").arg(i), bytes, int(good.left(i).count('\n')) + 1});
        }
        QByteArray countDown = good;
        countDown[0] = '6'; // the last row beyond the count
        QByteArray countUp = good;
        countUp[0] = '8'; // a row fewer than the count
        changed.append({QStringLiteral("count 6"), countDown, 8});
        changed.append({QStringLiteral("count 8"), countUp, 8});
        QCOMPARE(changed.size(), 51 + 2);
        for (const Change &c : changed) {
            folder.write(QStringLiteral("nqzdevice.lst"), c.bytes);
            platform::DialogScript script;
            script.answer(platform::IdOk);
            QVERIFY2(ReadDevList() == 1, qPrintable(c.what));
            QVERIFY2(script.prompts()
                         == QStringList{damageText({QString(), {}, FileVerdict::Damaged, c.line}, path)
                                        + QStringLiteral("\r\n") + LoadResText(3051)},
                     qPrintable(c.what + QStringLiteral(": ") + script.prompts().join(QLatin1Char('|'))));
        }
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

        const QString path = folder.path(QStringLiteral("nqzdevice.lst"));
        const auto damaged = [&](int line) {
            return damageText({QString(), {}, FileVerdict::Damaged, line}, path) + QStringLiteral("\r\n")
                   + LoadResText(3051);
        };
        const QList<std::pair<const char *, QString>> bad = {
            {"short.lst", damaged(3)}, {"sevensizes.lst", damaged(8)}, {"absent.lst", ResLines({15, 16})}};
        for (const auto &[file, box] : bad) {
            folder.remove(QStringLiteral("nqzdevice.lst"));
            folder.install(catalogue(QLatin1String(file)), QStringLiteral("nqzdevice.lst"));
            platform::DialogScript script;
            script.answer(platform::IdOk);
            QCOMPARE(ReadDevList2(2), 1);
            QVERIFY(gDevListReadFailed[2]);
            QCOMPARE(script.prompts(), QStringList{box});
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
            // The catalogue is there: its row is named, never the file told as missing.
            const QString row8 = damageText({QString(), {}, FileVerdict::Damaged, 8},
                                            folder.path(QStringLiteral("nqzdevice.lst")))
                                 + QStringLiteral("\r\n") + LoadResText(3051);
            QCOMPARE(script.prompts(), QStringList({row8, row8}));
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
            QCOMPARE(script.prompts(), QStringList({qstrcmp(bad, "absent.lst") == 0
                                                        ? ResLines({15, 16})
                                                        : damageText({QString(), {}, FileVerdict::Damaged, 2},
                                                                     folder.path(QStringLiteral("nqzdevice.lst")))
                                                              + QStringLiteral("\r\n") + LoadResText(3051)}));
        }
    }
};

QTEST_GUILESS_MAIN(TestDevCatalogue)
#include "tst_DevCatalogue.moc"
