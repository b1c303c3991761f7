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

// A copy of a good file, damaged as a file cut short or a record short of a field is: every
// reader must refuse it as damaged, name `line` (from 1) and change nothing.
struct DamagedCopy
{
    QString name;
    QByteArray bytes;
    int line = 0;
};

// The cut and short copies of a good file of any kind (lines ended by CR LF, items separated
// by commas): cut inside its last item, as a file cut by 3 bytes is; cut before its last line
// end; its last line short of its last item; and line `middleLine` (from 1, a line of two items
// or more) short of its last item.
QList<DamagedCopy> cutAndShortCopies(const QByteArray &good, int middleLine);
