#include "platform/FixedGrid.h"
#include "platform/Screen.h"
#include "tables/DevSetting.h"
#include "actuators/DevDesignation.h"
#include "actuators/frmDevice2.h"
#include "actuators/frmDevice3.h"
#include "core/AppSettings.h"
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "app/frmOptions2.h"
#include "core/frmSelection.h"
#include "app/frmSplash.h"
#include "core/Messages.h"
#include "editors/frmDevice.h"
#include "editors/frmGrp.h"
#include "editors/frmParameta2.h"
#include "editors/frmSqMcr.h"
#include "link/frmProcessing.h"
#include "link/frmTrance.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "operation/frmMove.h"
#include "positions/frmDataShogo.h"
#include "positions/frmPrintSelect.h"
#include "positions/frmSelectPosiNo2.h"
#include "positions/frmSelectPosiNo3.h"
#include "positions/frmSelectPosiNo4.h"
#include "positions/frmSyogoKekka.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"
#include "support/StoredActuators.h"
#include "support/AllWindows.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QDir>
#include <QTableWidget>
#include <QStyleOptionComboBox>
#include <QLabel>
#include <QPointer>
#include <QtTest>
#include <functional>
#include <memory>

// Every window of the system opened at its load size, in both languages: each must fit a
// 1024 x 768 screen, its title bar included, and fit its frame in the area a desktop leaves it.
// The windows are also rendered to PNG files beside the tests, to be looked at.
class TestWindowSizes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void fitsSmallScreen_data();
    void fitsSmallScreen();
    void keptOnScreen();
    void framesFitDesktop_data();
    void framesFitDesktop();
    void choicesShowWhole_data();
    void choicesShowWhole();
    void headingsShowWhole_data();
    void headingsShowWhole();
    void titlesShowWhole_data();
    void titlesShowWhole();
};

namespace {

// Room a desktop's title bar takes above a window.
constexpr int kTitleBar = 32;

// The main window at its load size for a 1024-pixel screen in the language, shown, with the
// stored actuators taken offline; null when it could not be set up.
std::unique_ptr<frmMain> smallScreenMain(int language)
{
    // The whole 1024 x 768 screen, under a title bar.
    platform::setDesktopForTest(QRect(0, 0, 1024, 768), QMargins(0, kTitleBar, 0, 0));
    app::startup::resetAxesForStart();
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()) || useStoredActuatorsOffline() != 0)
        return nullptr;
    return main;
}

// Opens each window of the program from `first` on beside the one main window, as its callers
// do, hands it to the check and closes it again; what the checks found, by window.
QStringList eachWindow(frmMain *main, int first, const std::function<QString(const char *, QWidget *)> &check)
{
    QStringList found;
    const QList<ProgramWindow> all = programWindows();
    for (int i = first; i < all.size(); ++i) {
        QWidget *w = all[i].make(main);
        QPointer<QWidget> guard(w);
        w->show();
        if (!QTest::qWaitForWindowExposed(w))
            found << QStringLiteral("%1 not shown").arg(QLatin1String(all[i].name));
        QCoreApplication::processEvents();
        const QString problem = check(all[i].name, w);
        if (!problem.isEmpty())
            found << QStringLiteral("%1: %2").arg(QLatin1String(all[i].name), problem);
        if (guard && guard != main) {
            guard->hide();
            delete guard.data();
        }
    }
    return found;
}

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A control the operator cannot bring into view: outside its window, or in a scrolled pane
// that cannot scroll it into the pane's view.
QString unreachableControl(QWidget *w)
{
    for (QWidget *c : w->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QLineEdit *>(c)
                             || qobject_cast<QComboBox *>(c) || qobject_cast<QAbstractItemView *>(c);
        if (!control || !c->isVisibleTo(w) || qobject_cast<QComboBox *>(c->parentWidget()))
            continue;
        QWidget *shown = c;
        auto *pane = w->findChild<QScrollArea *>();
        if (pane && pane->widget() && pane->widget()->isAncestorOf(c)) {
            // Scrolled as far towards the control as the pane goes.
            const QPoint at = c->mapTo(pane->widget(), QPoint(0, 0));
            pane->horizontalScrollBar()->setValue(at.x());
            pane->verticalScrollBar()->setValue(at.y());
            const QRect inView(c->mapTo(pane->viewport(), QPoint(0, 0)), c->size());
            if (!pane->viewport()->rect().contains(inView))
                return QStringLiteral("%1 at %2 out of its pane's view %3").arg(c->objectName(), rectText(inView), rectText(pane->viewport()->rect()));
            shown = pane->viewport();
        }
        const QRect inWindow(shown->mapTo(w, QPoint(0, 0)), shown->size());
        if (!w->rect().contains(inWindow))
            return QStringLiteral("%1 at %2 out of the window").arg(c->objectName(), rectText(inWindow));
    }
    return {};
}

} // namespace

