#include "tables/DevSetting.h"

#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "core/Padding.h"
#include "core/PrintLayout.h"
#include "tables/ParaSet.h"

bool gAxisUnused[kAxisCount] = {};
bool gDevIsQz[kAxisCount] = {true, true, true, true};
QString gDevFamily[kAxisCount] = {QStringLiteral("QZ"), QStringLiteral("QZ"),
                                  QStringLiteral("QZ"), QStringLiteral("QZ")};
QString gDevSize[kAxisCount];
QString gDevSpeed[kAxisCount];
int gDevStroke[kAxisCount] = {};
int gDevLead[kAxisCount] = {2, 2, 2, 2};
qint32 gDevPPR[kAxisCount] = {400, 400, 400, 400};
bool gDevWithPG[kAxisCount] = {};
bool gDevVertical[kAxisCount] = {};
bool gAxisNewType[kAxisCount] = {};
QString gDevNewTypeStr[kAxisCount];
qint32 gDevMaxPulse[kAxisCount] = {};
double gStrokeMm[kAxisCount] = {};

bool gDevSetteiUnused[kAxisCount] = {};
QString gDevSetteiFamily[kAxisCount] = {QStringLiteral("QZ"), QStringLiteral("QZ"),
                                        QStringLiteral("QZ"), QStringLiteral("QZ")};
QString gDevSetteiSize[kAxisCount];
QString gDevSetteiSpeed[kAxisCount];
int gDevSetteiStroke[kAxisCount] = {};
bool gDevSetteiNewType[kAxisCount] = {};
bool gDevSetteiVertical[kAxisCount] = {};
bool gDevSetteiWithPG[kAxisCount] = {};

int gCtDevKind[kAxisCount] = {};
int gCtDevLead[kAxisCount] = {};
qint32 gCtDevPPR[kAxisCount] = {};
int gCtDevWithPG[kAxisCount] = {};
qint32 gAxisStrokeLimit[kAxisCount] = {};

bool gDevWinOnline = false;
bool gDevWinCalled = false;
int gAxisMaskNew = 0;

namespace tables {

void resetDevSetting()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = false;
        gDevIsQz[a] = true;
        gDevFamily[a] = QStringLiteral("QZ");
        gDevSize[a].clear();
        gDevSpeed[a].clear();
        gDevStroke[a] = 0;
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevWithPG[a] = false;
        gDevVertical[a] = false;
        gAxisNewType[a] = false;
        gDevNewTypeStr[a].clear();
        gDevMaxPulse[a] = 0;
        gStrokeMm[a] = 0;

        gDevSetteiUnused[a] = false;
        gDevSetteiFamily[a] = QStringLiteral("QZ");
        gDevSetteiSize[a].clear();
        gDevSetteiSpeed[a].clear();
        gDevSetteiStroke[a] = 0;
        gDevSetteiNewType[a] = false;
        gDevSetteiVertical[a] = false;
        gDevSetteiWithPG[a] = false;

        gCtDevKind[a] = 0;
        gCtDevLead[a] = 0;
        gCtDevPPR[a] = 0;
        gCtDevWithPG[a] = 0;
        gAxisStrokeLimit[a] = 0;
    }
    gDevWinOnline = false;
    gDevWinCalled = false;
    gAxisMaskNew = 0;
}

double leadingNumber(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0;
}

} // namespace tables

bool IsNewTypeSize(const QString &size)
{
    return size == QLatin1String("E35") || size == QLatin1String(" 20")
           || size == QLatin1String(" 42");
}

namespace {
bool readBackAxisComplete(int a)
{
    return !gPrmActSpeed[a].isEmpty() && !gPrmActSize[a].isEmpty() && gPrmActStroke[a] != 0;
}
} // namespace

bool readBackComplete()
{
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a] && !readBackAxisComplete(a))
            return false;
    }
    return true;
}

int CheckDevSetting()
{
    // The axes before an incomplete one are taken: the start-up's setup window offers them.
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        if (!readBackAxisComplete(a))
            return 1;
        gDevSize[a] = gPrmActSize[a];
        gDevSpeed[a] = gPrmActSpeed[a];
        gDevStroke[a] = gPrmActStroke[a];
        if (IsNewTypeSize(gDevSize[a])) {
            gAxisNewType[a] = true;
            gDevSetteiNewType[a] = true;
        }
        gDevIsQz[a] = true;
    }
    return 0;
}

void LetDevFlags()
{
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        switch (gCtDevKind[a]) {
        case 0:
            gDevIsQz[a] = true;
            gAxisNewType[a] = gDevSetteiNewType[a] = false;
            gDevVertical[a] = gDevSetteiVertical[a] = false;
            break;
        case 1:
            gDevIsQz[a] = true;
            if (IsNewTypeSize(gPrmActSize[a]))
                gAxisNewType[a] = gDevSetteiNewType[a] = true;
            gDevVertical[a] = gDevSetteiVertical[a] = true;
            break;
        default:
            gDevIsQz[a] = false;
            gAxisNewType[a] = gDevSetteiNewType[a] = false;
            gDevVertical[a] = gDevSetteiVertical[a] = false;
            break;
        }
        gDevWithPG[a] = gDevSetteiWithPG[a] = gCtDevWithPG[a] != 0;
        gDevLead[a] = gCtDevLead[a];
        gDevPPR[a] = gCtDevPPR[a];
        gDevMaxPulse[a] = gAxisStrokeLimit[a];
    }
}

