#pragma once

#include <QString>

namespace platform {

// Reads the system's item files: items separated by commas or line ends, texts in double
// quotes, bare numbers, taken item by item across line ends. A read past the end, a value
// that does not fit or a last line without its line end (the file was cut short, perhaps
// inside its last number) marks the reader failed; callers check ok() once at the end, so a
// damaged file is a failed read, never a crash.
class ItemReader
{
public:
    // False when the file cannot be read, is larger than any text file of the system
    // (tooLarge(): the file is there but is not one of ours) or is no regular file
    // (notRegular(): a named pipe, a device or a folder, refused without reading).
    bool open(const QString &path);
    bool tooLarge() const { return m_tooLarge; }
    bool notRegular() const { return m_notRegular; }
    void setText(const QString &text);

    // The program's own lists, which it only reads, may come from an editor that leaves no line
    // end after the last item (or a Ctrl-Z right after it): their last line is then whole. Every
    // file the program writes ends each line, so there data that ends without one was cut.
    void allowUnendedLastLine() { m_unendedLastLineOk = true; }

    bool ok() const { return !m_failed; }
    // Nothing but blanks, line ends and a Ctrl-Z is left, and the last record ended its line.
    bool atEnd() const;
    QString errorString() const { return m_error; }
    // Marks the reader failed (the first reason is kept); a reader of a file notes the line
    // for the operator's message (lastReadDamagedLine), also when the caller found it wrong.
    void fail(const QString &why);
    // The same for a value the caller found wrong after reading on: `line` is the line it stood on.
    void failAt(int line, const QString &why);
    // The line (from 1) of the last item read; after a failure, the line found damaged. The
    // operator's message names it.
    int line() const { return m_itemLine; }
    // After a failure: the file ends inside the line named, so it may have been cut short there.
    bool cutShort() const { return m_cutShort; }

    // The record that follows fills a line of its own: the items read until the next
    // beginLine() must stand on one line, and the last of them must end it. A line with fewer
    // items fails as the next item would start another line; one with more, at the next
    // beginLine(). Without it, items are taken across line ends.
    void beginLine();

    QString text();
    // A whole number within [min, max]; an empty item reads as 0.
    qint64 integer(qint64 min = -2147483648LL, qint64 max = 2147483647LL);
    double number();
    // The item as it stands, without telling text from number.
    QString raw(bool *quoted = nullptr);

private:
    bool nextItem(QString &item, bool &quoted);
    void skipBlanks();
    void failCut(const QString &why);

    QString m_data;
    int m_pos = 0;
    bool m_atLineStart = true;
    int m_line = 1;         // the line m_pos is on
    int m_itemLine = 0;     // the line of the last item read
    bool m_inLine = false;  // reading a record of one line (beginLine)
    int m_lineItems = 0;    // items read of that record
    bool m_failed = false;
    bool m_cutShort = false;
    bool m_unendedLastLineOk = false;
    bool m_fromFile = false;
    bool m_tooLarge = false;
    bool m_notRegular = false;
    QString m_error;
};

} // namespace platform
