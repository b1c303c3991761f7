#include "tables/CellEntry.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Module2Calc.h"
#include "core/Padding.h"
#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "tables/PosiTable.h"

#include <cmath>

QString gEditOldText;
int gEditEndKey = 0;

namespace tables {

namespace {

constexpr int kCommentMax = 40;

bool isDigitIn(QChar key, char from, char to)
{
    return key.unicode() >= ushort(from) && key.unicode() <= ushort(to);
}

// A whole-number field: its number within the column's range.
Entry wholeNumber(int gridCol, const QString &text, int min, int max)
{
    Entry e;
    const std::optional<double> v = cellNumber(gridCol, false, text);
    if (!v)
        return e;
    const double r = core::calc::roundHalfEven(*v);
    if (!std::isfinite(r) || r < min || r > max)
        return e;
    e.accepted = true;
    e.text = QString::number(int(r));
    return e;
}

// The mm value cut after its third decimal (after its seventh character without a point),
// working on its text so that 12.3456 becomes 12.345 exactly.
double cutMmText(double v)
{
    QString s = QString::number(v, 'f', 10);
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    const int dot = s.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        s = s.left(dot + 4);
    else
        s = s.left(7);
    return s.toDouble();
}

QString mmCellText(double mm)
{
    const QString t = QString::number(mm, 'f', 3);
    return StrPadSpace(t, 7).value_or(t);
}

} // namespace

CellKind cellKind(int gridCol)
{
    if (gridCol >= 1 && gridCol <= 16) {
        switch ((gridCol - 1) % 4) {
        case 0:
            return CellKind::Vel;
        case 1:
            return CellKind::Acc;
        case 2:
            return CellKind::Way;
        default:
            return CellKind::Posi;
        }
    }
    switch (gridCol) {
    case 17:
        return CellKind::Itpl;
    case 18:
        return CellKind::Out;
    case 19:
        return CellKind::Sm;
    case 20:
        return CellKind::Comment;
    default:
        return CellKind::Number;
    }
}

int axisOfGridCol(int gridCol)
{
    return gridCol >= 1 && gridCol <= 16 ? (gridCol - 1) / 4 : -1;
}

AxisInfo axisInfo(int axis)
{
    AxisInfo info;
    if (axis < 0 || axis >= kAxisCount)
        return info;
    info.used = !gAxisUnused[axis];
    info.strokeMm = gStrokeMm[axis];
    info.maxPulse = gDevMaxPulse[axis];
    info.lead = gDevLead[axis];
    info.ppr = gDevPPR[axis];
    info.size = gDevSize[axis];
    info.speed = gDevSpeed[axis];
    info.devStroke = gDevStroke[axis];
    return info;
}

int accMax(const AxisInfo &axis)
{
    return axis.used && axis.speed == QLatin1String("D") && axis.size == QLatin1String(" 42") ? 2 : 3;
}

int editorLength(int gridCol, bool /*mm*/)
{
    switch (cellKind(gridCol)) {
    case CellKind::Vel:
    case CellKind::Sm:
        return 2;
    case CellKind::Acc:
    case CellKind::Way:
    case CellKind::Itpl:
    case CellKind::Out:
        return 1;
    case CellKind::Posi:
        return 7;
    case CellKind::Comment:
        return kCommentMax;
    case CellKind::Number:
        break;
    }
    return 0;
}

bool keyPasses(int gridCol, bool mm, QChar key)
{
    const CellKind kind = cellKind(gridCol);
    if (kind == CellKind::Comment)
        return true;
    if (key.unicode() == 8 || key.unicode() == 9 || key.unicode() == 13)
        return true;
    switch (kind) {
    case CellKind::Vel:
    case CellKind::Sm:
        return isDigitIn(key, '0', '9');
    case CellKind::Acc:
        return isDigitIn(key, '1', '3');
    case CellKind::Way:
    case CellKind::Out:
        return isDigitIn(key, '0', '3');
    case CellKind::Itpl:
        return isDigitIn(key, '0', '1');
    case CellKind::Posi:
        return isDigitIn(key, '0', '9') || (mm && key == QLatin1Char('.'));
    default:
        return false;
    }
}

platform::FieldForm cellForm(int gridCol, bool mm)
{
    platform::FieldForm form;
    form.maxLength = editorLength(gridCol, mm);
    form.decimals = mm && cellKind(gridCol) == CellKind::Posi;
    return form;
}

std::optional<double> cellNumber(int gridCol, bool mm, const QString &text)
{
    const CellKind kind = cellKind(gridCol);
    if (kind == CellKind::Comment || kind == CellKind::Number)
        return std::nullopt;
    return platform::fieldNumber(text, cellForm(gridCol, mm));
}

bool commentValid(const QString &comment)
{
    if (comment.size() > kCommentMax)
        return false;
    for (const QChar ch : comment) {
        if (ch == QLatin1Char('"') || ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            return false;
    }
    return platform::encodeSystemText(comment).has_value();
}

namespace {

// The length of the character that starts at i: two for a surrogate pair, else one.
qsizetype characterLength(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

} // namespace

QString cleanComment(const QString &comment)
{
    QString out;
    for (qsizetype i = 0; i < comment.size();) {
        const qsizetype n = characterLength(comment, i);
        const QStringView character = QStringView(comment).mid(i, n);
        i += n;
        const QChar ch = character.at(0);
        if (n == 1 && (ch == QLatin1Char('"') || ch.unicode() < 0x20 || ch.unicode() == 0x7f || ch.isSurrogate()))
            continue;
        if (!platform::systemEncodable(character))
            continue;
        out += character;
    }
    // Blanks stay: whoever cleans says so, and only the cell entry trims (as typing does).
    // Whatever is left is held by the file's encoding, so no pair remains to be cut.
    return out.left(kCommentMax);
}

bool holdsUnstorable(const QString &text)
{
    return !platform::encodeSystemText(text).has_value();
}

bool commentNeedsCleaning(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            return true;
    }
    return holdsUnstorable(text);
}

void tellCleanedComments(const QList<int> &positions)
{
    if (positions.isEmpty())
        return;
    QStringList numbers;
    for (const int p : positions)
        numbers << QString::number(p);
    platform::msgBox(LoadResText(3003) + QStringLiteral("\r\n") + numbers.join(QStringLiteral(", ")),
                     platform::MbExclamation);
}

Entry pastedComment(const QString &field)
{
    Entry e;
    const QString t = field.trimmed();
    // Cleaning would drop a double quote unheard, where a typed one is refused.
    if (t.contains(QLatin1Char('"')))
        return e;
    e.cleaned = commentNeedsCleaning(t);
    e.text = cleanComment(t).trimmed();
    e.accepted = commentValid(e.text);
    return e;
}

Entry evaluateEntry(int gridCol, const QString &text, const AxisInfo &axis, bool mm, bool roundUp)
{
    switch (cellKind(gridCol)) {
    case CellKind::Vel:
        return wholeNumber(gridCol, text, 1, 60);
    case CellKind::Acc:
        return wholeNumber(gridCol, text, 1, accMax(axis));
    case CellKind::Way:
    case CellKind::Out:
        return wholeNumber(gridCol, text, 0, 3);
    case CellKind::Itpl:
        return wholeNumber(gridCol, text, 0, 1);
    case CellKind::Sm:
        return wholeNumber(gridCol, text, 0, 20);
    case CellKind::Comment: {
        Entry e;
        QString t = text.trimmed();
        // Characters the file cannot hold are left out as a line paste leaves them out.
        if (holdsUnstorable(t)) {
            t = cleanComment(t).trimmed();
            e.cleaned = true;
        }
        if (commentValid(t)) {
            e.accepted = true;
            e.text = t;
        }
        return e;
    }
    case CellKind::Posi:
        break;
    case CellKind::Number:
        return Entry();
    }

    Entry e;
    e.posi = true;
    const std::optional<double> number = cellNumber(gridCol, mm, text);
    if (!number)
        return Entry();
    const double v = *number;
    if (!mm) {
        if (v != std::trunc(v) || v < 0 || v > double(axis.maxPulse))
            return Entry();
        const auto m = PulseToMm(axis.lead, axis.ppr, v);
        if (!m)
            return Entry();
        // Four decimals first, so that a value a hair below a thousandth is not cut down.
        const double k = std::round(core::calc::roundHalfAway(*m, 4) * 1e4);
        e.mm = std::trunc(k / 10.0) / 1000.0;
        e.pulses = v;
        e.text = QString::number(qint64(v));
        e.accepted = true;
        return e;
    }
    const double cut = cutMmText(v);
    if (cut < 0 || cut > axis.strokeMm)
        return Entry();
    const auto snapped = MmRoundToPulse(axis.lead, roundUp ? 1 : 0, axis.ppr, cut);
    if (!snapped)
        return Entry();
    const auto pulses = MmToPulse(axis.lead, axis.ppr, *snapped);
    if (!pulses)
        return Entry();
    e.mm = *snapped;
    e.pulses = *pulses;
    e.text = mmCellText(*snapped);
    e.accepted = true;
    return e;
}

} // namespace tables

int SetDataForFlex(int position, int gridCol, QString &editorText)
{
    const int axis = tables::axisOfGridCol(gridCol);
    const tables::Entry e = tables::evaluateEntry(
        gridCol, editorText, tables::axisInfo(axis), gDispMmUnit, gMmRoundUp);
    if (!e.accepted)
        return 1;
    editorText = e.text;
    if (e.posi && position >= 1 && position <= kPosiMax) {
        gPosiTable[position][axis] = e.pulses;
        gPosiTable[position][axis + 4] = e.mm;
    }
    gDataChanged = true;
    return 0;
}

#include "tables/PosiDataCheck.h"
#include "tables/SyogoKekka.h"

namespace tables {
void resetEditState()
{
    gEditOldText.clear();
    gEditEndKey = 0;
    setCheckGrid(nullptr);
    setCheckResultWindow(nullptr);
    resetResultState();
}
} // namespace tables
