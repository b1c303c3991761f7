#include "platform/SettingsStore.h"

#include <QSettings>
#include <memory>

namespace platform {

namespace {

QString g_overridePath;
bool g_writeFailed = false;

// Syncs the store and tells whether the file took it.
bool written(QSettings &store)
{
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    g_writeFailed = true;
    return false;
}

std::unique_ptr<QSettings> openStore()
{
    if (!g_overridePath.isEmpty())
        return std::make_unique<QSettings>(g_overridePath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("QZ"), QStringLiteral("QZ-W4"));
}

QString fullKey(const QString &key)
{
    return QStringLiteral("Settings/") + key;
}

} // namespace

void SettingsStore::useFile(const QString &iniPath)
{
    g_overridePath = iniPath;
}

void SettingsStore::useUserStore()
{
    g_overridePath.clear();
}

QString SettingsStore::filePath()
{
    return openStore()->fileName();
}

QString SettingsStore::text(const QString &key, const QString &defaultValue)
{
    const QVariant v = openStore()->value(fullKey(key));
    if (!v.isValid())
        return defaultValue;
    // A value that QSettings splits at commas comes back as a list; the store holds one text.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

std::optional<int> SettingsStore::parseNumber16(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < -32768 || n > 32767)
        return std::nullopt;
    return n;
}

std::optional<int> SettingsStore::number(const QString &key, int defaultValue)
{
    if (!contains(key))
        return defaultValue;
    return parseNumber16(text(key, QString()));
}

int SettingsStore::numberOr(const QString &key, int defaultValue)
{
    return number(key, defaultValue).value_or(defaultValue);
}

bool SettingsStore::setText(const QString &key, const QString &value)
{
    const auto store = openStore();
    store->setValue(fullKey(key), value);
    return written(*store);
}

bool SettingsStore::setNumber(const QString &key, int value)
{
    return setText(key, QString::number(value));
}

bool SettingsStore::contains(const QString &key)
{
    return openStore()->contains(fullKey(key));
}

bool SettingsStore::sync()
{
    return written(*openStore());
}

bool SettingsStore::takeWriteFailure()
{
    const bool failed = g_writeFailed;
    g_writeFailed = false;
    return failed;
}

} // namespace platform
