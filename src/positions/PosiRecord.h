#pragma once

#include <QString>
#include <optional>

// One position as the controller's position commands carry it: table columns 0 to 18 (per
// axis VEL, ACC, WAY, Posi in pulses; ITPL, OUT, S/M), without the comment.
//
// "0WP" record: the position number (3 hexadecimal digits), then the 19 fields, each zero-
// padded to its width (VEL 2, ACC 1, WAY 1, Posi 5; ITPL 1, OUT 1, S/M 2): 43 characters.
// "0RP" reply: "0RP", the position number, the same 40 field digits, CR LF: 48 characters.
namespace positions {

constexpr int kPosiRecordFields = 19;
constexpr int kPosiRecordLength = 43;
constexpr int kPosiReadReplyLength = 48;  // CR LF included
constexpr int kPosiWriteReplyLength = 8;  // "0WP", the number, CR LF

struct PosiRecord
{
    qint64 field[kPosiRecordFields] = {};
    bool operator==(const PosiRecord &other) const;
};

// The width of table column c's field (0 to 18).
int posiFieldWidth(int column);
// The position number as the commands carry it: three capital hexadecimal digits.
QString posiRecordNo(int position);

// The record of a reply to "0RP" for `position`, CR LF optional. Nothing when the reply is
// not "0RP", names another position, is short, or holds a character that is not a
// hexadecimal digit: a reply that cannot be decoded is never taken in part.
std::optional<PosiRecord> decodePosiReply(const QString &reply, int position);

// The 43-character record of "0WP"; nothing when a field is negative or too large for its
// width (an "X" of the padding must never reach the controller).
std::optional<QString> encodePosiRecord(int position, const PosiRecord &record);

// The reply to "0WP" echoes the command and the position number sent.
bool posiWriteEchoIs(const QString &reply, int position);

// Position n of the table as it would be written: the whole numbers of gPosiFileTable and,
// for Posi, the pulses of gPosiTable (the master values, which the limit check reads too).
// Nothing when a value is not a whole number.
std::optional<PosiRecord> posiRecordFromTable(int position);

// The record into row `position` of the image gPosiWork (columns 1 to 19); the comment
// (column 20) and the number (column 0) are left as they are.
void posiRecordIntoImage(int position, const PosiRecord &record);

} // namespace positions
