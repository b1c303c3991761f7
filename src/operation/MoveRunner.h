#pragma once

#include "link/Exchange.h"

#include <QString>
#include <QTimer>

// The controls of the test-move window as the runs see them, by the window's control names
// ("chkRepeat", "optSelectMode1", "txtTimer", "lblStartPosiNo", "flgdProgram", ...). The
// window implements it; the tests may use a window or a fake.
class MoveRunPanel
{
public:
    virtual ~MoveRunPanel() = default;
    // The text of program step 1 to 15 (empty or a position number).
    virtual QString programStep(int step) const = 0;
    virtual bool isChecked(const QString &control) const = 0;
    virtual QString text(const QString &control) const = 0;
    virtual bool isEnabled(const QString &control) const = 0;
    virtual void setEnabled(const QString &control, bool on) = 0;
    virtual void setPageEnabled(int page, bool on) = 0;
    virtual void MoveCMDBTN_Muko() = 0;
    virtual void MoveCMDBTN_Yuko() = 0;
    virtual void setFocusTo(const QString &control) { Q_UNUSED(control); }
    // The dispatcher has ended a run and is idle again.
    virtual void runEnded() {}
};

// The output lamps of the test-move window (0 to 3: bit 0 OUT1, bit 1 OUT2; others change
// nothing). Reaches the window through the link's move-window hooks.
void MoveStateHyoji(int state);

// The requests, runs, stop and pause flags of the test-move window. A start button only
// posts a request; the dispatcher (timerEventCheck_Timer, every 100 ms) runs it while the
// link is idle, with the main window's commands and the window's own controls locked.
class MoveRunner
{
public:
    explicit MoveRunner(MoveRunPanel &panel);
    MoveRunner(const MoveRunner &) = delete;
    MoveRunner &operator=(const MoveRunner &) = delete;

    enum Request { NoRequest = 0, ProgramMove = 1, RangeMove = 2, HomeMove = 3, GroupMove = 4 };

    // Window-private variables, public so that the window and the tests can see them.
    int ExecMoveNo = NoRequest;
    bool Timeup = false;
    bool Tmp_Stop = false;
    bool Move_Stop = false;
    bool Tmp_Stop2 = false;
    bool Move_Stop2 = false;
    bool MoveFirstTime = true;
    int MoveStepNo = 0;
    int MovePosiNo = 0;
    int SelMovePosiNo = 0;

    QTimer timerEventCheck;
    QTimer Timer2;

    void timerEventCheck_Timer();
    void Timer2_Timer();

    // The start buttons: each posts its request (refused while the system is busy).
    void cmdMove_Click();
    void cmdSelectMove_Click();
    void cmdHome_Click();
    void cmdGrpMove_Click();
    // Stop and pause: only flags, honoured between two moves.
    void cmdStop_Click();
    void cmdTmpStop_Click();
    void cmdStop2_Click();
    void cmdTempStop2_Click();
    void cmdGrpMoveStop_Click();

    bool running() const { return m_running; }
    // Every stop flag at once (the window closing during a run).
    void requestStopAll();

    // The pause of the runs' waits and polls (100 ms); tests shorten it.
    static void setPauseMs(int ms);

private:
    void ContinualMove();
    void SelectMove();
    void HomeReturn();
    void GrpMove();

    bool runProgram();
    bool runRange();
    bool commonStart();
    bool completeMove(int position, bool closeOnFailure);
    void dwell(const QString &useBox, const QString &timeBox, const bool &stop, const bool &pause);
    // The link free again for the next exchange; false when the last one failed or the port
    // was lost since the run began (the run then goes to its end steps).
    bool waitLink();
    void pause();

    MoveRunPanel &m_panel;
    bool m_running = false;
    int m_request = NoRequest; // the run under way
    link::LossWatch m_loss;    // since the run under way began
};
