#include "platform/FieldText.h"

#include <cmath>

namespace platform {

namespace {

bool asciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

std::optional<double> fieldNumber(const QString &text, const FieldForm &form)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || (form.maxLength > 0 && t.size() > form.maxLength))
        return std::nullopt;
    qsizetype i = 0;
    if (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (asciiDigit(c)) {
            digits = true;
        } else if (c == QLatin1Char('.') && form.decimals && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint64> fieldInteger(const QString &text, const FieldForm &form, bool wide)
{
    FieldForm whole = form;
    whole.decimals = false;
    const std::optional<double> v = fieldNumber(text, whole);
    const double lo = wide ? -2147483648.0 : -32768.0;
    const double hi = wide ? 2147483647.0 : 32767.0;
    if (!v || !(*v >= lo && *v <= hi))
        return std::nullopt;
    return static_cast<qint64>(*v);
}

} // namespace platform
