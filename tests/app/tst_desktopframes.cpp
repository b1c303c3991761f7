// Every window of the program on a real X server with a window manager and a panel: its
// frame, title bar, close box and borders included, lies inside the work area the window
// manager reports, where the program meant it. Frames are read from the X server (the window
// manager's frame window below the root, and _NET_FRAME_EXTENTS), never from the program's
// own sums.
//
// The program starts its desktop itself (support/RealDesktop: Xvfb and openbox) before the
// application connects to it, one screen size a process (QZ_TEST_SCREEN, "1024x768" unless
// told; CTest runs 1024x768 and 800x600), and ends it on every way out.
#include "app/AxesAtStart.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "editors/frmParameta2.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "support/AllWindows.h"
#include "support/RealDesktop.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QtTest>
#include <cstdio>
#include <functional>
#include <memory>

class TestDesktopFrames : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktopFrames(RealDesktop &desktop) : m_desktop(desktop) {}

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void mainWindowFrame_data();
    void mainWindowFrame();
    void framesInWorkArea_data();
    void framesInWorkArea();
    void ownerNotFramedYet_data();
    void ownerNotFramedYet();

private:
    bool usePanel(RealDesktop::Panel panel);
    bool settled(const QWidget *w, RealDesktop::Frame *frame);
    QString misplaced(const char *name, const RealDesktop::Frame &frame, const QRect &owner, QPoint offsetTwips);

    RealDesktop &m_desktop;
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<frmMain> m_main;
    RealDesktop::Frame m_mainFrame;
    RealDesktop::Panel m_panel = RealDesktop::Panel::None;
};

Q_DECLARE_METATYPE(RealDesktop::Panel)

namespace {

// A panel as thick as a desktop's task bar.
constexpr int kPanel = 30;

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void addPanelRows(const std::function<void(RealDesktop::Panel, const char *)> &add)
{
    add(RealDesktop::Panel::Bottom, "panel below");
    add(RealDesktop::Panel::Top, "panel above");
}

// Where the windows' callers place them: 500 twips right of and below the owner's corner, the
// test-move window 100 twips left of it.
QPoint offsetTwips(const char *name)
{
    return qstrcmp(name, "frmMove") == 0 ? QPoint(-100, 500) : QPoint(500, 500);
}

} // namespace

// Waits until the window manager has framed and shown the window and nothing moves any more:
// the application's requests and the window manager's answers have gone round until the frame
// stays where it is (bounded waits on what the X server says, no sleep).
bool TestDesktopFrames::settled(const QWidget *w, RealDesktop::Frame *frame)
{
    const quint32 id = quint32(w->winId());
    if (!QTest::qWaitFor([&] { return m_desktop.frameOf(id).managed; }, 10000))
        return false;
    RealDesktop::Frame last = m_desktop.frameOf(id);
    for (int round = 0; round < 10; ++round) {
        if (!m_desktop.settle())
            return false;
        const RealDesktop::Frame now = m_desktop.frameOf(id);
        if (round > 0 && now.outer == last.outer && now.client == last.client && now.extents == last.extents) {
            *frame = now;
            return true;
        }
        last = now;
    }
    return false;
}

// A fresh main window shown on the desktop with the panel, as the start-up shows it.
bool TestDesktopFrames::usePanel(RealDesktop::Panel panel)
{
    if (panel == m_panel && m_main)
        return true;
    m_main.reset();
    if (!m_desktop.reservePanel(panel, kPanel))
        return false;
    m_panel = panel;
    // The application takes the new work area in as the window manager reports it.
    const QRect area = m_desktop.workArea();
    if (!QTest::qWaitFor([&] { return QGuiApplication::primaryScreen()->availableGeometry() == area; }, 10000))
        return false;
    app::startup::resetAxesForStart();
    // A screen 800 pixels wide gets the maximized window and its warning.
    const bool narrow = m_desktop.screenSize().width() <= 800;
    const qsizetype boxes = m_env->dialogs().boxes().size();
    if (narrow)
        m_env->dialogs().answer(platform::IdOk);
    m_main = std::make_unique<frmMain>();
    if (m_env->dialogs().boxes().size() != boxes + (narrow ? 1 : 0) || m_main->isMaximized() != narrow)
        return false;
    m_main->show();
    return settled(m_main.get(), &m_mainFrame) && useStoredActuatorsOffline() == 0;
}

