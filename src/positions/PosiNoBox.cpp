#include "positions/PosiNoBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>

namespace positions::posinobox {

namespace {

class EnterMovesFocus : public QObject
{
public:
    EnterMovesFocus(QLineEdit *box, QWidget *next)
        : QObject(box)
        , m_next(next)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (m_next)
                    m_next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_next;
};

} // namespace

void setUp(QLineEdit *box, QWidget *next)
{
    box->setMaxLength(3);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), box));
    box->installEventFilter(new EnterMovesFocus(box, next));
}

} // namespace positions::posinobox
