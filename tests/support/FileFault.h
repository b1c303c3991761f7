#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// A named pipe at the path, as a file dialog may offer one: nothing writes to it or reads
// from it, so opening it the ordinary way would wait for ever.
bool makeNamedPipe(const QString &path);
// A Unix socket's node at the path, as a file dialog may offer one: it cannot be opened at all.
bool makeSocketFile(const QString &path);

// Makes every write beyond the given number of bytes fail in this process while it lives, as
// a full disk would; it works for any user, where a read-only folder does not stop root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    quint64 m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// How a reader must take a copy of a good file.
enum class FileVerdict {
    ReadsWhole, // as it takes the good file
    Damaged,    // refused, naming `line` as damaged or cut short (3016), changing nothing
    CutShort    // refused: it ends inside `line`, its last, and may be cut short (3050)
};

// A copy of a good file, changed as another editor, a cut or damage leaves it.
struct FileCopy
{
    QString name;
    QByteArray bytes;
    FileVerdict verdict = FileVerdict::ReadsWhole;
    int line = 0; // from 1: the line a refusal names; for a cut at a line end, the lines kept
};

// The line of a refusal's box that names its damage, as every reader tells it: 3016 or 3050
// with the line and the file.
QString damageText(const FileCopy &copy, const QString &path);

// The cut and short copies of a good file of any kind (lines ended by CR LF, items separated
// by commas): cut inside its last item, as a file cut by 3 bytes is; cut before its last line
// end; its last line short of its last item; and line `middleLine` (from 1, a line of two items
// or more) short of its last item. Every reader of a file the program writes refuses them.
QList<FileCopy> cutAndShortCopies(const QByteArray &good, int middleLine);

// Whether the program writes the files of a kind (every line ended, so data that ends without a
// line end was cut) or only reads them (its lists, whose last line may lack its line end).
enum class FileKind { Written, ReadOnly };

// The line endings other editors leave on a good file: no line end after the last item, a
// Ctrl-Z right after it, CR LF and then a Ctrl-Z, CR only, LF only. Each reads whole, but a file
// of a kind the program writes that ends without its line end is refused as cut short.
QList<FileCopy> editorEndingCopies(const QByteArray &good, FileKind kind);

// The good file cut just after each line end from line `fromLine` on, the last excepted: copy
// n keeps `line` = fromLine + n lines. The verdict (ReadsWhole) is the caller's to set.
QList<FileCopy> cutsAtLineEnds(const QByteArray &good, int fromLine);

// The damage a list the program only reads is refused for: row `rowLine` short of its last item,
// the same row over two lines (a line end for its first comma), a row count above the rows (the
// last row gone: refused on the new last line) and one below them (the last row twice: refused
// on the row beyond the count).
QList<FileCopy> listDamageCopies(const QByteArray &good, int rowLine);
