#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "positions/PosiRange.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo2.h"
#include "positions/frmSelectPosiNo3.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestPosiRange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void range2_data();
    void range2();
    void range3_data();
    void range3();
    void window2Opens_data();
    void window2Opens();
    void window2Ok();
    void window3OkAndRefusal();
    void cancelAndCloseBox();
    void keyEntry();
};

void TestPosiRange::range2_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("all data, whatever the boxes") << true << "700" << "3" << 0 << 1 << 999;
    QTest::newRow("a range") << false << "10" << "20" << 0 << 10 << 20;
    QTest::newRow("one position") << false << "999" << "999" << 0 << 999 << 999;
    QTest::newRow("start after end") << false << "20" << "10" << 1 << -1 << -1;
    QTest::newRow("empty start is position 0") << false << "" << "5" << 1 << -1 << -1;
    QTest::newRow("zero start") << false << "0" << "5" << 1 << -1 << -1;
    QTest::newRow("beyond 999") << false << "1" << "1000" << 1 << -1 << -1;
    QTest::newRow("beyond 16 bits") << false << "1" << "99999" << 1 << -1 << -1;
    // A box is read as every field is: never the number its text begins with.
    QTest::newRow("end 12abc") << false << "1" << "12abc" << 1 << -1 << -1;
    QTest::newRow("start 1e1") << false << "1e1" << "20" << 1 << -1 << -1;
    QTest::newRow("blanks around") << false << " 3 " << "20" << 0 << 3 << 20;
}

void TestPosiRange::range2()
{
    QFETCH(bool, all);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, result);
    QFETCH(int, from);
    QFETCH(int, to);
    TestEnv::resetAll();
    gPosiNoFrom = gPosiNoTo = -1;
    QCOMPARE(positions::posirange::acceptRange2(all, start, end), result);
    QCOMPARE(gPosiNoFrom, from);
    QCOMPARE(gPosiNoTo, to);
}

void TestPosiRange::range3_data()
{
    QTest::addColumn<bool>("newMode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("from"); // -1: left as it was
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("shownFrom");
    QTest::addColumn<int>("shownTo");
    // Outside New the displayed range is 1 to 50.
    QTest::newRow("inside") << false << "10" << "20" << 0 << 10 << 20 << 1 << 50;
    QTest::newRow("whole range") << false << "1" << "50" << 0 << 1 << 50 << 1 << 50;
    QTest::newRow("end outside: nothing stored") << false << "10" << "60" << 1 << -1 << -1 << 1 << 50;
    QTest::newRow("start after end") << false << "20" << "10" << 1 << -1 << -1 << 1 << 50;
    QTest::newRow("empty start") << false << "" << "10" << 1 << -1 << -1 << 1 << 50;
    QTest::newRow("New: any range") << true << "100" << "999" << 0 << 100 << 999 << 100 << 999;
    QTest::newRow("New: zero") << true << "0" << "10" << 1 << -1 << -1 << 1 << 15;
    QTest::newRow("New: beyond 999") << true << "5" << "1000" << 1 << -1 << -1 << 1 << 15;
    QTest::newRow("New: start after end") << true << "9" << "8" << 1 << -1 << -1 << 1 << 15;
}

void TestPosiRange::range3()
{
    QFETCH(bool, newMode);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(int, result);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, shownFrom);
    QFETCH(int, shownTo);
    TestEnv::resetAll();
    gPosiNewMode = newMode;
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = newMode ? 15 : 50;
    gPosiNoFrom = gPosiNoTo = -1;
    QCOMPARE(positions::posirange::acceptRange3(start, end), result);
    QCOMPARE(gPosiNoFrom, from);
    QCOMPARE(gPosiNoTo, to);
    QCOMPARE(gPosiNoDefFrom, shownFrom);
    QCOMPARE(gPosiNoDefTo, shownTo);
}

void TestPosiRange::window2Opens_data()
{
    QTest::addColumn<int>("shownFrom");
    QTest::addColumn<int>("shownTo");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("nothing shown") << 0 << 0 << "1" << "15";
    QTest::newRow("a range shown") << 20 << 80 << "20" << "80";
}

