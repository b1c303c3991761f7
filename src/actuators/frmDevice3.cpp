#include "actuators/frmDevice3.h"

#include "actuators/DevWinFlags.h"
#include "core/FormText.h"

#include <QPushButton>
#include <QVBoxLayout>

frmDevice3::frmDevice3(QWidget *parent)
    : QDialog(parent)
    , m_panels(DevicePanels::Kind::Online)
{
    setObjectName(QStringLiteral("frmDevice3"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    formtext::tagWindow(this, 1501);

    auto *commands = new QWidget(this);
    m_cmdPrmCtWrite = new QPushButton(commands);
    m_cmdPrmCtWrite->setObjectName(QStringLiteral("cmdPrmCtWrite"));
    formtext::tag(m_cmdPrmCtWrite, 1503);
    m_cmdPrmCtWrite->setMinimumHeight(855 / 15);
    // The write of the chosen actuators to the controller is wired with the parameter window,
    // which it hands over to; until then the command is offered but not available.
    m_cmdPrmCtWrite->setEnabled(false);
    m_cmdDeviceCancel = new QPushButton(commands);
    m_cmdDeviceCancel->setObjectName(QStringLiteral("cmdDeviceCancel"));
    formtext::tag(m_cmdDeviceCancel, 1404);
    m_cmdSyosai = new QPushButton(commands);
    m_cmdSyosai->setObjectName(QStringLiteral("cmdSyosai"));
    formtext::tag(m_cmdSyosai, 1502);
    // The online window's own OK is never offered: Detail Edit runs its Set.
    m_cmdDeviceSet = new QPushButton(commands);
    m_cmdDeviceSet->setObjectName(QStringLiteral("cmdDeviceSet"));
    m_cmdDeviceSet->setText(QStringLiteral("OK"));
    m_cmdDeviceSet->setVisible(false);
    m_cmdDeviceSet->setEnabled(false);

    auto *column = new QVBoxLayout(commands);
    column->addWidget(m_cmdPrmCtWrite);
    column->addSpacing(24);
    column->addWidget(m_cmdDeviceCancel);
    column->addStretch();
    column->addWidget(m_cmdSyosai);
    column->addWidget(m_cmdDeviceSet);

    auto *layout = new QVBoxLayout(this);
    devicewindow::buildPanels(this, layout, commands, m_controls);
    devicewindow::placeBesideMainWindow(this);
    Set_FormStr(this);

    m_panels.Form_Load();
    devicewindow::showState(m_panels, m_controls);
    devicewindow::connectPanels(this, m_panels, m_controls);

    connect(m_cmdSyosai, &QPushButton::clicked, this, &frmDevice3::cmdSyosai_Click);
    connect(m_cmdDeviceCancel, &QPushButton::clicked, this, &frmDevice3::cmdDeviceCancel_Click);
}

void frmDevice3::cmdDeviceSet_Click()
{
    m_panels.cmdDeviceSet_Click();
    done(QDialog::Accepted);
}

void frmDevice3::cmdSyosai_Click()
{
    gDevSyosaiReq = true;
    cmdDeviceSet_Click();
}

void frmDevice3::cmdDeviceCancel_Click()
{
    m_panels.cmdDeviceCancel_Click();
    done(QDialog::Rejected);
}

void frmDevice3::reject()
{
    cmdDeviceCancel_Click();
}
