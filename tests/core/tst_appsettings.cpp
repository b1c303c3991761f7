#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/RegularFile.h"
#include "platform/SettingsStore.h"
#include "support/FileFault.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QtTest>

class TestAppSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyStoreGivesDefaults();
    void storedValues_data();
    void storedValues();
    void storeAtExit_data();
    void storeAtExit();
    void unwritableStoreIsTold_data();
    void unwritableStoreIsTold();
    void sameSizeReplacementIsRead();
    void oddEntriesAreKept_data();
    void oddEntriesAreKept();
    void entryThatHidesAWrittenKey_data();
    void entryThatHidesAWrittenKey();
    void quoteLeftOpen_data();
    void quoteLeftOpen();
    void twoStoresInterleaved();
    void twoCopiesWriteAtTheSameMoment();
    void secondCopyExitsLater_data();
    void secondCopyExitsLater();
    void settingsFileThatIsNoRegularFile_data();
    void settingsFileThatIsNoRegularFile();
};

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString settingsWriter()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings_writer");
}

// The settings as another copy of the program writes them, from a process of its own.
bool writeFromAnotherCopy(const QString &file, const QStringList &pairs)
{
    QProcess p;
    p.start(settingsWriter(), QStringList{file} + pairs);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The store's lock hooks for one test, cleared however the test ends.
struct LockHooks
{
    explicit LockHooks(std::function<void()> lockBusy) { platform::SettingsStore::setLockHooks(std::move(lockBusy), {}); }
    ~LockHooks() { platform::SettingsStore::setLockHooks({}, {}); }
};

} // namespace

void TestAppSettings::emptyStoreGivesDefaults()
{
    TestEnv env;
    core::settings::readStartupSettings();
    QCOMPARE(gDispMmUnit, true);
    QCOMPARE(gLanguage, 2);
    QCOMPARE(gLangOffset, 10000);
    QCOMPARE(gPortNo, 1);
    QCOMPARE(gPortOccupy, true);
    QCOMPARE(gMmRoundUp, true);
    QCOMPARE(gLangChanged, false);
}

void TestAppSettings::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected"); // the variable read back, flags as 1/0

    QTest::newRow("language 1 is Japanese") << "Language" << "1" << 0;
    QTest::newRow("language 0 is English") << "Language" << "0" << 10000;
    QTest::newRow("language 3 is English") << "Language" << "3" << 10000;
    QTest::newRow("language -1 is English") << "Language" << "-1" << 10000;
    QTest::newRow("language not a number reads its default") << "Language" << "abc" << 10000;
    QTest::newRow("mm unit 0") << "DispMmUnit" << "0" << 0;
    QTest::newRow("mm unit -1 counts as set") << "DispMmUnit" << "-1" << 1;
    QTest::newRow("mm unit blank reads default") << "DispMmUnit" << "" << 1;
    QTest::newRow("port 4") << "PortNo" << "4" << 4;
    QTest::newRow("port kept as stored even out of range") << "PortNo" << "12" << 12;
    QTest::newRow("port beyond 16 bits reads default") << "PortNo" << "70000" << 1;
    QTest::newRow("port text reads default") << "PortNo" << "COM3" << 1;
    QTest::newRow("occupy 0") << "PortOccupy" << "0" << 0;
    QTest::newRow("round up 0") << "MmRoundUp" << "0" << 0;
    QTest::newRow("round up with blanks") << "MmRoundUp" << " 0 " << 0;
}

void TestAppSettings::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);

    TestEnv env;
    env.storeSettings({{key, stored}});
    core::settings::readStartupSettings();

    int actual = -99;
    if (key == QLatin1String("Language"))
        actual = gLangOffset;
    else if (key == QLatin1String("DispMmUnit"))
        actual = gDispMmUnit;
    else if (key == QLatin1String("PortNo"))
        actual = gPortNo;
    else if (key == QLatin1String("PortOccupy"))
        actual = gPortOccupy;
    else if (key == QLatin1String("MmRoundUp"))
        actual = gMmRoundUp;
    QCOMPARE(actual, expected);
}

