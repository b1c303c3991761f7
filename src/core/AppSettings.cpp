#include "core/AppSettings.h"

#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

#include <QDir>

using platform::SettingsStore;

bool gDispMmUnit = true;
bool gMmRoundUp = true;
int gLanguage = core::settings::kDefLanguage;
int gLangOffset = 10000;
bool gLangChanged = false;
int gPortNo = core::settings::kDefPortNo;
// The port number as the start-up read it: the store at exit writes it only when it changed.
static int g_portNoRead = core::settings::kDefPortNo;
bool gPortOccupy = true;
// The pulse-feed values are read by the jog window and the options window when they open;
// 0 until then, so that those windows take the stored values.
int gVelOf100Pls[3] = {0, 0, 0};
int gAccOf100Pls[3] = {0, 0, 0};
int gAccOf100Pls2[3] = {0, 0, 0};
int gAccOfJog = core::settings::kDefAccOfJog;
int gAccOfJog2 = core::settings::kDefAccOfJog2;

namespace core::settings {

namespace {

void fill3(int (&slots)[3], int value)
{
    slots[0] = slots[1] = slots[2] = value;
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
    g_portNoRead = gPortNo;
    gPortOccupy = SettingsStore::numberOr(QStringLiteral("PortOccupy"), kDefPortOccupy) != 0;
    gMmRoundUp = SettingsStore::numberOr(QStringLiteral("MmRoundUp"), kDefMmRoundUp) != 0;
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
    g_portNoRead = kDefPortNo;
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

void readStartupSettings()
{
    gLangChanged = false;
    readDispMmUnit();
    readLanguage();
    readPortSettings();
}

bool finishSettingsWrites()
{
    SettingsStore::sync();
    if (!SettingsStore::takeWriteFailure())
        return true;
    const QString crlf = QStringLiteral("\r\n");
    // The reason stands on its own line under the file's name, as the data files' messages do,
    // and the advice under it fits the reason: an entry of the file that cannot be kept, a
    // path that is no regular file or another copy holding the lock is no matter of disk
    // space.
    using Failure = SettingsStore::Failure;
    const QString detail = SettingsStore::lastFailureDetail();
    QString reason;
    int advice = 3002;
    switch (SettingsStore::lastFailure()) {
    case Failure::None:
        break;
    case Failure::ReadFailed:
        reason = LoadResText(3004).arg(detail);
        break;
    case Failure::WriteFailed:
        reason = LoadResText(3005).arg(detail);
        break;
    case Failure::CutShort:
        reason = LoadResText(3006);
        break;
    case Failure::FolderNotMade:
        reason = LoadResText(3007).arg(detail);
        break;
    case Failure::NotRegular:
        reason = LoadResText(3043);
        advice = 3009;
        break;
    case Failure::Unkeepable:
        reason = LoadResText(3040).arg(detail);
        advice = 3041;
        break;
    case Failure::OpenQuote:
        reason = LoadResText(3013).arg(detail);
        advice = 3041;
        break;
    case Failure::LockHeld:
        reason = LoadResText(3008).arg(detail);
        advice = 3009;
        break;
    case Failure::LockNotMade:
        reason = LoadResText(3012).arg(detail);
        break;
    }
    platform::msgBox(LoadResText(3001) + crlf + QDir::toNativeSeparators(SettingsStore::filePath())
                         + (reason.isEmpty() ? QString() : crlf + reason) + crlf + crlf + LoadResText(advice),
                     platform::MbExclamation);
    return false;
}

} // namespace core::settings

// Only what this run changed is written, and what the store lacks: another copy of the
// program may have stored its own port or language since this one started.
int StoreSettingsAtExit()
{
    if (gLangChanged)
        gLanguage = gLanguage == 1 ? 2 : 1;
    QList<QPair<QString, QString>> values;
    const QString port = QStringLiteral("PortNo");
    const QString language = QStringLiteral("Language");
    if (gPortNo != g_portNoRead || !SettingsStore::contains(port))
        values.append({port, QString::number(gPortNo)});
    if (gLangChanged || !SettingsStore::contains(language))
        values.append({language, QString::number(gLanguage)});
    if (!values.isEmpty())
        SettingsStore::setTexts(values);
    return core::settings::finishSettingsWrites() ? 0 : 1;
}
