#pragma once

#include <QFont>
#include <QString>

namespace platform {

// A font that draws every character of the text by itself: the base font when it has them
// all, otherwise the first installed family that has them, at the base font's size. Where
// the desktop would mix fonts within one line (half-width katakana beside Latin digits),
// texts shown side by side then look alike.
QFont wholeTextFont(const QFont &base, const QString &text);

} // namespace platform
