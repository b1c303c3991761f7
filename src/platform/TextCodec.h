#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// The system's text files: UTF-8 when they start with a byte-order mark (skipped), or when the
// bytes are valid UTF-8 and hold a sequence of three or four bytes, as Japanese text does in
// UTF-8; otherwise Windows-31J, the code page these files have on a Japanese desktop. (Pairs of
// Windows-31J half-width katakana are often valid two-byte UTF-8 as well; and a kanji with lead
// byte E0 to EF before a katakana may be valid three-byte UTF-8: when such a UTF-8 reading holds
// a character Windows-31J has not and the Windows-31J reading is clean, the file is
// Windows-31J.) A Ctrl-Z that only
// blanks and line ends follow ends the text, as in old DOS files; it is found in the bytes,
// since Windows-31J decodes that byte to another character. Written as Windows-31J.
QString decodeSystemText(const QByteArray &bytes);
// nullopt when a character has no Windows-31J form.
std::optional<QByteArray> encodeSystemText(const QString &text);
// Whether Windows-31J holds the character (a whole surrogate pair counts as one character).
bool systemEncodable(QStringView character);

// No text file of the system comes near this size; a larger file is not read into memory.
constexpr qint64 kMaxTextFileBytes = 16 * 1024 * 1024;

// NotRegular: a named pipe, a device or a folder, refused at once without being read.
enum class TextFileRead { Ok, IoFailed, TooLarge, NotRegular };
// Reads and decodes a whole text file of the system; error gets the system's reason.
TextFileRead readSystemTextFile(const QString &path, QString &text, QString *error = nullptr);
// The last file readSystemTextFile() was asked for, kept for the operator's message, which names it.
QString lastReadPath();
// The system's reason when that file could not be read; empty when it was.
QString lastReadFailure();
// Whether that file was refused for its size.
bool lastReadTooLarge();
// Whether that file was refused as no regular file.
bool lastReadNotRegular();
// The line (from 1) that the reader of that file found damaged, 0 when none was; noted by the
// ItemReader that read it (or by its caller, who found a value wrong), for the operator's
// message. cutShort: the file ends inside that line, so it may have been cut short there.
int lastReadDamagedLine();
bool lastReadCutShort();
void noteDamagedLine(int line, bool cutShort = false);

} // namespace platform
