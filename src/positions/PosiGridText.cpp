#include "positions/PosiGridText.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "core/Padding.h"
#include "tables/PosiTable.h"

namespace positions::posigrid {

QColor windowColour()
{
    return QColor();
}

QColor lightYellow()
{
    return QColor(255, 255, 192);
}

QColor lightGrey()
{
    return QColor(224, 224, 224);
}

QColor lightCyan()
{
    return QColor(192, 255, 255);
}

QColor axisColumnColour(int gridCol)
{
    const int axis = tables::axisOfColumn(gridCol - 1);
    if (axis < 0)
        return windowColour();
    if (gAxisUnused[axis])
        return lightGrey();
    return axis % 2 == 1 ? lightYellow() : windowColour();
}

QString plainNumber(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

QString mmText(double mm)
{
    QString t = QString::number(mm, 'f', 3);
    if (t == QLatin1String("-0.000"))
        t = QStringLiteral("0.000");
    // A value wider than the column keeps all its digits rather than being cut.
    return StrPadSpace(t, 7).value_or(t);
}

QString cellText(int n, int c)
{
    const int axis = tables::axisOfColumn(c);
    const bool unused = axis >= 0 && gAxisUnused[axis];
    if (tables::isPosiColumn(c)) {
        if (gDispMmUnit)
            return mmText(unused ? 0.0 : gPosiTable[n][axis + 4]);
        return plainNumber(unused ? 0.0 : gPosiTable[n][axis]);
    }
    if (c == kColComment)
        return gPosiFileTable[n][c].toString();
    if (unused) {
        static const int fixed[3] = {30, 3, 0};
        return QString::number(fixed[c % 4]);
    }
    return plainNumber(tables::numericValue(gPosiFileTable[n][c]));
}

QString headingRow0(int gridCol)
{
    if (gridCol <= 0)
        return QString();
    if (gridCol <= 16)
        return LoadResText(220 + (gridCol - 1) / 4);
    return LoadResText(224);
}

QString posiHeading(int axisNo)
{
    return LoadResText(228) + QString::number(axisNo) + LoadResText(gDispMmUnit ? 230 : 229);
}

QString headingRow1(int gridCol)
{
    if (gridCol == 0)
        return LoadResText(248);
    if (gridCol <= 16) {
        const int axisNo = (gridCol - 1) / 4 + 1;
        const int kind = (gridCol - 1) % 4;
        if (kind == 3)
            return posiHeading(axisNo);
        return LoadResText(225 + kind) + QString::number(axisNo);
    }
    return LoadResText(231 + (gridCol - 17));
}

int columnWidthTwips(int gridCol, int gridWidthTwips)
{
    if (gridCol == 0)
        return 400;
    if (gridCol == kCommentCol)
        return qMax(gridWidthTwips - 12200, 3000);
    if (gridCol <= 16 && (gridCol - 1) % 4 == 3)
        return 1000;
    return 500;
}

} // namespace positions::posigrid
