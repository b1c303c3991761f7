#include "positions/frmSelectPosiNo2.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"
#include "positions/PosiRange.h"
#include "tables/PosiTable.h"
#include "positions/RangeWindowParts.h"
#include "platform/Screen.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmSelectPosiNo2::frmSelectPosiNo2(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectPosiNo2"));
    core::formtext::tagWindow(this, 2101);
    auto *v = new QVBoxLayout(this);
    positions::rangewindow::addExplanation(this, v);

    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        m_opt[i] = new QRadioButton(this);
        m_opt[i]->setObjectName(QStringLiteral("optSelectPosiNo%1").arg(i));
        core::formtext::tag(m_opt[i], 2103 + i);
        group->addButton(m_opt[i], i);
        v->addWidget(m_opt[i]);
    }

    auto *grid = new QGridLayout;
    const positions::rangewindow::NumberBoxes boxes = positions::rangewindow::addNumberBoxes(this, grid);
    m_startLabel = boxes.startLabel;
    m_endLabel = boxes.endLabel;
    m_start = boxes.start;
    m_end = boxes.end;
    grid->setContentsMargins(20, 0, 0, 0);
    v->addLayout(grid);

    const positions::rangewindow::OkCancel buttons = positions::rangewindow::addRuleAndButtons(this, v);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    positions::rangewindow::wireNumbersAndButtons(this, boxes, buttons, [this] { cmdSelectPosiOk_Click(); });
    connect(group, &QButtonGroup::idClicked, this, &frmSelectPosiNo2::optSelectPosiNo_Click);

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    gSelectCancel = false;
    Set_FormStr(this);
    m_start->setText(QString::number(positions::posirange::offeredFrom2()));
    m_end->setText(QString::number(positions::posirange::offeredTo2()));
    m_opt[0]->setChecked(true);
    optSelectPosiNo_Click(0);
}

void frmSelectPosiNo2::optSelectPosiNo_Click(int index)
{
    const bool numbers = index == 1;
    m_startLabel->setEnabled(numbers);
    m_endLabel->setEnabled(numbers);
    m_start->setEnabled(numbers);
    m_end->setEnabled(numbers);
}

void frmSelectPosiNo2::cmdSelectPosiOk_Click()
{
    positions::rangewindow::acceptOrTell(this, positions::posirange::acceptRange2(m_opt[0]->isChecked(), m_start->text(), m_end->text()));
}

void frmSelectPosiNo2::reject()
{
    gSelectCancel = true;
    QDialog::reject();
}
