#pragma once

class QObject;
class QWidget;

// Windows carry message identifiers in their layout: a control's "Tag" property names the
// text of its caption, "TipTag" that of its tool tip, "TabTag" (on a tab page) that of its
// tab. The layout text is the Japanese text, which a control keeps when the current
// language has no text for its identifier.
namespace core::formtext {

// Gives a control (widget, menu action, toolbar action) its caption identifier and layout text.
void tag(QObject *control, int id);
void tagTip(QObject *control, int id);
void tagTab(QWidget *page, int id);
// A window's caption identifier.
void tagWindow(QWidget *window, int id);

} // namespace core::formtext

// Replaces the identifiers of a window and its controls by their texts in the current
// language; a replacement that cannot be made is skipped and the layout text stays. An
// accessible name taken from a caption (the control's own, a label's buddy's) follows it.
void Set_FormStr(QWidget *form);
