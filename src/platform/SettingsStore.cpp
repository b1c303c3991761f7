#include "platform/SettingsStore.h"

#include "platform/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace platform {

namespace {

using Failure = SettingsStore::Failure;

QString g_overridePath;
bool g_writeFailed = false;
Failure g_failure = Failure::None;
QString g_failureDetail;
std::function<void()> g_lockBusy;
std::function<void()> g_beforeReplace;

bool failed(Failure kind, const QString &detail = QString())
{
    g_writeFailed = true;
    g_failure = kind;
    g_failureDetail = detail;
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

// Reads come from the one file the writes replace. A named pipe, a device or a socket in place
// of the settings file would hold or fail every read: it reads as an empty store (the
// defaults), and every write is refused with that reason.
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

// A file QSettings could read. A section header without its closing bracket (a stray "[" line)
// makes it report a format error, yet it reads every entry of the file: what it reads is
// judged by the comparison of the entries, as any other line that does not read as written.
bool readable(const QSettings &s)
{
    return s.status() == QSettings::NoError || s.status() == QSettings::FormatError;
}

const QString kSection = QStringLiteral("Settings");

// A scratch file in the folder of the settings file (on its disk): QSettings reads a file of
// a path it has read before from its own memory, and may report success for a file the disk
// cut short, so every file it reads or makes here is new.
bool writeScratch(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return failed(Failure::WriteFailed, f.errorString());
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size())
        return failed(Failure::CutShort);
    return true;
}

std::optional<QByteArray> readScratch(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        failed(Failure::ReadFailed, f.errorString());
        return std::nullopt;
    }
    return f.readAll();
}

QByteArray rawKey(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QByteArray() : line.left(eq).trimmed();
}

// The line QSettings writes for each value of the section, in its own escaping: one file each,
// so that each line is known to be its value's, whatever order QSettings writes keys in.
std::optional<QList<QByteArray>> linesFor(const QList<QPair<QString, QString>> &values, const QTemporaryDir &scratch)
{
    QList<QByteArray> lines;
    for (qsizetype v = 0; v < values.size(); ++v) {
        const QString made = scratch.filePath(QStringLiteral("value-%1.ini").arg(v));
        {
            QSettings s(made, QSettings::IniFormat);
            s.setValue(fullKey(values.at(v).first), values.at(v).second);
            s.sync();
            if (s.status() != QSettings::NoError) {
                failed(Failure::WriteFailed, QDir::toNativeSeparators(made));
                return std::nullopt;
            }
        }
        const std::optional<QByteArray> bytes = readScratch(made);
        if (!bytes)
            return std::nullopt;
        QList<QByteArray> produced;
        for (const QByteArray &line : bytes->split('\n')) {
            const QByteArray t = line.trimmed();
            if (!t.isEmpty() && !t.startsWith('['))
                produced << t;
        }
        if (produced.size() != 1) {
            failed(Failure::Unkeepable, fullKey(values.at(v).first));
            return std::nullopt;
        }
        lines << produced.first();
    }
    return lines;
}

// One entry of the file as QSettings reads it: its lines, the number of its first line, and
// whether a line break inside quotes joined its lines (a quote the line did not close, which
// QSettings itself never writes) or a quote is still open at the end of the file.
struct Entry
{
    QList<QByteArray> lines;
    qsizetype firstLine = 0;
    bool quoteOverLines = false;
    bool quoteOpenAtEnd = false;
};

// The file's lines grouped as QSettings reads its entries: a line break escaped by a
// backslash, or one inside quotes, continues the entry on the next line; a ';' outside quotes
// starts a comment that ends with the line. An entry is replaced whole, and no line is ever
// put between the lines of one.
QList<Entry> entriesOf(const QByteArray &text)
{
    QList<QByteArray> physical = text.split('\n');
    if (!physical.isEmpty() && physical.last().isEmpty())
        physical.removeLast(); // the end of the last line
    QList<Entry> out;
    bool continues = false;
    bool inQuotes = false;
    for (qsizetype n = 0; n < physical.size(); ++n) {
        const QByteArray &raw = physical.at(n);
        if (!continues) {
            out.append(Entry{{}, n + 1, false, false});
            inQuotes = false;
        } else if (inQuotes) {
            out.last().quoteOverLines = true;
        }
        out.last().lines.append(raw.endsWith('\r') ? raw.chopped(1) : raw);
        bool escapedBreak = false;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const char c = raw.at(i);
            if (c == '\\') {
                const qsizetype rest = raw.size() - i - 1;
                if (rest == 0 || (rest == 1 && raw.at(i + 1) == '\r')) {
                    escapedBreak = true;
                    break;
                }
                ++i;
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == ';' && !inQuotes) {
                break;
            }
        }
        continues = escapedBreak || inQuotes;
    }
    if (!out.isEmpty())
        out.last().quoteOpenAtEnd = inQuotes;
    return out;
}