void TestWindowSizes::cleanup()
{
    platform::setDesktopForTest(QRect(), QMargins());
}

void TestWindowSizes::fitsSmallScreen_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 2;
    QTest::newRow("Japanese") << 1;
}

void TestWindowSizes::fitsSmallScreen()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir));

    int checked = 0;
    const QStringList found = eachWindow(main.get(), 0, [&](const char *name, QWidget *w) {
        ++checked;
        w->grab().save(QStringLiteral("%1/%2_%3.png").arg(dir, QLatin1String(name),
                                                           language == 1 ? QStringLiteral("ja") : QStringLiteral("en")));
        // The window's own area against the screen, less the title bar a desktop adds on top.
        if (w->width() > 1024 || w->height() + kTitleBar > 768)
            return QStringLiteral("%1 x %2").arg(w->width()).arg(w->height());
        // What the layout needs fits too: no control is pushed out of the window.
        const QSize needs = w->minimumSizeHint();
        if (needs.width() > w->width() || needs.height() > w->height())
            return QStringLiteral("needs %1 x %2").arg(needs.width()).arg(needs.height());
        // Content that could scroll shows whole on this screen.
        for (const QScrollArea *pane : w->findChildren<QScrollArea *>()) {
            if (pane->widget() && !pane->viewport()->rect().contains(pane->widget()->geometry()))
                return QStringLiteral("scrolls %1 x %2 in %3 x %4")
                    .arg(pane->widget()->width()).arg(pane->widget()->height())
                    .arg(pane->viewport()->width()).arg(pane->viewport()->height());
        }
        return QString();
    });
    QCOMPARE(checked, programWindows().size());
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
}

// With the main window near the screen's bottom-right corner, every window placed beside it
// keeps its frame on the screen (its top-left corner where the frame is the larger).
void TestWindowSizes::keptOnScreen()
{
    TestEnv env;
    app::startup::resetAxesForStart();
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(useStoredActuatorsOffline(), 0);
    const QRect available = main->screen()->availableGeometry();
    main->move(available.right() - 60, available.bottom() - 40);
    QCoreApplication::processEvents();

    // The main window itself and the splash are not placed beside a window.
    const QStringList found = eachWindow(main.get(), 2, [&](const char *, QWidget *w) {
        const QRect frame = w->frameGeometry();
        const bool inside = frame.left() >= available.left() && frame.top() >= available.top()
                            && (frame.width() > available.width() || frame.right() <= available.right())
                            && (frame.height() > available.height() || frame.bottom() <= available.bottom());
        // Off the edge without the placement: the test can tell.
        const bool wouldBeOff = main->frameGeometry().left() + 33 + frame.width() > available.right();
        return inside && wouldBeOff ? QString() : rectText(frame);
    });
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
}

void TestWindowSizes::framesFitDesktop_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    // 1024 x 768 with a 30-pixel panel below and thin title bars.
    QTest::newRow("panel below, English") << 2 << QRect(0, 0, 1024, 738) << QMargins(0, 25, 0, 0);
    QTest::newRow("panel below, Japanese") << 1 << QRect(0, 0, 1024, 738) << QMargins(0, 25, 0, 0);
    // A top bar and tall title bars with borders, as common desktops draw them.
    QTest::newRow("top bar, tall title bars") << 2 << QRect(0, 32, 1024, 736) << QMargins(4, 37, 4, 4);
    QTest::newRow("panel left, tall title bars") << 1 << QRect(48, 0, 976, 768) << QMargins(4, 37, 4, 4);
}

// On a small desktop with a reserved strip and frames the window manager draws, every window
// opened beside the main window is made small enough for its content and that frame to fit the
// area left to windows, and every control of it can be brought into view. Where the window
// manager puts the frame is read from a real one (tst_desktopframes): the offscreen platform
// draws no frame, and one given here would only restate the placement's own sums.
void TestWindowSizes::framesFitDesktop()
{
    QFETCH(int, language);
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    platform::setDesktopForTest(available, frame);
    main->move(available.topLeft());
    QCoreApplication::processEvents();

    int scrolled = 0;
    const QStringList found = eachWindow(main.get(), 2, [&](const char *, QWidget *w) {
        const QSize whole = w->size().grownBy(frame);
        if (whole.width() > available.width() || whole.height() > available.height())
            return QStringLiteral("%1 x %2 with its frame").arg(whole.width()).arg(whole.height());
        if (auto *pane = w->findChild<QScrollArea *>(); pane && pane->widget()
            && pane->widget()->height() > pane->viewport()->height())
            ++scrolled;
        return unreachableControl(w);
    });
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
    // The parameter window is taller than the area leaves it: it scrolls, the only one that must.
    QCOMPARE(scrolled, 1);
}

