#include "operation/MoveProgram.h"

namespace operation::moveprogram {

namespace {

// The integer value of a text as a box gives it: 0 when it is not a number.
int integerValue(const QString &text, bool *ok)
{
    bool converted = false;
    const int value = text.trimmed().toInt(&converted);
    if (ok)
        *ok = converted;
    return converted ? value : 0;
}

} // namespace

QString stepText(const QString &edited, bool *accepted)
{
    const int value = integerValue(edited, nullptr);
    const bool good = value >= 1 && value <= 999;
    if (accepted)
        *accepted = good;
    // The step as the run uses it: "007" or "+7" is step 7 and shows so.
    return good ? QString::number(value) : QString();
}

int nextStepColumn(int col)
{
    return col >= 1 && col < kSteps ? col + 1 : 1;
}

int previousStepColumn(int col)
{
    return col > 1 ? col - 1 : 1;
}

QString dwellText(const QString &typed, bool *accepted)
{
    const int value = integerValue(typed, nullptr);
    const bool good = value >= 0 && value <= 999;
    if (accepted)
        *accepted = good;
    return good ? QString::number(value) : QString();
}

} // namespace operation::moveprogram
