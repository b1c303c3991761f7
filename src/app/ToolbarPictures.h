#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The main window's toolbar pictures, drawn here so that each shows its own command on any
// desktop, with or without an icon theme.
namespace app::toolbarpics {

// The picture of the toolbar button with this key ("New", "Print", "LineCopy", ...), size x
// size pixels; a null pixmap for a key that has none.
QPixmap picture(const QString &key, int size);

// The button's icon: the picture at the toolbar's sizes, with a faded look when disabled.
QIcon icon(const QString &key);

} // namespace app::toolbarpics
