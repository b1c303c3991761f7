#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// The system's text files: read as UTF-8 when the bytes are valid UTF-8 (a BOM is skipped),
// otherwise as Windows-31J; written as Windows-31J, the code page these files have on a
// Japanese desktop.
QString decodeSystemText(const QByteArray &bytes);
// nullopt when a character has no Windows-31J form.
std::optional<QByteArray> encodeSystemText(const QString &text);

} // namespace platform
