#include "positions/frmSelectPosiNo2.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"
#include "positions/PosiRange.h"
#include "positions/PosiTable.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmSelectPosiNo2::frmSelectPosiNo2(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectPosiNo2"));
    formtext::tagWindow(this, 2101);
    auto *v = new QVBoxLayout(this);
    auto *explain = new QLabel(this);
    explain->setObjectName(QStringLiteral("lblSetumeiSelectNo"));
    formtext::tag(explain, 2102);
    v->addWidget(explain);

    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        m_opt[i] = new QRadioButton(this);
        m_opt[i]->setObjectName(QStringLiteral("optSelectPosiNo%1").arg(i));
        formtext::tag(m_opt[i], 2103 + i);
        group->addButton(m_opt[i], i);
        v->addWidget(m_opt[i]);
    }

    auto *grid = new QGridLayout;
    m_startLabel = new QLabel(this);
    m_startLabel->setObjectName(QStringLiteral("lblStartPosiMoji"));
    formtext::tag(m_startLabel, 1809);
    m_endLabel = new QLabel(this);
    m_endLabel->setObjectName(QStringLiteral("lblEndPosiMoji"));
    formtext::tag(m_endLabel, 1810);
    m_start = new QLineEdit(this);
    m_start->setObjectName(QStringLiteral("txtStartPosiNo"));
    m_end = new QLineEdit(this);
    m_end->setObjectName(QStringLiteral("txtEndPosiNo"));
    m_startLabel->setBuddy(m_start);
    m_endLabel->setBuddy(m_end);
    grid->addWidget(m_startLabel, 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(m_endLabel, 1, 0);
    grid->addWidget(m_end, 1, 1);
    grid->setContentsMargins(20, 0, 0, 0);
    v->addLayout(grid);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(line);

    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdSelectPosiOk"));
    formtext::tag(m_ok, 1403);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cmdSelectPosiCancel"));
    formtext::tag(m_cancel, 1404);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    v->addLayout(buttons);

    posinobox::setUp(m_start, m_end);
    posinobox::setUp(m_end, m_ok);
    connect(group, &QButtonGroup::idClicked, this, &frmSelectPosiNo2::optSelectPosiNo_Click);
    connect(m_ok, &QPushButton::clicked, this, &frmSelectPosiNo2::cmdSelectPosiOk_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmSelectPosiNo2::reject);

    if (parent)
        move(parent->window()->pos() + QPoint(33, 33));
    gSelectCancel = false;
    Set_FormStr(this);
    m_start->setText(QString::number(posirange::offeredFrom2()));
    m_end->setText(QString::number(posirange::offeredTo2()));
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
    if (posirange::acceptRange2(m_opt[0]->isChecked(), m_start->text(), m_end->text()) != 0) {
        ResMsgBox({1610});
        return;
    }
    accept();
}

void frmSelectPosiNo2::reject()
{
    gSelectCancel = true;
    QDialog::reject();
}
