#include "platform/ScrollPane.h"

#include "platform/Screen.h"

#include <QApplication>

namespace platform {

ScrollPane::ScrollPane(QWidget *content, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("scrollPane"));
    setAccessibleName(content->accessibleName());
    setFrameShape(QFrame::NoFrame);
    // The pane itself is no stop of the Tab order; the controls in it are.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(content);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        // The whole control, not only its text cursor as ensureWidgetVisible() would.
        if (now && widget() && widget()->isAncestorOf(now)) {
            const QRect r(now->mapTo(widget(), QPoint(0, 0)), now->size());
            ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 2, r.height() / 2 + 2);
        }
    });
}

QSize ScrollPane::minimumSizeHint() const
{
    if (!widget())
        return QScrollArea::minimumSizeHint();
    const QWidget *top = window();
    const QWidget *owner = top->parentWidget() ? top->parentWidget()->window() : nullptr;
    const QRect area = availableArea(owner ? owner : top);
    QSize whole = widget()->minimumSizeHint();
    if (!area.isEmpty())
        whole = whole.boundedTo(area.size().shrunkBy(frameMargins(top, owner)));
    return whole.expandedTo(QScrollArea::minimumSizeHint());
}

} // namespace platform
