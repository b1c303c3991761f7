#pragma once

#include <QChar>
#include <optional>

class QKeyEvent;

namespace platform {

// The printable character a key press types into a field, or none for an editing key.
// Editing keys (Delete, Backspace, the arrows, Home, End, the selection and clipboard
// shortcuts) are decided on the key, never on their text: X11 gives Delete the text "\x7f",
// Backspace "\b" and Ctrl+V "\x16". Field filters judge only what this returns.
std::optional<QChar> typedCharacter(const QKeyEvent &event);

} // namespace platform