void TestPosiRange::window2Opens()
{
    QFETCH(int, shownFrom);
    QFETCH(int, shownTo);
    QFETCH(QString, start);
    QFETCH(QString, end);
    TestEnv env;
    gPosiNoDefFrom = shownFrom;
    gPosiNoDefTo = shownTo;
    gSelectCancel = true;
    frmSelectPosiNo2 w;
    QVERIFY(!gSelectCancel);
    QCOMPARE(w.windowTitle(), LoadResText(2101));
    QCOMPARE(w.txtStartPosiNo()->text(), start);
    QCOMPARE(w.txtEndPosiNo()->text(), end);
    QVERIFY(w.optSelectPosiNo(0)->isChecked());
    QVERIFY(!w.txtStartPosiNo()->isEnabled());
    QVERIFY(!w.txtEndPosiNo()->isEnabled());
    w.optSelectPosiNo(1)->click();
    QVERIFY(w.txtStartPosiNo()->isEnabled());
    QVERIFY(w.txtEndPosiNo()->isEnabled());
}

void TestPosiRange::window2Ok()
{
    TestEnv env;
    frmSelectPosiNo2 w;
    w.show();
    w.optSelectPosiNo(1)->click();
    w.txtStartPosiNo()->clear();
    w.txtEndPosiNo()->setText(QStringLiteral("5"));
    env.dialogs().answer(platform::IdOk);
    w.cmdSelectPosiOk()->click();
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(1610)});
    QVERIFY(w.isVisible());
    w.txtStartPosiNo()->setText(QStringLiteral("3"));
    w.cmdSelectPosiOk()->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(gPosiNoFrom, 3);
    QCOMPARE(gPosiNoTo, 5);
    QVERIFY(!gSelectCancel);
}

void TestPosiRange::window3OkAndRefusal()
{
    TestEnv env;
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 50;
    gPosiNoFrom = 7;
    gPosiNoTo = 8;
    frmSelectPosiNo3 w;
    w.show();
    QCOMPARE(w.txtStartPosiNo()->text(), QStringLiteral("1"));
    QCOMPARE(w.txtEndPosiNo()->text(), QStringLiteral("50"));
    w.txtStartPosiNo()->setText(QStringLiteral("10"));
    w.txtEndPosiNo()->setText(QStringLiteral("60"));
    env.dialogs().answer(platform::IdOk);
    w.cmdSelectPosiOk()->click();
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(1610)});
    QVERIFY(w.isVisible());
    QCOMPARE(gPosiNoFrom, 7); // a refused range stores nothing
    QCOMPARE(gPosiNoTo, 8);
    w.txtEndPosiNo()->setText(QStringLiteral("20"));
    w.cmdSelectPosiOk()->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(gPosiNoFrom, 10);
    QCOMPARE(gPosiNoTo, 20);
}

void TestPosiRange::cancelAndCloseBox()
{
    TestEnv env;
    {
        frmSelectPosiNo3 w;
        w.show();
        w.cmdSelectPosiCancel()->click();
        QVERIFY(gSelectCancel);
    }
    gSelectCancel = false;
    {
        frmSelectPosiNo2 w;
        w.show();
        QVERIFY(w.close()); // the close box
        QVERIFY(gSelectCancel);
    }
    gSelectCancel = false;
    {
        frmSelectPosiNo2 w;
        w.show();
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(gSelectCancel);
    }
}

void TestPosiRange::keyEntry()
{
    TestEnv env;
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 50;
    frmSelectPosiNo3 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLineEdit *start = w.txtStartPosiNo();
    start->setFocus();
    start->clear();
    QTest::keyClicks(start, QStringLiteral("12a-4"));
    QCOMPARE(start->text(), QStringLiteral("124"));
    QTest::keyClick(start, Qt::Key_5); // a fourth digit is swallowed
    QCOMPARE(start->text(), QStringLiteral("124"));
    start->selectAll();
    QTest::keyClick(start, Qt::Key_9); // unless it replaces a selection
    QCOMPARE(start->text(), QStringLiteral("9"));
    QApplication::setActiveWindow(&w);
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.txtEndPosiNo()));
    QTest::keyClick(w.txtEndPosiNo(), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.cmdSelectPosiOk()));
    QVERIFY(w.isVisible()); // Enter moved the focus; it pressed nothing
    QVERIFY(env.dialogs().boxes().isEmpty());
}

QTEST_MAIN(TestPosiRange)
#include "tst_posirange.moc"
