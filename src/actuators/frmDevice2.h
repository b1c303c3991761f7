#pragma once

#include "actuators/DeviceWindowParts.h"

#include <QDialog>

class QPushButton;

// The offline actuator setup window: the operator chooses each axis' actuator; Set takes the
// choice into the pending set, Cancel leaves it as it was when the window opened.
class frmDevice2 : public QDialog
{
    Q_OBJECT

public:
    explicit frmDevice2(QWidget *parent = nullptr);

    DevicePanels &panels() { return m_panels; }
    const actuators::devicewindow::Controls &controls() const { return m_controls; }
    QPushButton *cmdDeviceSet() const { return m_cmdDeviceSet; }
    QPushButton *cmdDeviceCancel() const { return m_cmdDeviceCancel; }
    bool CancelFlag() const { return m_panels.CancelFlag; }

public Q_SLOTS:
    // Esc and the close box: Cancel, refused while the start-up requires a choice.
    void reject() override;

private:
    void cmdDeviceSet_Click();
    void cmdDeviceCancel_Click();

    DevicePanels m_panels;
    actuators::devicewindow::Controls m_controls;
    QPushButton *m_cmdDeviceSet;
    QPushButton *m_cmdDeviceCancel;
};
