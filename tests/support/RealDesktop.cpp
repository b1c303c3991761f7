#include "support/RealDesktop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// Openbox with its defaults: one theme, no margins of its own, no placement by the mouse.
const char kOpenboxConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <desktops><number>1</number></desktops>
  <placement><policy>Smart</policy><center>yes</center><monitor>Primary</monitor></placement>
</openbox_config>
)";

template<typename T>
struct Reply
{
    explicit Reply(T *reply) : p(reply) {}
    ~Reply() { std::free(p); }
    Reply(const Reply &) = delete;
    Reply &operator=(const Reply &) = delete;
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
    T *p;
};

// Waits until `done` holds, reading the connection's events (which wake it) meanwhile; false
// when the time ran out first.
bool waitOn(xcb_connection_t *c, int timeoutMs, const std::function<bool()> &done)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (done())
            return true;
        bool any = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            std::free(event);
            any = true;
        }
        if (any)
            continue;
        if (deadline.hasExpired() || xcb_connection_has_error(c))
            return false;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, int(qMin<qint64>(deadline.remainingTime(), 100)));
    }
}

} // namespace

RealDesktop::RealDesktop(QSize screen) : m_screen(screen) {}

RealDesktop::~RealDesktop()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    endProcess(m_windowManager);
    endProcess(m_server);
}

pid_t RealDesktop::spawn(const QList<QByteArray> &args, const QList<QByteArray> &environment, const QString &log, int keepFd)
{
    // All the child needs is made before the fork: after it only calls safe there.
    std::vector<char *> argv;
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    QList<QByteArray> env = environment;
    for (char **e = environ; *e; ++e) {
        const QByteArray entry(*e);
        const QByteArray key = entry.left(entry.indexOf('=') + 1);
        bool replaced = false;
        for (const QByteArray &mine : environment)
            replaced = replaced || mine.startsWith(key);
        if (!replaced)
            env << entry;
    }
    std::vector<char *> envp;
    for (const QByteArray &e : env)
        envp.push_back(const_cast<char *>(e.constData()));
    envp.push_back(nullptr);
    const QByteArray logPath = QFile::encodeName(log);
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // The child ends with the test process, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(1);
    const int out = open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
    }
    const int in = open("/dev/null", O_RDONLY);
    if (in >= 0)
        dup2(in, STDIN_FILENO);
    if (keepFd >= 0)
        fcntl(keepFd, F_SETFD, 0);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

void RealDesktop::endProcess(pid_t &pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    QDeadlineTimer deadline(5000);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            break;
        }
        usleep(10000);
    }
    pid = -1;
}

QString RealDesktop::logTail(const QString &name) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readAll().right(2000));
}

