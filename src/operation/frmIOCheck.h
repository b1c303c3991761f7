#pragma once

#include "operation/IoMonitor.h"
#include "operation/IoMonitorDisplay.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

// The input/output monitor: the controller's 24 inputs and 21 outputs as lamps; a click on an
// output lamp (or on the white icon of a dark one) toggles that output at the next read.
class frmIOCheck : public QDialog, private IoMonitorDisplay
{
    Q_OBJECT

public:
    explicit frmIOCheck(QWidget *mainWindow = nullptr);
    ~frmIOCheck() override;

    IoMonitor &monitor() { return m_monitor; }

    void cmdIoMonitor_Click();
    void cmdIoWinClose_Click();
    void TimerBtnOff_Timer();
    void timerInputOutput1_Timer();
    // A click on output `index` (0 to 20, in the order of the white icons) on its lamp or icon.
    void outputLamp_Click(int index);
    void imgWhiteIcon_Click(int index); // 24 to 44

    void IoStateHyoji() override;
    void AllLED_Off() override;
    void IoMonitorStartDisp() override;
    void IoMonitorStopDisp() override;

    QTimer *timerInputOutput1() const { return m_timerInputOutput1; }
    QTimer *TimerBtnOff() const { return m_timerBtnOff; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool ignoreExternalInput() const override;
    void Form_Unload();

    IoMonitor m_monitor;
    QPushButton *cmdIoMonitor;
    QPushButton *cmdIoWinClose;
    QCheckBox *chkIgnore;
    QGroupBox *framInput;
    QGroupBox *framOutput;
    QList<QWidget *> m_inputLamps;
    QList<QToolButton *> m_outputLamps;
    QList<QToolButton *> m_whiteIcons;
    QTimer *m_timerInputOutput1;
    QTimer *m_timerBtnOff;
};

namespace operation {
// The main window's button, toolbar entry and menu item of the monitor.
void registerIoCheckCommands();
} // namespace operation
