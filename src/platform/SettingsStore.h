#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace platform {

// The per-user settings store: one INI file, section "Settings", every value kept as text.
// Tests and portable installs point it at a file of their own with useFile().
class SettingsStore
{
public:
    static void useFile(const QString &iniPath);
    static void useUserStore();
    static QString filePath();

    static QString text(const QString &key, const QString &defaultValue);
    // The stored value as a 16-bit number; nullopt when a value is stored that is not one.
    static std::optional<int> number(const QString &key, int defaultValue);
    // Like number(), but a value that is not a number reads as the default.
    static int numberOr(const QString &key, int defaultValue);
    // Every write replaces the file at once, whole, or leaves the old file as it was; false when
    // the file could not be written (its folder missing or not writable, the disk full, no
    // regular file, an entry it cannot keep). It changes only the keys it writes: the file is
    // read afresh, their lines are put in place and every other line stays as it was. A
    // failure is kept for takeWriteFailure() and its reason for lastWriteFailure().
    static bool setText(const QString &key, const QString &value);
    // Several values in one replacement of the file: all of them are stored or none.
    static bool setTexts(const QList<QPair<QString, QString>> &values);
    static bool setNumber(const QString &key, int value);
    static bool contains(const QString &key);
    // False when a write failed since the last takeWriteFailure(); nothing is ever pending.
    static bool sync();
    // Whether a write failed since the last call (which clears it).
    static bool takeWriteFailure();
    static QString lastWriteFailure();
    // The key of the entry the last failed write could not keep as it was (an entry QSettings
    // does not read back as written, or one that hides a written key); empty when the write
    // failed for another reason.
    static QString unkeepableKey();

    static std::optional<int> parseNumber16(const QString &text);
};

} // namespace platform
