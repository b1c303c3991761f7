#pragma once

#include "actuators/DeviceWindowParts.h"

#include <QDialog>

class QPushButton;

// The online actuator setup window: the controller's axes and actuators, chosen anew.
// "Detail Edit" takes the choice into the pending set (the window's Set) and asks for the
// parameter window; Cancel leaves the pending set as it was when the window opened.
class frmDevice3 : public QDialog
{
    Q_OBJECT

public:
    explicit frmDevice3(QWidget *parent = nullptr);

    DevicePanels &panels() { return m_panels; }
    const actuators::devicewindow::Controls &controls() const { return m_controls; }
    QPushButton *cmdDeviceSet() const { return m_cmdDeviceSet; }
    QPushButton *cmdDeviceCancel() const { return m_cmdDeviceCancel; }
    QPushButton *cmdPrmCtWrite() const { return m_cmdPrmCtWrite; }
    QPushButton *cmdSyosai() const { return m_cmdSyosai; }
    bool CancelFlag() const { return m_panels.CancelFlag; }

    void cmdDeviceSet_Click();
    // Change and Write: the chosen axes and actuators with their factory parameters written to
    // the controller and read back; the window closes at the end whatever the outcome.
    void cmdPrmCtWrite_Click();
    void Device3CMDBTN_Muko();
    void Device3CMDBTN_Yuko();

public Q_SLOTS:
    void reject() override;

private:
    void cmdSyosai_Click();
    void cmdDeviceCancel_Click();
    void changeAndWrite();
    // The axis-use rewrite, the factory parameters and their write; false on a stop, with
    // `stop` set to this sequence's own reason when it has one (the link's are held), and
    // `blocksSent` once the parameter blocks have begun to go.
    bool writeChosenActuators(QString &stop, bool &blocksSent);
    // After a stop once the axis use may have reached the controller: the system and both
    // windows follow the controller's axis use when it can be read (else the system's own; a
    // port the link declared dead is not tried); offline when the controller's axis use or
    // parameters are unknown; one box says why and what now.
    void followControllerAxisUse(const QStringList &linkTold, const QString &stop, bool portDead,
                                 bool blocksSent, const bool (&unusedBefore)[kAxisCount], int maskBefore);
    // After the controller took the whole set: its plain mode, the read-back, the chosen
    // actuators current, 1527 (with 2921 when the read-back failed).
    void takeWrittenActuators();
    // The axis use on the main window (designations, headings, columns) and in this window.
    void showAxisUse();

    DevicePanels m_panels;
    actuators::devicewindow::Controls m_controls;
    QPushButton *m_cmdDeviceSet;
    QPushButton *m_cmdDeviceCancel;
    QPushButton *m_cmdPrmCtWrite;
    QPushButton *m_cmdSyosai;
    bool m_writing = false; // Change and Write is running
};
