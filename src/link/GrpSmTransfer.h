#pragma once

#include <QString>
#include <optional>

// Group data (99 groups of a start and an end position) and sequence macros (20 macros of
// 16 command/data steps) between the controller and the group and macro tables.

int ReadGrpDataFromCt(); // into gGrpDataIn: 0 read, 1 failed, 2 stopped by gTranceCancel
int WriteGrpDataToCt();  // from gGrpData, then "0WE" "3": 0 written, 1 failed (told)
int ReadSqMcrFromCt();   // into gSmDataIn: 0 read, 1 failed
int WriteSqMcrToCt();    // from gSmData, then "0WE" "1": 0 written, 1 failed (told)

namespace link {

// "0WG" argument: group (2 digits), start and end (3 digits each); nullopt when a value does
// not fit its field.
std::optional<QString> grpRecord(int group, int start, int end);
// Start and end of a "0RG" reply for `group`; nullopt for a reply of another group or a
// field that is not hexadecimal.
std::optional<std::pair<int, int>> grpFromReply(int group, const QString &line);

// "0WS" argument of macro m (0 to 19): the macro number (2 digits), then command and data
// of each step, one digit each; nullopt when a value does not fit its digit.
std::optional<QString> smRecord(int macro, const int (&commands)[16], const int (&data)[16]);
// The steps of a "0RS" reply for macro m (0 to 19); the data of a command 0 reads as 0.
bool smFromReply(int macro, const QString &line, int (&commands)[16], int (&data)[16]);

} // namespace link
