#include "editors/StrokeCalc.h"

#include "core/Module2Calc.h"
#include "tables/ParaInput.h"
#include "platform/FieldValidator.h"

namespace editors {

std::optional<qint64> strokePulses(const QString &strokeText, const QString &leadText, int factor)
{
    if (leadText.isEmpty())
        return std::nullopt;
    const auto stroke = tables::boxInteger(strokeText, platform::FieldForm{kStrokeLength, false}, false);
    const auto lead = tables::boxInteger(leadText, platform::FieldForm{kLeadLength, false}, false);
    if (!stroke || !lead || *lead == 0)
        return std::nullopt;
    const int pulses = CulcRoundUpTenth(int(*stroke), int(*lead), factor);
    // The field takes digits only, so only a stroke of 0 falls below a twentieth of a pulse
    // (-1): no pulses at all.
    return pulses < 0 ? 0 : pulses;
}

bool strokeCalcKeyAccepted(int maxLength, const QString &text, QChar key)
{
    if (key == QChar(8))
        return true;
    if (text.size() == maxLength)
        return false;
    return key == QChar(9) || (key >= QLatin1Char('0') && key <= QLatin1Char('9'));
}

bool strokeFieldAccepted(const QString &text)
{
    const auto v = tables::boxInteger(text, platform::FieldForm{kStrokeLength, false}, false);
    return v && *v >= 0 && *v <= 500;
}

bool leadFieldAccepted(const QString &text)
{
    const auto v = tables::boxInteger(text, platform::FieldForm{kLeadLength, false}, false);
    return v && (*v == 2 || *v == 6 || *v == 8);
}

QValidator *newStrokeCalcValidator(int maxLength, QObject *parent)
{
    return new platform::FieldValidator(
        maxLength, [maxLength](QChar c) { return strokeCalcKeyAccepted(maxLength, QString(), c); }, parent);
}

} // namespace editors