void CulcDevLimits()
{
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = (gAxisMask & (1 << a)) == 0;
    for (int a = 0; a < kAxisCount; ++a) {
        // An axis whose parameters name no actuator keeps its values; the others are still
        // brought up to date.
        if (gAxisUnused[a] || gPrmActuator[a].isEmpty())
            continue;
        gDevSize[a] = gPrmActSize[a];
        gDevSpeed[a] = gPrmActSpeed[a];
        gDevStroke[a] = gPrmActStroke[a];
        gDevLead[a] = gPrmAxisLead[a];
        gDevPPR[a] = gPrmAxisPulse[a];
        gDevMaxPulse[a] = gPrmAxisStroke[a];
        gDevSetteiVertical[a] = !(gPrmJhOrQz[a] == 0 || gPrmJhOrQz[a] == 4);
        gDevSetteiWithPG[a] = gPrmPgFunc[a] == 1 || gPrmPgFunc[a] == 2;
        gDevVertical[a] = gDevSetteiVertical[a];
        gDevWithPG[a] = gDevSetteiWithPG[a];
    }
    CulcStrokeMm();
}

void CopyNewTypeFlag()
{
    for (int a = 0; a < kAxisCount; ++a)
        if (!gAxisUnused[a])
            gAxisNewType[a] = gDevSetteiNewType[a];
}

void LetDevSettingToDevSettei()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSetteiUnused[a] = gAxisUnused[a];
        gDevSetteiFamily[a] = gDevFamily[a];
        gDevSetteiSize[a] = gDevSize[a];
        gDevSetteiSpeed[a] = gDevSpeed[a];
        gDevSetteiStroke[a] = gDevStroke[a];
        gDevSetteiNewType[a] = gAxisNewType[a];
        gDevSetteiVertical[a] = gDevVertical[a];
        gDevSetteiWithPG[a] = gDevWithPG[a];
    }
}

int SplitDevCode(int axis, const QString &code)
{
    const auto parts = tables::parseActuatorCode(code);
    if (code.size() != 7 || !parts || axis < 0 || axis >= kAxisCount)
        return 1;
    gPrmActSize[axis] = parts->size;
    gPrmActSpeed[axis] = code.mid(3, 1);
    gPrmActStroke[axis] = parts->stroke;
    return 0;
}

int SplitDevCodePrint(const QString &code)
{
    const auto parts = tables::parseActuatorCode(code);
    if (code.size() != 7 || !parts)
        return 1;
    gPrnDevSize = parts->size;
    gPrnDevSpeed = code.mid(3, 1);
    gPrnDevStroke = DecSpacePad(parts->stroke, 3);
    return 0;
}

int CheckDevCode(const QString &size, const QString &speed, int stroke)
{
    if (size.size() != 3 || speed.isEmpty())
        return 1;
    const ushort c = speed.at(0).unicode();
    if (c < 'A' || c > 'Z')
        return 1;
    return stroke >= 10 && stroke <= 500 ? 0 : 1;
}

namespace tables {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Three stroke characters: digits, leading blanks allowed.
std::optional<int> strokeDigits(QStringView text)
{
    int value = 0;
    bool digitSeen = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') && !digitSeen)
            continue;
        if (!isAsciiDigit(c))
            return std::nullopt;
        digitSeen = true;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

std::optional<ActuatorCode> parseActuatorCode(const QString &code)
{
    ActuatorCode parts;
    QStringView stroke;
    if (code.size() == 7) {
        parts.size = code.left(3);
        parts.speed = code.mid(3, 1).trimmed();
        stroke = QStringView(code).mid(4, 3);
    } else if (code.size() == 6) {
        parts.size = QLatin1Char(' ') + code.left(2);
        parts.speed = code.mid(2, 1).trimmed();
        stroke = QStringView(code).mid(3, 3);
    } else if (code.size() == 3) {
        stroke = QStringView(code);
    } else {
        return std::nullopt;
    }
    // A code with a size names its speed: a blank letter would be written back as a code of
    // another length, and so come back as another actuator.
    if (code.size() != 3 && parts.speed.isEmpty())
        return std::nullopt;
    for (const QChar c : parts.size)
        if (c != QLatin1Char(' ') && !isAsciiDigit(c) && !(c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            return std::nullopt;
    if (!parts.speed.isEmpty() && !(parts.speed.at(0) >= QLatin1Char('A') && parts.speed.at(0) <= QLatin1Char('Z')))
        return std::nullopt;
    const auto value = strokeDigits(stroke);
    if (!value)
        return std::nullopt;
    parts.stroke = *value;
    return parts;
}

} // namespace tables
