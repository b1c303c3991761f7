#include "positions/RangeWindowParts.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"

#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace positions::rangewindow {

NumberBoxes addNumberBoxes(QWidget *parent, QGridLayout *grid)
{
    NumberBoxes b;
    b.startLabel = new QLabel(parent);
    b.startLabel->setObjectName(QStringLiteral("lblStartPosiMoji"));
    core::formtext::tag(b.startLabel, 1809);
    b.endLabel = new QLabel(parent);
    b.endLabel->setObjectName(QStringLiteral("lblEndPosiMoji"));
    core::formtext::tag(b.endLabel, 1810);
    b.start = new QLineEdit(parent);
    b.start->setObjectName(QStringLiteral("txtStartPosiNo"));
    b.end = new QLineEdit(parent);
    b.end->setObjectName(QStringLiteral("txtEndPosiNo"));
    b.startLabel->setBuddy(b.start);
    b.endLabel->setBuddy(b.end);
    grid->addWidget(b.startLabel, 0, 0);
    grid->addWidget(b.start, 0, 1);
    grid->addWidget(b.endLabel, 1, 0);
    grid->addWidget(b.end, 1, 1);
    return b;
}

OkCancel makeOkCancel(QWidget *parent)
{
    OkCancel c;
    c.ok = new QPushButton(parent);
    c.ok->setObjectName(QStringLiteral("cmdSelectPosiOk"));
    core::formtext::tag(c.ok, 1403);
    c.cancel = new QPushButton(parent);
    c.cancel->setObjectName(QStringLiteral("cmdSelectPosiCancel"));
    core::formtext::tag(c.cancel, 1404);
    c.row = new QHBoxLayout;
    c.row->addStretch(1);
    c.row->addWidget(c.ok);
    c.row->addWidget(c.cancel);
    return c;
}

void addExplanation(QWidget *parent, QVBoxLayout *column)
{
    auto *explain = new QLabel(parent);
    explain->setObjectName(QStringLiteral("lblSetumeiSelectNo"));
    core::formtext::tag(explain, 2102);
    column->addWidget(explain);
}

OkCancel addRuleAndButtons(QWidget *parent, QVBoxLayout *column)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);

    const OkCancel buttons = makeOkCancel(parent);
    column->addLayout(buttons.row);
    return buttons;
}

void wireNumbersAndButtons(QDialog *window, const NumberBoxes &boxes, const OkCancel &buttons,
                           std::function<void()> ok)
{
    positions::posinobox::setUp(boxes.start, boxes.end);
    positions::posinobox::setUp(boxes.end, buttons.ok);
    QObject::connect(buttons.ok, &QPushButton::clicked, window, std::move(ok));
    QObject::connect(buttons.cancel, &QPushButton::clicked, window, &QDialog::reject);
}

void acceptOrTell(QDialog *window, int result)
{
    if (result != 0) {
        ResMsgBox({1610});
        return;
    }
    window->accept();
}

} // namespace positions::rangewindow
