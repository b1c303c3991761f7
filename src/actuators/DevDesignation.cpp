#include "actuators/DevDesignation.h"

#include "actuators/DevCatalogue.h"
#include "core/Messages.h"
#include "core/Padding.h"

QString gDevTypeLabel[kAxisCount];

namespace {

QString g_heading[kAxisCount];
std::function<void()> g_hook;

QString familyWord(int a)
{
    if (gDevIsQz[a])
        return QStringLiteral("QZ");
    // The only other family the system knows is "JH".
    const QString f = gDevFamily[a].trimmed();
    return f.isEmpty() || f == QLatin1String("QZ") ? QStringLiteral("JH") : f;
}

} // namespace

namespace actuators {

void resetDevDesignation()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gDevTypeLabel[a].clear();
        g_heading[a].clear();
    }
    g_hook = nullptr;
}

} // namespace actuators

QString DevDesignationText(int a)
{
    if (a < 0 || a >= kAxisCount)
        return QString();
    // The option codes decide whether a mark shows the axis' choice; an actuator the
    // catalogue does not know gets blank marks.
    const int pg = actuators::devPgOptionQuiet(gDevSize[a], gDevSpeed[a], gDevStroke[a]);
    const int vertical = actuators::devVerticalOptionQuiet(gDevSize[a], gDevSpeed[a], gDevStroke[a]);
    QString pgMark = QStringLiteral(" ");
    if (pg == 1)
        pgMark = gDevSetteiWithPG[a] ? QStringLiteral("E") : QStringLiteral("_");
    QString verticalMark = QStringLiteral(" ");
    if (vertical == 1 && !gAxisNewType[a])
        verticalMark = gDevSetteiVertical[a] ? QStringLiteral("V") : QStringLiteral("_");
    return familyWord(a) + QLatin1Char('-') + gDevSize[a] + gDevSpeed[a] + QLatin1Char('-')
           + DecSpacePad(gDevStroke[a], 3) + pgMark + verticalMark;
}

QString DevGridHeading(int axis)
{
    if (axis < 0 || axis >= kAxisCount)
        return QString();
    return g_heading[axis];
}

void DispDeviceName()
{
    for (int a = 0; a < kAxisCount; ++a) {
        const QString label = LoadResText(220 + a);
        if (gAxisUnused[a]) {
            g_heading[a] = label + QStringLiteral(":************");
            gDevTypeLabel[a].clear();
            continue;
        }
        const QString designation = DevDesignationText(a);
        g_heading[a] = label + QLatin1Char(':') + designation
                       + (gAxisNewType[a] ? QString() : QStringLiteral("(Old)"));
        gDevTypeLabel[a] = designation;
    }
    if (g_hook)
        g_hook();
}

void setDeviceNameHook(std::function<void()> hook)
{
    g_hook = std::move(hook);
}
