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
// Types the text into the widget key by key at typing speed: each key's press and release go
// to the widget, and what the key set going (a posted call, a focus change) is handled before
// the next key, as between keys a person types; no timer is waited for. "\r" is Return.
void typeX11(QWidget *w, const QString &text);
