#pragma once

#include <QString>
#include <Qt>

class QWidget;

// Key events as the X11 desktop builds them: editing keys carry control characters as their
// text (Delete "\x7f", Backspace "\b", Ctrl+A "\x01"), moving keys none, printable keys their
// character.
QString x11KeyText(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Sends the press and the release of one such key to the widget, through its event filters.
void sendX11Key(QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
