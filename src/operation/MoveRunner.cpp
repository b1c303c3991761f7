#include "operation/MoveRunner.h"

#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/MsecTimerWait.h"
#include "link/OnlineMode.h"
#include "link/CommandSet.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "platform/Dialogs.h"
#include "platform/FieldText.h"
#include "tables/DevSetting.h"

#include <QCoreApplication>

#include <climits>

namespace {

int g_pauseMs = 100;

void enableResetButton(bool on)
{
    if (MainFormPort *form = core::mainform::form())
        form->setControlEnabled(QStringLiteral("cmdReset"), on);
}

void processEvents()
{
    QCoreApplication::processEvents();
}

void goOnline()
{
    leaveOfflineForExchange();
}

} // namespace

void MoveStateHyoji(int state)
{
    link::moveWindowHooks().MoveStateHyoji(state);
}

MoveRunner::MoveRunner(MoveRunPanel &panel)
    : m_panel(panel)
{
    timerEventCheck.setInterval(100);
    QObject::connect(&timerEventCheck, &QTimer::timeout, [this] { timerEventCheck_Timer(); });
    Timer2.setSingleShot(true);
    QObject::connect(&Timer2, &QTimer::timeout, [this] { Timer2_Timer(); });
}

void MoveRunner::setPauseMs(int ms)
{
    g_pauseMs = qMax(ms, 0);
}

void MoveRunner::pause()
{
    MsecTimerWait(g_pauseMs);
}

bool MoveRunner::waitLink()
{
    // A port lost between two exchanges is told by the link, whose box the run's own waits
    // show; a port that came back meanwhile must not see the run's next move.
    do {
        processEvents();
        pause();
    } while (gTusinNow && !gTusinErr && !m_loss.lost());
    return !gTusinErr && !m_loss.lost();
}

void MoveRunner::timerEventCheck_Timer()
{
    // Another operation between two of its exchanges leaves gTusinNow clear: the guard
    // keeps a run from starting in that gap.
    if (gTusinNow || ExecMoveNo == NoRequest || BusyGuard::busy())
        return;
    const int request = ExecMoveNo;
    timerEventCheck.stop();
    {
        BusyGuard busy;
        AllCMD_Muko();
        m_panel.MoveCMDBTN_Muko();
        enableResetButton(false);
        MenuFunction_Muko();
        gCmdNow = true;
        m_running = true;
        m_request = request;
        m_loss = link::LossWatch();

        switch (request) {
        case ProgramMove:
            ContinualMove();
            break;
        case RangeMove:
            SelectMove();
            break;
        case HomeMove:
            for (const char *name : {"cmdHome", "cmdSelectMove", "cmdMove", "SSTab1"})
                m_panel.setEnabled(QLatin1String(name), false);
            m_panel.setPageEnabled(0, false);
            m_panel.setPageEnabled(2, false);
            HomeReturn();
            for (const char *name : {"cmdHome", "cmdSelectMove", "cmdMove", "SSTab1"})
                m_panel.setEnabled(QLatin1String(name), true);
            m_panel.setPageEnabled(0, true);
            m_panel.setPageEnabled(2, true);
            break;
        case GroupMove:
            m_panel.setPageEnabled(0, false);
            m_panel.setPageEnabled(1, false);
            GrpMove();
            m_panel.setPageEnabled(0, true);
            m_panel.setPageEnabled(1, true);
            break;
        default:
            break;
        }

        m_running = false;
        m_request = NoRequest;
        // A stop request never outlives its run: a later run's link fault must be reported.
        gGrpMoveStop = false;
        gCmdNow = false;
        AllCMD_Yuko();
        MenuFunction_Yuko();
        m_panel.MoveCMDBTN_Yuko();
        enableResetButton(true);
    }
    if (request == GroupMove)
        m_panel.setFocusTo(QStringLiteral("sldrGrpNo")); // the next group; Space must not move again
    ExecMoveNo = NoRequest;
    timerEventCheck.start();
    m_panel.runEnded();
}

void MoveRunner::Timer2_Timer()
{
    Timeup = true;
    Timer2.stop();
}

void MoveRunner::cmdMove_Click()
{
    if (commandRefused())
        return;
    ExecMoveNo = ProgramMove;
}

void MoveRunner::cmdSelectMove_Click()
{
    if (commandRefused())
        return;
    ExecMoveNo = RangeMove;
}

