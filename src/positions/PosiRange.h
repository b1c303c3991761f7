#pragma once

#include <QString>
#include <optional>

// The checks behind the position range windows' OK buttons. Each stores the chosen range in
// gPosiNoFrom..gPosiNoTo only when it is valid, and returns 0 then; 1 refuses it and leaves
// every variable as it was.
namespace positions::posirange {

// A box's number, read as every numeric field is (platform::fieldInteger): nullopt unless the
// text is wholly a whole number within 16 bits (an empty box, "12abc", "2.5" are none).
std::optional<int> boxNumber(const QString &text);

// The numbers a range window shows first. frmSelectPosiNo2 offers 1 to 15 when no range is
// displayed; frmSelectPosiNo3 always offers the displayed range.
int offeredFrom2();
int offeredTo2();

// frmSelectPosiNo2: all data is 1 to 999; otherwise 1 <= start <= end <= 999.
int acceptRange2(bool allData, const QString &start, const QString &end);
// frmSelectPosiNo3: the range within the displayed one and within 1 to 999; while New asks
// (gPosiNewMode) any range within 1 to 999, which also becomes the displayed one.
int acceptRange3(const QString &start, const QString &end);

} // namespace positions::posirange
