#include "core/FormText.h"

#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/Messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVariant>
#include <optional>

namespace {

// A property holds identifier N when its text is the decimal digits of a whole number above 0.
std::optional<int> idOf(const QObject *o, const char *property)
{
    const QVariant v = o->property(property);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const int id = v.toString().trimmed().toInt(&ok);
    if (!ok || id <= 0)
        return std::nullopt;
    return id;
}

std::optional<QString> currentText(int id)
{
    return MessageTable::instance().text(qint16(id + gLangOffset));
}

// A name taken from a caption follows the caption into the running language: the control's own
// and that of the control a label names (its buddy).
void nameFollowsCaption(QWidget *w, const QString &before, const QString &after)
{
    if (before == after || before.isEmpty())
        return;
    if (w->accessibleName() == before)
        w->setAccessibleName(after);
    if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy() && l->buddy()->accessibleName() == before)
        l->buddy()->setAccessibleName(after);
}

bool setCaption(QObject *o, const QString &text)
{
    if (auto *w = qobject_cast<QWidget *>(o)) {
        if (auto *l = qobject_cast<QLabel *>(w)) {
            const QString before = l->text();
            l->setText(text);
            nameFollowsCaption(l, before, text);
            return true;
        }
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            const QString before = b->text();
            b->setText(text);
            nameFollowsCaption(b, before, text);
            return true;
        }
        if (auto *g = qobject_cast<QGroupBox *>(w)) {
            const QString before = g->title();
            g->setTitle(text);
            nameFollowsCaption(g, before, text);
            return true;
        }
        if (auto *m = qobject_cast<QMenu *>(w)) {
            m->setTitle(text);
            return true;
        }
        return false;
    }
    if (auto *a = qobject_cast<QAction *>(o)) {
        a->setText(text);
        return true;
    }
    return false;
}

void setTip(QObject *o, const QString &text)
{
    if (auto *w = qobject_cast<QWidget *>(o))
        w->setToolTip(text);
    else if (auto *a = qobject_cast<QAction *>(o))
        a->setToolTip(text);
}

void replaceOne(QObject *o)
{
    if (const auto id = idOf(o, "Tag")) {
        if (const auto t = currentText(*id))
            setCaption(o, *t);
    }
    if (const auto id = idOf(o, "TipTag")) {
        if (const auto t = currentText(*id))
            setTip(o, *t);
    }
    if (auto *tabs = qobject_cast<QTabWidget *>(o)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (const auto id = idOf(tabs->widget(i), "TabTag")) {
                if (const auto t = currentText(*id))
                    tabs->setTabText(i, *t);
            }
        }
    }
}

} // namespace

namespace core::formtext {

void tag(QObject *control, int id)
{
    control->setProperty("Tag", id);
    setCaption(control, LayoutText(id));
}

void tagTip(QObject *control, int id)
{
    control->setProperty("TipTag", id);
    setTip(control, LayoutText(id));
}

void tagTab(QWidget *page, int id)
{
    page->setProperty("TabTag", id);
    if (auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget() ? page->parentWidget()->parentWidget() : nullptr)) {
        const int i = tabs->indexOf(page);
        if (i >= 0)
            tabs->setTabText(i, LayoutText(id));
    }
}

void tagWindow(QWidget *window, int id)
{
    window->setProperty("Tag", id);
    window->setWindowTitle(LayoutText(id));
}

} // namespace core::formtext

void Set_FormStr(QWidget *form)
{
    if (!form)
        return;
    if (const auto id = idOf(form, "Tag")) {
        if (const auto t = currentText(*id))
            form->setWindowTitle(*t);
    }
    // Every object below the window in creation order: widgets, menu actions, toolbar actions.
    const QList<QObject *> all = form->findChildren<QObject *>();
    for (QObject *o : all)
        replaceOne(o);
    // Actions added to menus or toolbars without being their children.
    const QList<QWidget *> widgets = form->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        for (QAction *a : w->actions()) {
            if (!form->isAncestorOf(qobject_cast<QWidget *>(a->parent())) && a->parent() != form)
                replaceOne(a);
        }
    }
}
