#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QWidget;
class QWindow;

namespace platform {

// Places a window as it is first shown, when its size is the one it is shown at (a layout
// settles only then), and then goes. With an owner, beside the owner: the window manager has
// not framed the window yet then, so the owner's frame margins stand for its own; once it has
// framed and shown the window, the window is placed again when its own margins, or the owner's
// frame (an owner shown just before may not have been framed either), differ from those it
// was placed by. Without an owner the window manager places the window, and once it has
// framed it the frame is kept inside the available area.
class FirstShowPlacer : public QObject
{
public:
    FirstShowPlacer(QWidget *window, const QWidget *owner, QPoint offset);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void framed();
    void finish();

    QPointer<QWidget> m_window;
    QPointer<const QWidget> m_owner;
    bool m_beside;
    QPointer<QWindow> m_handle;
    QPoint m_offset;
    QMargins m_assumed;
    QRect m_ownerFrame;
};

} // namespace platform
