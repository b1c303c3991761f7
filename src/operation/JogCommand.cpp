#include "operation/JogCommand.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Padding.h"
#include "platform/SettingsStore.h"

using platform::SettingsStore;

namespace operation::jog {

int inchingAmount(int option)
{
    switch (option) {
    case 1: return 1;
    case 2: return 10;
    case 3: return 100;
    default: return 0;
    }
}

int settingSlot(int amount)
{
    return amount == 100 ? 0 : amount == 10 ? 1 : 2;
}

QString jogFeedCommand(int button, int velocity)
{
    QString digits(4, QLatin1Char('0'));
    const int axis = button / 2;
    if (axis >= 0 && axis < 4)
        digits[axis] = button % 2 == 0 ? QLatin1Char('1') : QLatin1Char('2');
    const QString speed = velocity >= 10 && velocity <= 90 ? QString::number(velocity / 10) : QStringLiteral("0");
    return QStringLiteral("0JR") + digits + speed;
}

QString inchingCommand(int amount, int button, qint32 present, qint32 limit)
{
    const int axis = button / 2;
    const bool forward = button % 2 == 0;
    const int slot = settingSlot(amount);
    QString fields[4];
    for (QString &f : fields)
        f = QStringLiteral("01") + QStringLiteral("1") + QStringLiteral("0") + QStringLiteral("00000");
    if (axis < 0 || axis > 3)
        return QStringLiteral("0MV") + fields[0] + fields[1] + fields[2] + fields[3] + QStringLiteral("0");

    const bool slowAxis = gDevSpeed[axis] == QLatin1String("D") && gDevSize[axis] == QLatin1String(" 42");
    const int acc = slowAxis ? gAccOf100Pls2[slot] : gAccOf100Pls[slot];
    // Five hexadecimal digits carry the target: it never leaves 0 .. min(limit, FFFFF), and a
    // forward press at or beyond the top moves nothing rather than backwards.
    const qint64 top = qBound(qint64(0), qint64(limit), qint64(kMaxTarget));
    const qint64 p = present;
    QString flag = QStringLiteral("1");
    qint64 target = 0;
    if (forward) {
        if (p >= top)
            flag = QStringLiteral("0");
        else
            target = qMin(p + amount, top);
    } else {
        target = qBound(qint64(0), p - amount, top);
    }
    fields[axis] = HexZeroPad(gVelOf100Pls[slot], 2) + HexZeroPad(acc, 1) + flag + HexZeroPad(target, 5);
    return QStringLiteral("0MV") + fields[0] + fields[1] + fields[2] + fields[3] + QStringLiteral("0");
}

} // namespace operation::jog

namespace {

int storedJogValue(const char *key, int defaultValue, int highest)
{
    const int v = SettingsStore::numberOr(QString::fromLatin1(key), defaultValue);
    return v >= 1 && v <= highest ? v : 1;
}

} // namespace

void LoadJogSetting()
{
    const int vel = storedJogValue("VelOf100Pls", core::settings::kDefVelOf100Pls, 60);
    const int acc = storedJogValue("AccOf100Pls", core::settings::kDefAccOf100Pls, 3);
    const int acc2 = storedJogValue("AccOf100Pls2", core::settings::kDefAccOf100Pls2, 3);
    for (int slot = 0; slot < 3; ++slot) {
        gVelOf100Pls[slot] = vel;
        gAccOf100Pls[slot] = acc;
        gAccOf100Pls2[slot] = acc2;
    }
    gAccOfJog = storedJogValue("AccOfJog", core::settings::kDefAccOfJog, 3);
    gAccOfJog2 = storedJogValue("AccOfJog2", core::settings::kDefAccOfJog2, 3);
}
