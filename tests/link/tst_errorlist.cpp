// The error list reader and the decoding of the controller's unsolicited lines.
#include "link/ErrorList.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/DialogScript.h"
#include "platform/ProgramFolder.h"
#include "support/DataFolder.h"
#include "support/FileFault.h"

#include <QtTest>

namespace {
QString fixture(const char *name)
{
    return QStringLiteral(QZ_FIXTURES_DIR "/link/") + QLatin1String(name);
}
} // namespace

class TestErrorList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void reader_data();
    void reader();
    void failedReadKeepsTheList();
    void alarmHyoji_data();
    void alarmHyoji();
    void missingListStillDecodes();
    void damagedList_data();
    void damagedList();
    void loadErrorListTellsWhenMissing();
    void shippedListsLoad_data();
    void shippedListsLoad();
};

void TestErrorList::init()
{
    link::resetLinkState();
    link::resetLinkHooks();
}

void TestErrorList::reader_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("count");

    QTest::newRow("four entries") << QStringLiteral("4\r\n\"103\",\"a\"\r\n\"203\",\"b\"\r\n205,\"c\"\r\n\"2A\",\"d\"\r\n")
                                  << true << 4;
    QTest::newRow("no entries") << QStringLiteral("0\r\n") << true << 0;
    QTest::newRow("forty entries") << QStringLiteral("40\r\n") + QStringLiteral("\"21\",\"x\"\r\n").repeated(40)
                                   << true << 40;
    QTest::newRow("41 entries") << QStringLiteral("41\r\n") + QStringLiteral("\"21\",\"x\"\r\n").repeated(41)
                                << false << 0;
    QTest::newRow("fewer entries than announced") << QStringLiteral("3\r\n\"103\",\"a\"\r\n") << false << 0;
    QTest::newRow("count not a number") << QStringLiteral("\"x\"\r\n") << false << 0;
    QTest::newRow("negative count") << QStringLiteral("-1\r\n") << false << 0;
    QTest::newRow("empty file") << QString() << false << 0;
    QTest::newRow("unterminated text") << QStringLiteral("1\r\n\"103\",\"a\r\n") << false << 0;
    QTest::newRow("entry over two lines") << QStringLiteral("1\r\n\"103\"\r\n\"a\"\r\n") << false << 0;
    QTest::newRow("entries after the count") << QStringLiteral("1\r\n\"103\",\"a\"\r\n\"203\",\"b\"\r\n") << false << 0;
    QTest::newRow("no line end after the last entry") << QStringLiteral("1\r\n\"103\",\"a\"") << true << 1;
}

void TestErrorList::reader()
{
    QFETCH(QString, content);
    QFETCH(bool, ok);
    QFETCH(int, count);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.lst"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content.toUtf8());
    f.close();

    ErrorListEntry entries[kErrorListMax + 1];
    int n = -1;
    QCOMPARE(link::readErrorListFile(path, entries, n), ok);
    if (ok) {
        QCOMPARE(n, count);
        if (count == 4) {
            QCOMPARE(entries[3].code, QStringLiteral("205"));
            QCOMPARE(entries[4].text, QStringLiteral("d"));
        }
    } else {
        QCOMPARE(n, -1);
    }
}

void TestErrorList::failedReadKeepsTheList()
{
    ErrorListEntry entries[kErrorListMax + 1];
    int n = 0;
    QVERIFY(link::readErrorListFile(fixture("errors_ok.lst"), entries, n));
    QCOMPARE(n, 4);
    QVERIFY(!link::readErrorListFile(fixture("errors_41.lst"), entries, n));
    QVERIFY(!link::readErrorListFile(fixture("errors_short.lst"), entries, n));
    QVERIFY(!link::readErrorListFile(fixture("no_such.lst"), entries, n));
    QCOMPARE(n, 4);
    QCOMPARE(entries[2].text, QStringLiteral("Overload"));
}

void TestErrorList::alarmHyoji_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("alarm");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("text"); // empty: message 32

    QTest::newRow("state 0, code 3: kind 1") << "0%%003\r\n" << false << "3" << true << "Servo ready";
    QTest::newRow("state 5, code 3: kind 2") << "0%%503\r\n" << true << "3" << true << "Overload";
    QTest::newRow("letter code") << "0%%10A\r\n" << true << "A" << true << "Emergency stop";
    QTest::newRow("kind 1 not listed for 5") << "0%%005\r\n" << false << "5" << false << "";
    QTest::newRow("code not listed") << "0%%509\r\n" << true << "9" << false << "";
    QTest::newRow("longer line") << "0%%503xyz\r\n" << true << "3" << true << "Overload";
    QTest::newRow("no code") << "0%%50\r\n" << true << "" << false << "";
    QTest::newRow("no state") << "0%%\r\n" << true << "" << false << "";
    QTest::newRow("without CR LF") << "0%%003" << false << "3" << true << "Servo ready";
}