void MoveRunner::cmdHome_Click()
{
    if (commandRefused())
        return;
    ExecMoveNo = HomeMove;
}

void MoveRunner::cmdGrpMove_Click()
{
    if (commandRefused())
        return;
    ExecMoveNo = GroupMove;
}

void MoveRunner::cmdStop_Click()
{
    if (!m_panel.isEnabled(QStringLiteral("cmdMove")))
        Move_Stop = true;
}

void MoveRunner::cmdTmpStop_Click()
{
    if (!m_panel.isEnabled(QStringLiteral("cmdMove")))
        Tmp_Stop = true;
}

void MoveRunner::cmdStop2_Click()
{
    if (!m_panel.isEnabled(QStringLiteral("cmdSelectMove")))
        Move_Stop2 = true;
}

void MoveRunner::cmdTempStop2_Click()
{
    if (!m_panel.isEnabled(QStringLiteral("cmdSelectMove")))
        Tmp_Stop2 = true;
}

void MoveRunner::cmdGrpMoveStop_Click()
{
    // Only a group move waits for it; set at any other time it would silence later faults.
    if (m_running && m_request == GroupMove)
        gGrpMoveStop = true;
}

void MoveRunner::requestStopAll()
{
    Move_Stop = true;
    Move_Stop2 = true;
    gGrpMoveStop = true;
}

bool MoveRunner::commonStart()
{
    goOnline();
    if (gTusinNow && !waitLink())
        return false;
    gTusinNow = true;
    if (ReadCtRAStatus() != 1)
        return false;
    if (!waitLink())
        return false;
    gTusinNow = true;
    if (ReadHomeStatus() == 1) {
        gTusinErr = false;
        CommPortClose();
        return false;
    }
    if (!gHomeDone) {
        if (!waitLink())
            return false;
        gTusinNow = true;
        if (CtMovePosi() == -1)
            return false;
    }
    return true;
}

bool MoveRunner::completeMove(int position, bool closeOnFailure)
{
    for (;;) {
        pause();
        if (!waitLink())
            return false;
        gTusinNow = true;
        const int status = ReadCtRAStatus();
        processEvents();
        processEvents();
        if (status == 1)
            break;
        if (status == -1) {
            if (closeOnFailure)
                CommPortClose();
            return false;
        }
    }
    processEvents();
    if (!waitLink())
        return false;
    gTusinNow = true;
    const int outputs = ReadOutputStatus();
    gTusinNow = false;
    if (outputs == -1)
        return false;
    link::showHomeLamp(true);
    MoveFirstTime = false;
    MoveStateHyoji(outputs);
    link::moveWindowHooks().setReachedPosition(QString::number(position));
    return true;
}

void MoveRunner::dwell(const QString &useBox, const QString &timeBox, const bool &stop,
                       const bool &pauseFlag)
{
    Timeup = false;
    if (m_panel.isChecked(useBox)) {
        const QString text = m_panel.text(timeBox);
        // The box is read as every numeric field is: wholly a number or none ("1.5abc" is
        // none, not 1.5). The free box takes any text and a fraction of its unit.
        const std::optional<double> value = platform::fieldNumber(text, platform::FieldForm{0, true});
        if (text.trimmed().isEmpty() || (value && *value < 0.0)) {
            // A negative wait cannot be timed: the moves follow each other without one.
            Timeup = true;
        } else if (value) {
            const qint64 ms = qRound64(qMin(*value * 100.0, double(INT_MAX)));
            if (ms > 0) {
                Timer2.setInterval(int(ms));
                Timer2.start();
            }
        }
        // A wait of 0, or a text that is no number, does not end by itself: Stop or Pause
        // ends it.
    } else {
        Timeup = true;
    }
    while (!Timeup && !stop && !pauseFlag) {
        processEvents();
        pause();
    }
    Timeup = true;
    Timer2.stop();
}

void MoveRunner::ContinualMove()
{
    m_panel.setPageEnabled(1, false);
    m_panel.setPageEnabled(2, false);
    m_panel.setEnabled(QStringLiteral("flgdProgram"), false);

    runProgram();

    Move_Stop = false;
    CommPortClose();
    if (m_panel.isChecked(QStringLiteral("chkTimerUse")))
        m_panel.setEnabled(QStringLiteral("txtTimer"), true);
    m_panel.setEnabled(QStringLiteral("chkTimerUse"), true);
    m_panel.setEnabled(QStringLiteral("flgdProgram"), true);
    m_panel.setPageEnabled(1, true);
    m_panel.setPageEnabled(2, true);
}

