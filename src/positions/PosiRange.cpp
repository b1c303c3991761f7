#include "positions/PosiRange.h"

#include "core/Module2Calc.h"
#include "platform/FieldText.h"
#include "tables/PosiTable.h"


namespace positions::posirange {

std::optional<int> boxNumber(const QString &text)
{
    // Read as every field is: wholly a whole number, never the number the text begins with.
    const std::optional<qint64> v = platform::fieldInteger(text, platform::FieldForm{}, false);
    if (!v)
        return std::nullopt;
    return int(*v);
}

int offeredFrom2()
{
    return gPosiNoDefFrom == 0 && gPosiNoDefTo == 0 ? 1 : gPosiNoDefFrom;
}

int offeredTo2()
{
    return gPosiNoDefFrom == 0 && gPosiNoDefTo == 0 ? 15 : gPosiNoDefTo;
}

int acceptRange2(bool allData, const QString &start, const QString &end)
{
    if (allData) {
        gPosiNoFrom = 1;
        gPosiNoTo = kPosiMax;
        return 0;
    }
    const auto s = boxNumber(start);
    const auto e = boxNumber(end);
    // Position 0 or beyond 999 has no row in the table.
    if (!s || !e || *s < 1 || *s > *e || *e > kPosiMax)
        return 1;
    gPosiNoFrom = *s;
    gPosiNoTo = *e;
    return 0;
}

int acceptRange3(const QString &start, const QString &end)
{
    const auto s = boxNumber(start);
    const auto e = boxNumber(end);
    if (!s || !e)
        return 1;
    const int low = gPosiNewMode ? *s : gPosiNoDefFrom;
    const int high = gPosiNewMode ? *e : gPosiNoDefTo;
    const bool valid = low <= *s && *s <= high && low <= *e && *e <= high && *s <= *e
                       && *s >= 1 && *e <= kPosiMax;
    if (!valid)
        return 1;
    if (gPosiNewMode) {
        gPosiNoDefFrom = *s;
        gPosiNoDefTo = *e;
    }
    gPosiNoFrom = *s;
    gPosiNoTo = *e;
    return 0;
}

} // namespace positions::posirange