void TestWindowSizes::choicesShowWhole_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 2;
    QTest::newRow("Japanese") << 1;
}

// Every choice of every list of the parameter window shows whole in the closed list at the
// window's load size on a 1024 x 768 screen: an open list that shows it is not enough, since the
// operator reads the chosen value in the closed one.
void TestWindowSizes::choicesShowWhole()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    auto *w = new frmParameta2(main.get());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();

    QStringList cut;
    int measured = 0;
    for (QComboBox *c : w->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.editable = c->isEditable();
        option.rect = c->rect();
        const int room = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c).width();
        for (int i = 0; i < c->count(); ++i) {
            ++measured;
            const int needs = c->fontMetrics().horizontalAdvance(c->itemText(i));
            if (needs > room)
                cut << QStringLiteral("%1 \"%2\" %3 > %4").arg(c->objectName(), c->itemText(i)).arg(needs).arg(room);
        }
    }
    QVERIFY(measured > 40);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    QVERIFY(w->width() <= 1024 && w->height() + kTitleBar <= 768);
    delete w;
}

void TestWindowSizes::headingsShowWhole_data()
{
    choicesShowWhole_data();
}

// Every heading of the main window's grid shows whole at 1024 x 768, an old-type axis' mark
// included: each text against the columns it stands over, in the font it is drawn in.
void TestWindowSizes::headingsShowWhole()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    // Four old-type axes with the longest designations: the catalogue's PG and vertical marks.
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = false;
        gDevIsQz[a] = true;
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
        gDevStroke[a] = 100;
        gAxisNewType[a] = false;
        gDevSetteiWithPG[a] = true;
        gDevSetteiVertical[a] = true;
    }
    DispDeviceName();
    QCoreApplication::processEvents();

    platform::FixedGrid &g = *main->flgdData();
    QTableWidget *head = g.heading();
    const int margin = 2 * (head->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, head) + 1);
    QStringList cut;
    int oldMarks = 0;
    for (int row = 0; row < 2; ++row) {
        for (int c = 1; c < 21;) {
            const int span = qMax(1, g.mergedSpan(row, c));
            int width = 0;
            for (int k = c; k < c + span; ++k)
                width += g.columnWidth(k);
            const QString text = g.text(row, c);
            oldMarks += text.endsWith(QLatin1String("(Old)")) ? 1 : 0;
            const int needs = QFontMetrics(head->item(row, c)->font()).horizontalAdvance(text);
            if (needs > width - margin)
                cut << QStringLiteral("row %1 col %2 \"%3\" %4 > %5").arg(row).arg(c).arg(text).arg(needs).arg(width - margin);
            c += span;
        }
    }
    QCOMPARE(oldMarks, 4);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    QVERIFY(main->width() <= 1024);
}

void TestWindowSizes::titlesShowWhole_data()
{
    choicesShowWhole_data();
}

// Every window's title shows whole in its title bar at the window's width on a 1024 x 768
// screen, in both languages: the title in the title bar's font (the application's, bold, as
// window managers draw it) beside the window's icon and its buttons (minimize, maximize and
// close, 32 pixels each, and 8 pixels on either side: 128 pixels).
void TestWindowSizes::titlesShowWhole()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    constexpr int kIconAndButtons = 128;

    int measured = 0;
    const QStringList found = eachWindow(main.get(), 0, [&](const char *, QWidget *w) {
        if (w->windowFlags().testFlag(Qt::FramelessWindowHint))
            return QString(); // the splash has no title bar
        ++measured;
        const int needs = metrics.horizontalAdvance(w->windowTitle()) + kIconAndButtons;
        if (w->windowTitle().isEmpty() || needs > w->width())
            return QStringLiteral("\"%1\" needs %2, %3 wide").arg(w->windowTitle()).arg(needs).arg(w->width());
        return QString();
    });
    QCOMPARE(measured, programWindows().size() - 1);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
}

QTEST_MAIN(TestWindowSizes)
#include "tst_windowsizes.moc"
