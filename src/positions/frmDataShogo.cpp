#include "positions/frmDataShogo.h"

#include "core/FormText.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmDataShogo::frmDataShogo(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDataShogo"));
    setModal(true);
    core::formtext::tagWindow(this, 1701);

    imgQuestion = new QLabel(this);
    imgQuestion->setObjectName(QStringLiteral("imgQuestion"));
    imgQuestion->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    lblDataShogo = new QLabel(this);
    lblDataShogo->setObjectName(QStringLiteral("lblDataShogo"));
    lblDataShogo->setWordWrap(true);
    core::formtext::tag(lblDataShogo, 1702);

    cmdFileDataShogo = new QPushButton(this);
    cmdFileDataShogo->setObjectName(QStringLiteral("cmdFileDataShogo"));
    core::formtext::tag(cmdFileDataShogo, 1703);
    cmdCtDataShogo = new QPushButton(this);
    cmdCtDataShogo->setObjectName(QStringLiteral("cmdCtDataShogo"));
    core::formtext::tag(cmdCtDataShogo, 1704);
    cmdCancelOfShogo = new QPushButton(this);
    cmdCancelOfShogo->setObjectName(QStringLiteral("cmdCancelOfShogo"));
    core::formtext::tag(cmdCancelOfShogo, 1705);

    auto *top = new QHBoxLayout;
    top->addWidget(imgQuestion, 0, Qt::AlignTop);
    top->addWidget(lblDataShogo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdFileDataShogo);
    buttons->addWidget(cmdCtDataShogo);
    buttons->addWidget(cmdCancelOfShogo);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(buttons);

    connect(cmdFileDataShogo, &QPushButton::clicked, this, &frmDataShogo::cmdFileDataShogo_Click);
    connect(cmdCtDataShogo, &QPushButton::clicked, this, &frmDataShogo::cmdCtDataShogo_Click);
    connect(cmdCancelOfShogo, &QPushButton::clicked, this, &frmDataShogo::cmdCancelOfShogo_Click);

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    Set_FormStr(this);
    ShogoSaki = 0;
}

void frmDataShogo::cmdFileDataShogo_Click()
{
    ShogoSaki = 1;
    accept();
}

void frmDataShogo::cmdCtDataShogo_Click()
{
    ShogoSaki = 2;
    accept();
}

void frmDataShogo::cmdCancelOfShogo_Click()
{
    reject();
}
