#pragma once

#include <QChar>
#include <functional>
#include <optional>

class QKeyEvent;

namespace platform {

// The printable character a key press types into a field, or none for an editing key.
// Editing keys (Delete, Backspace, the arrows, Home, End, the selection and clipboard
// shortcuts) are decided on the key, never on their text: X11 gives Delete the text "\x7f",
// Backspace "\b" and Ctrl+V "\x16". Field filters judge only what this returns.
std::optional<QChar> typedCharacter(const QKeyEvent &event);

// The one rule of every field's key filter: a typed character the filter refuses is dropped
// with a beep, never silently (a dropped sign must not pass unheard), and costs nothing else.
// True when the key is so dropped: the caller eats the event. Editing keys are never dropped.
bool dropsTypedKey(const QKeyEvent &event, const std::function<bool(QChar)> &passes);

} // namespace platform
