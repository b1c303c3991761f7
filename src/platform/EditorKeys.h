#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;
class QEvent;
class QModelIndex;

namespace platform {

// The typed keys of an item view that opens its cell editor on a key, so that every key
// reaches the cell in order at any typing speed:
// - a typed character the current cell's key filter refuses is dropped with a beep
//   (platform::dropsTypedKey) and opens no editor, so it costs nothing else;
// - a key that reaches the view while its editor is open goes on to the editor: a key
//   delivered to the view before the editor took the focus is never lost.
// The cell's editor applies the same filter to the keys it gets. Belongs to the view.
class EditorKeys : public QObject
{
public:
    using KeyFilter = std::function<bool(const QModelIndex &cell, QChar typed)>;
    EditorKeys(QAbstractItemView *view, KeyFilter passes);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractItemView *m_view;
    KeyFilter m_passes;
    // A key on its way up from the editor (it passes the viewport first): the view handles
    // it as its own, never hands it back.
    const QEvent *m_fromEditor = nullptr;
};

} // namespace platform
