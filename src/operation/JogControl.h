#pragma once

#include <QString>
#include <array>

class JogDisplay;

// The jog window's traffic with the controller: the start, the queue of commands that the
// jog buttons fill and the 50 ms communication tick sends, and the present positions.
class JogControl
{
public:
    static constexpr int kSlots = 11;

    struct Entry
    {
        QString command;
        int replyLength = 0;
        int amount = 0; // inching entries only
        int button = 0; // inching entries only
    };

    explicit JogControl(JogDisplay &display);

    // Start: communication mode 2, axis use, home return when not done, positions, limits.
    // 0 running, 1 not started.
    int start();
    // A press and a release of jog button `button` with mode option `option` (0 JOG feed,
    // 1 to 3 inching). The press answers whether it was taken.
    bool press(int button, int option, int velocity);
    void release(int button, int option);
    void timerTusin_Timer();
    void TimerDelay_Timer() { m_delayTimeup = true; }
    // 0 read and shown, 1 failed.
    int ReadnDisp_PresentPos();
    void JogEnd();

    const std::array<Entry, kSlots> &queue() const { return m_queue; }
    int TusinDACount() const { return m_tusinDACount; }
    bool NeedTusinFLG() const { return m_needTusin; }
    bool DelayTimeupFLG() const { return m_delayTimeup; }
    bool running() const { return m_running; }
    qint32 DispPOS(int axis) const { return m_dispPos[axis & 3]; }
    qint32 MaxPOS(int axis) const { return m_maxPos[axis & 3]; }

private:
    void append(const Entry &entry);
    void JogCmdMake(int amount, int button);
    void stopTimer();
    int failStart();

    JogDisplay &m_display;
    std::array<Entry, kSlots> m_queue;
    int m_tusinDACount = -1;
    bool m_needTusin = false;
    int m_tusinCounter = 0;
    bool m_stopTimer = false;
    bool m_delayTimeup = true;
    bool m_running = false;
    qint32 m_maxPos[4] = {0, 0, 0, 0};
    qint32 m_dispPos[4] = {0, 0, 0, 0};
};
