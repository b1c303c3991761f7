#include "core/Module2Calc.h"

#include "actuators/DevSetting.h"
#include "core/Messages.h"
#include "positions/PosiTable.h"

#include <cmath>

namespace {

std::function<void(const QString &, const QString &)> g_panelHook;

// Decimal inputs such as 0.0075 mm reach the division a hair off their true quotient; the
// quotient is taken back to the nearest nine decimals so that an exact half stays a half.
double clean(double x)
{
    const double scaled = std::round(x * 1e9);
    if (std::fabs(scaled) < 9e15)
        return scaled / 1e9;
    return x;
}

bool axisConvertible(int a)
{
    return gDevLead[a] != 0 && gDevPPR[a] != 0;
}

bool everyAxisInUseConvertible()
{
    for (int a = 0; a < kAxisCount; ++a)
        if (!gAxisUnused[a] && !axisConvertible(a))
            return false;
    return true;
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

namespace calc {

double roundHalfEven(double x)
{
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

double roundHalfAway(double x, int decimals)
{
    const double f = std::pow(10.0, decimals);
    return std::round(clean(x * f)) / f;
}

} // namespace calc

std::optional<double> PulseToMm(int lead, qint32 ppr, double pulses)
{
    if (ppr == 0)
        return std::nullopt;
    const double ratio = double(lead) / double(ppr);
    return pulses * ratio;
}

std::optional<double> MmToPulse(int lead, qint32 ppr, double mm)
{
    if (lead == 0)
        return std::nullopt;
    return calc::roundHalfEven(clean((mm / double(lead)) * double(ppr)));
}

std::optional<double> MmRoundToPulse(int lead, int mode, qint32 ppr, double mm)
{
    if (lead == 0 || ppr == 0)
        return std::nullopt;
    const double ratio = double(lead) / double(ppr);
    const double p = clean(mm / ratio);
    const double t = std::trunc(p);
    const double f = std::round((p - t) * 1e4) / 1e4;
    double n;
    if (f == 0) {
        n = calc::roundHalfEven(p);
    } else {
        const bool up = mode == 1 ? f >= 0.5 : f > 0.5;
        // Rounding up is taken from the unrounded value, so a fraction a hair below a half
        // that shows as 0.5000 at four decimals still stays down.
        n = up ? std::trunc(p + 0.5) : t;
    }
    return n * ratio;
}

int PulseToMm_Table()
{
    if (!everyAxisInUseConvertible())
        return 1;
    for (int n = gPosiNoFrom; n <= gPosiNoTo && n < kPosiRows; ++n) {
        if (n < 1)
            continue;
        for (int a = 0; a < kAxisCount; ++a)
            gPosiTable[n][a + 4] =
                gAxisUnused[a] ? 0.0 : *PulseToMm(gDevLead[a], gDevPPR[a], gPosiTable[n][a]);
    }
    return 0;
}

int MmToPulse_Table()
{
    if (!everyAxisInUseConvertible())
        return 1;
    for (int n = gPosiNoFrom; n <= gPosiNoTo && n < kPosiRows; ++n) {
        if (n < 1)
            continue;
        for (int a = 0; a < kAxisCount; ++a)
            gPosiTable[n][a] =
                gAxisUnused[a] ? 0.0 : *MmToPulse(gDevLead[a], gDevPPR[a], gPosiTable[n][a + 4]);
    }
    return 0;
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
        gStrokeMm[a] = std::trunc(clean(s * 1000.0)) / 1000.0;
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
               + shortest(calc::roundHalfAway(fromSingle(perMm), 3)) + pulse;
    t.panel3 = QStringLiteral("<") + digit + QStringLiteral(">1") + pulse + QStringLiteral("= ")
               + shortest(calc::roundHalfAway(fromSingle(mmPer), 3)) + QStringLiteral("mm");
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

int CulcRoundUpTenth(int a, int b, int c)
{
    if (b == 0)
        return -1;
    const double x = (double(a) / double(b)) * double(c);
    if (x < 0.05)
        return -1;
    const double tenths = std::round(clean(x * 10.0));
    return int(std::floor((tenths + 9.0) / 10.0));
}
