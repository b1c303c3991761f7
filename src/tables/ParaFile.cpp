#include "tables/ParaFile.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/Padding.h"
#include "tables/FileHeader.h"
#include "tables/ParaSet.h"
#include "platform/ItemReader.h"
#include "platform/Dialogs.h"
#include "platform/ItemWriter.h"

#include <QFileInfo>

QString gParaFileName;

namespace {

const char *const kModel = "QZ-K4";
const char *const kKind = "PRM";

struct Section
{
    const char *name;
    int rows;
    int minValues; // values a row must carry for the items it holds
};

// The five sections in file order; SPECIAL may have 6 rows (the older layout, no STOP/PAUSE).
const Section kSections[] = {
    {"HOME", 6, 4}, {"AXIS", 7, 4}, {"PG", 2, 4}, {"ETC", 5, 1}, {"SPECIAL", 7, 4}};
constexpr int kMaxValuesPerRow = 5;

QVariant cellFromItem(const QString &item, bool quoted)
{
    if (quoted)
        return item;
    bool ok = false;
    const qint64 n = item.toLongLong(&ok);
    if (ok)
        return n;
    const double d = item.toDouble(&ok);
    if (ok)
        return d;
    return item;
}

// Every cell that unpacking converts must convert, so that an accepted file always loads whole.
// The number of the first item whose row holds a cell that does not; 0 when every cell does.
int itemNotConverting(const QVariant (&t)[kParaItems][kParaRows])
{
    for (const tables::ParaItem &item : tables::kParaItemTable) {
        if (!item.filed)
            continue;
        for (int a = 0; a < (item.perAxis ? kAxisCount : 1); ++a) {
            const QVariant &cell = t[item.number][item.row(a)];
            // An actuator code that does not parse would come back as another actuator.
            if (item.store == tables::ParaStore::Text ? !tables::parseActuatorCode(cell.toString())
                                                      : !tables::cellToInteger(cell, item.storeMin(), item.storeMax()))
                return item.number;
        }
    }
    return 0;
}

} // namespace

