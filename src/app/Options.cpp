#include "app/Options.h"

#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "link/OnlineMode.h"
#include "link/SerialLink.h"
#include "platform/FieldText.h"
#include "platform/SettingsStore.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiTable.h"


using platform::SettingsStore;

namespace app::options {

namespace {

bool isDigitIn(QChar key, char from, char to)
{
    return key.unicode() >= ushort(from) && key.unicode() <= ushort(to);
}

constexpr ushort kBackspace = 8;
constexpr ushort kTab = 9;
constexpr ushort kEnter = 13;

int slot0In(int value, int min, int max, const char *key, int def)
{
    if (value >= min && value <= max)
        return value;
    return SettingsStore::numberOr(QLatin1String(key), def);
}

} // namespace

KeyVerdict portKey(QChar key, int currentLength)
{
    if (key.unicode() == kEnter)
        return KeyVerdict::EnterMoves;
    if (currentLength >= 1)
        return key.unicode() == kBackspace ? KeyVerdict::Pass : KeyVerdict::Drop;
    if (isDigitIn(key, '0', '3') || key.unicode() == kBackspace || key.unicode() == kTab)
        return KeyVerdict::Pass;
    return KeyVerdict::Drop;
}

KeyVerdict jogVelKey(QChar key, int currentLength, bool hasSelection)
{
    if (key.unicode() == kEnter)
        return KeyVerdict::EnterMoves;
    if (!hasSelection && currentLength >= 2 && key.unicode() != kBackspace)
        return KeyVerdict::Drop;
    if (isDigitIn(key, '0', '9') || key.unicode() == kBackspace || key.unicode() == kTab)
        return KeyVerdict::Pass;
    return KeyVerdict::Drop;
}

int boxNumber(const QString &text)
{
    // Read as every field is: a text that is not wholly a whole number within 16 bits ("1a",
    // "2.5", "99999") stands for no port and no velocity, and 0 is out of both ranges.
    return int(platform::fieldInteger(text, platform::FieldForm{}, false).value_or(0));
}

bool jogVelValid(const QString &text)
{
    const int v = boxNumber(text);
    return v >= 1 && v <= 60;
}

QString portDevice(int portNo)
{
    return link::SerialLink::deviceForPort(portNo);
}

Loaded load()
{
    Loaded l;
    if (gPortNo >= 1 && gPortNo <= 9)
        l.portText = QString::number(gPortNo);
    else
        l.portText = SettingsStore::text(QStringLiteral("PortNo"), QStringLiteral("1"));

    // Only 1 stands for Japanese: any other stored value is English, so that OK without a
    // change never asks for the other language.
    l.japanese = gLanguage == 1;
    l.japaneseEnabled = l.japanese;

    l.mmUnit = gDispMmUnit;
    l.roundUp = gMmRoundUp;
    l.portOccupy = gPortOccupy;

    if (gVelOf100Pls[0] >= 1 && gVelOf100Pls[0] <= 60)
        l.velText = QString::number(gVelOf100Pls[0]);
    else
        l.velText = SettingsStore::text(QStringLiteral("VelOf100Pls"), QStringLiteral("20"));

    gAccOf100Pls[0] = slot0In(gAccOf100Pls[0], 1, 3, "AccOf100Pls", core::settings::kDefAccOf100Pls);
    gAccOf100Pls2[0] =
        slot0In(gAccOf100Pls2[0], 1, 3, "AccOf100Pls2", core::settings::kDefAccOf100Pls2Options);
    l.acc = gAccOf100Pls[0];
    l.acc2 = gAccOf100Pls2[0];
    return l;
}

Outcome apply(const Choices &c)
{
    Outcome out;

    const int port = boxNumber(c.portText);
    if (port >= 1 && port <= 9) {
        if (port != gPortNo) {
            // Closed whatever "PortOccupy" says: the next exchange opens the new port.
            CommPortCloseForce();
            SetOfflineMode();
            out.portChanged = true;
        }
        gPortNo = port;
    } else {
        gPortNo = SettingsStore::numberOr(QStringLiteral("PortNo"), core::settings::kDefPortNo);
    }

    const bool chosenJapanese = c.japanese;
    gLangChanged = chosenJapanese != (gLanguage == 1);

    if (c.mmUnit != gDispMmUnit) {
        // The whole displayed range is checked and redrawn: edits outside the last working
        // range must reach the tables before the grid is rebuilt from them.
        gPosiNoFrom = gPosiNoDefFrom;
        gPosiNoTo = gPosiNoDefTo;
        int check = PosiDataCheck3();
        // A table that cannot be converted (an axis in use without lead or pulses per
        // revolution) is refused like positions in error: the unit stays.
        if (check == 0 && (c.mmUnit ? PulseToMm_Table() : MmToPulse_Table()) != 0)
            check = 1;
        if (check == 1) {
            out.unitRefused = true;
        } else {
            gDispMmUnit = c.mmUnit;
            SettingsStore::setText(QStringLiteral("DispMmUnit"),
                                   c.mmUnit ? QStringLiteral("1") : QStringLiteral("0"));
            QzDataHyoji_3();
            Change_DispUnit();
            out.unitChanged = true;
        }
    }

    gMmRoundUp = c.roundUp;
    SettingsStore::setText(QStringLiteral("MmRoundUp"), c.roundUp ? QStringLiteral("1") : QStringLiteral("0"));
    gPortOccupy = c.portOccupy;
    SettingsStore::setText(QStringLiteral("PortOccupy"), c.portOccupy ? QStringLiteral("1") : QStringLiteral("0"));

    const int vel = boxNumber(c.velText);
    gVelOf100Pls[0] = gVelOf100Pls[1] = gVelOf100Pls[2] = vel;
    SettingsStore::setNumber(QStringLiteral("VelOf100Pls"), vel);

    if (c.acc >= 1 && c.acc <= 3)
        gAccOf100Pls[0] = c.acc;
    gAccOf100Pls[1] = gAccOf100Pls[2] = gAccOf100Pls[0];
    SettingsStore::setNumber(QStringLiteral("AccOf100Pls"), gAccOf100Pls[0]);
    if (c.acc2 >= 1 && c.acc2 <= 3)
        gAccOf100Pls2[0] = c.acc2;
    gAccOf100Pls2[1] = gAccOf100Pls2[2] = gAccOf100Pls2[0];
    SettingsStore::setNumber(QStringLiteral("AccOf100Pls2"), gAccOf100Pls2[0]);
    core::settings::finishSettingsWrites();
    return out;
}

} // namespace app::options
