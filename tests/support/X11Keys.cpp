#include "support/X11Keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

QString x11KeyText(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Delete: return QStringLiteral("\x7f");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        if (modifiers & Qt::ControlModifier)
            return QString(QChar(ushort(key - Qt::Key_A + 1)));
        const char c = char((modifiers & Qt::ShiftModifier ? 'A' : 'a') + (key - Qt::Key_A));
        return QString(QLatin1Char(c));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return QString(QLatin1Char(char(key)));
    return {}; // arrows, Home, End and the like
}

void sendX11Key(QWidget *w, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    const QString text = x11KeyText(key, modifiers);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

void typeX11(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\r')) {
            sendX11Key(w, Qt::Key_Return);
        } else {
            const bool upper = c.isUpper();
            sendX11Key(w, Qt::Key(c.toUpper().unicode()), upper ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QCoreApplication::processEvents();
    }
}