void TestAppSettings::storeAtExit_data()
{
    QTest::addColumn<QString>("storedLanguage"); // empty: nothing stored
    QTest::addColumn<bool>("changeAsked");
    QTest::addColumn<QString>("expectedLanguage");

    QTest::newRow("first exit stores the language in use") << QString() << false << "2";
    QTest::newRow("Japanese kept") << "1" << false << "1";
    QTest::newRow("Japanese to English") << "1" << true << "2";
    QTest::newRow("English to Japanese") << "2" << true << "1";
    QTest::newRow("any other value to Japanese") << "3" << true << "1";
}

void TestAppSettings::storeAtExit()
{
    QFETCH(QString, storedLanguage);
    QFETCH(bool, changeAsked);
    QFETCH(QString, expectedLanguage);

    TestEnv env;
    if (!storedLanguage.isEmpty())
        env.storeSettings({{"Language", storedLanguage}});
    core::settings::readStartupSettings();
    gLangChanged = changeAsked;
    StoreSettingsAtExit();

    QSettings s(env.settingsFile(), QSettings::IniFormat);
    QCOMPARE(s.value("Settings/Language").toString(), expectedLanguage);
    QCOMPARE(s.value("Settings/PortNo").toString(), QStringLiteral("1"));
    // The running texts stay in the old language until the next start.
    QCOMPARE(gLangOffset, core::settings::languageOffsetFor(storedLanguage.isEmpty() ? 2 : storedLanguage.toInt()));
}

void TestAppSettings::unwritableStoreIsTold_data()
{
    QTest::addColumn<QString>("writer");
    // 0 none, 1 the folder is a file, 2 the disk takes only a few bytes, 3 a folder stands where
    // the lock file goes
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("room");     // bytes the disk takes beyond the old file
    QTest::addColumn<int>("language"); // of the running texts: 1 Japanese, 2 English
    for (const char *writer : {"store at exit", "actuator setting"}) {
        QTest::addRow("%s, written", writer) << QString::fromLatin1(writer) << 0 << 0 << 2;
        QTest::addRow("%s, folder is a file", writer) << QString::fromLatin1(writer) << 1 << 0 << 2;
    }
    // Room for the first key or two: one file per key would have stored a part of the set.
    QTest::newRow("store at exit, disk full") << "store at exit" << 2 << 5 << 2;
    QTest::newRow("actuator setting, disk full") << "actuator setting" << 2 << 40 << 2;
    QTest::newRow("store at exit, lock file's place taken") << "store at exit" << 3 << 0 << 2;
    // Every reason is told in the running language.
    QTest::newRow("store at exit, folder is a file, Japanese") << "store at exit" << 1 << 0 << 1;
    QTest::newRow("actuator setting, disk full, Japanese") << "actuator setting" << 2 << 40 << 1;
    QTest::newRow("actuator setting, lock file's place taken, Japanese") << "actuator setting" << 3 << 0 << 1;
}

// Every write of the store is checked: a settings file that cannot be written is told once,
// by name, the writer reports the failure, and the file that was there stays as it was.
void TestAppSettings::unwritableStoreIsTold()
{
    QFETCH(QString, writer);
    QFETCH(int, fault);
    QFETCH(int, room);
    QFETCH(int, language);
    TestEnv env;
    gLangOffset = core::settings::languageOffsetFor(language);
    // Tests run as root, so permissions would not stop the write: a file stands where the
    // settings file's folder should be.
    QFile blocker(env.tempPath(QStringLiteral("folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = fault != 1 ? env.settingsFile() : env.tempPath(QStringLiteral("folder/settings.ini"));
    platform::SettingsStore::useFile(path);
    if (fault == 3)
        QVERIFY(QDir().mkpath(path + QStringLiteral(".lock")));
    QByteArray old;
    if (fault == 2) {
        // The limit is per file: a long entry lets the lock file, of a few hundred bytes at
        // most, be made while the settings file cannot grow by more than `room`.
        env.storeSettings({{"Note", QStringLiteral("kept as it was ") + QString(400, QLatin1Char('x'))}, {"PortNo", "3"}});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        old = f.readAll();
        gPortNo = 5;
    }
    if (fault != 0)
        env.dialogs().answer(platform::IdOk);

    int result = -1;
    {
        FileSizeLimit limit(fault == 2 ? old.size() + room : qint64(1) << 30);
        result = writer == QLatin1String("store at exit") ? StoreSettingsAtExit() : SaveDevSetting();
    }

    QCOMPARE(result, fault == 0 ? 0 : 1);
    if (fault == 0) {
        QVERIFY(env.dialogs().boxes().isEmpty());
        QSettings s(path, QSettings::IniFormat);
        QVERIFY(s.contains(writer == QLatin1String("store at exit") ? "Settings/PortNo" : "Settings/DevSize1"));
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    // The file by name, why it failed on a line of its own, and what that leaves.
    const QString why = fault == 1   ? LoadResText(3007).arg(QDir::toNativeSeparators(env.tempPath(QStringLiteral("folder"))))
                        : fault == 2 ? LoadResText(3006)
                                     : LoadResText(3012).arg(QDir::toNativeSeparators(path + QStringLiteral(".lock")));
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(path) + crlf + why
                                                  + crlf + crlf + LoadResText(3002)});
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    if (fault == 2) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
        // What the store reads is the old file, not a copy kept from the failed write.
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("PortNo"), QString()), QStringLiteral("3"));
    }
}

