#include "positions/frmPrintSelect.h"

#include "core/FormText.h"
#include "positions/PosiPrintCommands.h"
#include "platform/Screen.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPrintSelect::frmPrintSelect(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrintSelect"));
    setModal(true);
    core::formtext::tagWindow(this, 1801);

    frmPrintPosi = new QGroupBox(this);
    frmPrintPosi->setObjectName(QStringLiteral("frmPrintPosi"));
    core::formtext::tag(frmPrintPosi, 1803);
    for (int i = 0; i < 2; ++i) {
        optPrintPosi[i] = new QRadioButton(frmPrintPosi);
        optPrintPosi[i]->setObjectName(QStringLiteral("optPrintPosi%1").arg(i));
        core::formtext::tag(optPrintPosi[i], 1804 + i);
    }
    optPrintPosi[0]->setChecked(true);
    optPrintPosi[1]->setEnabled(false);
    lblPrintPosiName = new QLabel(frmPrintPosi);
    lblPrintPosiName->setObjectName(QStringLiteral("lblPrintPosiName"));
    core::formtext::tag(lblPrintPosiName, 1806);
    lblPrintPosiName->setAutoFillBackground(true);
    QPalette pal = lblPrintPosiName->palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    lblPrintPosiName->setPalette(pal);
    lblPrintPosiName->setEnabled(false);
    cmdSelectPosiFile = new QPushButton(frmPrintPosi);
    cmdSelectPosiFile->setObjectName(QStringLiteral("cmdSelectPosiFile"));
    core::formtext::tag(cmdSelectPosiFile, 1807);
    cmdSelectPosiFile->setEnabled(false);
    cmdSelectPosiFile->setAutoDefault(false);

    cmdPrintSet = new QPushButton(this);
    cmdPrintSet->setObjectName(QStringLiteral("cmdPrintSet"));
    core::formtext::tag(cmdPrintSet, 1403);
    cmdPrintCancel = new QPushButton(this);
    cmdPrintCancel->setObjectName(QStringLiteral("cmdPrintCancel"));
    core::formtext::tag(cmdPrintCancel, 1404);
    // No default button: Enter presses OK only while OK has the focus (keyPressEvent).
    cmdPrintSet->setAutoDefault(false);
    cmdPrintCancel->setAutoDefault(false);

    auto *file = new QHBoxLayout;
    file->addWidget(lblPrintPosiName, 1);
    file->addWidget(cmdSelectPosiFile);
    auto *frame = new QVBoxLayout(frmPrintPosi);
    frame->addWidget(optPrintPosi[0]);
    frame->addWidget(optPrintPosi[1]);
    frame->addLayout(file);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrintSet);
    buttons->addWidget(cmdPrintCancel);
    auto *v = new QVBoxLayout(this);
    v->addWidget(frmPrintPosi);
    v->addLayout(buttons);

    connect(cmdPrintSet, &QPushButton::clicked, this, &frmPrintSelect::cmdPrintSet_Click);
    connect(cmdPrintCancel, &QPushButton::clicked, this, &frmPrintSelect::cmdPrintCancel_Click);

    if (parent)
        platform::placeBesideOwner(this, parent->window());
    PrintCancel = false;
    Set_FormStr(this);
}

void frmPrintSelect::cmdPrintSet_Click()
{
    PrintPosiNow = false;
    if (optPrintPosi[0]->isChecked())
        PrintPosiNow = true;
    m_closing = true;
    accept();
}

void frmPrintSelect::cmdPrintCancel_Click()
{
    PrintCancel = true;
    m_closing = true;
    QDialog::reject();
}

void frmPrintSelect::reject()
{
    cmdPrintCancel_Click();
}

void frmPrintSelect::closeEvent(QCloseEvent *event)
{
    if (!m_closing)
        PrintCancel = true;
    QDialog::closeEvent(event);
}

void frmPrintSelect::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (focusWidget() == cmdPrintSet)
            cmdPrintSet->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