bool RealDesktop::start()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString windowManager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (server.isEmpty() || windowManager.isEmpty()) {
        m_failure = QStringLiteral("Xvfb or openbox is not installed (scripts/bootstrap installs both)");
        return false;
    }
    if (!m_dir.isValid()) {
        m_failure = QStringLiteral("no temporary folder");
        return false;
    }

    // The server picks a free display number and writes it to the pipe once it accepts clients.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        m_failure = QStringLiteral("no pipe");
        return false;
    }
    const QByteArray size = QByteArray::number(m_screen.width()) + 'x' + QByteArray::number(m_screen.height()) + "x24";
    m_server = spawn({QFile::encodeName(server), "-displayfd", QByteArray::number(pipeFds[1]), "-screen", "0", size,
                      "-nolisten", "tcp", "-noreset"},
                     {}, m_dir.filePath(QStringLiteral("Xvfb.log")), pipeFds[1]);
    close(pipeFds[1]);
    QByteArray number;
    QDeadlineTimer deadline(20000);
    while (!number.endsWith('\n') && !deadline.hasExpired()) {
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (poll(&fd, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[16];
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, int(n));
    }
    close(pipeFds[0]);
    if (!number.endsWith('\n')) {
        m_failure = QStringLiteral("Xvfb did not start: ") + logTail(QStringLiteral("Xvfb.log"));
        return false;
    }
    m_display = ':' + number.trimmed();

    m_connection = xcb_connect(m_display.constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        m_failure = QStringLiteral("cannot connect to the display ") + QString::fromLatin1(m_display);
        return false;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const quint32 rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &rootEvents);
    xcb_flush(m_connection);

    QFile config(m_dir.filePath(QStringLiteral("rc.xml")));
    if (!config.open(QIODevice::WriteOnly) || config.write(kOpenboxConfig) < 0) {
        m_failure = QStringLiteral("cannot write the window manager's settings");
        return false;
    }
    config.close();
    const QByteArray home = QFile::encodeName(m_dir.path());
    m_windowManager = spawn({QFile::encodeName(windowManager), "--sm-disable", "--config-file", QFile::encodeName(config.fileName())},
                            {"DISPLAY=" + m_display, "HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
                             "XDG_CACHE_HOME=" + home + "/cache"},
                            m_dir.filePath(QStringLiteral("openbox.log")), -1);
    if (!waitForWindowManager(20000)) {
        m_failure = QStringLiteral("the window manager did not take the screen: ") + logTail(QStringLiteral("openbox.log"));
        return false;
    }
    // What the tests rely on: frames reported, work areas kept, and the request they settle by.
    const QList<quint32> supported = cardinals(m_root, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM);
    for (const char *name : {"_NET_FRAME_EXTENTS", "_NET_WORKAREA", "_NET_REQUEST_FRAME_EXTENTS", "_NET_WM_STRUT_PARTIAL"}) {
        if (!supported.contains(atom(name))) {
            m_failure = QStringLiteral("the window manager does not support ") + QLatin1String(name);
            return false;
        }
    }
    return reservePanel(Panel::None, 0);
}

bool RealDesktop::waitForWindowManager(int timeoutMs)
{
    const quint32 check = atom("_NET_SUPPORTING_WM_CHECK");
    const quint32 selection = atom("WM_S0");
    return waitOn(m_connection, timeoutMs, [&] {
        int status = 0;
        if (waitpid(m_windowManager, &status, WNOHANG) == m_windowManager) {
            m_windowManager = -1;
            return true; // ended: the checks below fail at once
        }
        const QList<quint32> supporting = cardinals(m_root, check, XCB_ATOM_WINDOW);
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, selection), nullptr));
        return !supporting.isEmpty() && owner && owner->owner != XCB_NONE;
    }) && m_windowManager > 0;
}

quint32 RealDesktop::atom(const char *name) const
{
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, uint16_t(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : XCB_NONE;
}

QList<quint32> RealDesktop::cardinals(quint32 window, quint32 property, quint32 type) const
{
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 64), nullptr));
    QList<quint32> values;
    if (!reply || reply->type != type || reply->format != 32)
        return values;
    const auto *data = static_cast<const quint32 *>(xcb_get_property_value(reply.p));
    for (int i = 0; i < xcb_get_property_value_length(reply.p) / 4; ++i)
        values << data[i];
    return values;
}

