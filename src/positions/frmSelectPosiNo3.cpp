#include "positions/frmSelectPosiNo3.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"
#include "positions/PosiRange.h"
#include "positions/PosiTable.h"
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
    formtext::tagWindow(this, 2101);
    auto *v = new QVBoxLayout(this);
    auto *explain = new QLabel(this);
    explain->setObjectName(QStringLiteral("lblSetumeiSelectNo"));
    formtext::tag(explain, 2102);
    v->addWidget(explain);

    auto *grid = new QGridLayout;
    const rangewindow::NumberBoxes boxes = rangewindow::addNumberBoxes(this, grid);
    m_start = boxes.start;
    m_end = boxes.end;
    v->addLayout(grid);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(line);

    const rangewindow::OkCancel buttons = rangewindow::makeOkCancel(this);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    v->addLayout(buttons.row);

    posinobox::setUp(m_start, m_end);
    posinobox::setUp(m_end, m_ok);
    connect(m_ok, &QPushButton::clicked, this, &frmSelectPosiNo3::cmdSelectPosiOk_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmSelectPosiNo3::reject);

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    gSelectCancel = false;
    Set_FormStr(this);
    m_start->setText(QString::number(gPosiNoDefFrom));
    m_end->setText(QString::number(gPosiNoDefTo));
}

void frmSelectPosiNo3::cmdSelectPosiOk_Click()
{
    if (posirange::acceptRange3(m_start->text(), m_end->text()) != 0) {
        ResMsgBox({1610});
        return;
    }
    accept();
}

void frmSelectPosiNo3::reject()
{
    gSelectCancel = true;
    QDialog::reject();
}