// A file replaced by one of the same size at once is read anew, not from what was read before.
void TestAppSettings::sameSizeReplacementIsRead()
{
    TestEnv env;
    for (int n = 1; n <= 9; ++n) {
        QVERIFY(platform::SettingsStore::setText(QStringLiteral("PortNo"), QString::number(n)));
        QCOMPARE(platform::SettingsStore::text(QStringLiteral("PortNo"), QString()), QString::number(n));
        QSettings s(env.settingsFile(), QSettings::IniFormat);
        QCOMPARE(s.value("Settings/PortNo").toString(), QString::number(n));
    }
}

void TestAppSettings::oddEntriesAreKept_data()
{
    QTest::addColumn<QByteArray>("odd"); // a line a hand edit left in the section
    QTest::newRow("doubled backslash in a key") << QByteArray("Odd\\\\Key=1");
    QTest::newRow("NUL byte in a key") << QByteArray("Odd\0Key=1", 9);
    QTest::newRow("0xFF byte in a key") << QByteArray("Odd\xFFKey=1");
    QTest::newRow("doubled backslash in a value") << QByteArray("Note=C:\\\\data\\\\qz");
    QTest::newRow("0xFF byte in a value") << QByteArray("Note=\xFF\xFE");
    // QSettings reports a format error for a section header without its closing bracket, yet
    // reads every entry: the entries after it stand in a section of no name.
    QTest::newRow("stray [ line") << QByteArray("[");
    // The "[" belongs to the value: no written line may come between the two.
    QTest::newRow("value continued by a backslash onto a [ line") << QByteArray("Note=abc\\\n[");
    QTest::newRow("quoted value over lines, one of them [") << QByteArray("Note=\"abc\n[\ndef\"");
}

// An entry QSettings does not read back as it stands costs no write: the written keys are
// stored, the entry stays as it was, byte for byte, and no box names a full disk.
void TestAppSettings::oddEntriesAreKept()
{
    QFETCH(QByteArray, odd);
    TestEnv env;
    const QByteArray before = "[Settings]\nLanguage=1\n" + odd + "\nPortNo=2\n\n[Other]\nx=1\n";
    QVERIFY(putBytes(env.settingsFile(), before));
    core::settings::readStartupSettings();
    gPortNo = 4;
    gLangChanged = true;
    QCOMPARE(StoreSettingsAtExit(), 0);
    gAxisUnused[0] = false;
    gDevSize[0] = QStringLiteral(" 28"); // a value QSettings writes quoted
    QCOMPARE(SaveDevSetting(), 0);

    QVERIFY(env.dialogs().boxes().isEmpty());
    const QByteArray after = fileBytes(env.settingsFile());
    QVERIFY2(after.contains("\n" + odd + "\n"), after.constData());
    QVERIFY(after.endsWith("\n[Other]\nx=1\n"));
    // Each written key keeps its own line: the file is not reordered.
    QVERIFY2(after.indexOf("\nLanguage=2\n") >= 0 && after.indexOf("\nLanguage=2\n") < after.indexOf("\nPortNo=4\n"),
             after.constData());
    QSettings s(env.settingsFile(), QSettings::IniFormat);
    QCOMPARE(s.value("Settings/PortNo").toString(), QStringLiteral("4"));
    QCOMPARE(s.value("Settings/Language").toString(), QStringLiteral("2"));
    QCOMPARE(s.value("Settings/DevSize1").toString(), QStringLiteral(" 28"));
    QCOMPARE(s.value("Other/x").toString(), QStringLiteral("1"));
}