QRect RealDesktop::workArea() const
{
    const QList<quint32> current = cardinals(m_root, atom("_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL);
    const int desktop = current.isEmpty() ? 0 : int(current.first());
    const QList<quint32> areas = cardinals(m_root, atom("_NET_WORKAREA"), XCB_ATOM_CARDINAL);
    if (areas.size() < 4 * (desktop + 1))
        return {};
    const int i = 4 * desktop;
    return QRect(int(areas[i]), int(areas[i + 1]), int(areas[i + 2]), int(areas[i + 3]));
}

QRect RealDesktop::expectedWorkArea() const
{
    const QRect screen(QPoint(0, 0), m_screen);
    switch (m_panel) {
    case Panel::Bottom:
        return screen.adjusted(0, 0, 0, -m_panelThickness);
    case Panel::Top:
        return screen.adjusted(0, m_panelThickness, 0, 0);
    case Panel::None:
        break;
    }
    return screen;
}

bool RealDesktop::reservePanel(Panel panel, int thickness)
{
    if (m_panelWindow) {
        xcb_destroy_window(m_connection, m_panelWindow);
        m_panelWindow = 0;
    }
    m_panel = panel;
    m_panelThickness = panel == Panel::None ? 0 : thickness;
    if (panel != Panel::None) {
        const int width = m_screen.width();
        const int y = panel == Panel::Bottom ? m_screen.height() - thickness : 0;
        m_panelWindow = xcb_generate_id(m_connection);
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const quint32 background = screen->black_pixel;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_panelWindow, m_root, 0, int16_t(y), uint16_t(width),
                          uint16_t(thickness), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                          &background);
        const quint32 dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_panelWindow, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                            32, 1, &dock);
        // left, right, top, bottom; then the start and end of each along its edge.
        quint32 strut[12] = {};
        if (panel == Panel::Bottom) {
            strut[3] = quint32(thickness);
            strut[11] = quint32(width - 1);
        } else {
            strut[2] = quint32(thickness);
            strut[9] = quint32(width - 1);
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_panelWindow, atom("_NET_WM_STRUT_PARTIAL"),
                            XCB_ATOM_CARDINAL, 32, 12, strut);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_panelWindow, atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL,
                            32, 4, strut);
        xcb_map_window(m_connection, m_panelWindow);
    }
    xcb_flush(m_connection);
    const QRect expected = expectedWorkArea();
    if (!waitOn(m_connection, 10000, [&] { return workArea() == expected; })) {
        const QRect now = workArea();
        m_failure = QStringLiteral("the work area stayed %1,%2 %3 x %4").arg(now.x()).arg(now.y()).arg(now.width()).arg(now.height());
        return false;
    }
    return true;
}

RealDesktop::Frame RealDesktop::frameOf(quint32 client) const
{
    Frame frame;
    xcb_connection_t *c = m_connection;
    Reply<xcb_get_geometry_reply_t> inner(xcb_get_geometry_reply(c, xcb_get_geometry(c, client), nullptr));
    Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, client, m_root, 0, 0), nullptr));
    if (!inner || !at)
        return frame;
    frame.client = QRect(at->dst_x, at->dst_y, inner->width, inner->height);

    // The window manager's frame: the client's ancestor just below the root.
    quint32 top = client;
    for (;;) {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_NONE)
            break;
        top = tree->parent;
    }
    Reply<xcb_get_geometry_reply_t> outer(xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr));
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, top), nullptr));
    if (!outer || !attributes)
        return frame;
    const int border = outer->border_width;
    frame.outer = QRect(outer->x, outer->y, outer->width + 2 * border, outer->height + 2 * border);

    const quint32 wmState = atom("WM_STATE");
    const QList<quint32> state = cardinals(client, wmState, wmState);
    const QList<quint32> extents = cardinals(client, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (extents.size() == 4)
        frame.extents = QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
    frame.managed = top != client && attributes->map_state == XCB_MAP_STATE_VIEWABLE && !state.isEmpty()
                    && state.first() == 1 /* NormalState */;
    return frame;
}

bool RealDesktop::barrier(int timeoutMs)
{
    // The window manager answers _NET_REQUEST_FRAME_EXTENTS by setting the extents on the
    // window named; it handles the X server's events in order, so by then it has handled
    // every request made before this one.
    const quint32 extents = atom("_NET_FRAME_EXTENTS");
    if (!m_probeWindow) {
        m_probeWindow = xcb_generate_id(m_connection);
        const quint32 events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_probeWindow, m_root, -10, -10, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    xcb_delete_property(m_connection, m_probeWindow, extents);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = m_probeWindow;
    request.type = atom("_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(m_connection);
    return waitOn(m_connection, timeoutMs, [&] { return cardinals(m_probeWindow, extents, XCB_ATOM_CARDINAL).size() == 4; });
}

bool RealDesktop::settle(int timeoutMs)
{
    QCoreApplication::processEvents();
    // Every request the application has made reaches the X server before the barrier's.
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        xcb_connection_t *c = x11->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
    const bool answered = barrier(timeoutMs);
    // The window manager's answers to the application were sent before the barrier's; one
    // more round trip on the application's connection takes them in.
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        xcb_connection_t *c = x11->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
    QCoreApplication::processEvents();
    return answered;
}