// The file's text with the lines of the written keys put in place of theirs in the section,
// or added to it; every other line stays as it was, byte for byte, whether or not QSettings
// could read it back as written. A quote a line leaves open makes QSettings read the lines
// after it as part of that entry: such an entry of a written key is not replaced (its other
// lines would be lost with it), and no line is added where such a quote would take it in.
// Either refuses the write, naming the line of the quote.
std::optional<QByteArray> splice(const QByteArray &old, const QList<QPair<QString, QString>> &values,
                                 const QList<QByteArray> &lines)
{
    const QByteArray eol = old.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    QList<Entry> out = entriesOf(old);
    QList<bool> placed(values.size(), false);
    const QByteArray header = "[" + kSection.toLatin1() + "]";
    bool inSection = false;
    qsizetype sectionEnd = -1; // after the last entry of the first such section
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QByteArray t = out.at(i).lines.first().trimmed();
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
        for (qsizetype v = 0; v < values.size(); ++v) {
            if (key.isEmpty() || key != rawKey(lines.at(v)))
                continue;
            if (out.at(i).quoteOverLines) {
                failed(Failure::OpenQuote, QString::number(out.at(i).firstLine));
                return std::nullopt;
            }
            if (placed[v]) {
                if (i < sectionEnd)
                    --sectionEnd;
                out.removeAt(i--); // a second entry of the key would hide the first
            } else {
                out[i] = Entry{{lines.at(v)}, out.at(i).firstLine, false, false};
                placed[v] = true;
            }
            break;
        }
    }
    QList<Entry> added;
    for (qsizetype v = 0; v < values.size(); ++v)
        if (!placed[v])
            added << Entry{{lines.at(v)}, 0, false, false};
    if (!added.isEmpty()) {
        if (sectionEnd < 0) {
            if (!out.isEmpty() && !out.last().lines.last().trimmed().isEmpty())
                out << Entry{{QByteArray()}, 0, false, false};
            out << Entry{{header}, 0, false, false};
            sectionEnd = out.size();
        }
        // Only the file's last entry can hold a quote open at its end; what follows it is read
        // as part of it.
        for (qsizetype e = 0; e < sectionEnd; ++e) {
            if (out.at(e).quoteOpenAtEnd) {
                failed(Failure::OpenQuote, QString::number(out.at(e).firstLine));
                return std::nullopt;
            }
        }
        for (qsizetype a = 0; a < added.size(); ++a)
            out.insert(sectionEnd + a, added.at(a));
    }
    QByteArray text;
    for (const Entry &entry : std::as_const(out))
        for (const QByteArray &l : entry.lines)
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
        failed(Failure::WriteFailed, scratch.errorString());
        return std::nullopt;
    }
    QByteArray old;
    if (QFileInfo::exists(path)) {
        QFile f;
        QString error;
        if (!openRegularForReading(f, path, &error)) {
            failed(Failure::ReadFailed, error);
            return std::nullopt;
        }
        old = f.readAll();
        if (f.error() != QFileDevice::NoError) {
            failed(Failure::ReadFailed, f.errorString());
            return std::nullopt;
        }
    }
    const QString current = scratch.filePath(QStringLiteral("current.ini"));
    if (!writeScratch(current, old))
        return std::nullopt;
    Entries before;
    {
        QSettings s(current, QSettings::IniFormat);
        if (!readable(s)) {
            failed(Failure::ReadFailed, QDir::toNativeSeparators(current));
            return std::nullopt;
        }
        before = allEntries(s);
    }
    const std::optional<QList<QByteArray>> lines = linesFor(values, scratch);
    if (!lines)
        return std::nullopt;
    const std::optional<QByteArray> spliced = splice(old, values, *lines);
    if (!spliced)
        return std::nullopt;
    const QByteArray &bytes = *spliced;
    const QString check = scratch.filePath(QStringLiteral("check.ini"));
    if (!writeScratch(check, bytes))
        return std::nullopt;
    QSettings reread(check, QSettings::IniFormat);
    if (!readable(reread)) {
        failed(Failure::ReadFailed, QDir::toNativeSeparators(check));
        return std::nullopt;
    }
    Entries meant = before;
    for (const auto &kv : values)
        meant.insert(fullKey(kv.first), kv.second);
    const Entries after = allEntries(reread);
    for (auto it = meant.cbegin(); it != meant.cend(); ++it) {
        if (after.value(it.key()) != it.value()) {
            failed(Failure::Unkeepable, it.key());
            return std::nullopt;
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!meant.contains(it.key())) {
            failed(Failure::Unkeepable, it.key());
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
        return failed(Failure::WriteFailed, f.errorString());
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size()) {
        const bool told = f.error() != QFileDevice::NoError && f.errorString() != QFile().errorString();
        const QString reason = f.errorString();
        f.cancelWriting();
        return told ? failed(Failure::WriteFailed, reason) : failed(Failure::CutShort);
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
        return failed(Failure::WriteFailed, f.errorString());
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
    const QString kind = nonRegularKind(path);
    if (!kind.isEmpty())
        return failed(Failure::NotRegular, kind);
    // QSettings makes the settings folder on its first write; so does this.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(Failure::FolderNotMade, QDir::toNativeSeparators(folder));
    // Another copy of the program reads and replaces the file the same way: one at a time, or
    // the later replacement would drop what the earlier one wrote. QSettings locks its own
    // writes with the same file. Opening a lock that is no regular file could wait for ever.
    const QString lockPath = path + QStringLiteral(".lock");
    if (!nonRegularKind(lockPath).isEmpty())
        return failed(Failure::LockNotMade, QDir::toNativeSeparators(lockPath));
    QLockFile lock(lockPath);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        if (g_lockBusy)
            g_lockBusy();
        lock.tryLock(kLockWaitMs);
    }
    if (!lock.isLocked())
        return failed(lock.error() == QLockFile::LockFailedError ? Failure::LockHeld : Failure::LockNotMade,
                      QDir::toNativeSeparators(lockPath));
    const std::optional<QByteArray> bytes = encodeChange(path, values, folder);
    if (!bytes)
        return false;
    if (g_beforeReplace)
        g_beforeReplace();
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

SettingsStore::Failure SettingsStore::lastFailure()
{
    return g_failure;
}

QString SettingsStore::lastFailureDetail()
{
    return g_failureDetail;
}

QString SettingsStore::lastWriteFailure()
{
    const QString &d = g_failureDetail;
    switch (g_failure) {
    case Failure::None:
        return QString();
    case Failure::ReadFailed:
        return QStringLiteral("the settings file cannot be read: ") + d;
    case Failure::WriteFailed:
        return d;
    case Failure::CutShort:
        return QStringLiteral("only part of the file reached the disk (the disk may be full)");
    case Failure::FolderNotMade:
        return QStringLiteral("the folder cannot be made: ") + d;
    case Failure::NotRegular:
        return QStringLiteral("not a regular file (%1)").arg(d);
    case Failure::Unkeepable:
        return QStringLiteral("the settings file holds an entry this program cannot keep: ") + d;
    case Failure::OpenQuote:
        return QStringLiteral("line %1 of the settings file opens a quote that is not closed on that line").arg(d);
    case Failure::LockHeld:
        return QStringLiteral("another copy of the program holds the lock: ") + d;
    case Failure::LockNotMade:
        return QStringLiteral("the lock file cannot be made: ") + d;
    }
    return d;
}

void SettingsStore::setLockHooks(std::function<void()> lockBusy, std::function<void()> beforeReplace)
{
    g_lockBusy = std::move(lockBusy);
    g_beforeReplace = std::move(beforeReplace);
}

} // namespace platform
