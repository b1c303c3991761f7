#include "app/StartOffline.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "support/AllWindows.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QPointer>
#include <QtTest>
#include <functional>
#include <memory>

// Every window of the system opened at its load size, in both languages: each must fit a
// 1024 x 768 screen, its title bar included. The windows are also rendered to PNG files beside
// the tests, to be looked at.
class TestWindowSizes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitsSmallScreen_data();
    void fitsSmallScreen();
    void keptOnScreen_data();
    void keptOnScreen();
};

namespace {

// Room a desktop's title bar takes above a window.
constexpr int kTitleBar = 32;

} // namespace

void TestWindowSizes::fitsSmallScreen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("index");
    const QList<ProgramWindow> all = programWindows();
    for (int language : {2, 1})
        for (int i = 0; i < all.size(); ++i)
            QTest::addRow("%s, %s", language == 1 ? "Japanese" : "English", all[i].name) << language << i;
}

void TestWindowSizes::fitsSmallScreen()
{
    QFETCH(int, language);
    QFETCH(int, index);
    TestEnv env;
    startup::resetAxesForStart();
    gLanguage = language;
    gLangOffset = settings::languageOffsetFor(language);
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(startup::startOfflineActuators(), 0);

    const ProgramWindow window = programWindows().at(index);
    QWidget *w = window.make(main.get());
    QPointer<QWidget> guard(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();

    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir));
    w->grab().save(QStringLiteral("%1/%2_%3.png").arg(dir, QLatin1String(window.name),
                                                       language == 1 ? QStringLiteral("ja") : QStringLiteral("en")));

    // The window's own area against the screen, less the title bar a desktop adds on top.
    QVERIFY2(w->width() <= 1024 && w->height() + kTitleBar <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(w->width()).arg(w->height())));
    // What the layout needs fits too: no control is pushed out of the window.
    QVERIFY2(w->minimumSizeHint().width() <= w->width() && w->minimumSizeHint().height() <= w->height(),
             qPrintable(QStringLiteral("needs %1 x %2").arg(w->minimumSizeHint().width()).arg(w->minimumSizeHint().height())));

    if (guard && guard != main.get()) {
        guard->hide();
        delete guard.data();
    }
}

void TestWindowSizes::keptOnScreen_data()
{
    QTest::addColumn<int>("index");
    const QList<ProgramWindow> all = programWindows();
    // The main window itself and the splash are not placed beside a window.
    for (int i = 2; i < all.size(); ++i)
        QTest::addRow("%s", all[i].name) << i;
}

// With the main window near the screen's bottom-right corner, every window placed beside it
// keeps its frame on the screen (its top-left corner where the frame is the larger).
void TestWindowSizes::keptOnScreen()
{
    QFETCH(int, index);
    TestEnv env;
    startup::resetAxesForStart();
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(startup::startOfflineActuators(), 0);
    const QRect available = main->screen()->availableGeometry();
    main->move(available.right() - 60, available.bottom() - 40);
    QCoreApplication::processEvents();

    QWidget *w = programWindows().at(index).make(main.get());
    QPointer<QWidget> guard(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect frame = w->frameGeometry();
    const QString where = QStringLiteral("%1,%2 %3 x %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
    QVERIFY2(frame.left() >= available.left() && frame.top() >= available.top(), qPrintable(where));
    QVERIFY2(frame.width() > available.width() || frame.right() <= available.right(), qPrintable(where));
    QVERIFY2(frame.height() > available.height() || frame.bottom() <= available.bottom(), qPrintable(where));
    // Off the edge without the procedure: the test can tell.
    QVERIFY(main->frameGeometry().left() + 33 + frame.width() > available.right());

    if (guard) {
        guard->hide();
        delete guard.data();
    }
}

QTEST_MAIN(TestWindowSizes)
#include "tst_windowsizes.moc"
