#include "support/ShownValues.h"

#include <QComboBox>
#include <QLineEdit>

QStringList shownValues(const QWidget *w)
{
    QStringList out;
    for (const QLineEdit *e : w->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(e->parentWidget()))
            out << e->objectName() + QLatin1Char('=') + e->text();
    }
    for (const QComboBox *c : w->findChildren<QComboBox *>())
        out << c->objectName() + QLatin1Char('=')
                   + (c->isEditable() ? c->currentText() : QString::number(c->currentIndex()));
    out.sort();
    return out;
}
