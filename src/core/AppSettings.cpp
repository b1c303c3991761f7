#include "core/AppSettings.h"

#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

#include <QDir>

using platform::SettingsStore;

bool gDispMmUnit = true;
bool gMmRoundUp = true;
int gLanguage = settings::kDefLanguage;
int gLangOffset = 10000;
bool gLangChanged = false;
int gPortNo = settings::kDefPortNo;
bool gPortOccupy = true;
// The pulse-feed values are read by the jog window and the options window when they open;
// 0 until then, so that those windows take the stored values.
int gVelOf100Pls[3] = {0, 0, 0};
int gAccOf100Pls[3] = {0, 0, 0};
int gAccOf100Pls2[3] = {0, 0, 0};
int gAccOfJog = settings::kDefAccOfJog;
int gAccOfJog2 = settings::kDefAccOfJog2;

namespace settings {

namespace {

void fill3(int (&slots)[3], int value)
{
    slots[0] = slots[1] = slots[2] = value;
}

} // namespace

void resetAppSettings()
{
    SettingsStore::takeWriteFailure();
    gDispMmUnit = true;
    gMmRoundUp = true;
    gLanguage = kDefLanguage;
    gLangOffset = languageOffsetFor(gLanguage);
    gLangChanged = false;
    gPortNo = kDefPortNo;
    gPortOccupy = true;
    fill3(gVelOf100Pls, 0);
    fill3(gAccOf100Pls, 0);
    fill3(gAccOf100Pls2, 0);
    gAccOfJog = kDefAccOfJog;
    gAccOfJog2 = kDefAccOfJog2;
}

int languageOffsetFor(int language)
{
    return language == 1 ? 0 : 10000;
}

// A stored value that is not a number reads as the key's default rather than stopping the
// start-up: the operator could not repair it from within the program otherwise.
void readDispMmUnit()
{
    gDispMmUnit = SettingsStore::numberOr(QStringLiteral("DispMmUnit"), kDefDispMmUnit) != 0;
}

void readLanguage()
{
    gLanguage = SettingsStore::numberOr(QStringLiteral("Language"), kDefLanguage);
    gLangOffset = languageOffsetFor(gLanguage);
}

void readPortSettings()
{
    gPortNo = SettingsStore::numberOr(QStringLiteral("PortNo"), kDefPortNo);
    gPortOccupy = SettingsStore::numberOr(QStringLiteral("PortOccupy"), kDefPortOccupy) != 0;
    gMmRoundUp = SettingsStore::numberOr(QStringLiteral("MmRoundUp"), kDefMmRoundUp) != 0;
}

void readStartupSettings()
{
    gLangChanged = false;
    readDispMmUnit();
    readLanguage();
    readPortSettings();
}

void readJogSettings()
{
    fill3(gVelOf100Pls, SettingsStore::numberOr(QStringLiteral("VelOf100Pls"), kDefVelOf100Pls));
    fill3(gAccOf100Pls, SettingsStore::numberOr(QStringLiteral("AccOf100Pls"), kDefAccOf100Pls));
    fill3(gAccOf100Pls2, SettingsStore::numberOr(QStringLiteral("AccOf100Pls2"), kDefAccOf100Pls2));
    gAccOfJog = SettingsStore::numberOr(QStringLiteral("AccOfJog"), kDefAccOfJog);
    gAccOfJog2 = SettingsStore::numberOr(QStringLiteral("AccOfJog2"), kDefAccOfJog2);
}

bool finishSettingsWrites()
{
    SettingsStore::sync();
    if (!SettingsStore::takeWriteFailure())
        return true;
    const QString crlf = QStringLiteral("\r\n");
    // The reason stands on its own line under the file's name, as the data files' messages do.
    const QString reason = SettingsStore::lastWriteFailure();
    platform::msgBox(LoadResText(3001) + crlf + QDir::toNativeSeparators(SettingsStore::filePath())
                         + (reason.isEmpty() ? QString() : crlf + reason) + crlf + crlf + LoadResText(3002),
                     platform::MbExclamation);
    return false;
}

} // namespace settings

int StoreSettingsAtExit()
{
    if (gLangChanged)
        gLanguage = gLanguage == 1 ? 2 : 1;
    SettingsStore::setTexts({{QStringLiteral("PortNo"), QString::number(gPortNo)},
                             {QStringLiteral("Language"), QString::number(gLanguage)}});
    return settings::finishSettingsWrites() ? 0 : 1;
}