void TestAppSettings::entryThatHidesAWrittenKey_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("language"); // of the running texts: 1 Japanese, 2 English
    QTest::newRow("section name escaped") << QByteArray("[Settings]\nPortNo=2\n\n[%53ettings]\nPortNo=7\n") << 2;
    QTest::newRow("section name escaped, Japanese") << QByteArray("[Settings]\nPortNo=2\n\n[%53ettings]\nPortNo=7\n") << 1;
    // QSettings reads the header without its closing bracket as the section itself.
    QTest::newRow("closing bracket missing") << QByteArray("[Settings]\nPortNo=2\n\n[Settings\nPortNo=7\n") << 2;
}

// A line that QSettings reads as a written key, under another spelling, would hide what was
// written: nothing is written, and the box names that entry in a sentence of the running
// language, not the disk.
void TestAppSettings::entryThatHidesAWrittenKey()
{
    QFETCH(QByteArray, before);
    QFETCH(int, language);
    TestEnv env;
    gLangOffset = core::settings::languageOffsetFor(language);
    QVERIFY(putBytes(env.settingsFile(), before));
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("PortNo"), QString()), QStringLiteral("7"));
    env.dialogs().answer(platform::IdOk);
    gPortNo = 4;
    QCOMPARE(StoreSettingsAtExit(), 1);

    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(env.dialogs().prompts(),
             QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(env.settingsFile()) + crlf
                         + LoadResText(3040).arg(QStringLiteral("Settings/PortNo")) + crlf + crlf
                         + LoadResText(3041)});
    QCOMPARE(fileBytes(env.settingsFile()), before);
}

void TestAppSettings::quoteLeftOpen_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("quoteLine"); // the line the box names; 0: stored, no box
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("language"); // of the running texts: 1 Japanese, 2 English
    const QByteArray tail = "; my adapter\nPortDevice4=/dev/ttyUSB0\n\n[Other]\nx=1\n";
    // QSettings reads every line after the open quote as part of PortNo: replacing that entry
    // whole would lose them.
    QTest::newRow("PortNo's quote open, lines after it")
        << "[Settings]\nLanguage=2\nPortNo=\"3\n" + tail << 3 << QByteArray() << 2;
    QTest::newRow("PortNo's quote open, lines after it, Japanese")
        << "[Settings]\nLanguage=2\nPortNo=\"3\n" + tail << 3 << QByteArray() << 1;
    QTest::newRow("PortNo's quote open, CR LF")
        << QByteArray("[Settings]\r\nLanguage=2\r\nPortNo=\"3\r\nPortDevice4=/dev/ttyUSB0\r\n") << 3 << QByteArray() << 2;
    QTest::newRow("PortNo's quote closed by a later line")
        << QByteArray("[Settings]\nPortNo=\"3\nNote=\"x\"\nLanguage=2\n") << 2 << QByteArray() << 2;
    QTest::newRow("PortNo's quote open, Language taken in")
        << QByteArray("[Settings]\nPortNo=\"3\nLanguage=1\n") << 2 << QByteArray() << 2;
    // A line added after the open quote would be read as part of the entry it opens.
    QTest::newRow("quote open before PortNo takes it in")
        << QByteArray("[Settings]\nLanguage=2\nNote=\"abc\nPortNo=3\n") << 3 << QByteArray() << 2;
    QTest::newRow("quote open in a section before Settings takes the section in")
        << QByteArray("[Other]\nx=\"1\n\n[Settings]\nPortNo=3\nLanguage=2\n") << 2 << QByteArray() << 2;
    QTest::newRow("quote open and no Settings section")
        << QByteArray("[Other]\nx=\"1\ny=2\n") << 2 << QByteArray() << 1;
    // The open quote takes in no line the write needs: every line stays as it was.
    QTest::newRow("PortNo's quote open on the last line")
        << QByteArray("[Settings]\nLanguage=2\nPortNo=\"3\n") << 0 << QByteArray("[Settings]\nLanguage=2\nPortNo=4\n") << 2;
    QTest::newRow("quote open after PortNo")
        << "[Settings]\nPortNo=3\nLanguage=2\nNote=\"abc\n" + tail << 0
        << "[Settings]\nPortNo=4\nLanguage=2\nNote=\"abc\n" + tail << 2;
    QTest::newRow("quote open in a later section")
        << QByteArray("[Settings]\nPortNo=3\nLanguage=2\n\n[Other]\nx=\"1\ny=2\n") << 0
        << QByteArray("[Settings]\nPortNo=4\nLanguage=2\n\n[Other]\nx=\"1\ny=2\n") << 2;
    QTest::newRow("quote open in a later section, CR LF")
        << QByteArray("[Settings]\r\nPortNo=3\r\nLanguage=2\r\n\r\n[Other]\r\nx=\"1\r\ny=2\r\n") << 0
        << QByteArray("[Settings]\r\nPortNo=4\r\nLanguage=2\r\n\r\n[Other]\r\nx=\"1\r\ny=2\r\n") << 2;
}

