#include "actuators/DevCatalogue.h"

#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "tables/ParaSet.h"
#include "platform/Dialogs.h"
#include "platform/ItemReader.h"
#include "platform/TextCodec.h"
#include "tables/FileRetry.h"
#include "platform/ProgramFolder.h"

DevListRow gDevList[kAxisCount][kDevListRows];
int gDevListCount[kAxisCount] = {};
QString gDevSizeList[kAxisCount][kDevListChoices];
int gDevSizeCount[kAxisCount] = {};
QString gDevSpeedList[kAxisCount][kDevListChoices];
int gDevSpeedCount[kAxisCount] = {};
bool gDevListReadFailed[kAxisCount] = {};
int gCatLead = 0;
qint32 gCatPPR = 0;

namespace {

struct CatalogueFile
{
    QString countItem;
    QVector<DevListRow> rows;
    QVector<int> lines; // the line each row stands on
};

// The whole file, checked: the count alone on its line, then one row of five items a line,
// as many rows as the count says. nullopt when it cannot be read or is damaged (the damaged
// line noted for the message); maxRows bounds the row count for the fixed tables.
std::optional<CatalogueFile> parseCatalogue(int maxRows)
{
    platform::ItemReader in;
    in.allowUnendedLastLine(); // an editor may have left the last line without its line end
    if (!in.open(actuators::devListPath()))
        return std::nullopt;
    CatalogueFile f;
    in.beginLine();
    f.countItem = in.raw();
    const double count = core::calc::roundHalfEven(tables::leadingNumber(f.countItem));
    if (in.ok() && (count < 0 || count > 32767 || count > maxRows))
        in.fail(QStringLiteral("row count %1 out of range").arg(f.countItem));
    if (!in.ok())
        return std::nullopt;
    f.rows.reserve(int(count));
    for (int r = 0; r < int(count); ++r) {
        DevListRow row;
        in.beginLine();
        row.code = in.raw();
        row.lead = in.raw();
        row.ppr = in.raw();
        row.pgOption = in.raw();
        row.vertOption = in.raw();
        if (!in.ok())
            return std::nullopt;
        row.size = row.code.left(3);
        row.speed = row.code.mid(3, 1);
        row.stroke = tables::leadingNumber(row.code.mid(5, 3));
        f.rows.append(row);
        f.lines.append(in.line());
    }
    if (!in.atEnd()) {
        // More rows than the count says: the count or the rows are wrong.
        in.beginLine(); // fails on more items in the last row
        in.raw();       // else names the first line beyond the count
        in.fail(QStringLiteral("more rows than the count %1").arg(f.countItem));
        return std::nullopt;
    }
    return f;
}

struct AxisTable
{
    DevListRow rows[kDevListRows];
    int count = 0;
    QString sizes[kDevListChoices];
    int sizeCount = 0;
    QString speeds[kDevListChoices];
    int speedCount = 0;
};

// Adds text to a list of distinct entries; false when it would be a seventh entry.
bool addDistinct(QString (&list)[kDevListChoices], int &count, const QString &text)
{
    for (int i = 0; i < count; ++i)
        if (list[i] == text)
            return true;
    if (count >= kDevListChoices)
        return false;
    list[count++] = text;
    return true;
}

// nullopt when a seventh size is met; its row's line is noted for the message.
std::optional<AxisTable> buildTable(const CatalogueFile &f, bool withSpeeds)
{
    AxisTable t;
    t.rows[0].code = f.countItem;
    t.count = int(f.rows.size());
    for (int r = 1; r <= t.count; ++r) {
        t.rows[r] = f.rows.at(r - 1);
        if (!addDistinct(t.sizes, t.sizeCount, t.rows[r].size)) {
            platform::noteDamagedLine(f.lines.at(r - 1));
            return std::nullopt;
        }
        // The list over all rows is only a by-product; six letters per size is the real limit.
        if (withSpeeds)
            addDistinct(t.speeds, t.speedCount, t.rows[r].speed);
    }
    return t;
}

void commitTable(int a, const AxisTable &t)
{
    for (int r = 0; r < kDevListRows; ++r)
        gDevList[a][r] = t.rows[r];
    gDevListCount[a] = t.count;
    for (int i = 0; i < kDevListChoices; ++i) {
        gDevSizeList[a][i] = t.sizes[i];
        gDevSpeedList[a][i] = t.speeds[i];
    }
    gDevSizeCount[a] = t.sizeCount;
    gDevSpeedCount[a] = t.speedCount;
}

void tellListFailure(bool withHint)
{
    actuators::tellDevListFailure(withHint);
}

// Reads the axes first..last in turn; the first failure is told and flags its axis, and with
// `flagUnread` every axis it leaves unread too.
int readTables(int first, int last, bool withSpeeds, bool flagUnread = false)
{
    const auto f = parseCatalogue(kDevListRows - 1);
    for (int a = first; a <= last; ++a) {
        const auto t = f ? buildTable(*f, withSpeeds) : std::nullopt;
        if (!t) {
            tellListFailure(true);
            for (int b = a; b <= (flagUnread ? last : a); ++b)
                gDevListReadFailed[b] = true;
            return 1;
        }
        commitTable(a, *t);
    }
    return 0;
}

// The index of the first row of the size, speed letter and stroke; -1 when there is none.
int findRow(const CatalogueFile &f, const QString &size, const QString &speed, int stroke)
{
    for (int r = 0; r < f.rows.size(); ++r) {
        const DevListRow &row = f.rows.at(r);
        if (row.size == size && row.speed == speed && row.stroke == double(stroke))
            return r;
    }
    return -1;
}

// An item of row r as a whole number; a row whose item is none is damaged on its line.
std::optional<qint64> itemNumber(const CatalogueFile &f, int r, const QString &item, qint64 min, qint64 max)
{
    const auto v = tables::cellToInteger(QVariant(item), min, max);
    if (!v)
        platform::noteDamagedLine(f.lines.at(r));
    return v;
}

enum class Option { Pg, Vertical };

struct DevLeadPPR
{
    int lead = 0;
    qint32 ppr = 0;
};

// 99 when not found; nullopt when the file or the row's item cannot be read.
std::optional<int> optionCode(Option which, const QString &size, const QString &speed,
                              int stroke)
{
    const auto f = parseCatalogue(32767);
    if (!f)
        return std::nullopt;
    const int r = findRow(*f, size, speed, stroke);
    if (r < 0)
        return 99;
    const DevListRow &row = f->rows.at(r);
    const auto v = itemNumber(*f, r, which == Option::Pg ? row.pgOption : row.vertOption, -32768, 32767);
    if (!v)
        return std::nullopt;
    return int(*v);
}

// Found: lead and pulses per revolution; notFound set when no row matches.
std::optional<DevLeadPPR> leadAndPPR(const QString &size, const QString &speed, int stroke,
                                     bool &notFound)
{
    notFound = false;
    const auto f = parseCatalogue(32767);
    if (!f)
        return std::nullopt;
    const int r = findRow(*f, size, speed, stroke);
    if (r < 0) {
        notFound = true;
        return std::nullopt;
    }
    const DevListRow &row = f->rows.at(r);
    const auto lead = itemNumber(*f, r, row.lead, -32768, 32767);
    const auto ppr = lead ? itemNumber(*f, r, row.ppr, -2147483647LL - 1, 2147483647LL) : std::nullopt;
    if (!lead || !ppr)
        return std::nullopt;
    return DevLeadPPR{int(*lead), qint32(*ppr)};
}

} // namespace

