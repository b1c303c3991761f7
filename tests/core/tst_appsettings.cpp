#include "actuators/DevSettingStore.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDir>
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
};

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
    QTest::addColumn<bool>("writable");
    for (const char *writer : {"store at exit", "actuator setting"}) {
        QTest::addRow("%s, written", writer) << QString::fromLatin1(writer) << true;
        QTest::addRow("%s, folder is a file", writer) << QString::fromLatin1(writer) << false;
    }
}

// Every write of the store is checked: a settings file that cannot be written is told once,
// by name, and the writer reports the failure.
void TestAppSettings::unwritableStoreIsTold()
{
    QFETCH(QString, writer);
    QFETCH(bool, writable);
    TestEnv env;
    // Tests run as root, so permissions would not stop the write: a file stands where the
    // settings file's folder should be.
    QFile blocker(env.tempPath(QStringLiteral("folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = writable ? env.settingsFile() : env.tempPath(QStringLiteral("folder/settings.ini"));
    platform::SettingsStore::useFile(path);
    if (!writable)
        env.dialogs().answer(platform::IdOk);

    const int result = writer == QLatin1String("store at exit") ? StoreSettingsAtExit() : SaveDevSetting();

    QCOMPARE(result, writable ? 0 : 1);
    if (writable) {
        QVERIFY(env.dialogs().boxes().isEmpty());
        QSettings s(path, QSettings::IniFormat);
        QVERIFY(s.contains(writer == QLatin1String("store at exit") ? "Settings/PortNo" : "Settings/DevSize1"));
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(env.dialogs().prompts(),
             QStringList{LoadResText(3001) + crlf + QDir::toNativeSeparators(path) + crlf + crlf + LoadResText(3002)});
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