// What is wrong with the frame of the window `name` placed beside the owner's frame: outside
// the work area, without the window manager's title bar, or not where the program meant it
// (the owner's frame corner and the offset, moved back inside the area).
QString TestDesktopFrames::misplaced(const char *name, const RealDesktop::Frame &frame, const QRect &owner, QPoint offsetTwips)
{
    const QRect area = m_desktop.workArea();
    if (frame.outer != frame.client.marginsAdded(frame.extents))
        return QStringLiteral("frame %1 is not the client %2 with its extents").arg(rectText(frame.outer), rectText(frame.client));
    if (!area.contains(frame.outer))
        return QStringLiteral("frame %1 outside the work area %2").arg(rectText(frame.outer), rectText(area));
    if (qstrcmp(name, "frmSplash") == 0) {
        QRect centred(QPoint(), frame.outer.size());
        centred.moveCenter(area.center());
        return frame.outer == centred ? QString() : QStringLiteral("frame %1, not centred").arg(rectText(frame.outer));
    }
    if (frame.extents.top() < 10)
        return QStringLiteral("no title bar: extents %1 %2").arg(frame.extents.top()).arg(frame.extents.left());
    const QPoint offset(platform::twipsToPixels(m_main.get(), offsetTwips.x()), platform::twipsToPixels(m_main.get(), offsetTwips.y()));
    const QPoint meant = platform::placedBeside(owner, frame.outer.size(), area, offset);
    if (frame.outer.topLeft() != meant)
        return QStringLiteral("frame %1, meant at %2,%3").arg(rectText(frame.outer)).arg(meant.x()).arg(meant.y());
    return {};
}

void TestDesktopFrames::initTestCase()
{
    m_env = std::make_unique<TestEnv>();
    gLanguage = 2;
    gLangOffset = core::settings::languageOffsetFor(2);
}

void TestDesktopFrames::cleanupTestCase()
{
    m_main.reset();
    m_env.reset();
}

void TestDesktopFrames::mainWindowFrame_data()
{
    QTest::addColumn<RealDesktop::Panel>("panel");
    addPanelRows([](RealDesktop::Panel panel, const char *where) { QTest::newRow(where) << panel; });
}

// The main window as the start-up shows it: placed by the window manager, at its load size
// unless its frame would not fit the work area.
void TestDesktopFrames::mainWindowFrame()
{
    QFETCH(RealDesktop::Panel, panel);
    m_main.reset();
    QVERIFY2(usePanel(panel), qPrintable(m_desktop.failure()));
    const QRect area = m_desktop.workArea();
    QCOMPARE(area, m_desktop.expectedWorkArea());
    QVERIFY2(area.contains(m_mainFrame.outer),
             qPrintable(QStringLiteral("frame %1, work area %2").arg(rectText(m_mainFrame.outer), rectText(area))));
    QVERIFY(m_mainFrame.extents.top() >= 10);
    QCOMPARE(m_mainFrame.outer, m_mainFrame.client.marginsAdded(m_mainFrame.extents));
    // Only as much smaller as the frame needs: the whole width or height of the area is used.
    QVERIFY(m_mainFrame.outer.width() == area.width() || m_main->width() == platform::twipsToPixels(m_main.get(), 15360));
    QVERIFY(m_mainFrame.outer.height() == area.height() || m_main->height() == platform::twipsToPixels(m_main.get(), 10755));
}

void TestDesktopFrames::framesInWorkArea_data()
{
    QTest::addColumn<RealDesktop::Panel>("panel");
    QTest::addColumn<bool>("mainLow");
    QTest::addColumn<int>("window");
    const QList<ProgramWindow> all = programWindows();
    // A maximized main window (a screen 800 pixels wide) stays where it is.
    const QList<bool> lows = m_desktop.screenSize().width() > 800 ? QList<bool>{false, true} : QList<bool>{false};
    addPanelRows([&](RealDesktop::Panel panel, const char *where) {
        for (const bool low : lows) {
            for (int i = 1; i < all.size(); ++i)
                QTest::addRow("%s, main window %s: %s", where, low ? "low right" : "at the corner", all[i].name) << panel << low << i;
        }
    });
}

