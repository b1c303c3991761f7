#include "platform/WindowRules.h"

#include "platform/Screen.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QWidget>

namespace platform {

namespace {

// Set on a window once a control of it has had the focus since it was last shown.
const char *const kFocusGiven = "platform_focusGiven";

// Selects the whole text of a field, as Tab does; a field that already shows a selection keeps
// it, as with Tab. An item view's editor follows its view's own rule (its delegate).
void selectWholeText(QWidget *w)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        w = combo->isEditable() ? combo->lineEdit() : nullptr;
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
        if (!spin->isReadOnly())
            spin->selectAll();
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(w);
    if (!edit || edit->isReadOnly() || edit->hasSelectedText())
        return;
    for (QWidget *p = edit->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(p))
            return;
    }
    edit->selectAll();
}

void focusIn(QWidget *w, Qt::FocusReason reason)
{
    QWidget *window = w->window();
    const bool first = !window->property(kFocusGiven).toBool();
    window->setProperty(kFocusGiven, true);
    // The first focus of a window just shown, whether the window named it or Qt chose the first
    // control, comes as the window is made active; a setFocus of the program's comes for
    // another reason.
    if (reason == Qt::OtherFocusReason || (first && reason == Qt::ActiveWindowFocusReason))
        selectWholeText(w);
}

bool hasTitleBar(const QWidget &w)
{
    const Qt::WindowType type = w.windowType();
    return (type == Qt::Window || type == Qt::Dialog) && !w.windowFlags().testFlag(Qt::FramelessWindowHint);
}

// Grows the window to its title bar's width, as far as the available area leaves room.
void growToTitle(QWidget &w)
{
    if (!hasTitleBar(w))
        return;
    const QMargins frame = frameMargins(&w, w.parentWidget() ? w.parentWidget()->window() : nullptr);
    const int room = availableArea(&w).width() - frame.left() - frame.right();
    const int width = qMin(titleBarWidth(w), room);
    if (w.minimumWidth() < width)
        w.setMinimumWidth(width);
}

class WindowRules : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::Show:
            // Shown (again) by the program: its next focus is its first.
            if (w->isWindow() && !event->spontaneous()) {
                w->setProperty(kFocusGiven, false);
                growToTitle(*w);
            }
            break;
        case QEvent::WindowTitleChange:
            if (w->isWindow() && w->isVisible())
                growToTitle(*w);
            break;
        case QEvent::FocusIn:
            if (!w->isWindow())
                focusIn(w, static_cast<QFocusEvent *>(event)->reason());
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void installWindowRules()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    app->installEventFilter(new WindowRules(app));
}

int titleBarWidth(const QWidget &window)
{
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarIconAndButtons;
}

} // namespace platform