bool MoveRunner::runProgram()
{
    if (!commonStart())
        return false;

    const bool stepMode = m_panel.isChecked(QStringLiteral("optSelectMode1"));
    if (!stepMode) {
        if (!Tmp_Stop)
            MoveStepNo = 1;
        else
            Tmp_Stop = false;
    } else if (MoveFirstTime) {
        MoveStepNo = 1;
        MoveFirstTime = false;
    }
    // A step outside the program (a state from before) starts it again.
    if (MoveStepNo < 1)
        MoveStepNo = 1;

    for (;;) {
        pause();
        if (MoveStepNo >= 16)
            break;
        const QString cell = m_panel.programStep(MoveStepNo);
        bool programEnd = false;
        if (cell.trimmed().isEmpty()) {
            programEnd = true;
            MoveStepNo = 1;
        }
        MovePosiNo = int(tables::leadingNumber(cell));
        if (programEnd) {
            if (!m_panel.isChecked(QStringLiteral("chkRepeat")))
                break;
            MovePosiNo = int(tables::leadingNumber(m_panel.programStep(1)));
        }
        if (MovePosiNo < 1 || MovePosiNo > 999) {
            CommPortClose();
            platform::msgBox(LoadResText(561));
            return false;
        }
        MoveStateHyoji(0);
        const int mode = m_panel.isChecked(QStringLiteral("chkNoSqMcr1")) ? 1 : 0;
        if (!waitLink())
            return false;
        gTusinNow = true;
        if (SendMoveCmd(MovePosiNo, mode) != 0)
            return false;
        if (!completeMove(MovePosiNo, false))
            return false;
        ++MoveStepNo;
        if (Move_Stop) {
            Move_Stop = false;
            break;
        }
        if (stepMode || Tmp_Stop)
            break;
        dwell(QStringLiteral("chkTimerUse"), QStringLiteral("txtTimer"), Move_Stop, Tmp_Stop);
        if (MoveStepNo >= 16 && m_panel.isChecked(QStringLiteral("chkRepeat")))
            MoveStepNo = 1;
        if (MoveStepNo >= 16) {
            MoveStepNo = 1;
            break;
        }
        pause();
        if (Move_Stop || stepMode || Tmp_Stop)
            break;
    }
    if (MoveStepNo >= 16)
        MoveStepNo = 1;
    return true;
}

void MoveRunner::SelectMove()
{
    m_panel.setPageEnabled(0, false);
    m_panel.setPageEnabled(2, false);
    m_panel.setEnabled(QStringLiteral("chkTimerUse2"), false);
    m_panel.setEnabled(QStringLiteral("txtTimer2"), false);

    runRange();

    Move_Stop2 = false;
    CommPortClose();
    m_panel.setPageEnabled(0, true);
    m_panel.setPageEnabled(2, true);
}

bool MoveRunner::runRange()
{
    if (!commonStart())
        return false;

    const int start = int(tables::leadingNumber(m_panel.text(QStringLiteral("lblStartPosiNo"))));
    int end = int(tables::leadingNumber(m_panel.text(QStringLiteral("lblEndPosiNo"))));
    const bool single = m_panel.isChecked(QStringLiteral("optMoveWay1"));
    if (!single) {
        // A paused run resumes where it stopped only while that position is still selected.
        const bool resume = Tmp_Stop2 && SelMovePosiNo >= start && SelMovePosiNo <= end;
        Tmp_Stop2 = false;
        if (!resume)
            SelMovePosiNo = start;
    } else {
        end = start;
        SelMovePosiNo = start;
    }

    for (;;) {
        pause();
        if (SelMovePosiNo > end) {
            if (!m_panel.isChecked(QStringLiteral("chkRepeat2")))
                break;
            SelMovePosiNo = start;
        }
        if (SelMovePosiNo < 1 || SelMovePosiNo > 999) {
            CommPortClose();
            platform::msgBox(LoadResText(569));
            return false;
        }
        MoveStateHyoji(0);
        const int mode = m_panel.isChecked(QStringLiteral("chkNoSqMcr2")) ? 1 : 0;
        if (!waitLink())
            return false;
        gTusinNow = true;
        if (SendMoveCmd(SelMovePosiNo, mode) != 0)
            return false;
        if (!completeMove(SelMovePosiNo, true))
            return false;
        ++SelMovePosiNo;
        if (Move_Stop2) {
            Move_Stop2 = false;
            break;
        }
        if (single || Tmp_Stop2)
            break;
        dwell(QStringLiteral("chkTimerUse2"), QStringLiteral("txtTimer2"), Move_Stop2, Tmp_Stop2);
        if (m_panel.isChecked(QStringLiteral("chkRepeat2"))
            && tables::leadingNumber(m_panel.text(QStringLiteral("lblEndPosiNo"))) < SelMovePosiNo)
            SelMovePosiNo = start;
        if (SelMovePosiNo > end) {
            SelMovePosiNo = start;
            break;
        }
        pause();
        if (Tmp_Stop2 || single || Move_Stop2)
            break;
    }
    if (SelMovePosiNo > end)
        SelMovePosiNo = start;
    return true;
}

