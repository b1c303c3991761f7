#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace platform {

// Places a window beside its owner again as it is first shown, when its size is the one it is
// shown at (a layout settles only then), and then goes.
class FirstShowPlacer : public QObject
{
public:
    FirstShowPlacer(QWidget *window, const QWidget *owner, QPoint offset);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<const QWidget> m_owner;
    QPoint m_offset;
};

} // namespace platform