// A hand edit's quote that its line does not close: the store at exit either stores the port
// with every other line as it was, or stores nothing and says which line to correct, in the
// running language. Never a success that lost lines.
void TestAppSettings::quoteLeftOpen()
{
    QFETCH(QByteArray, before);
    QFETCH(int, quoteLine);
    QFETCH(QByteArray, after);
    QFETCH(int, language);
    TestEnv env;
    QVERIFY(putBytes(env.settingsFile(), before));
    core::settings::readStartupSettings();
    gLangOffset = core::settings::languageOffsetFor(language);
    gPortNo = 4; // chosen in the options
    if (quoteLine != 0)
        env.dialogs().answer(platform::IdOk);
    QCOMPARE(StoreSettingsAtExit(), quoteLine != 0 ? 1 : 0);

    if (quoteLine == 0) {
        QVERIFY(env.dialogs().boxes().isEmpty());
        QCOMPARE(fileBytes(env.settingsFile()), after);
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(env.dialogs().prompts(),
             QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(env.settingsFile()) + crlf
                         + LoadResText(3013).arg(quoteLine) + crlf + crlf + LoadResText(3041)});
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    QCOMPARE(fileBytes(env.settingsFile()), before);
}

// Two copies of the program write the one file in turn: each write keeps the other's keys.
void TestAppSettings::twoStoresInterleaved()
{
    TestEnv env;
    const QString file = env.settingsFile();
    QVERIFY(platform::SettingsStore::setText(QStringLiteral("A"), QStringLiteral("1")));
    QVERIFY(writeFromAnotherCopy(file, {"B=2"}));
    QVERIFY(platform::SettingsStore::setText(QStringLiteral("C"), QStringLiteral("3")));
    QVERIFY(writeFromAnotherCopy(file, {"D=4", "A=5"}));
    QVERIFY(platform::SettingsStore::setText(QStringLiteral("B"), QStringLiteral("6")));

    QSettings s(file, QSettings::IniFormat);
    const QStringList expected{"5", "6", "3", "4"};
    const QStringList keys{"A", "B", "C", "D"};
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(s.value(QStringLiteral("Settings/") + keys.at(i)).toString(), expected.at(i));
        QCOMPARE(platform::SettingsStore::text(keys.at(i), QString()), expected.at(i));
    }
}

