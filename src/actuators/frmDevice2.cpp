#include "actuators/frmDevice2.h"

#include "core/FormText.h"

#include <QPushButton>
#include <QVBoxLayout>

frmDevice2::frmDevice2(QWidget *parent)
    : QDialog(parent)
    , m_panels(DevicePanels::Kind::Offline)
{
    setObjectName(QStringLiteral("frmDevice2"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    core::formtext::tagWindow(this, 1401);

    auto *commands = new QWidget(this);
    m_cmdDeviceSet = new QPushButton(commands);
    m_cmdDeviceSet->setObjectName(QStringLiteral("cmdDeviceSet"));
    core::formtext::tag(m_cmdDeviceSet, 1403);
    m_cmdDeviceSet->setDefault(true);
    m_cmdDeviceCancel = new QPushButton(commands);
    m_cmdDeviceCancel->setObjectName(QStringLiteral("cmdDeviceCancel"));
    core::formtext::tag(m_cmdDeviceCancel, 1404);
    auto *column = new QVBoxLayout(commands);
    column->addWidget(m_cmdDeviceSet);
    column->addSpacing(24);
    column->addWidget(m_cmdDeviceCancel);
    column->addStretch();

    auto *layout = new QVBoxLayout(this);
    actuators::devicewindow::buildPanels(this, layout, commands, m_controls);
    actuators::devicewindow::placeBesideMainWindow(this);
    Set_FormStr(this);

    m_panels.Form_Load();
    m_cmdDeviceCancel->setVisible(m_panels.cancelShown);
    m_cmdDeviceCancel->setEnabled(m_panels.cancelShown);
    actuators::devicewindow::showState(m_panels, m_controls);
    actuators::devicewindow::connectPanels(this, m_panels, m_controls);

    connect(m_cmdDeviceSet, &QPushButton::clicked, this, &frmDevice2::cmdDeviceSet_Click);
    connect(m_cmdDeviceCancel, &QPushButton::clicked, this, &frmDevice2::cmdDeviceCancel_Click);
}

void frmDevice2::cmdDeviceSet_Click()
{
    m_panels.cmdDeviceSet_Click();
    done(QDialog::Accepted);
}

void frmDevice2::cmdDeviceCancel_Click()
{
    m_panels.cmdDeviceCancel_Click();
    done(QDialog::Rejected);
}

void frmDevice2::reject()
{
    if (!m_panels.mayCloseByOperator())
        return;
    cmdDeviceCancel_Click();
}
