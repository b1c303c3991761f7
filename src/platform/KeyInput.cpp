#include "platform/KeyInput.h"

#include "platform/Beep.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace platform {

namespace {

bool isEditingKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Insert:
        return true;
    default:
        break;
    }
    for (QKeySequence::StandardKey k :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
          QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Delete, QKeySequence::Deselect}) {
        if (event.matches(k))
            return true;
    }
    return false;
}

} // namespace

std::optional<QChar> typedCharacter(const QKeyEvent &event)
{
    if (isEditingKey(event))
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return std::nullopt;
    return text.at(0);
}

bool dropsTypedKey(const QKeyEvent &event, const std::function<bool(QChar)> &passes)
{
    const std::optional<QChar> typed = typedCharacter(event);
    if (!typed || passes(*typed))
        return false;
    beep();
    return true;
}

} // namespace platform
