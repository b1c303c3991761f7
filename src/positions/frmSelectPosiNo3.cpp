#include "positions/frmSelectPosiNo3.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"
#include "positions/PosiRange.h"
#include "tables/PosiTable.h"
#include "positions/RangeWindowParts.h"
#include "platform/Screen.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSelectPosiNo3::frmSelectPosiNo3(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectPosiNo3"));
    core::formtext::tagWindow(this, 2101);
    auto *v = new QVBoxLayout(this);
    positions::rangewindow::addExplanation(this, v);

    auto *grid = new QGridLayout;
    const positions::rangewindow::NumberBoxes boxes = positions::rangewindow::addNumberBoxes(this, grid);
    m_start = boxes.start;
    m_end = boxes.end;
    v->addLayout(grid);

    const positions::rangewindow::OkCancel buttons = positions::rangewindow::addRuleAndButtons(this, v);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    positions::rangewindow::wireNumbersAndButtons(this, boxes, buttons, [this] { cmdSelectPosiOk_Click(); });

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    gSelectCancel = false;
    Set_FormStr(this);
    m_start->setText(QString::number(gPosiNoDefFrom));
    m_end->setText(QString::number(gPosiNoDefTo));
}

void frmSelectPosiNo3::cmdSelectPosiOk_Click()
{
    positions::rangewindow::acceptOrTell(this, positions::posirange::acceptRange3(m_start->text(), m_end->text()));
}

void frmSelectPosiNo3::reject()
{
    gSelectCancel = true;
    QDialog::reject();
}
