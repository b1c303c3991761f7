#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace platform {

namespace {

QString g_overridePath;
bool g_writeFailed = false;
QString g_failureReason;

bool failed(const QString &reason)
{
    g_writeFailed = true;
    g_failureReason = reason;
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

using Entries = QMap<QString, QVariant>;

Entries allEntries(QSettings &store)
{
    Entries out;
    const QStringList keys = store.allKeys();
    for (const QString &k : keys)
        out.insert(k, store.value(k));
    return out;
}

const QString kCutShort = QStringLiteral("only part of the file reached the disk (the disk may be full)");

// The settings file's bytes for the given entries, made by QSettings in a scratch folder beside
// the file (on its disk) and read back from a second copy: QSettings may report success for a
// file the disk cut short, and it answers a re-read of a file it wrote from its own memory.
std::optional<QByteArray> encodeEntries(const Entries &entries, const QString &folder)
{
    QTemporaryDir scratch(folder + QStringLiteral("/.settings-XXXXXX"));
    if (!scratch.isValid()) {
        failed(scratch.errorString());
        return std::nullopt;
    }
    const QString made = scratch.filePath(QStringLiteral("made.ini"));
    {
        QSettings s(made, QSettings::IniFormat);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            s.setValue(it.key(), it.value());
        s.sync();
        if (s.status() != QSettings::NoError) {
            failed(kCutShort);
            return std::nullopt;
        }
    }
    QFile madeFile(made);
    if (!madeFile.open(QIODevice::ReadOnly)) {
        failed(madeFile.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = madeFile.readAll();
    const QString check = scratch.filePath(QStringLiteral("check.ini"));
    QFile checkFile(check);
    if (!checkFile.open(QIODevice::WriteOnly) || checkFile.write(bytes) != bytes.size() || !checkFile.flush()
        || checkFile.size() != bytes.size()) {
        failed(kCutShort);
        return std::nullopt;
    }
    checkFile.close();
    QSettings reread(check, QSettings::IniFormat);
    if (reread.status() != QSettings::NoError || allEntries(reread) != entries) {
        failed(kCutShort);
        return std::nullopt;
    }
    return bytes;
}

// Replaces the settings file as the data files are replaced: the whole content reaches the
// disk and its size is checked before it takes the old file's place.
bool replaceFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo before(path);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return failed(f.errorString());
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size()) {
        const bool told = f.error() != QFileDevice::NoError && f.errorString() != QFile().errorString();
        f.cancelWriting();
        return failed(told ? f.errorString() : kCutShort);
    }
    // QSettings keeps what it last read of a file and reads it again only when the file's size
    // or time differs: a file of the same size replaced within the clock's step must still
    // differ in time.
    if (before.exists()) {
        QDateTime stamp = QDateTime::currentDateTimeUtc();
        const QDateTime old = before.lastModified().toUTC();
        if (stamp <= old)
            stamp = old.addMSecs(1);
        f.setFileTime(stamp, QFileDevice::FileModificationTime);
    }
    if (!f.commit())
        return failed(f.errorString());
    return true;
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
    return setTexts({{key, value}});
}

bool SettingsStore::setTexts(const QList<QPair<QString, QString>> &values)
{
    const auto store = openStore();
    const QString path = store->fileName();
    if (store->status() != QSettings::NoError)
        return failed(QStringLiteral("the settings file cannot be read"));
    Entries entries = allEntries(*store);
    for (const auto &kv : values)
        entries.insert(fullKey(kv.first), kv.second);
    // QSettings makes the settings folder on its first write; so does this.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("the folder cannot be made: ") + QDir::toNativeSeparators(folder));
    const std::optional<QByteArray> bytes = encodeEntries(entries, folder);
    if (!bytes)
        return false;
    return replaceFile(path, *bytes);
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
    // Every write replaces the file at once: nothing is left pending.
    return !g_writeFailed;
}

bool SettingsStore::takeWriteFailure()
{
    const bool wasFailed = g_writeFailed;
    g_writeFailed = false;
    return wasFailed;
}

QString SettingsStore::lastWriteFailure()
{
    return g_failureReason;
}

} // namespace platform
