#include "platform/EditorKeys.h"

#include "platform/KeyInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace platform {

EditorKeys::EditorKeys(QAbstractItemView *view, KeyFilter passes)
    : QObject(view), m_view(view), m_passes(std::move(passes))
{
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

bool EditorKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    if (watched != m_view) {
        m_fromEditor = event;
        return false;
    }
    if (event == m_fromEditor) {
        m_fromEditor = nullptr;
        return false;
    }
    auto *key = static_cast<QKeyEvent *>(event);
    const QModelIndex cell = m_view->currentIndex();
    // The open editor of the current cell (the view names it as the cell's widget).
    if (QWidget *editor = cell.isValid() ? m_view->indexWidget(cell) : nullptr; editor && editor->isVisible()) {
        QApplication::sendEvent(editor->focusProxy() ? editor->focusProxy() : editor, key);
        key->accept();
        return true;
    }
    // The view opens the editor only on an unmodified key that types, in an editable cell.
    if (event->type() != QEvent::KeyPress || !cell.isValid()
        || !(m_view->editTriggers() & QAbstractItemView::AnyKeyPressed)
        || !(cell.flags() & Qt::ItemIsEditable)
        || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (!dropsTypedKey(*key, [&](QChar c) { return m_passes(cell, c); }))
        return false;
    key->accept();
    return true;
}

} // namespace platform
