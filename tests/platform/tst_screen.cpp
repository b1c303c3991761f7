// Placing a window beside its owner and keeping its frame on the screen.
#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>

class TestScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placedBeside_data();
    void placedBeside();
    void placedWhenFirstShown();
    void fittedSize_data();
    void fittedSize();
    void fittedWhenFirstShown();
};

void TestScreen::placedBeside_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("owner"); // the owner's frame corner
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QPoint>("expected");

    const QRect small(0, 0, 1024, 728); // 1024 x 768 less a 40-pixel panel
    const QRect full(0, 0, 1920, 1040);
    const QSize parameters(1013, 677); // the parameter window with its title bar
    const QSize about(382, 292);
    const QPoint beside(33, 33);
    QTest::newRow("room: beside the owner") << full << QPoint(100, 80) << parameters << beside << QPoint(133, 113);
    QTest::newRow("small screen, owner at the corner: moved left")
        << small << QPoint(0, 0) << parameters << beside << QPoint(11, 33);
    QTest::newRow("small screen, owner low: moved up and left")
        << small << QPoint(0, 200) << parameters << beside << QPoint(11, 51);
    QTest::newRow("owner at the bottom right: inside both edges")
        << full << QPoint(1800, 1000) << about << beside << QPoint(1538, 748);
    QTest::newRow("owner just fits: unchanged")
        << small << QPoint(609, 403) << about << beside << QPoint(642, 436);
    QTest::newRow("one pixel over: moved one back")
        << small << QPoint(610, 404) << about << beside << QPoint(642, 436);
    QTest::newRow("owner partly off the left: inside the left edge")
        << small << QPoint(-200, -50) << about << beside << QPoint(0, 0);
    QTest::newRow("left of the owner, as the move window")
        << full << QPoint(0, 100) << about << QPoint(-6, 33) << QPoint(0, 133);
    QTest::newRow("second screen right of the first")
        << QRect(1920, 0, 1280, 984) << QPoint(3100, 900) << about << beside << QPoint(2818, 692);
    QTest::newRow("screen above the origin")
        << QRect(0, -1080, 1920, 1040) << QPoint(50, -100) << about << beside << QPoint(83, -332);
    QTest::newRow("frame larger than the screen: title bar kept on it")
        << QRect(0, 0, 800, 560) << QPoint(100, 100) << parameters << beside << QPoint(0, 0);
}

void TestScreen::placedBeside()
{
    QFETCH(QRect, available);
    QFETCH(QPoint, owner);
    QFETCH(QSize, frame);
    QFETCH(QPoint, offset);
    QFETCH(QPoint, expected);
    QCOMPARE(platform::placedBeside(QRect(owner, QSize(1024, 700)), frame, available, offset), expected);
}

// The size a window is shown at counts, not the one it had when it was placed.
void TestScreen::placedWhenFirstShown()
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(available.right() - 150, available.bottom() - 100, 140, 90);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QWidget window;
    window.resize(100, 60);
    platform::placeBesideOwner(&window, &owner);
    const int offset = platform::twipsToPixels(&window, 500);
    QCOMPARE(window.pos(), owner.frameGeometry().topLeft() + QPoint(offset, offset));
    window.setFixedSize(300, 200); // settled as it is built further
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.frameGeometry().bottomRight(), available.bottomRight());

    // Shown again where it was left, even off the edge.
    window.hide();
    window.move(available.right() - 10, available.top());
    window.show();
    QCOMPARE(window.pos(), QPoint(available.right() - 10, available.top()));
}

void TestScreen::fittedSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("expected");

    const QRect underPanel(0, 0, 1024, 738);
    const QMargins titleBar(0, 25, 0, 0);
    QTest::newRow("fits with its frame: unchanged")
        << QSize(1000, 700) << QSize(200, 100) << titleBar << underPanel << QSize(1000, 700);
    QTest::newRow("content fits, frame does not: made shorter")
        << QSize(1000, 725) << QSize(200, 100) << titleBar << underPanel << QSize(1000, 713);
    QTest::newRow("borders count on every side")
        << QSize(1020, 725) << QSize(200, 100) << QMargins(4, 37, 4, 4) << QRect(0, 32, 1024, 736)
        << QSize(1016, 695);
    QTest::newRow("no shorter than its minimum")
        << QSize(1000, 725) << QSize(200, 720) << titleBar << underPanel << QSize(1000, 720);
    QTest::newRow("no screen known: unchanged")
        << QSize(1000, 725) << QSize(200, 100) << titleBar << QRect() << QSize(1000, 725);
}

void TestScreen::fittedSize()
{
    QFETCH(QSize, size);
    QFETCH(QSize, minimum);
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);
    QFETCH(QSize, expected);
    QCOMPARE(platform::fittedSize(size, minimum, frame, available), expected);
}

// Under a reserved strip and with the frame the window manager draws, a window too tall for
// what is left is made shorter as it is first shown and its whole frame kept inside the area.
void TestScreen::fittedWhenFirstShown()
{
    const QRect available(0, 30, 640, 450);
    const QMargins frame(3, 28, 3, 3);
    platform::setDesktopForTest(available, frame);
    QWidget owner;
    owner.setGeometry(100, 100, 300, 200);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QWidget window;
    window.setMinimumSize(100, 100);
    window.resize(500, 600);
    platform::placeBesideOwner(&window, &owner);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    platform::setDesktopForTest(QRect(), QMargins());
    QCOMPARE(window.size(), QSize(500, 450 - 31));
    QCOMPARE(QRect(window.pos(), window.size().grownBy(frame)).bottom(), available.bottom());
    QCOMPARE(window.pos().y(), available.top());
}

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
