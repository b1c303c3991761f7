#include "platform/SettingsStore.h"

#include "platform/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
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

QString userStorePath()
{
    // Where QSettings keeps the user's INI file, named without QSettings opening it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/QZ/QZ-W4.ini");
}

QString storePath()
{
    return g_overridePath.isEmpty() ? userStorePath() : g_overridePath;
}

// Reads come from the one file the writes replace. A named pipe or a device in place of the
// settings file would hold every read: it reads as an empty store (the defaults), and every
// write is refused with that reason.
std::unique_ptr<QSettings> openStore()
{
    const QString path = storePath();
    if (!nonRegularKind(path).isEmpty())
        return std::make_unique<QSettings>(path + QStringLiteral("/not-a-regular-file"), QSettings::IniFormat);
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
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
const QString kSection = QStringLiteral("Settings");

QString g_unkeepableKey;

bool unkeepable(const QString &key)
{
    g_unkeepableKey = key;
    return failed(QStringLiteral("the settings file holds entries this program cannot keep: ") + key);
}

// A scratch file in the folder of the settings file (on its disk): QSettings reads a file of
// a path it has read before from its own memory, and may report success for a file the disk
// cut short, so every file it reads or makes here is new.
bool writeScratch(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size())
        return failed(kCutShort);
    return true;
}

std::optional<QByteArray> readScratch(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        failed(f.errorString());
        return std::nullopt;
    }
    return f.readAll();
}

// The lines QSettings writes for the given values of the section, in its own escaping.
std::optional<QList<QByteArray>> linesFor(const QList<QPair<QString, QString>> &values, const QTemporaryDir &scratch)
{
    const QString made = scratch.filePath(QStringLiteral("values.ini"));
    {
        QSettings s(made, QSettings::IniFormat);
        for (const auto &kv : values)
            s.setValue(fullKey(kv.first), kv.second);
        s.sync();
        if (s.status() != QSettings::NoError) {
            failed(kCutShort);
            return std::nullopt;
        }
    }
    const std::optional<QByteArray> bytes = readScratch(made);
    if (!bytes)
        return std::nullopt;
    QList<QByteArray> lines;
    for (const QByteArray &line : bytes->split('\n')) {
        const QByteArray t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith('['))
            lines << t;
    }
    if (lines.size() != values.size()) {
        failed(kCutShort);
        return std::nullopt;
    }
    return lines;
}

QByteArray rawKey(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QByteArray() : line.left(eq).trimmed();
}

// The file's text with the lines of the written keys put in place of theirs in the section,
// or added to it; every other line stays as it was, byte for byte, whether or not QSettings
// could read it back as written.
QByteArray splice(const QByteArray &old, const QList<QPair<QString, QString>> &values, const QList<QByteArray> &lines)
{
    const QByteArray eol = old.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    QList<QByteArray> out = old.isEmpty() ? QList<QByteArray>() : old.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast(); // the end of the last line
    for (QByteArray &l : out)
        if (l.endsWith('\r'))
            l.chop(1);
    QList<bool> placed(values.size(), false);
    const QByteArray header = "[" + kSection.toLatin1() + "]";
    bool inSection = false;
    qsizetype sectionEnd = -1; // after the last entry line of the first such section
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QByteArray t = out.at(i).trimmed();
        if (t.startsWith('[')) {
            inSection = t == header;
            if (inSection && sectionEnd < 0)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (sectionEnd >= 0 && sectionEnd == i && !t.isEmpty())
            sectionEnd = i + 1;
        const QByteArray key = rawKey(t);
        for (int v = 0; v < values.size(); ++v) {
            if (key != values.at(v).first.toLatin1())
                continue;
            if (placed[v]) {
                if (i < sectionEnd)
                    --sectionEnd;
                out.removeAt(i--); // a second line of the key would hide the first
            } else {
                out[i] = lines.at(v);
                placed[v] = true;
            }
            break;
        }
    }
    QList<QByteArray> added;
    for (int v = 0; v < values.size(); ++v)
        if (!placed[v])
            added << lines.at(v);
    if (!added.isEmpty()) {
        if (sectionEnd < 0) {
            if (!out.isEmpty() && !out.last().trimmed().isEmpty())
                out << QByteArray();
            out << header;
            sectionEnd = out.size();
        }
        for (qsizetype a = 0; a < added.size(); ++a)
            out.insert(sectionEnd + a, added.at(a));
    }
    QByteArray text;
    for (const QByteArray &l : std::as_const(out))
        text += l + eol;
    return text;
}

// The settings file's new bytes: read fresh from the file (another copy of the program may
// have written it since), the written keys changed and nothing else. What QSettings reads
// from them is compared by key with what was meant: the written values, and every other
// entry as it read before.
std::optional<QByteArray> encodeChange(const QString &path, const QList<QPair<QString, QString>> &values,
                                       const QString &folder)
{
    QTemporaryDir scratch(folder + QStringLiteral("/.settings-XXXXXX"));
    if (!scratch.isValid()) {
        failed(scratch.errorString());
        return std::nullopt;
    }
    QByteArray old;
    if (QFileInfo::exists(path)) {
        QFile f;
        QString error;
        if (!openRegularForReading(f, path, &error)) {
            failed(error);
            return std::nullopt;
        }
        old = f.readAll();
        if (f.error() != QFileDevice::NoError) {
            failed(f.errorString());
            return std::nullopt;
        }
    }
    const QString current = scratch.filePath(QStringLiteral("current.ini"));
    if (!writeScratch(current, old))
        return std::nullopt;
    Entries before;
    {
        QSettings s(current, QSettings::IniFormat);
        if (s.status() != QSettings::NoError) {
            failed(QStringLiteral("the settings file cannot be read"));
            return std::nullopt;
        }
        before = allEntries(s);
    }
    const std::optional<QList<QByteArray>> lines = linesFor(values, scratch);
    if (!lines)
        return std::nullopt;
    const QByteArray bytes = splice(old, values, *lines);
    const QString check = scratch.filePath(QStringLiteral("check.ini"));
    if (!writeScratch(check, bytes))
        return std::nullopt;
    QSettings reread(check, QSettings::IniFormat);
    if (reread.status() != QSettings::NoError) {
        failed(kCutShort);
        return std::nullopt;
    }
    Entries meant = before;
    for (const auto &kv : values)
        meant.insert(fullKey(kv.first), kv.second);
    const Entries after = allEntries(reread);
    for (auto it = meant.cbegin(); it != meant.cend(); ++it) {
        if (after.value(it.key()) != it.value()) {
            unkeepable(it.key());
            return std::nullopt;
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!meant.contains(it.key())) {
            unkeepable(it.key());
            return std::nullopt;
        }
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
    return storePath();
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

bool SettingsStore::setTexts(const QList<QPair<QString, QString>> &given)
{
    g_unkeepableKey.clear();
    // One value a key, the last given.
    QList<QPair<QString, QString>> values;
    for (const auto &kv : given) {
        const auto same = std::find_if(values.begin(), values.end(), [&](const auto &v) { return v.first == kv.first; });
        if (same != values.end())
            same->second = kv.second;
        else
            values.append(kv);
    }
    const QString path = filePath();
    const QString notRegular = notRegularFileReason(path);
    if (!notRegular.isEmpty())
        return failed(notRegular);
    // QSettings makes the settings folder on its first write; so does this.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("the folder cannot be made: ") + QDir::toNativeSeparators(folder));
    const std::optional<QByteArray> bytes = encodeChange(path, values, folder);
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

QString SettingsStore::unkeepableKey()
{
    return g_unkeepableKey;
}

} // namespace platform
