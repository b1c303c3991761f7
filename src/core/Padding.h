#pragma once

#include <QString>
#include <optional>

// Fixed-width numbers for commands, files and columns. A value that does not fit is refused
// ("X", or nullopt for StrPadSpace), never cut.
QString HexZeroPad(qint64 value, int width);
QString DecZeroPad(qint64 value, int width);
QString DecSpacePad(qint64 value, int width);
std::optional<QString> StrPadSpace(const QString &text, int width);
