#include "tables/AxisScale.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"

#include <cmath>

namespace {

std::function<void(const QString &, const QString &)> g_panelHook;

bool axisConvertible(int a)
{
    return gDevLead[a] != 0 && gDevPPR[a] != 0;
}

QString shortest(double v)
{
    return QString::number(v, 'g', 15);
}

// A single-precision value as its seven significant digits, the way it is formatted.
double fromSingle(float v)
{
    return QString::number(double(v), 'g', 7).toDouble();
}

} // namespace

bool everyAxisInUseConvertible()
{
    for (int a = 0; a < kAxisCount; ++a)
        if (!gAxisUnused[a] && !axisConvertible(a))
            return false;
    return true;
}

int CulcStrokeMm()
{
    if (!everyAxisInUseConvertible())
        return 1;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        // The stroke is held to four decimals before it is cut to whole thousandths.
        const double s = std::round(*PulseToMm(gDevLead[a], gDevPPR[a], gDevMaxPulse[a]) * 1e4) / 1e4;
        gStrokeMm[a] = std::trunc(core::calc::clean(s * 1000.0)) / 1000.0;
    }
    return 0;
}

std::optional<PulsePerMmText> PulsePerMmFor(int axis)
{
    if (axis < 0 || axis >= kAxisCount || gAxisUnused[axis] || !axisConvertible(axis))
        return std::nullopt;
    const double lead = gDevLead[axis];
    const double ppr = gDevPPR[axis];
    const float perMm = float((1.0 / lead) * ppr);
    const float mmPer = float((1.0 / ppr) * lead);
    const QString pulse = LoadResText(6);
    const QString digit = QString::number(axis + 1);
    PulsePerMmText t;
    t.panel2 = QStringLiteral("<") + digit + QStringLiteral(">1mm = ")
               + shortest(core::calc::roundHalfAway(fromSingle(perMm), 3)) + pulse;
    t.panel3 = QStringLiteral("<") + digit + QStringLiteral(">1") + pulse + QStringLiteral("= ")
               + shortest(core::calc::roundHalfAway(fromSingle(mmPer), 3)) + QStringLiteral("mm");
    return t;
}

void setPulsePerMmHook(std::function<void(const QString &, const QString &)> hook)
{
    g_panelHook = std::move(hook);
}

void DispPulsePerMm()
{
    // No panel is written when any axis in use cannot be converted.
    if (!everyAxisInUseConvertible())
        return;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        DispPulsePerMm2(a);
        return;
    }
}

void DispPulsePerMm2(int axis)
{
    const auto t = PulsePerMmFor(axis);
    if (t && g_panelHook)
        g_panelHook(t->panel2, t->panel3);
}
