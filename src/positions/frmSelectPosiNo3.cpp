#include "positions/frmSelectPosiNo3.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiNoBox.h"
#include "positions/PosiRange.h"
#include "positions/PosiTable.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
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
    auto *startLabel = new QLabel(this);
    startLabel->setObjectName(QStringLiteral("lblStartPosiMoji"));
    formtext::tag(startLabel, 1809);
    auto *endLabel = new QLabel(this);
    endLabel->setObjectName(QStringLiteral("lblEndPosiMoji"));
    formtext::tag(endLabel, 1810);
    m_start = new QLineEdit(this);
    m_start->setObjectName(QStringLiteral("txtStartPosiNo"));
    m_end = new QLineEdit(this);
    m_end->setObjectName(QStringLiteral("txtEndPosiNo"));
    startLabel->setBuddy(m_start);
    endLabel->setBuddy(m_end);
    grid->addWidget(startLabel, 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(endLabel, 1, 0);
    grid->addWidget(m_end, 1, 1);
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
    connect(m_ok, &QPushButton::clicked, this, &frmSelectPosiNo3::cmdSelectPosiOk_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmSelectPosiNo3::reject);

    if (parent)
        move(parent->window()->pos() + QPoint(33, 33));
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
