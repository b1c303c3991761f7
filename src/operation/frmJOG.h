#pragma once

#include "operation/JogControl.h"
#include "operation/JogDisplay.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;
namespace platform {
class FixedGrid;
}

// The jog and teaching window: moves the axes by hand (JOG feed while a button is held with the
// mouse, or inching by 1, 10 or 100 pulses a click), shows the present positions and takes them
// into its own copy of the position rows; on closing the operator decides whether they go to
// the main grid.
class frmJOG : public QDialog, private JogDisplay
{
    Q_OBJECT

public:
    explicit frmJOG(QWidget *mainWindow = nullptr);
    ~frmJOG() override;

    JogControl &control() { return m_control; }

    void cmdJOGST_Click();
    void cmdJOG_MouseDown(int index);
    void cmdJOG_MouseUp(int index);
    void timerTusin_Timer();
    void TimerDelay_Timer();
    void cmdJOGWrite_Click();
    void flgdJOGPosi_Click(int row);
    void cmdJOGend_Click();
    void JogGridStateOff();
    void JogGridStateOn();

    int SelectRowNo() const { return m_selectRowNo; }
    platform::FixedGrid *grid() const { return flgdJOGPosi; }
    QTimer *timerTusin() const { return m_timerTusin; }
    QTimer *TimerDelay() const { return m_timerDelay; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // Form_QueryUnload: true when the window may close.
    bool queryUnload();
    void Form_Unload();
    int option() const;
    void colourRows();

    void showPresentPosition(int axis, const QString &text) override;
    void setPositionLabelsLit(const bool (&lit)[4]) override;
    void enableStart(bool on) override;
    void enableJogControls() override;
    void JogCMDBTN_Muko() override;
    void setCommTimer(bool on) override;
    void startPressGate() override;
    void restoreGridState() override;

    JogControl m_control;
    QGroupBox *Frame1;
    QRadioButton *optJOG[4];
    QPushButton *cmdJOG[8];
    QPushButton *cmdJOGST;
    QPushButton *cmdJOGWrite;
    QPushButton *cmdJOGend;
    QLabel *lblPosi[4];
    QLabel *lblGenzaitiHyoji;
    QLabel *lblPosiNo;
    QLabel *lblJogVEL;
    platform::FixedGrid *flgdJOGPosi;
    QTimer *m_timerTusin;
    QTimer *m_timerDelay;
    int m_selectRowNo = 1;
    bool m_changed = false;
    bool m_unloaded = false;
    bool m_closing = false; // the close question is under way
};

namespace operation {
// The main window's teach button and menu item.
void registerJogCommands();
} // namespace operation
