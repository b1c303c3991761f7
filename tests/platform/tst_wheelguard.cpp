// The wheel guard's ways (platform/WheelGuard.h), on a small window of plain controls: which
// ways to the focus are the operator's aim, a list's long popup, scroll bars.
#include "support/MouseWheel.h"
#include "support/X11Keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <memory>

class TestWheelGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberBoxAfter_data();
    void numberBoxAfter();
    void longListPopupScrolls();
    void scrollBars();
};

namespace {

// A field, a number box with its label's shortcut, and a button.
struct Window
{
    Window()
    {
        auto *layout = new QVBoxLayout(&w);
        field = new QLineEdit;
        auto *label = new QLabel(QStringLiteral("&Number"));
        box = new QSpinBox;
        box->setRange(0, 100);
        box->setValue(50);
        label->setBuddy(box);
        button = new QPushButton(QStringLiteral("Other"));
        for (QWidget *c : std::initializer_list<QWidget *>{field, label, box, button})
            layout->addWidget(c);
        show(&w);
    }

    static void show(QWidget *window)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        QCoreApplication::processEvents();
    }

    QWidget w;
    QLineEdit *field;
    QSpinBox *box;
    QPushButton *button;
};

} // namespace

void TestWheelGuard::numberBoxAfter_data()
{
    QTest::addColumn<std::function<void(Window &)>>("focus");
    QTest::addColumn<bool>("takes"); // the number box takes the wheel

    const auto click = [](Window &x) { QTest::mouseClick(x.box->findChild<QLineEdit *>(), Qt::LeftButton); };
    const auto tab = [](Window &x) {
        x.field->setFocus(Qt::OtherFocusReason);
        sendX11Key(x.field, Qt::Key_Tab);
    };
    QTest::newRow("the program's focus") << std::function<void(Window &)>([](Window &x) { x.box->setFocus(); }) << false;
    QTest::newRow("a click") << std::function<void(Window &)>(click) << true;
    QTest::newRow("Tab") << std::function<void(Window &)>(tab) << true;
    QTest::newRow("its label's shortcut")
        << std::function<void(Window &)>([](Window &x) { QTest::keyClick(&x.w, Qt::Key_N, Qt::AltModifier); }) << true;
    // Qt passes the focus on with Tab's reason.
    QTest::newRow("the field before it disabled") << std::function<void(Window &)>([](Window &x) {
        x.field->setFocus();
        x.field->setEnabled(false);
    }) << false;
    QTest::newRow("a click, the window left and back") << std::function<void(Window &)>([click](Window &x) {
        click(x);
        QWidget other;
        Window::show(&other);
        QApplication::setActiveWindow(&x.w);
        QCoreApplication::processEvents();
    }) << true;
    QTest::newRow("Tab, then the program's focus elsewhere and back")
        << std::function<void(Window &)>([tab](Window &x) {
               tab(x);
               x.button->setFocus();
               x.box->setFocus();
           })
        << false;
}

// The number box takes the wheel when the operator gave it the focus, and only then; the
// focus stays where it is.
void TestWheelGuard::numberBoxAfter()
{
    QFETCH(std::function<void(Window &)>, focus);
    QFETCH(bool, takes);

    Window x;
    focus(x);
    QCoreApplication::processEvents();
    QVERIFY(x.box->hasFocus());

    turnWheel(x.box, 1);

    QCOMPARE(x.box->value(), takes ? 51 : 50);
    QVERIFY(x.box->hasFocus());
}

// A list longer than its popup shows scrolls in the popup as the wheel turns; its choice stays.
void TestWheelGuard::longListPopupScrolls()
{
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    auto *list = new QComboBox;
    for (int i = 0; i < 60; ++i)
        list->addItem(QString::number(i));
    layout->addWidget(list);
    Window::show(&w);
    QTest::mouseClick(list, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(QApplication::activePopupWidget());
    QScrollBar *bar = list->view()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(0);

    turnWheel(list->view()->viewport(), -1);

    QVERIFY(bar->value() > 0);
    QCOMPARE(list->currentIndex(), 0);
    QVERIFY(QApplication::activePopupWidget());
    sendX11Key(QApplication::activePopupWidget(), Qt::Key_Escape);
}

// A pane's own scroll bar scrolls it under the pointer; a scroll bar that stands for a value
// is one the operator aims at, like a slider.
void TestWheelGuard::scrollBars()
{
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    auto *pane = new QScrollArea;
    auto *content = new QWidget;
    content->setMinimumSize(100, 2000);
    pane->setWidget(content);
    pane->setFixedHeight(200);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *value = new QScrollBar(Qt::Horizontal);
    value->setRange(0, 100);
    value->setValue(50);
    layout->addWidget(pane);
    layout->addWidget(value);
    Window::show(&w);

    turnWheel(pane->verticalScrollBar(), -1);
    turnWheel(value, -1);

    QVERIFY(pane->verticalScrollBar()->value() > 0);
    QCOMPARE(value->value(), 50);
}

QTEST_MAIN(TestWheelGuard)
#include "tst_wheelguard.moc"
