#pragma once

#include <QScrollArea>

namespace platform {

// A window's content that scrolls where the screen has no room to show it whole (a small
// screen under a panel and a tall title bar); a control that takes the focus, by Tab, Enter or
// click, is scrolled into view whole.
class ScrollPane : public QScrollArea
{
public:
    ScrollPane(QWidget *content, QWidget *parent);
    // The content's own minimum, as far as the available area leaves room for it with the
    // window's frame: the window opens showing it whole wherever it can.
    QSize minimumSizeHint() const override;
};

} // namespace platform
