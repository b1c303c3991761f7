#pragma once

#include <QString>
#include <optional>

namespace platform {

// The form of a numeric field (a grid column, an entry box): how long its text may be and
// whether it has a decimal point.
struct FieldForm
{
    int maxLength = 0;     // characters, blanks trimmed; 0 no limit
    bool decimals = false; // a decimal point may stand between or after the digits
};

// The one reading of a numeric field's text that every road uses (typing, pasting, the checks,
// the boxes): the number only when the text, blanks trimmed at both ends, is wholly a number of
// the form: an optional sign, ASCII digits and, where the form has one, one decimal point, with
// at least one digit, within the form's length. Anything else ("12abc", "1,5", "1e1", "0x10",
// "5..5", an empty text) gives nullopt: a field is never read as the number its text begins
// with, so what the screen shows is what is sent and saved.
std::optional<double> fieldNumber(const QString &text, const FieldForm &form);

// The same, for a whole-number field whose value must fit a 16-bit (or, wide, a 32-bit)
// signed integer.
std::optional<qint64> fieldInteger(const QString &text, const FieldForm &form, bool wide);

} // namespace platform
