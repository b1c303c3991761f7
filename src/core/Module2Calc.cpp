#include "core/Module2Calc.h"

#include <cmath>

namespace core::calc {

// Decimal inputs such as 0.0075 mm reach the division a hair off their true quotient; the
// quotient is taken back to the nearest nine decimals so that an exact half stays a half.
double clean(double x)
{
    const double scaled = std::round(x * 1e9);
    if (std::fabs(scaled) < 9e15)
        return scaled / 1e9;
    return x;
}

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

} // namespace core::calc

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
    return core::calc::roundHalfEven(core::calc::clean((mm / double(lead)) * double(ppr)));
}

std::optional<double> MmRoundToPulse(int lead, int mode, qint32 ppr, double mm)
{
    if (lead == 0 || ppr == 0)
        return std::nullopt;
    const double ratio = double(lead) / double(ppr);
    const double p = core::calc::clean(mm / ratio);
    const double t = std::trunc(p);
    const double f = std::round((p - t) * 1e4) / 1e4;
    double n;
    if (f == 0) {
        n = core::calc::roundHalfEven(p);
    } else {
        const bool up = mode == 1 ? f >= 0.5 : f > 0.5;
        // Rounding up is taken from the unrounded value, so a fraction a hair below a half
        // that shows as 0.5000 at four decimals still stays down.
        n = up ? std::trunc(p + 0.5) : t;
    }
    return n * ratio;
}

int CulcRoundUpTenth(int a, int b, int c)
{
    if (b == 0)
        return -1;
    const double x = (double(a) / double(b)) * double(c);
    if (x < 0.05)
        return -1;
    const double tenths = std::round(core::calc::clean(x * 10.0));
    return int(std::floor((tenths + 9.0) / 10.0));
}
