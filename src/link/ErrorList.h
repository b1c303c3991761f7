#pragma once

#include <QString>

// The controller's alarm texts, one list file per language in the program's folder.

struct ErrorListEntry
{
    QString code; // first character: "1" state without alarm, "2" alarm; last: the alarm code
    QString text;
};

constexpr int kErrorListMax = 40;
extern ErrorListEntry gErrorList[kErrorListMax + 1]; // entries 1 to gErrorListCount
extern int gErrorListCount;
extern bool gErrorListMissing;
extern QString gErrorListPath;

// Loads the list of the current language (its name is message 120); a file that cannot be
// read leaves the entries as they were, marks the list missing and says so: a list that is
// not there as missing (30, 31), one that is there as damaged or unreadable, with its line.
void LoadErrorList();

// Decodes gEventMsg, the last unsolicited line, into the alarm state and the alarm panel.
// Shows no box.
void AlarmHyoji();

namespace link {

// Reads a list file into `entries`/`count`; false (with the reason) when it cannot be used.
bool readErrorListFile(const QString &path, ErrorListEntry (&entries)[kErrorListMax + 1], int &count,
                       QString *why = nullptr);

// The message box text for an unsolicited line that came in place of a reply; with the error
// list missing, the note that says why, as its load told it, ends it.
QString alarmMessage();

// The panel of a good reply: lamp off, no number, "No Error".
void clearAlarmPanel();

void resetErrorList();

} // namespace link
