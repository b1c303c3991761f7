#include "actuators/DevSettingStore.h"

#include "actuators/DevCatalogue.h"
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/SettingsStore.h"

#include <optional>

using platform::SettingsStore;

namespace {

QString key(const char *word, int axis)
{
    return QLatin1String(word) + QString::number(axis + 1);
}

std::optional<qint32> storedNumber32(const QString &k, qint32 defaultValue)
{
    if (!SettingsStore::contains(k))
        return defaultValue;
    bool ok = false;
    const qint32 v = SettingsStore::text(k, QString()).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

QString flagText(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

int LoadDevSetting(bool tellMissingCatalogue)
{
    // A catalogue that cannot be read is no reason to ask it once per axis: the stored values
    // serve, and the failure is told once.
    const bool catalogue = actuators::devListReadable();
    if (!catalogue && tellMissingCatalogue)
        actuators::tellDevListFailure(false);
    bool invalid = false;
    for (int a = 0; a < kAxisCount; ++a) {
        const auto newType = SettingsStore::number(key("NewType", a), 1);
        if (!newType)
            invalid = true;
        const bool isNew = newType.value_or(0) == 1;
        gAxisNewType[a] = gDevSetteiNewType[a] = isNew;
        gDevNewTypeStr[a] = isNew ? QStringLiteral("NEW") : QStringLiteral("OLD");

        const auto ppr = storedNumber32(key("DevPPR", a), 400);
        if (ppr)
            gDevPPR[a] = *ppr;
        else
            invalid = true;

        gDevIsQz[a] = SettingsStore::text(key("Device", a), QStringLiteral("QZ")) == QLatin1String("QZ");

        const QString size = SettingsStore::text(key("DevSize", a), QStringLiteral(" 28"));
        const QString speed = SettingsStore::text(key("DevSpeed", a), QStringLiteral("L"));
        const auto stroke = SettingsStore::number(key("DevStroke", a), 100);
        if (stroke && CheckDevCode(size, speed, *stroke) == 0) {
            gDevSize[a] = gDevSetteiSize[a] = size;
            gDevSpeed[a] = gDevSetteiSpeed[a] = speed;
            gDevStroke[a] = gDevSetteiStroke[a] = *stroke;
        } else {
            invalid = true;
        }

        if (!catalogue || DevListLookup3(gDevSize[a], gDevSpeed[a], gDevStroke[a]) != 0) {
            const auto lead = SettingsStore::number(key("DevLead", a), 2);
            if (lead && *lead >= 2 && *lead <= 20)
                gDevLead[a] = *lead;
            else
                invalid = true;
        } else if (DevListLookup2(gDevSize[a], gDevSpeed[a], gDevStroke[a]) == 0) {
            gDevLead[a] = gCatLead;
            gDevPPR[a] = gCatPPR;
        } else {
            invalid = true;
        }
        // Nothing may later divide by a lead or pulses per revolution of 0.
        if (gDevLead[a] <= 0 || gDevPPR[a] <= 0)
            invalid = true;

        // The designation and the next save read the pending flags: they follow the store too.
        const auto vertical = SettingsStore::number(key("Vertical", a), 1);
        gDevVertical[a] = gDevSetteiVertical[a] = vertical.value_or(0) == 1;
        const auto withPG = SettingsStore::number(key("WithPG", a), 0);
        gDevWithPG[a] = gDevSetteiWithPG[a] = withPG.value_or(0) == 1;
        if (!vertical || !withPG)
            invalid = true;
    }
    return invalid ? 1 : 0;
}

int SaveDevSetting()
{
    // One write for the whole set: a failure midway never leaves a mixed actuator code.
    QList<QPair<QString, QString>> values;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        values.append({key("DevSize", a), gDevSize[a]});
        values.append({key("DevSpeed", a), gDevSpeed[a]});
        values.append({key("DevStroke", a), QString::number(gDevStroke[a])});
        values.append({key("DevLead", a), QString::number(gDevLead[a])});
        values.append({key("DevPPR", a), QString::number(gDevPPR[a])});
        values.append({key("NewType", a), flagText(gAxisNewType[a])});
        values.append({key("Device", a), QStringLiteral("QZ")});
        values.append({key("Vertical", a), flagText(gDevSetteiVertical[a])});
        values.append({key("WithPG", a), flagText(gDevSetteiWithPG[a])});
    }
    if (!values.isEmpty())
        SettingsStore::setTexts(values);
    return core::settings::finishSettingsWrites() ? 0 : 1;
}