namespace actuators {

QString devListPath()
{
    return platform::programFile(QStringLiteral("nqzdevice.lst"));
}

void resetDevCatalogue()
{
    for (int a = 0; a < kAxisCount; ++a) {
        for (auto &row : gDevList[a])
            row = DevListRow();
        gDevListCount[a] = 0;
        for (int i = 0; i < kDevListChoices; ++i) {
            gDevSizeList[a][i].clear();
            gDevSpeedList[a][i].clear();
        }
        gDevSizeCount[a] = 0;
        gDevSpeedCount[a] = 0;
        gDevListReadFailed[a] = false;
    }
    gCatLead = 0;
    gCatPPR = 0;
}

bool devListReadable()
{
    return parseCatalogue(32767).has_value();
}

void tellDevListFailure(bool withHint)
{
    const QString path = devListPath();
    platform::msgBox(withHint ? tables::listFailureText(path, {15, 16}) : tables::listFailureText(path, {15}));
}

int devPgOptionQuiet(const QString &size, const QString &speed, int stroke)
{
    return optionCode(Option::Pg, size, speed, stroke).value_or(99);
}

int devVerticalOptionQuiet(const QString &size, const QString &speed, int stroke)
{
    return optionCode(Option::Vertical, size, speed, stroke).value_or(99);
}

} // namespace actuators

int ReadDevList()
{
    return readTables(0, kAxisCount - 1, false);
}

void SearchDevList()
{
    // Its callers ask about the axes in use, which need not include the first.
    readTables(0, kAxisCount - 1, true, true);
}

int ReadDevList2(int axis)
{
    if (axis < 0 || axis >= kAxisCount)
        return 1;
    gDevListReadFailed[axis] = false;
    return readTables(axis, axis, false);
}

void SetDevListData(int axis, const QString &size)
{
    if (axis < 0 || axis >= kAxisCount)
        return;
    for (auto &s : gDevSpeedList[axis])
        s.clear();
    gDevSpeedCount[axis] = 0;
    const int count = qBound(0, gDevListCount[axis], kDevListRows - 1);
    for (int r = 1; r <= count; ++r) {
        const DevListRow &row = gDevList[axis][r];
        if (row.size != size)
            continue;
        if (!addDistinct(gDevSpeedList[axis], gDevSpeedCount[axis], row.speed))
            return;
    }
}

int DevListLookup2(const QString &size, const QString &speed, int stroke)
{
    bool notFound = false;
    const auto v = leadAndPPR(size, speed, stroke, notFound);
    if (v) {
        gCatLead = v->lead;
        gCatPPR = v->ppr;
        return 0;
    }
    if (!notFound)
        tellListFailure(true);
    return 1;
}

int DevListLookup3(const QString &size, const QString &speed, int stroke)
{
    const auto f = parseCatalogue(32767);
    if (!f) {
        tellListFailure(false);
        return 1;
    }
    return findRow(*f, size, speed, stroke) >= 0 ? 0 : 1;
}

int DevListLookup4(const QString &size, const QString &speed, int stroke)
{
    const auto v = optionCode(Option::Pg, size, speed, stroke);
    if (!v)
        tellListFailure(false);
    return v.value_or(99);
}

int DevListLookup5(const QString &size, const QString &speed, int stroke)
{
    const auto v = optionCode(Option::Vertical, size, speed, stroke);
    if (!v)
        tellListFailure(false);
    return v.value_or(99);
}
