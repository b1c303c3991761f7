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
    void jogDefaults();
    void storeAtExit_data();
    void storeAtExit();
    void unwritableStoreIsTold_data();
    void unwritableStoreIsTold();
    void sameSizeReplacementIsRead();
    void oddEntriesAreKept_data();
    void oddEntriesAreKept();
    void entryThatHidesAWrittenKey();
    void twoStoresInterleaved();
    void secondCopyExitsLater_data();
    void secondCopyExitsLater();
    void settingsFileThatIsANamedPipe();
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

// The settings as another copy of the program writes them, from a process of its own.
bool writeFromAnotherCopy(const QString &file, const QStringList &pairs)
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/settings_writer"), QStringList{file} + pairs);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

void TestAppSettings::emptyStoreGivesDefaults()
{
    TestEnv env;
    settings::readStartupSettings();
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
    settings::readStartupSettings();

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

void TestAppSettings::jogDefaults()
{
    TestEnv env;
    settings::readJogSettings();
    QCOMPARE(gVelOf100Pls[0], 20);
    QCOMPARE(gVelOf100Pls[2], 20);
    QCOMPARE(gAccOf100Pls[1], 3);
    QCOMPARE(gAccOf100Pls2[0], 3);
    QCOMPARE(gAccOfJog, 3);
    QCOMPARE(gAccOfJog2, 2);

    env.storeSettings({{"VelOf100Pls", "45"}, {"AccOfJog2", "x"}});
    settings::readJogSettings();
    QCOMPARE(gVelOf100Pls[1], 45);
    QCOMPARE(gAccOfJog2, 2);
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
    settings::readStartupSettings();
    gLangChanged = changeAsked;
    StoreSettingsAtExit();

    QSettings s(env.settingsFile(), QSettings::IniFormat);
    QCOMPARE(s.value("Settings/Language").toString(), expectedLanguage);
    QCOMPARE(s.value("Settings/PortNo").toString(), QStringLiteral("1"));
    // The running texts stay in the old language until the next start.
    QCOMPARE(gLangOffset, settings::languageOffsetFor(storedLanguage.isEmpty() ? 2 : storedLanguage.toInt()));
}

void TestAppSettings::unwritableStoreIsTold_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("fault"); // 0 none, 1 the folder is a file, 2 the disk takes only a few bytes
    QTest::addColumn<int>("room");  // bytes the disk takes beyond the old file
    QTest::addColumn<QString>("reason");
    const QString cut = QStringLiteral("only part of the file reached the disk (the disk may be full)");
    for (const char *writer : {"store at exit", "actuator setting"}) {
        QTest::addRow("%s, written", writer) << QString::fromLatin1(writer) << 0 << 0 << QString();
        QTest::addRow("%s, folder is a file", writer) << QString::fromLatin1(writer) << 1 << 0 << QString();
    }
    // Room for the first key or two: one file per key would have stored a part of the set.
    QTest::newRow("store at exit, disk full") << "store at exit" << 2 << 12 << cut;
    QTest::newRow("actuator setting, disk full") << "actuator setting" << 2 << 40 << cut;
}

// Every write of the store is checked: a settings file that cannot be written is told once,
// by name, the writer reports the failure, and the file that was there stays as it was.
void TestAppSettings::unwritableStoreIsTold()
{
    QFETCH(QString, writer);
    QFETCH(int, fault);
    QFETCH(int, room);
    QFETCH(QString, reason);
    TestEnv env;
    // Tests run as root, so permissions would not stop the write: a file stands where the
    // settings file's folder should be.
    QFile blocker(env.tempPath(QStringLiteral("folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = fault != 1 ? env.settingsFile() : env.tempPath(QStringLiteral("folder/settings.ini"));
    platform::SettingsStore::useFile(path);
    QByteArray old;
    if (fault == 2) {
        env.storeSettings({{"Note", "kept as it was"}, {"PortNo", "3"}});
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
    const QString why = fault == 1 ? QStringLiteral("the folder cannot be made: ")
                                         + QDir::toNativeSeparators(env.tempPath(QStringLiteral("folder")))
                                   : reason;
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
}

// An entry QSettings does not read back as it stands costs no write: the written keys are
// stored, the entry stays as it was, byte for byte, and no box names a full disk.
void TestAppSettings::oddEntriesAreKept()
{
    QFETCH(QByteArray, odd);
    TestEnv env;
    const QByteArray before = "[Settings]\nLanguage=1\n" + odd + "\nPortNo=2\n\n[Other]\nx=1\n";
    QVERIFY(putBytes(env.settingsFile(), before));
    settings::readStartupSettings();
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
    QSettings s(env.settingsFile(), QSettings::IniFormat);
    QCOMPARE(s.value("Settings/PortNo").toString(), QStringLiteral("4"));
    QCOMPARE(s.value("Settings/Language").toString(), QStringLiteral("2"));
    QCOMPARE(s.value("Settings/DevSize1").toString(), QStringLiteral(" 28"));
    QCOMPARE(s.value("Other/x").toString(), QStringLiteral("1"));
}

// A line that QSettings reads as a written key, under another spelling, would hide what was
// written: nothing is written, and the box names that entry, not the disk.
void TestAppSettings::entryThatHidesAWrittenKey()
{
    TestEnv env;
    const QByteArray before = "[Settings]\nPortNo=2\n\n[%53ettings]\nPortNo=7\n";
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
    settings::readStartupSettings();
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

// A named pipe where the settings file should be: read as no settings, written never; the
// box says why.
void TestAppSettings::settingsFileThatIsANamedPipe()
{
    TestEnv env;
    QFile::remove(env.settingsFile());
    QVERIFY(makeNamedPipe(env.settingsFile()));
    settings::readStartupSettings();
    QCOMPARE(gLanguage, settings::kDefLanguage);
    gPortNo = 4;
    env.dialogs().answer(platform::IdOk);
    QCOMPARE(StoreSettingsAtExit(), 1);
    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(env.dialogs().prompts(),
             QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(env.settingsFile()) + crlf
                         + QStringLiteral("not a regular file (a named pipe)") + crlf + crlf + LoadResText(3002)});
    QCOMPARE(platform::nonRegularKind(env.settingsFile()), QStringLiteral("a named pipe"));
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
