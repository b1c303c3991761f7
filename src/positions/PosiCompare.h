#pragma once

#include "tables/PosiTable.h"

#include <QList>
#include <QString>

// The comparisons of the position transfers: the verification of the table against the
// image of a file or the controller, the limit check before a write, and whether the table
// holds position data at all.

extern bool gPosiDataExist; // the table holds position data (set by CheckPosiDataExist)

namespace positions {

// Compares positions from..to of the table (the whole numbers of gPosiFileTable, Posi as the
// pulses of gPosiTable) with the image gPosiWork, taken by its numeric value, exactly: table
// columns 0 to 18, the columns of an axis not in use and the comment never. Clears every
// cell flag first, then flags each differing cell and its row (column 19) and counts the
// differing positions in gPosiNgCount. A position the other side does not hold (`held`,
// indexed by position number, false) differs in every compared cell. Returns gPosiNgCount.
int comparePosiRange(int from, int to, const bool *held = nullptr);

// The positions from..to whose check flag is clear and that lie beyond the limit (pulses)
// of a used axis, ascending, each once.
QList<int> positionsOverLimit(int from, int to, const qint32 (&limit)[4]);

// The list the limit message shows: each number followed by a comma ("12,15,").
QString posiNumberList(const QList<int> &positions);

// The OK of the verification's range window over the offered overlap
// gPosiCommonFrom..gPosiCommonTo: 0 the range is stored in gPosiNoFrom..gPosiNoTo;
// 1 it is refused (message 1610; nothing stored); 2 the first number lies above the last:
// nothing happens.
int acceptRange4(const QString &start, const QString &end);

} // namespace positions

// Sets gPosiDataExist when any position holds a value (a number, even 0); otherwise leaves it
// as the caller set it.
void CheckPosiDataExist();
