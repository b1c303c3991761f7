#include "positions/frmSelectPosiNo4.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "positions/PosiCompare.h"
#include "positions/PosiNoBox.h"
#include "tables/PosiTable.h"
#include "positions/RangeWindowParts.h"
#include "platform/Screen.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *numberLabel(QWidget *parent, const QString &name, int value)
{
    auto *label = new QLabel(QString::number(value), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}
} // namespace

frmSelectPosiNo4::frmSelectPosiNo4(bool overlap, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectPosiNo4"));
    core::formtext::tagWindow(this, 2101);
    gSelectCancel = false;

    // The two ranges side by side: the file's and the displayed one.
    auto *ranges = new QGridLayout;
    auto *fileLabel = new QLabel(this);
    fileLabel->setObjectName(QStringLiteral("lblFileMoji"));
    core::formtext::tag(fileLabel, 1805);
    auto *pcLabel = new QLabel(this);
    pcLabel->setObjectName(QStringLiteral("lblPcMoji"));
    core::formtext::tag(pcLabel, 1804);
    lblFileStartNo = numberLabel(this, QStringLiteral("lblFileStartNo"), gPosiFileNoFrom);
    lblFileEndNo = numberLabel(this, QStringLiteral("lblFileEndNo"), gPosiFileNoTo);
    lblPcStartNo = numberLabel(this, QStringLiteral("lblPcStartNo"), gPosiNoDefFrom);
    lblPcEndNo = numberLabel(this, QStringLiteral("lblPcEndNo"), gPosiNoDefTo);
    ranges->addWidget(fileLabel, 0, 0);
    ranges->addWidget(lblFileStartNo, 0, 1);
    ranges->addWidget(new QLabel(QStringLiteral("-"), this), 0, 2);
    ranges->addWidget(lblFileEndNo, 0, 3);
    ranges->addWidget(pcLabel, 1, 0);
    ranges->addWidget(lblPcStartNo, 1, 1);
    ranges->addWidget(new QLabel(QStringLiteral("-"), this), 1, 2);
    ranges->addWidget(lblPcEndNo, 1, 3);

    lblNotice = new QLabel(this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setWordWrap(true);
    core::formtext::tag(lblNotice, 342);

    PictureVerifyRange = new QWidget(this);
    PictureVerifyRange->setObjectName(QStringLiteral("PictureVerifyRange"));
    auto *box = new QGridLayout(PictureVerifyRange);
    box->setContentsMargins(0, 0, 0, 0);
    const positions::rangewindow::NumberBoxes boxes = positions::rangewindow::addNumberBoxes(PictureVerifyRange, box);
    txtStartPosiNo = boxes.start;
    txtEndPosiNo = boxes.end;

    const positions::rangewindow::OkCancel buttons = positions::rangewindow::makeOkCancel(this);
    cmdSelectPosiOk = buttons.ok;
    cmdSelectPosiCancel = buttons.cancel;

    auto *v = new QVBoxLayout(this);
    v->addLayout(ranges);
    v->addWidget(lblNotice);
    v->addWidget(PictureVerifyRange);
    v->addLayout(buttons.row);

    positions::posinobox::setUp(txtStartPosiNo, txtEndPosiNo);
    positions::posinobox::setUp(txtEndPosiNo, cmdSelectPosiOk);
    connect(cmdSelectPosiOk, &QPushButton::clicked, this, &frmSelectPosiNo4::cmdSelectPosiOk_Click);
    connect(cmdSelectPosiCancel, &QPushButton::clicked, this, &frmSelectPosiNo4::reject);

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    Set_FormStr(this);
    txtStartPosiNo->setText(QString::number(gPosiCommonFrom));
    txtEndPosiNo->setText(QString::number(gPosiCommonTo));
    lblNotice->setVisible(!overlap);
    PictureVerifyRange->setVisible(overlap);
    PictureVerifyRange->setEnabled(overlap);
}

void frmSelectPosiNo4::cmdSelectPosiOk_Click()
{
    if (!PictureVerifyRange->isEnabled()) {
        accept();
        return;
    }
    const int result = positions::acceptRange4(txtStartPosiNo->text(), txtEndPosiNo->text());
    if (result == 1) {
        ResMsgBox({1610});
        return;
    }
    if (result == 0)
        accept();
}

void frmSelectPosiNo4::reject()
{
    gSelectCancel = true;
    QDialog::reject();
}
