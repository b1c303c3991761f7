#pragma once

#include "link/Exchange.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

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
        quint32 serial = 0; // tells an entry from the one that took its slot
    };

    explicit JogControl(JogDisplay &display);
    ~JogControl();
    JogControl(const JogControl &) = delete;
    JogControl &operator=(const JogControl &) = delete;

    // Start: communication mode 2, axis use, home return when not done, positions, limits.
    // 0 running, 1 not started.
    int start();
    // A press and a release of jog button `button` with mode option `option` (0 JOG feed,
    // 1 to 3 inching). The press answers whether it was taken: never while a feed is sent or
    // queued (a second press of the held button, Space or a click), so that the next release
    // stops that feed.
    bool press(int button, int option, int velocity);
    void release(int button, int option);
    void timerTusin_Timer();
    // The one owner of a JOG feed's stop, which every way out of a feed goes through: once a
    // "0JR" has been sent (answered or not), "0SP" goes to the controller with the sender's
    // resends; if it still fails the operator is told that the axis may still be moving and
    // the link owes the stop to the controller (sent first on the next exchange that works).
    // While a feed or an inching move may run, the link's failures are held for this window:
    // they are told here, after the stop was tried, never before it.
    // Asked while an exchange waits for its reply, the stop goes as soon as that exchange has
    // returned. True when no feed is left running.
    bool stopFeed();
    bool feedSent() const { return m_feedSent; }
    // The window goes: a feed's stop first; an inching move is left to end by itself, and
    // the failures held for it are told now.
    void windowGoes();
    // The program is ending (a signal, the end of the desktop session): every jog window's
    // feed or inching move that may run leaves its stop owed by the link, which the end sends
    // once, and nothing queued goes any more. False while an exchange waits for its reply: ask
    // again once it has returned.
    static bool stopEveryFeedBeforeExit();
    // True while an exchange of this window waits for its reply (its own wait loop runs).
    static bool exchangeUnderWay();
    // Runs `action` now when no exchange is under way, else once the running one has returned
    // (after a stop asked for meanwhile). One action waits at a time; later ones are dropped.
    void whenLinkFree(std::function<void()> action);
    void dropPendingAction() { m_pendingAction = nullptr; }
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
    void tick();
    // The slot of the last "0JR" still queued; -1 when none is.
    int queuedFeed() const;
    // Removes the last queued "0JR" not yet sent; true when there was one.
    bool dropQueuedFeed();
    Entry takeHead();
    void removeAt(int slot);
    // The stop and the action that waited for the running exchange.
    void settle();
    void JogCmdMake(int amount, int button);
    void stopTimer();
    int failStart();
    // The link's failures held from the first "0JR" or "0MV" until the stop was tried.
    void holdLinkFailures();
    // The failures held, told now that nothing may run.
    void releaseHeldFailures();

    JogDisplay &m_display;
    std::array<Entry, kSlots> m_queue;
    int m_tusinDACount = -1;
    bool m_needTusin = false;
    int m_tusinCounter = 0;
    bool m_stopTimer = false;
    bool m_delayTimeup = true;
    bool m_running = false;
    bool m_feedSent = false;     // "0JR" sent, no "0SP" since
    bool m_moveSent = false;     // "0MV" sent, not yet seen ready, no "0SP" since
    std::unique_ptr<link::HeldTells> m_hold;
    bool m_stopDeferred = false; // a stop asked for while an exchange waited
    quint32 m_nextSerial = 0;
    std::function<void()> m_pendingAction;
    link::LossWatch m_loss; // since the start: a lost port ends the ticks
    qint32 m_maxPos[4] = {0, 0, 0, 0};
    qint32 m_dispPos[4] = {0, 0, 0, 0};
};
