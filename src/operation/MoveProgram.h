#pragma once

#include <QString>

// The program of the test-move window (15 steps, each a position number 1 to 999 or empty)
// and the checks of its boxes.
namespace operation::moveprogram {

constexpr int kSteps = 15;

// What a step cell keeps of an edited text: the number as decimal text when its value is
// 1 to 999, otherwise nothing (the cell is emptied). `accepted` tells which.
QString stepText(const QString &edited, bool *accepted = nullptr);

// The column after (Enter, Right) or before (Left) `col` among the step columns 1 to 15:
// right wraps from 15 to 1, left stops at 1.
int nextStepColumn(int col);
int previousStepColumn(int col);

// The dwell box confirmed with Enter: the number as decimal text, or nothing (and `accepted`
// false) for a value outside 0 to 999.
QString dwellText(const QString &typed, bool *accepted = nullptr);

} // namespace operation::moveprogram
