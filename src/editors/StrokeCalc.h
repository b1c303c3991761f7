#pragma once

#include <QChar>
#include <QString>
#include <optional>

class QObject;
class QValidator;

// The stroke-to-pulse calculation: a stroke in millimetres over the lead, times the pulses
// per revolution of the actuator kind, rounded up from the first decimal.

namespace editors {

constexpr int kPprStandard = 400;
constexpr int kStrokeLength = 3; // characters of the stroke field
constexpr int kLeadLength = 1;   // and of the lead field
constexpr int kPprQz57H = 192;

// The pulses, or nullopt when the lead is empty, zero or a value does not fit 16 bits.
std::optional<qint64> strokePulses(const QString &strokeText, const QString &leadText, int factor);

// The key filter of the calculator's two fields (maximum 3 and 1 characters).
bool strokeCalcKeyAccepted(int maxLength, const QString &text, QChar key);
// The checks on leaving them: stroke 0 to 500, lead 2, 6 or 8, each text read strictly in
// its field's form (an empty stroke counts as 0).
bool strokeFieldAccepted(const QString &text);
bool leadFieldAccepted(const QString &text);
// The validator of a field of maxLength characters: what its key filter could have typed.
QValidator *newStrokeCalcValidator(int maxLength, QObject *parent);

} // namespace editors