namespace tables {

FileRead readParaFile(const QString &path)
{
    platform::ItemReader in;
    const FileRead header = openWithHeader(in, path, kKind, {kModel}, 22);
    if (header != FileRead::Ok)
        return header;
    in.beginLine();
    if (in.integer() != 5 && in.ok())
        in.fail(QStringLiteral("not five sections"));
    if (!in.ok())
        return FileRead::Damaged;

    QVariant t[kParaItems][kParaRows];
    for (auto &item : t)
        for (auto &cell : item)
            cell = QString();

    int rowLine[kParaItems] = {}; // the line each item's row stands on
    int item = 1;
    for (int k = 0; k < 5; ++k) {
        const Section &s = kSections[k];
        in.beginLine();
        const QString name = in.text();
        const qint64 rows = in.integer();
        const qint64 values = in.integer();
        const bool olderSpecial = k == 4 && rows == 6;
        if (in.ok()
            && (name != QLatin1String(s.name) || (rows != s.rows && !olderSpecial)
                || values < s.minValues || values > kMaxValuesPerRow))
            in.fail(QStringLiteral("not the section heading of %1").arg(QLatin1String(s.name)));
        if (!in.ok())
            return FileRead::Damaged;
        if (k == 4) {
            // The rows the older layout lacks read as 0, and so do the single items no file holds.
            for (const tables::ParaItem &p : tables::kParaItemTable)
                if ((olderSpecial && p.newerRow) || (!p.perAxis && !p.filed))
                    t[p.number][0] = 0;
        }
        for (int r = 0; r < rows; ++r, ++item) {
            in.beginLine();
            for (int c = 0; c < values; ++c) {
                bool quoted = false;
                const QString v = in.raw(&quoted);
                t[item][c] = cellFromItem(v, quoted);
            }
            if (item < kParaItems)
                rowLine[item] = in.line();
        }
    }
    if (in.ok() && !in.atEnd()) {
        in.beginLine(); // fails on more items in the last row
        in.raw();       // else names the line the file should not hold
        in.fail(QStringLiteral("more lines than the five sections hold"));
    }
    if (!in.ok())
        return FileRead::Damaged;
    if (const int bad = itemNotConverting(t)) {
        // A number with a letter in it ("x00"): its row is named.
        in.failAt(rowLine[bad], QStringLiteral("item %1 holds a value it cannot take").arg(bad));
        return FileRead::Damaged;
    }

    t[0][0] = QFileInfo(path).fileName();
    for (int i = 0; i < kParaItems; ++i)
        for (int r = 0; r < kParaRows; ++r)
            gParaTmp[i][r] = t[i][r];
    return FileRead::Ok;
}

platform::FileDialogRequest paraOpenRequest()
{
    platform::FileDialogRequest r;
    r.title = LoadResText(686);
    r.filter = LoadResText(1827);
    r.defaultExt = QStringLiteral("pmt");
    r.mustExist = true;
    return r;
}

platform::FileDialogRequest paraSaveRequest()
{
    platform::FileDialogRequest r;
    r.title = LoadResText(11);
    r.filter = LoadResText(1827);
    r.defaultName = LoadResText(12);
    r.defaultExt = QStringLiteral("pmt");
    r.overwritePrompt = true;
    return r;
}

int openParaFileFrom(const QString &path)
{
    const FileRead r = readWithRetry([&] { return readParaFile(path); });
    if (r == FileRead::Rejected)
        return 1;
    if (r != FileRead::Ok || LetParaTableToArrays() != 0) {
        platform::msgBox(readFailureText(681));
        return 1;
    }
    return 0;
}

int saveParaFileTo(const QString &path)
{
    gParaFileName = QFileInfo(path).fileName();
    const bool written = writeWithRetry([&] { return WriteParaFile(path) == 0; });
    if (written)
        ResMsgBox({14});
    else
        platform::msgBox(writeFailureText(13));
    return written ? 0 : 1;
}

} // namespace tables

int WriteParaFile(const QString &path)
{
    for (int a = 0; a < kAxisCount; ++a) {
        tables::rebuildActuatorCode(a);
        // A code the reader could not take apart again is not written.
        if (!tables::parseActuatorCode(gPrmActuator[a])) {
            platform::noteWriteFailure(QStringLiteral("actuator code of axis %1 cannot be stored: \"%2\"")
                                           .arg(a + 1)
                                           .arg(gPrmActuator[a]));
            return 1;
        }
    }

    platform::ItemWriter w;
    w.text(QLatin1String(kModel)).text(QLatin1String(kKind)).endLine();
    w.number(qint64(5)).endLine();
    // The file's rows are the filed items in order, section after section.
    const tables::ParaItem *item = tables::kParaItemTable;
    for (const Section &s : kSections) {
        w.text(QLatin1String(s.name)).number(qint64(s.rows)).number(qint64(s.minValues)).endLine();
        for (int r = 0; r < s.rows; ++r, ++item) {
            while (!item->filed)
                ++item;
            if (item->perAxis) {
                for (int a = 0; a < kAxisCount; ++a) {
                    if (item->store == tables::ParaStore::Text)
                        w.text(item->textAt(a));
                    else
                        w.number(item->valueAt(a));
                }
            } else {
                // A single value fills the rest of its row with zeros.
                w.number(item->valueAt(0));
                for (int i = 1; i < s.minValues; ++i)
                    w.number(qint64(0));
            }
            w.endLine();
        }
    }
    return w.commit(path) ? 0 : 1;
}

int LoadParaFile()
{
    const QString path = platform::getOpenFileName(tables::paraOpenRequest());
    if (path.isEmpty())
        return -1;
    return tables::openParaFileFrom(path);
}