void MoveRunner::HomeReturn()
{
    goOnline();
    if (!link::openPortWithTries()) {
        link::tellFailure(link::portOpenFailureText());
        SetOfflineMode();
        return;
    }

    const auto finish = [] { CommPortClose(); };
    if (gTusinNow && !waitLink())
        return finish();
    gTusinNow = true;
    if (CtCommModeOn() != 0) {
        gTusinErr = false;
        return finish();
    }
    if (gTusinNow && !waitLink())
        return finish();
    gTusinNow = true;
    if (ReadCtRAStatus() != 1)
        return finish();

    link::showHomeLamp(false);
    if (!waitLink())
        return finish();
    gTusinNow = true;
    if (SendMoveCmd(0, 1) != 0) {
        gTimeOut = false;
        return finish();
    }

    int status = 0;
    link::LinkStep poll(0, false);
    // The link's word on a failed poll, held so that the home sensor's checklist goes into the
    // same box: one failure, one box.
    QStringList told;
    do {
        processEvents();
        pause();
        if (!waitLink())
            return finish();
        gTusinNow = true;
        poll = link::runStep([&status, &told] {
            told = link::heldTells([&status] { status = ReadCtRAStatus(); });
            return status == -1 ? 1 : 0;
        });
        processEvents();
        processEvents();
    } while (status != 1 && status != -1);

    if (status == 1) {
        processEvents();
        if (!waitLink())
            return finish();
        gTusinNow = true;
        const int outputs = ReadOutputStatus();
        gTusinNow = false;
        if (outputs != -1) {
            MoveStateHyoji(outputs);
            link::moveWindowHooks().setReachedPosition(QStringLiteral("H0"));
            link::showHomeLamp(true);
        }
        return finish();
    }

    CommPortClose();
    const bool alarm = gRecvData.startsWith(QLatin1String("0%%"));
    if (alarm) {
        gEventMsgFlag = true;
        AlarmHyoji();
        CommPortClose();
    }
    // What to check when the home sensor was not found goes beyond the alarm the link told:
    // it goes under the alarm, in the alarm's box. Any other alarm has been told by the link,
    // and 104 is not said twice.
    const bool homeSensor = gRecvData.startsWith(QLatin1String("0%%134"));
    const QString checklist = ResLines({562, 563, 564, 565, 566, 567, 568});
    const QString alarmText = link::alarmMessage();
    bool checklistShown = false;
    for (const QString &text : std::as_const(told)) {
        if (homeSensor && !checklistShown && text == alarmText) {
            platform::msgBox(text + QStringLiteral("\r\n\r\n") + checklist, platform::MbExclamation);
            checklistShown = true;
        } else {
            platform::msgBox(text);
        }
    }
    if (homeSensor && !checklistShown)
        platform::msgBox(checklist, platform::MbExclamation);
    else if (alarm && !homeSensor)
        poll.followUp(LoadResText(104), platform::MbExclamation);
    finish();
}

void MoveRunner::GrpMove()
{
    gGrpMoveStop = false;
    if (commonStart()) {
        const int group = int(tables::leadingNumber(m_panel.text(QStringLiteral("lblGrpNo"))));
        if (group < 1 || group > 99) {
            platform::msgBox(LoadResText(560));
        } else if (waitLink()) {
            gTusinNow = true;
            if (SendGrpMoveCmd(group) == 0) {
                int status = 0;
                do {
                    pause();
                    if (!waitLink())
                        break;
                    gTusinNow = true;
                    status = ReadCtRAStatus();
                    processEvents();
                    processEvents();
                } while (status != 1 && status != -1);
            }
        }
    }
    CommPortClose();
}
