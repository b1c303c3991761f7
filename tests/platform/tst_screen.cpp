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

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