// Every window placed beside the main window, the main window at the work area's corner (the
// window then lies at the area's top or fills it) or low at its right (moved back inside).
void TestDesktopFrames::framesInWorkArea()
{
    QFETCH(RealDesktop::Panel, panel);
    QFETCH(bool, mainLow);
    QFETCH(int, window);
    QVERIFY2(usePanel(panel), qPrintable(m_desktop.failure()));
    const QRect area = m_desktop.workArea();
    QCOMPARE(area, m_desktop.expectedWorkArea());

    const QPoint corner = mainLow ? area.bottomRight() - QPoint(350, 250) : area.topLeft();
    if (!m_main->isMaximized())
        m_main->move(corner);
    RealDesktop::Frame owner;
    QVERIFY(settled(m_main.get(), &owner));
    // The main window went where it was asked, or fills the area maximized.
    QCOMPARE(owner.outer.topLeft(), corner);

    const ProgramWindow made = programWindows()[window];
    QWidget *w = made.make(m_main.get());
    QPointer<QWidget> guard(w);
    w->show();
    RealDesktop::Frame frame;
    const bool framed = settled(w, &frame);
    if (guard && guard != m_main.get()) {
        guard->hide();
        delete guard.data();
    }
    QVERIFY(framed);
    const QString wrong = misplaced(made.name, frame, owner.outer, offsetTwips(made.name));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void TestDesktopFrames::ownerNotFramedYet_data()
{
    QTest::addColumn<RealDesktop::Panel>("panel");
    QTest::addColumn<bool>("ownerFrameless");
    QTest::addColumn<bool>("parameters");
    addPanelRows([](RealDesktop::Panel panel, const char *where) {
        for (const bool parameters : {false, true}) {
            const char *name = parameters ? "frmParameta2" : "frmAbout";
            QTest::addRow("%s, %s beside a window shown just before", where, name) << panel << false << parameters;
            QTest::addRow("%s, %s beside a window without a frame", where, name) << panel << true << parameters;
        }
    });
}

// A window opened beside an owner whose frame the window manager has not reported (the
// start-up opens its first window right after showing the main window; an owner without a
// frame reports none): it is placed once the window manager has framed it.
void TestDesktopFrames::ownerNotFramedYet()
{
    QFETCH(RealDesktop::Panel, panel);
    QFETCH(bool, ownerFrameless);
    QFETCH(bool, parameters);
    QVERIFY2(usePanel(panel), qPrintable(m_desktop.failure()));
    const QRect area = m_desktop.workArea();

    QWidget owner(nullptr, ownerFrameless ? Qt::FramelessWindowHint : Qt::WindowFlags());
    owner.setGeometry(QRect(area.topLeft() + QPoint(40, 40), QSize(500, 300)));
    owner.show();
    // No wait: the window follows at once.
    QWidget *w = parameters ? static_cast<QWidget *>(new frmParameta2(&owner)) : new frmAbout(&owner);
    w->show();
    RealDesktop::Frame frame;
    RealDesktop::Frame ownerFrame;
    const bool framed = settled(w, &frame) && settled(&owner, &ownerFrame);
    w->hide();
    delete w;
    QVERIFY(framed);
    QCOMPARE(ownerFrame.extents.isNull(), ownerFrameless);
    const QString wrong = misplaced(parameters ? "frmParameta2" : "frmAbout", frame, ownerFrame.outer, QPoint(500, 500));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

int main(int argc, char *argv[])
{
    const QByteArray asked = qgetenv("QZ_TEST_SCREEN");
    const QList<QByteArray> size = (asked.isEmpty() ? QByteArray("1024x768") : asked).split('x');
    RealDesktop desktop(QSize(size.value(0).toInt(), size.value(1).toInt()));
    if (!desktop.start()) {
        std::fprintf(stderr, "No desktop to test on: %s\n", qPrintable(desktop.failure()));
        return 1;
    }
    // The application runs on that desktop, whatever the caller's platform.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", desktop.display());
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestDesktopFrames test(desktop);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopframes.moc"
