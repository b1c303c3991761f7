#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The position data file (".qzd"): the header "QZ-K4", the four actuator designations, the four
// "NEW"/"OLD" types (missing in the earlier layout), then one line per position: its number and
// twenty items, table columns 0 to 19 with the Posi items in pulses.
constexpr int kPosiFileItems = 20;

struct PosiFileLine
{
    int no = 0;
    // As read: the nineteen numeric items are doubles, each wholly a number of its column's
    // form (or the file is damaged); item 19, the comment, a text kept with its blanks. As
    // written: the numeric items may be numbers or texts that stand for a number.
    QVariant items[kPosiFileItems];
};

// A position file's content, read into this scratch image before anything is taken over, or
// gathered here before it is written.
struct PosiFileImage
{
    QString dev[4];
    QString newOld[4];
    bool earlierLayout = false; // set by the reader: no type line, all four taken as "OLD"
    QList<PosiFileLine> lines;  // ascending position numbers

    int noFrom() const { return lines.isEmpty() ? 0 : lines.first().no; }
    int noTo() const { return lines.isEmpty() ? 0 : lines.last().no; }
};

namespace positions {

enum class PosiFileStatus {
    Read,     // the image holds the file
    Failed,   // the file could not be opened or read: worth another attempt
    Damaged,  // the file is there but its positions are broken: another attempt reads the same
    Rejected  // not a position file
};

struct PosiFileReadResult
{
    PosiFileStatus status = PosiFileStatus::Failed;
    QString detail;   // what went wrong, for the log
    int position = 0; // the position whose line is broken, 0 when no position line is to blame
    int line = 0;     // the line of the file found broken, 0 when no line is to blame
    bool cutShort = false; // the file ends inside that line: it may only have been cut short
};

// Reads a position file into image; on anything but Read the image is left as it was.
// Nothing is shown to the operator.
PosiFileReadResult readPosiFile(const QString &path, PosiFileImage &image);
PosiFileReadResult parsePosiFile(const QString &text, PosiFileImage &image);

// The designation of an axis the file marks as not in use: empty, or all asterisks as the
// grid headings show an unused axis.
bool isUnusedDesignation(const QString &designation);

// The type item of an axis: "NEW" for an unused axis or an empty designation, otherwise by
// the axis' new-type flag.
QString posiFileTypeItem(const QString &designation, bool unused, bool newType);

// A number as the file stores it inside quotes: a blank before a value that is not negative,
// a minus before one that is ("30" -> " 30", -150 -> "-150"). Empty when value is no number.
QString posiFileNumberText(const QVariant &value);

// Writes the file whole (dev, newOld and lines; earlierLayout is ignored: the type line is
// always written); on failure the file that was there stays as it was. False, with error set,
// when a numeric item holds no number, and nothing is written.
bool writePosiFile(const QString &path, const PosiFileImage &image, QString *error = nullptr);

} // namespace positions
