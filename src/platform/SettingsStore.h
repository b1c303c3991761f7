#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <functional>
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
    // regular file, an entry it cannot keep, a quote a line leaves open that takes in the lines
    // the write would change or add, another copy holding the file's lock). It changes
    // only the keys it writes: under the lock beside the file, the file is read afresh, their
    // lines are put in place of theirs and every other line stays as it was. A failure is kept
    // for takeWriteFailure() and its reason for lastFailure().
    static bool setText(const QString &key, const QString &value);
    // Several values in one replacement of the file: all of them are stored or none.
    static bool setTexts(const QList<QPair<QString, QString>> &values);
    static bool setNumber(const QString &key, int value);
    static bool contains(const QString &key);
    // False when a write failed since the last takeWriteFailure(); nothing is ever pending.
    static bool sync();
    // Whether a write failed since the last call (which clears it).
    static bool takeWriteFailure();

    // Why the last failed write failed; the operator's words for each are the caller's.
    enum class Failure {
        None,
        ReadFailed,    // the system refused a read: its words
        WriteFailed,   // the system refused a write: its words
        CutShort,      // only part of a file reached the disk
        FolderNotMade, // the settings folder: its path
        NotRegular,    // the path names no regular file: its kind
        Unkeepable,    // an entry that would not keep as it was: its key
        OpenQuote,     // a quote a line leaves open takes in the lines a write needs: that line's number
        LockHeld,      // another copy held the lock beyond the wait: the lock file's path
        LockNotMade,   // the lock file could not be made: its path
    };
    static Failure lastFailure();
    static QString lastFailureDetail();
    // The same as one English line, for logs and the test programs.
    static QString lastWriteFailure();

    // The longest a write waits for another copy of the program to release the file's lock.
    static constexpr int kLockWaitMs = 5000;
    // For the tests of two copies: `lockBusy` runs when a write finds the lock held (before it
    // waits), `beforeReplace` with the lock held, after the file was read afresh and just
    // before it is replaced.
    static void setLockHooks(std::function<void()> lockBusy, std::function<void()> beforeReplace);

    static std::optional<int> parseNumber16(const QString &text);
};

} // namespace platform
