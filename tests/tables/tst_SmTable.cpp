#include "core/Messages.h"
#include "tables/SmTable.h"
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

class TestSmTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetSmTable();
    }

    void roundTrip()
    {
        DataFolder folder;
        QCOMPARE(tables::readSqMcrFile(fixture(QStringLiteral("good.smd"))), tables::FileRead::Ok);
        SqMcrDataRestore();
        QCOMPARE(WriteSqMcrFile(folder.path(QStringLiteral("out.smd"))), 0);
        QFile f(fixture(QStringLiteral("good.smd")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(folder.read(QStringLiteral("out.smd")), f.readAll());
        QCOMPARE(SqMcrDataToText(), 0);
    }

    void clearedTableFile()
    {
        DataFolder folder;
        ClearSqMcrData();
        QCOMPARE(WriteSqMcrFile(folder.path(QStringLiteral("c.smd"))), 0);
        const QList<QByteArray> lines = folder.read(QStringLiteral("c.smd")).split('\n');
        QCOMPARE(lines.size() - 1, 342);
        QCOMPARE(lines.at(2), QByteArray("\"1\"\r"));
        QCOMPARE(lines.at(3), QByteArray("0,0\r"));
    }

    // Blocks of macros 2 and 11 only: END data is kept as read and zeroed by the restore; the
    // other macros keep the edited values and count as different.
    void partialFile()
    {
        gSmData[0][2 * 4] = 3;
        gSmData[0][2 * 4 + 1] = 2;
        tables::RecordCount count;
        QCOMPARE(tables::readSqMcrFile(fixture(QStringLiteral("five.smd")), &count), tables::FileRead::Ok);
        QCOMPARE(count.held, 2);
        QCOMPARE(gSmDataIn[5][2 * 1], 5);
        QCOMPARE(gSmDataIn[5][2 * 1 + 1], 7);
        QCOMPARE(gSmDataIn[0][2 * 10 + 1], 7);
        QCOMPARE(gSmDataIn[0][2 * 4], 3);

        QCOMPARE(SqMcrDataToText(), 1);
        QCOMPARE(gSmVerifyList.left(12), QStringLiteral(" 1, 2, 3, 4,"));

        SqMcrDataRestore();
        QCOMPARE(gSmData[0][2 * 10 + 1], 0);
        QCOMPARE(gSmDataIn[0][2 * 10 + 1], 0);
        QCOMPARE(gSmData[3][2 * 1 + 1], 7);
        QCOMPARE(gSmData[0][2 * 4], 3);
        MarkSmDataInComplete();
        QCOMPARE(SqMcrDataToText(), 0);
        QVERIFY(gSmVerifyList.isEmpty());
    }

    void compareIgnoresEndData()
    {
        gSmData[4][2 * 7 + 1] = 9;
        QCOMPARE(SqMcrDataToText(), 0);
        gSmDataIn[4][2 * 7] = 15;
        QCOMPARE(SqMcrDataToText(), 1);
        QCOMPARE(gSmVerifyList, QStringLiteral(" 8,"));
        gSmDataIn[4][2 * 7] = 0;
        gSmData[2][2 * 1] = gSmDataIn[2][2 * 1] = 5;
        gSmData[2][2 * 1 + 1] = 4;
        gSmData[3][2 * 10] = 6;
        QCOMPARE(SqMcrDataToText(), 1);
        QCOMPARE(gSmVerifyList, QStringLiteral(" 2, 11,"));
    }

    void rejections_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("headerMessage");

        QTest::newRow("empty") << "empty.pmt" << false;
        QTest::newRow("group header") << "grp.smd" << true;
        QTest::newRow("two-axis controller") << "k2.smd" << true;
        QTest::newRow("macro 21") << "macro21.smd" << false;
        QTest::newRow("macro 0") << "macro0.smd" << false;
        QTest::newRow("block cut short") << "cut.smd" << false;
        QTest::newRow("missing") << "absent.smd" << false;
    }

    void rejections()
    {
        QFETCH(QString, file);
        QFETCH(bool, headerMessage);

        gSmDataIn[0][0] = 4;
        gSmDataIn[15][39] = 3;
        int before[kSmSteps + 1][2 * kSmMacros + 1];
        std::memcpy(before, gSmDataIn, sizeof before);

        platform::DialogScript script;
        if (headerMessage)
            script.answer(platform::IdOk);
        QCOMPARE(tables::readSqMcrFile(fixture(file)), headerMessage                    ? tables::FileRead::Rejected
                                                        : file == QLatin1String("absent.smd") ? tables::FileRead::IoFailed
                                                                                              : tables::FileRead::Damaged);
        QCOMPARE(script.prompts(), headerMessage ? QStringList{ResLines({23, 20})} : QStringList{});
        QVERIFY(std::memcmp(before, gSmDataIn, sizeof before) == 0);
    }

    void headerOnlyReads()
    {
        tables::RecordCount count;
        QCOMPARE(tables::readSqMcrFile(fixture(QStringLiteral("headonly.smd")), &count), tables::FileRead::Ok);
        QVERIFY(gSmDataInMissing[0] && gSmDataInMissing[19]);
        // Line 2 names 20 macros; none follows it.
        QCOMPARE(count.named, 20);
        QCOMPARE(count.held, 0);
        QCOMPARE(count.lastLine, 2);
    }
};

QTEST_GUILESS_MAIN(TestSmTable)
#include "tst_SmTable.moc"