void TestErrorList::alarmHyoji()
{
    QFETCH(QString, line);
    QFETCH(bool, alarm);
    QFETCH(QString, code);
    QFETCH(bool, known);
    QFETCH(QString, text);
    QVERIFY(link::readErrorListFile(fixture("errors_ok.lst"), gErrorList, gErrorListCount));
    if (text.isEmpty())
        text = LoadResText(32);

    platform::DialogScript script;
    gEventMsg = line;
    AlarmHyoji();
    QCOMPARE(gAlarmNow, alarm);
    QCOMPARE(gAlarmCode, code);
    QCOMPARE(gAlarmKnown, known);
    QCOMPARE(gAlarmText, text);
    QVERIFY(link::alarmPanel().lampShown);
    QCOMPARE(link::alarmPanel().alarmNo, code);
    QCOMPARE(link::alarmPanel().comment, text);
    QVERIFY(script.boxes().isEmpty());
}

// Decoded without a box (it runs inside exchanges); the box of an alarm in place of a reply
// carries the note.
void TestErrorList::missingListStillDecodes()
{
    gErrorListMissing = true;
    platform::DialogScript script;
    gEventMsg = QStringLiteral("0%%503\r\n");
    AlarmHyoji();
    QVERIFY(script.boxes().isEmpty());
    QVERIFY(link::alarmMessage().endsWith(QStringLiteral("\r\n\r\n") + ResLines({30, 31})));
    QVERIFY(gAlarmNow);
    QCOMPARE(gAlarmCode, QStringLiteral("3"));
    QVERIFY(!gAlarmKnown);
    QCOMPARE(gAlarmText, LoadResText(32));
}

void TestErrorList::damagedList_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("line"); // the line the box names; 0: the list reads whole
    const QByteArray good = fileBytes(fixture("errors_ok.lst"));
    for (const FileCopy &copy : editorEndingCopies(good, FileKind::ReadOnly) + listDamageCopies(good, 3))
        QTest::newRow(qPrintable(copy.name)) << copy.bytes << (copy.verdict == FileVerdict::ReadsWhole ? 0 : copy.line);
}

// The list the program only reads: an editor's ending reads whole; a damaged list is told
// once as damaged, with its line and never as missing, and so is an alarm's note after it.
void TestErrorList::damagedList()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, line);
    DataFolder folder;
    folder.write(QStringLiteral("erroreng.lst"), contents);
    platform::DialogScript script;
    if (line)
        script.answer(platform::IdOk);
    LoadErrorList();
    QCOMPARE(gErrorListMissing, line != 0);
    const QString told = line ? damageText({QString(), {}, FileVerdict::Damaged, line},
                                           folder.path(QStringLiteral("erroreng.lst")))
                                    + QStringLiteral("\r\n") + LoadResText(3051)
                              : QString();
    QCOMPARE(script.prompts(), line ? QStringList{told} : QStringList{});
    gEventMsg = QStringLiteral("0%%503\r\n");
    AlarmHyoji();
    QCOMPARE(gAlarmText, line ? LoadResText(32) : QStringLiteral("Overload"));
    if (line)
        QVERIFY(link::alarmMessage().endsWith(QStringLiteral("\r\n\r\n") + told));
}

void TestErrorList::loadErrorListTellsWhenMissing()
{
    QTemporaryDir dir;
    platform::setProgramFolder(dir.path());
    platform::DialogScript script;
    script.answer(platform::IdOk);
    LoadErrorList();
    QVERIFY(gErrorListMissing);
    QCOMPARE(script.prompts(), QStringList{ResLines({30, 31})});
    QVERIFY(gErrorListPath.startsWith(dir.path()));
    platform::setProgramFolder(QString());
}

void TestErrorList::shippedListsLoad_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("first");
    QTest::newRow("English") << 2 << "erroreng.lst" << "Normal";
    QTest::newRow("Japanese") << 1 << "errorjpn.lst" << QStringLiteral("正常");
}

// The example lists beside the program are read in either language.
void TestErrorList::shippedListsLoad()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    QFETCH(QString, first);
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    platform::DialogScript script;
    LoadErrorList();
    QVERIFY(!gErrorListMissing);
    QVERIFY(gErrorListPath.endsWith(QLatin1Char('/') + file));
    QVERIFY(gErrorListCount > 0);
    QCOMPARE(gErrorList[1].text, first);
    QVERIFY(script.boxes().isEmpty());
    core::settings::resetAppSettings();
}

QTEST_MAIN(TestErrorList)
#include "tst_errorlist.moc"
