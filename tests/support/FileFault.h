#pragma once

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
