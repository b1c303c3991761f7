#include "actuators/DevCatalogue.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"
#include "platform/DialogScript.h"
#include "platform/ProgramFolder.h"
#include "support/DataFolder.h"
#include "support/FileFault.h"
#include "support/ParaSetText.h"

#include <QtTest>

namespace {

const QStringList kLists = {QStringLiteral("w4nqzstpr.lst"), QStringLiteral("w4qzstpr.lst"),
                            QStringLiteral("w4cmstpr.lst")};

void chooseActuator(int a, const QString &size, const QString &speed, int stroke, bool newType,
                    bool vertical, bool withPG)
{
    gDevSetteiSize[a] = size;
    gDevSetteiSpeed[a] = speed;
    gDevSetteiStroke[a] = stroke;
    gDevSetteiNewType[a] = newType;
    gDevSetteiVertical[a] = vertical;
    gDevSetteiWithPG[a] = withPG;
}

} // namespace

class TestStdParaList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        tables::resetParaSet();
        tables::resetStdParaList();
        for (int a = 0; a < kAxisCount; ++a)
            chooseActuator(a, QStringLiteral(" 28"), QStringLiteral("L"), 50, true, false, false);
    }

    void factoryValues_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<bool>("newType");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("withPG");
        QTest::addColumn<int>("homeVel");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("pgFunction");
        QTest::addColumn<int>("pgAlarm");
        QTest::addColumn<QString>("actuator");

        QTest::newRow("new type, first of two rows") << " 28" << "L" << 50 << true << false << false
                                                     << 20 << 1 << 0 << 100 << " 28L050";
        QTest::newRow("old type") << " 28" << "L" << 50 << false << false << false
                                  << 30 << 0 << 0 << 100 << " 28L050";
        QTest::newRow("old type, vertical") << " 28" << "L" << 50 << false << true << false
                                            << 30 << 1 << 0 << 100 << " 28L050";
        QTest::newRow("with PG, bounds of the fields") << " 42" << "D" << 100 << true << false << true
                                                       << 60 << 1 << 2 << 200 << " 42D100";
    }

    // Axis 2 gets the actuator of the row; the others keep " 28" L 50 of the new-type list.
    void factoryValues()
    {
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        QFETCH(bool, newType);
        QFETCH(bool, vertical);
        QFETCH(bool, withPG);
        QFETCH(int, homeVel);
        QFETCH(int, type);
        QFETCH(int, pgFunction);
        QFETCH(int, pgAlarm);
        QFETCH(QString, actuator);

        DataFolder folder;
        folder.installFactoryLists();
        platform::DialogScript script;
        chooseActuator(1, size, speed, stroke, newType, vertical, withPG);
        gAxisUnused[3] = true;
        gPrmHomeVel[3] = 7;

        QCOMPARE(SetStdParameta(), 0);
        QVERIFY(script.boxes().isEmpty());
        QCOMPARE(gPrmHomeVel[1], homeVel);
        QCOMPARE(gPrmJhOrQz[1], type);
        QCOMPARE(gPrmPgFunc[1], pgFunction);
        QCOMPARE(gPrmPgAlarm[1], pgAlarm);
        QCOMPARE(gPrmActuator[1], actuator);
        QCOMPARE(gPrmActSize[1], size);
        QCOMPARE(gPrmActStroke[1], stroke);
        QCOMPARE(gPrmPgFunc[0], 0);
        QCOMPARE(gPrmHomeVel[0], 20);
        QCOMPARE(gPrmHomeVel[3], 7);
        QCOMPARE(gAxisMask, 7);
        QCOMPARE(gPrmSmTimerVal, 11);
        QCOMPARE(gPrmLsSerchTimer[2], 13);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("prompts");

        // One failure, one box: what failed, then what it costs (36).
        const QStringList missing = {ResLines({28, 29, 36})};
        // A list that is there is told as damaged, named ("<path>") with its line.
        const auto damaged = [](int line) {
            return QStringList{damageText({QString(), {}, FileVerdict::Damaged, line}, QStringLiteral("<path>"))
                               + QStringLiteral("\r\n") + LoadResText(3051) + QStringLiteral("\r\n")
                               + ResLines({36})};
        };
        QTest::newRow("actuator not in the list") << "" << QByteArray() << QByteArray()
                                                  << QStringList{ResLines({36})};
        QTest::newRow("new-type list missing") << "w4nqzstpr.lst" << QByteArray() << QByteArray() << missing;
        QTest::newRow("common list missing") << "w4cmstpr.lst" << QByteArray() << QByteArray() << missing;
        QTest::newRow("wrong list name") << "w4nqzstpr.lst" << QByteArray("QZ-STDPRM") << QByteArray("QZ-CMNPRM")
                                         << QStringList{LoadResText(26) + "(1AXIS)\r\n" + ResLines({36})};
        QTest::newRow("wrong common header") << "w4cmstpr.lst" << QByteArray("\"QZ-K4\"") << QByteArray("\"QZ-K2\"")
                                             << QStringList{ResLines({27, 36})};
        QTest::newRow("count above the rows") << "w4nqzstpr.lst" << QByteArray(",4,0") << QByteArray(",5,0")
                                              << damaged(5);
        QTest::newRow("16-bit value too large") << "w4nqzstpr.lst" << QByteArray("65535,255,60")
                                                << QByteArray("65535,32768,60") << damaged(4);
        QTest::newRow("common value not a number") << "w4cmstpr.lst" << QByteArray("0,11,0")
                                                   << QByteArray("0,x,0") << damaged(10);
        QTest::newRow("designation of six characters") << "w4nqzstpr.lst" << QByteArray("\" 28L050\"\r\n\" 28L-050\",999")
                                                       << QByteArray("\"28L050\"\r\n\" 28L-050\",999")
                                                       << QStringList{ResLines({36})};
        // Each list the program only reads, damaged as such lists are refused for (the whole
        // damaged file given as `to`).
        const QList<std::pair<QString, int>> rowOf = {{kLists[0], 3}, {kLists[1], 2}, {kLists[2], 7}};
        for (const auto &[list, row] : rowOf)
            for (const FileCopy &copy : listDamageCopies(fileBytes(fixturePath(QStringLiteral("editors/std/") + list)), row))
                QTest::newRow(qPrintable(list + QStringLiteral(", ") + copy.name))
                    << list << QByteArray("<whole>") << copy.bytes << damaged(copy.line);
    }

    // Any failure shows its messages and leaves the whole parameter set as it was.
    void failures()
    {
        QFETCH(QString, list);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, prompts);

        DataFolder folder;
        folder.installFactoryLists();
        if (list == kLists[1]) // read for an axis of the old type only
            chooseActuator(1, QStringLiteral(" 28"), QStringLiteral("L"), 50, false, false, false);
        if (list.isEmpty()) {
            gDevSetteiStroke[2] = 60;
        } else if (from.isEmpty()) {
            folder.remove(list);
        } else if (from == "<whole>") {
            folder.write(list, to);
        } else {
            QByteArray bytes = folder.read(list);
            QVERIFY(bytes.contains(from));
            folder.write(list, bytes.replace(from, to));
        }
        for (QString &p : prompts)
            p.replace(QStringLiteral("<path>"), folder.path(list));
        gPrmHomeVel[0] = 9;
        gAxisMask = 1;
        platform::DialogScript script;
        for (int i = 0; i < prompts.size(); ++i)
            script.answer(platform::IdOk);

        QCOMPARE(SetStdParameta(), 1);
        QCOMPARE(script.prompts(), prompts);
        QCOMPARE(gPrmHomeVel[0], 9);
        QCOMPARE(gAxisMask, 1);
        QVERIFY(gPrmActuator[0].isEmpty());
    }

    // The endings other editors leave on the lists, which the program only reads: each reads
    // whole, as the list itself.
    void otherEditorsEndings_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QByteArray>("contents");
        for (const QString &list : kLists)
            for (const FileCopy &copy : editorEndingCopies(fileBytes(fixturePath(QStringLiteral("editors/std/") + list)),
                                                           FileKind::ReadOnly))
                QTest::newRow(qPrintable(list + QStringLiteral(", ") + copy.name)) << list << copy.bytes;
    }
    void otherEditorsEndings()
    {
        QFETCH(QString, list);
        QFETCH(QByteArray, contents);
        DataFolder folder;
        folder.installFactoryLists();
        chooseActuator(1, QStringLiteral(" 28"), QStringLiteral("L"), 50, false, false, false);
        platform::DialogScript script;
        QCOMPARE(SetStdParameta(), 0);
        const QStringList whole = paraSetText();
        tables::resetParaSet();
        folder.write(list, contents);
        QCOMPARE(SetStdParameta(), 0);
        QCOMPARE(paraSetText(), whole);
        QVERIFY(script.boxes().isEmpty());
    }

    void listBounds_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("result");
        QTest::newRow("99 rows") << 99 << 0;
        QTest::newRow("100 rows") << 100 << 1;
    }

    void listBounds()
    {
        QFETCH(int, rows);
        QFETCH(int, result);
        DataFolder folder;
        folder.installFactoryLists();
        QByteArray list = "\"QZ-K4\",\"QZ-STDPRM\"," + QByteArray::number(rows) + ",0\r\n";
        for (int r = 0; r < rows; ++r)
            list += "\" 28L-" + QByteArray::number(r + 1).rightJustified(3, '0')
                    + "\",1,1,1,1,1,1,1,2,400,1,0,\" 28L050\"\r\n";
        folder.write(kLists[0], list);
        platform::DialogScript script;
        if (result)
            script.answer(platform::IdOk);
        QCOMPARE(ReadStdParaFile(), result);
        QCOMPARE(gStdParaCount[0], result ? 0 : rows);
        QVERIFY(script.unexpected().isEmpty());
    }

    // The example files beside the program hold the default actuator and its factory values.
    void shippedExampleFiles()
    {
        platform::setProgramFolder(QCoreApplication::applicationDirPath());
        platform::DialogScript script;
        QCOMPARE(DevListLookup2(QStringLiteral(" 28"), QStringLiteral("L"), 100), 0);
        QCOMPARE(gCatLead, 2);
        QCOMPARE(gCatPPR, 400);
        QCOMPARE(ReadDevList(), 0);
        for (int a = 0; a < kAxisCount; ++a)
            chooseActuator(a, QStringLiteral(" 28"), QStringLiteral("L"), 100, a != 1, false, a == 2);
        QCOMPARE(SetStdParameta(), 0);
        QCOMPARE(gPrmAxisStroke[1], 20000);
        QCOMPARE(gPrmActuator[1], QStringLiteral(" 28L100"));
        QVERIFY(script.boxes().isEmpty());
        platform::setProgramFolder(QString());
    }

    void onlineWindowTakesOnlyActuatorItems()
    {
        DataFolder folder;
        folder.installFactoryLists();
        gDevWinOnline = true;
        gAxisMaskNew = 3;
        gAxisUnused[2] = gAxisUnused[3] = true;
        gPrmHomeOrder[0] = 8;
        chooseActuator(0, QStringLiteral(" 42"), QStringLiteral("D"), 100, true, false, true);
        platform::DialogScript script;
        QCOMPARE(SetStdParameta2(), 0);
        QCOMPARE(gPrmHomeOffset[0], 65535);
        QCOMPARE(gPrmHomeOrder[0], 8);
        QCOMPARE(gPrmAutoDrv[0], 0);
        QCOMPARE(gPrmPgFunc[0], 2);
        QCOMPARE(gPrmPgAlarm[0], 0);
        QCOMPARE(gPrmActSize[0], QStringLiteral(" 42"));
        QCOMPARE(gAxisMask, 3);
        QCOMPARE(gPrmSmTimerVal, 0);
    }
};

QTEST_GUILESS_MAIN(TestStdParaList)
#include "tst_StdParaList.moc"
