#pragma once

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

struct xcb_connection_t;

// An X server without a screen (Xvfb) with a window manager on it (openbox, which draws
// title bars and borders, reports them as _NET_FRAME_EXTENTS and leaves a panel's strut out
// of the work area), for the tests that must see the windows where a desktop puts them. It is
// started before the application connects (`start`) and ended with this object; both
// processes also end if the test process dies, however it dies.
class RealDesktop
{
public:
    enum class Panel { None, Bottom, Top };

    // Where the window manager put one client window, read from the X server.
    struct Frame
    {
        bool managed = false; // reparented into a frame of the window manager, and shown
        QRect outer;          // the frame window's own geometry on the root, border included
        QRect client;         // the client window on the root
        QMargins extents;     // _NET_FRAME_EXTENTS: left, top, right, bottom
    };

    explicit RealDesktop(QSize screen);
    ~RealDesktop();
    RealDesktop(const RealDesktop &) = delete;
    RealDesktop &operator=(const RealDesktop &) = delete;

    // Starts the server on a free display number and the window manager on it; true once the
    // window manager has taken the screen (a bounded wait); otherwise `failure()` says why.
    bool start();
    QString failure() const { return m_failure; }
    // ":<n>", for DISPLAY.
    QByteArray display() const { return m_display; }
    QSize screenSize() const { return m_screen; }

    // Reserves a strip of the screen along an edge as a panel does (a dock window with
    // _NET_WM_STRUT_PARTIAL), in place of the one reserved before; true once the window
    // manager's work area leaves it out.
    bool reservePanel(Panel panel, int thickness);
    // The work area the window manager reports for the current desktop (_NET_WORKAREA).
    QRect workArea() const;
    // What the work area must be with the panel reserved now.
    QRect expectedWorkArea() const;

    Frame frameOf(quint32 client) const;

    // Returns once the X server has run every request the application has made so far and
    // the window manager has handled what they asked of it, and the application has taken
    // the window manager's answers in (the order of the X server, no sleep); false when the
    // window manager did not answer within the time.
    bool settle(int timeoutMs = 5000);

private:
    pid_t spawn(const QList<QByteArray> &args, const QList<QByteArray> &environment, const QString &log, int keepFd);
    bool waitForWindowManager(int timeoutMs);
    bool barrier(int timeoutMs);
    quint32 atom(const char *name) const;
    QList<quint32> cardinals(quint32 window, quint32 property, quint32 type) const;
    void endProcess(pid_t &pid);
    QString logTail(const QString &name) const;

    QSize m_screen;
    QTemporaryDir m_dir;
    QString m_failure;
    QByteArray m_display;
    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    quint32 m_panelWindow = 0;
    quint32 m_probeWindow = 0;
    Panel m_panel = Panel::None;
    int m_panelThickness = 0;
};
