#include "core/Messages.h"
#include "tables/GrpTable.h"
#include "platform/DialogScript.h"
#include "support/DataFolder.h"

#include <QtTest>
#include <cstring>

namespace {

QString fixture(const QString &name)
{
    return fixturePath(QStringLiteral("editors/") + name);
}

} // namespace

class TestGrpTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetGrpTable();
        for (int g = 0; g <= kGrpCount; ++g)
            gGrpData[g][0] = gGrpData[g][1] = 1;
    }

    void roundTrip()
    {
        DataFolder folder;
        for (int g = 1; g <= kGrpCount; ++g) {
            gGrpData[g][0] = g;
            gGrpData[g][1] = g + 10;
        }
        gGrpData[5][1] = -3;
        QCOMPARE(WriteGrpFile(folder.path(QStringLiteral("out.grp"))), 0);
        QByteArray expected;
        {
            QFile f(fixture(QStringLiteral("good.grp")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            expected = f.readAll().replace("\"5\",5,15", "\"5\",5,-3");
        }
        QCOMPARE(folder.read(QStringLiteral("out.grp")), expected);
        QCOMPARE(tables::readGrpFile(folder.path(QStringLiteral("out.grp"))), tables::FileRead::Ok);
        QCOMPARE(gGrpPrintTitle, QStringLiteral("out.grp"));
        GrpDataToText();
        QVERIFY(!gGrpVerifyNG);
        QVERIFY(gGrpVerifyList.isEmpty());
    }

    // Lines in any order, a later line wins, halves go to the even group, group 0 is ignored;
    // groups without a line keep the edited values and count as different.
    void partialFileFromTheTwoAxisController()
    {
        platform::DialogScript script;
        gGrpData[2][0] = 20;
        QCOMPARE(tables::readGrpFile(fixture(QStringLiteral("k2.grp"))), tables::FileRead::Ok);
        QVERIFY(script.boxes().isEmpty());
        QCOMPARE(gGrpDataIn[3][0], 31);
        QCOMPARE(gGrpDataIn[3][1], 41);
        QCOMPARE(gGrpDataIn[2][0], 25);
        QCOMPARE(gGrpDataIn[0][0], 0);
        QCOMPARE(gGrpDataIn[1][0], 1);
        QCOMPARE(gGrpDataIn[50][1], 1);

        GrpDataToText();
        QVERIFY(gGrpVerifyNG);
        QVERIFY(gGrpVerifyList.startsWith(QStringLiteral(" 1, 2, 3, 4, 5,")));
        QVERIFY(gGrpVerifyList.endsWith(QStringLiteral(" 99,")));

        LetGrpDataInToGrpData();
        QCOMPARE(gGrpData[2][0], 25);
        QCOMPARE(gGrpData[3][1], 41);
        QCOMPARE(gGrpData[1][0], 1);

        MarkGrpDataInComplete();
        gGrpNoFrom = 4;
        gGrpNoTo = 99;
        GrpDataToText();
        QVERIFY(!gGrpVerifyNG);
    }

    void rejections_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("headerMessage");

        QTest::newRow("empty") << "empty.pmt" << false;
        QTest::newRow("macro header") << "sm.grp" << true;
        QTest::newRow("lower-case model") << "lower.grp" << true;
        QTest::newRow("group 100") << "group100.grp" << false;
        QTest::newRow("line cut short") << "cut.grp" << false;
        QTest::newRow("end beyond 16 bits") << "big.grp" << false;
        QTest::newRow("missing") << "absent.grp" << false;
    }

    void rejections()
    {
        QFETCH(QString, file);
        QFETCH(bool, headerMessage);

        int before[kGrpCount + 1][2];
        for (int g = 0; g <= kGrpCount; ++g) {
            gGrpDataIn[g][0] = g;
            gGrpDataIn[g][1] = -g;
        }
        std::memcpy(before, gGrpDataIn, sizeof before);
        gGrpPrintTitle = QStringLiteral("kept");

        platform::DialogScript script;
        if (headerMessage)
            script.answer(platform::IdOk);
        QCOMPARE(tables::readGrpFile(fixture(file)), headerMessage                    ? tables::FileRead::Rejected
                                                      : file == QLatin1String("absent.grp") ? tables::FileRead::IoFailed
                                                                                            : tables::FileRead::Damaged);
        QCOMPARE(script.prompts(), headerMessage ? QStringList{ResLines({19, 20})} : QStringList{});
        QVERIFY(std::memcmp(before, gGrpDataIn, sizeof before) == 0);
        QCOMPARE(gGrpPrintTitle, QStringLiteral("kept"));
        QVERIFY(!gGrpDataInMissing[1]);
    }

    // A file whose first line lacks its line end: another program's is still told as such,
    // one of ours is cut short.
    void headerCutShort_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("headerMessage");
        QTest::newRow("another program's text") << QByteArray("hello") << true;
        QTest::newRow("a macro file's header") << QByteArray("\"QZ-K4\",\"SM\"") << true;
        QTest::newRow("a group file's header") << QByteArray("\"QZ-K4\",\"GRP\"") << false;
        QTest::newRow("cut inside the kind") << QByteArray("\"QZ-K4\",\"GR") << false;
    }
    void headerCutShort()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, headerMessage);
        DataFolder folder;
        QVERIFY(folder.write(QStringLiteral("h.grp"), contents));
        platform::DialogScript script;
        if (headerMessage)
            script.answer(platform::IdOk);
        QCOMPARE(tables::readGrpFile(folder.path(QStringLiteral("h.grp"))),
                 headerMessage ? tables::FileRead::Rejected : tables::FileRead::Damaged);
        QCOMPARE(script.prompts(), headerMessage ? QStringList{ResLines({19, 20})} : QStringList{});
    }

    void headerOnlyChangesNoGroupValue()
    {
        gGrpDataIn[7][0] = 70;
        gGrpData[7][0] = 70;
        tables::RecordCount count;
        QCOMPARE(tables::readGrpFile(fixture(QStringLiteral("headonly.grp")), &count), tables::FileRead::Ok);
        QCOMPARE(gGrpDataIn[7][0], 70);
        QVERIFY(gGrpDataInMissing[7]);
        // Line 2 names 99 groups; none follows it.
        QCOMPARE(count.named, 99);
        QCOMPARE(count.held, 0);
        QCOMPARE(count.lastLine, 2);
    }
};

QTEST_GUILESS_MAIN(TestGrpTable)
#include "tst_GrpTable.moc"