// Two copies write at the very same moment: the other copy has read the file and holds its
// lock when this one writes. This one waits for the lock and reads the file afresh, so both
// writes are kept, each reported as stored.
void TestAppSettings::twoCopiesWriteAtTheSameMoment()
{
    TestEnv env;
    const QString file = env.settingsFile();
    QVERIFY(platform::SettingsStore::setText(QStringLiteral("A"), QStringLiteral("1")));
    QProcess other;
    other.start(settingsWriter(), {QStringLiteral("--pause"), file, QStringLiteral("B=2")});
    while (!other.canReadLine())
        QVERIFY(other.waitForReadyRead(30000));
    QCOMPARE(other.readLine(), QByteArray("read\n"));

    bool released = false;
    const auto letOtherReplace = [&] {
        if (released)
            return;
        released = true;
        other.write("go\n");
        other.waitForBytesWritten(30000);
    };
    bool waitedForLock = false;
    bool stored = false;
    {
        LockHooks hooks([&] {
            waitedForLock = true;
            letOtherReplace();
        });
        stored = platform::SettingsStore::setText(QStringLiteral("C"), QStringLiteral("3"));
    }
    letOtherReplace(); // a write that did not wait lets the other copy finish all the same
    QVERIFY(other.waitForFinished(30000));
    QCOMPARE(other.exitStatus(), QProcess::NormalExit);
    QCOMPARE(other.exitCode(), 0);
    QVERIFY(stored);

    QSettings s(file, QSettings::IniFormat);
    for (const auto &[key, value] : {std::pair{"A", "1"}, std::pair{"B", "2"}, std::pair{"C", "3"}})
        QCOMPARE(s.value(QStringLiteral("Settings/") + QLatin1String(key)).toString(), QLatin1String(value));
    QVERIFY(waitedForLock);
    QVERIFY(!QFile::exists(file + QStringLiteral(".lock")));
}

void TestAppSettings::secondCopyExitsLater_data()
{
    QTest::addColumn<bool>("portChanged");     // by this copy, in its options
    QTest::addColumn<bool>("languageChanged"); // by this copy
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("language");
    QTest::newRow("nothing changed here") << false << false << "3" << "2";
    QTest::newRow("port changed here") << true << false << "5" << "2";
    QTest::newRow("language changed here") << false << true << "3" << "2";
}

// A copy started before another one stored its language and port leaves them as stored,
// unless it changed them itself.
void TestAppSettings::secondCopyExitsLater()
{
    QFETCH(bool, portChanged);
    QFETCH(bool, languageChanged);
    QFETCH(QString, port);
    QFETCH(QString, language);
    TestEnv env;
    env.storeSettings({{"Language", "1"}, {"PortNo", "1"}});
    core::settings::readStartupSettings();
    // The first copy changed the language and the port, and ended.
    QVERIFY(writeFromAnotherCopy(env.settingsFile(), {"Language=2", "PortNo=3"}));
    if (portChanged)
        gPortNo = 5;
    gLangChanged = languageChanged;
    QCOMPARE(StoreSettingsAtExit(), 0);
    QSettings s(env.settingsFile(), QSettings::IniFormat);
    QCOMPARE(s.value("Settings/PortNo").toString(), port);
    QCOMPARE(s.value("Settings/Language").toString(), language);
    QVERIFY(env.dialogs().boxes().isEmpty());
}

void TestAppSettings::settingsFileThatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("language"); // of the running texts: 1 Japanese, 2 English
    QTest::newRow("named pipe") << "a named pipe" << 2;
    QTest::newRow("named pipe, Japanese") << "a named pipe" << 1;
    QTest::newRow("socket, Japanese") << "a socket" << 1;
}

// A named pipe or a socket where the settings file should be: read as no settings, written
// never; the box says why, in the running language.
void TestAppSettings::settingsFileThatIsNoRegularFile()
{
    QFETCH(QString, kind);
    QFETCH(int, language);
    TestEnv env;
    QFile::remove(env.settingsFile());
    QVERIFY(kind == QLatin1String("a named pipe") ? makeNamedPipe(env.settingsFile()) : makeSocketFile(env.settingsFile()));
    core::settings::readStartupSettings();
    QCOMPARE(gLanguage, core::settings::kDefLanguage);
    gLangOffset = core::settings::languageOffsetFor(language); // the running texts, as if read
    gPortNo = 4;
    env.dialogs().answer(platform::IdOk);
    QCOMPARE(StoreSettingsAtExit(), 1);
    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(env.dialogs().prompts(),
             QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(env.settingsFile()) + crlf
                         + LoadResText(3043) + crlf + crlf + LoadResText(3009)});
    QCOMPARE(platform::nonRegularKind(env.settingsFile()), kind);
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
