// The mouse wheel in every window of the program, turned as the desktop delivers it (the window
// system's event on the window at the pointer): over a list, a number box, a slider or a tab
// bar the operator has not given the focus it changes nothing and takes no focus, and the pane
// or grid beneath scrolls; the control the operator clicked or tabbed to takes it.
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "platform/Screen.h"
#include "tables/PosiTable.h"
#include "support/AllWindows.h"
#include "support/MouseWheel.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>
#include <memory>
#include <optional>

class TestWheel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void unaimedControlsKeepTheirValues_data();
    void unaimedControlsKeepTheirValues();
    void aimedControlTakesTheWheel_data();
    void aimedControlTakesTheWheel();
    void openListTakesTheWheel();
    void gridScrolls();

private:
    // The window of the program named, as its callers make it, shown and active; kept for the
    // rows that follow, the one before closed.
    QWidget *window(const QString &name);

    std::optional<TestEnv> m_env;
    std::unique_ptr<frmMain> m_main;
    QString m_name;
    QPointer<QWidget> m_window;
};

namespace {

// What the wheel would change: a list's choice, a number box, a slider, a tab bar's page. A
// scroll area's own bars only scroll it.
bool holdsValue(const QWidget *w)
{
    if (auto *bar = qobject_cast<const QScrollBar *>(w)) {
        for (const QWidget *p = bar->parentWidget(); p; p = p->parentWidget()) {
            if (auto *area = qobject_cast<const QAbstractScrollArea *>(p))
                return bar != area->verticalScrollBar() && bar != area->horizontalScrollBar();
        }
        return true;
    }
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
           || qobject_cast<const QAbstractSlider *>(w) || qobject_cast<const QTabBar *>(w);
}

QString valueOf(const QWidget *w)
{
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return QStringLiteral("%1 \"%2\"").arg(c->currentIndex()).arg(c->currentText());
    if (auto *s = qobject_cast<const QAbstractSpinBox *>(w))
        return s->text();
    if (auto *s = qobject_cast<const QAbstractSlider *>(w))
        return QString::number(s->value());
    if (auto *t = qobject_cast<const QTabBar *>(w))
        return QString::number(t->currentIndex());
    return {};
}

QString nameOf(const QWidget *w)
{
    if (!w)
        return QStringLiteral("(none)");
    QString name = w->objectName();
    for (const QWidget *p = w->parentWidget(); name.isEmpty() && p; p = p->parentWidget())
        name = p->objectName() + QStringLiteral("/") + QLatin1String(w->metaObject()->className());
    return name;
}

// Every value control of the window, its own (not a list's popup).
QList<QWidget *> valueControls(QWidget *window)
{
    QList<QWidget *> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() == window && holdsValue(w))
            found << w;
    }
    return found;
}

// What every value control of the window holds.
QStringList values(QWidget *window)
{
    QStringList all;
    for (const QWidget *w : valueControls(window))
        all << nameOf(w) + QStringLiteral("=") + valueOf(w);
    return all;
}

// Brings the control into view: its tab pages made current, the pane it sits in scrolled to
// it. False when it cannot be shown.
bool bringIntoView(QWidget *control)
{
    QWidget *window = control->window();
    for (QWidget *p = control; p && p != window; p = p->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(p->parentWidget()))
            stack->setCurrentWidget(p);
    }
    QCoreApplication::processEvents();
    if (auto *pane = window->findChild<QScrollArea *>(); pane && pane->widget() && pane->widget()->isAncestorOf(control))
        pane->ensureWidgetVisible(control, 0, 0);
    return control->isVisibleTo(window);
}

// The widget the pointer at the control's centre is over, as Qt finds it.
QWidget *underPointer(QWidget *control)
{
    QWidget *window = control->window();
    return window->childAt(control->mapTo(window, control->rect().center()));
}

QScrollBar *paneBarOver(QWidget *control)
{
    auto *pane = control->window()->findChild<QScrollArea *>();
    return pane && pane->widget() && pane->widget()->isAncestorOf(control) ? pane->verticalScrollBar() : nullptr;
}

// The control the focus goes to from `from` by Tab, as the operator presses it.
QWidget *tabFrom(QWidget *from)
{
    from->setFocus(Qt::OtherFocusReason);
    sendX11Key(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    return QApplication::focusWidget();
}

// The control before `control` in its window's Tab order that Tab leaves for it.
QWidget *beforeInTabOrder(QWidget *control)
{
    for (QWidget *w = control->previousInFocusChain(); w && w != control; w = w->previousInFocusChain()) {
        if (w->window() == control->window() && w != control && !control->isAncestorOf(w) && w->isEnabled()
            && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && w->focusProxy() != control)
            return w;
    }
    return nullptr;
}

} // namespace

void TestWheel::initTestCase()
{
    m_env.emplace();
    // 1024 x 768 with a panel below and thin title bars: the parameter window scrolls.
    platform::setDesktopForTest(QRect(0, 0, 1024, 738), QMargins(0, 25, 0, 0));
    app::startup::resetAxesForStart();
    frmMain::setScreenWidthForLoad(1024);
    m_main = std::make_unique<frmMain>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QCOMPARE(useStoredActuatorsOffline(), 0);
}

void TestWheel::cleanupTestCase()
{
    if (m_window && m_window != m_main.get())
        delete m_window.data();
    m_main.reset();
    platform::setDesktopForTest(QRect(), QMargins());
    m_env.reset();
}

QWidget *TestWheel::window(const QString &name)
{
    if (name != m_name || !m_window) {
        if (m_window && m_window != m_main.get()) {
            m_window->hide();
            delete m_window.data();
        }
        m_name = name;
        for (const ProgramWindow &made : programWindows()) {
            if (QLatin1String(made.name) == name)
                m_window = made.make(m_main.get());
        }
        if (!m_window)
            return nullptr;
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window))
            return nullptr;
    }
    QApplication::setActiveWindow(m_window);
    QCoreApplication::processEvents();
    return m_window;
}

void TestWheel::unaimedControlsKeepTheirValues_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("tabbedOff"); // the operator tabbed off each control before the wheel
    QTest::addColumn<QStringList>("named"); // controls of the window that must be among those turned over

    const QHash<QString, QStringList> named = {
        {QStringLiteral("frmParameta2"),
         {QStringLiteral("comboAxisAutoDrv_2"), QStringLiteral("comboActStroke_0"), QStringLiteral("comboEtcJhOrQz_0"),
          QStringLiteral("comboPgFunc_0"), QStringLiteral("comboHomeOut")}},
        {QStringLiteral("frmDevice3"), {QStringLiteral("comboDeviceSize0"), QStringLiteral("comboDeviceSpeed0")}},
        {QStringLiteral("frmMove"),
         {QStringLiteral("sldrGrpNo"), QStringLiteral("UpDown2"), QStringLiteral("sldrStartPosiNo"),
          QStringLiteral("updownEndPosiNo")}},
        {QStringLiteral("frmSqMcr"), {QStringLiteral("comboMerei_0")}},
    };
    for (const ProgramWindow &w : programWindows()) {
        const QString name = QLatin1String(w.name);
        QTest::addRow("%s, as it opens", w.name) << name << false << named.value(name);
        QTest::addRow("%s, tabbed off", w.name) << name << true << named.value(name);
    }
}

// Each value control of the window in turn under the pointer, the wheel turned a notch down
// and a notch up: no value of the window changes, the focus stays where it was, and in a pane
// the pane scrolls instead.
void TestWheel::unaimedControlsKeepTheirValues()
{
    QFETCH(QString, window);
    QFETCH(bool, tabbedOff);
    QFETCH(QStringList, named);

    QWidget *w = this->window(window);
    QVERIFY(w);
    QStringList turned;
    int scrolled = 0;
    for (QWidget *control : valueControls(w)) {
        if (!bringIntoView(control))
            continue; // never on the screen, never under the pointer
        if (tabbedOff) {
            QWidget *next = tabFrom(control);
            if (!next || control->hasFocus())
                continue; // nothing else to go to
            bringIntoView(control);
        }
        QWidget *under = underPointer(control);
        QVERIFY2(under && (under == control || control->isAncestorOf(under)), qPrintable(nameOf(control) + QStringLiteral(" under ") + nameOf(under)));
        turned << nameOf(control);

        for (int notch : {-1, 1}) {
            const QStringList before = values(w);
            QWidget *focus = QApplication::focusWidget();
            QScrollBar *pane = paneBarOver(control);
            const int at = pane ? pane->value() : 0;
            const bool paneMoves = pane && (notch < 0 ? at < pane->maximum() : at > pane->minimum());

            turnWheel(control, notch);

            QCOMPARE(values(w), before);
            QVERIFY2(QApplication::focusWidget() == focus,
                     qPrintable(nameOf(control) + QStringLiteral(": focus on ") + nameOf(QApplication::focusWidget())));
            if (paneMoves) {
                // Down the pane for a notch down, up for a notch up.
                QVERIFY2(notch < 0 ? pane->value() > at : pane->value() < at, qPrintable(nameOf(control)));
                ++scrolled;
                pane->setValue(at);
            }
        }
    }
    for (const QString &name : named)
        QVERIFY2(turned.contains(name), qPrintable(name + QStringLiteral(" not turned over: ") + turned.join(QLatin1Char(' '))));
    // Every control of the parameter window lies in its pane, which scrolls under each.
    if (window == QLatin1String("frmParameta2"))
        QVERIFY(scrolled >= turned.size());
}

void TestWheel::aimedControlTakesTheWheel_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("road");    // "click", "Tab"
    QTest::addColumn<QString>("follows"); // a control that shows the same value; empty: none

    QTest::newRow("parameter list clicked") << "frmParameta2" << "comboAxisAutoDrv_2" << "click" << "";
    QTest::newRow("parameter actuator list clicked") << "frmParameta2" << "comboActStroke_0" << "click" << "";
    QTest::newRow("parameter list tabbed to") << "frmParameta2" << "comboPgFunc_0" << "Tab" << "";
    QTest::newRow("actuator size list tabbed to") << "frmDevice3" << "comboDeviceSize0" << "Tab" << "";
    QTest::newRow("actuator speed list clicked") << "frmDevice3" << "comboDeviceSpeed0" << "click" << "";
    QTest::newRow("group slider clicked") << "frmMove" << "sldrGrpNo" << "click" << "UpDown2";
    QTest::newRow("group number box tabbed to") << "frmMove" << "UpDown2" << "Tab" << "sldrGrpNo";
    QTest::newRow("macro command list tabbed to") << "frmSqMcr" << "comboMerei_1" << "Tab" << "";
}

// The control the operator clicked (a list: its popup closed again with Escape; an editable
// one: in its text) or tabbed to takes the wheel: its value changes, nothing else's but what
// shows it, and the pane stays.
void TestWheel::aimedControlTakesTheWheel()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, road);
    QFETCH(QString, follows);

    QWidget *w = this->window(window);
    QVERIFY(w);
    auto *c = w->findChild<QWidget *>(control);
    QVERIFY2(c && bringIntoView(c) && c->isEnabled(), qPrintable(control));
    if (road == QLatin1String("Tab")) {
        QWidget *before = beforeInTabOrder(c);
        QVERIFY(before);
        tabFrom(before);
    } else if (auto *slider = qobject_cast<QSlider *>(c)) {
        // On the handle, which a click does not move.
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = option.sliderValue = slider->value();
        const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, handle.center());
    } else {
        auto *list = qobject_cast<QComboBox *>(c);
        QVERIFY(list);
        QTest::mouseClick(list->isEditable() ? list->lineEdit() : c, Qt::LeftButton);
        QCoreApplication::processEvents();
        if (!list->isEditable()) {
            QWidget *popup = QApplication::activePopupWidget();
            QVERIFY(popup);
            sendX11Key(popup, Qt::Key_Escape);
            QCoreApplication::processEvents();
        }
        QVERIFY(!QApplication::activePopupWidget());
    }
    QVERIFY2(c->hasFocus(), qPrintable(nameOf(QApplication::focusWidget())));
    bringIntoView(c);

    const QString value = valueOf(c);
    // The others, each by its name.
    const auto othersOf = [&] {
        QStringList others;
        for (const QWidget *o : valueControls(w)) {
            if (o != c && o->objectName() != follows)
                others << nameOf(o) + QStringLiteral("=") + valueOf(o);
        }
        return others;
    };
    const QStringList others = othersOf();
    QScrollBar *pane = paneBarOver(c);
    const int at = pane ? pane->value() : 0;
    // Down a notch, or up where the control is at its end.
    turnWheel(c, -1);
    if (valueOf(c) == value)
        turnWheel(c, 1);

    QVERIFY2(valueOf(c) != value, qPrintable(value));
    QCOMPARE(othersOf(), others);
    QVERIFY(c->hasFocus());
    if (pane)
        QCOMPARE(pane->value(), at);
}

// A list's open popup takes the wheel (a long one scrolls: tests/platform/tst_wheelguard):
// it stays open, and neither the list's choice nor the pane beneath moves.
void TestWheel::openListTakesTheWheel()
{
    QWidget *w = window(QStringLiteral("frmParameta2"));
    QVERIFY(w);
    auto *list = w->findChild<QComboBox *>(QStringLiteral("comboEtcJhOrQz_0"));
    QVERIFY(list && bringIntoView(list));
    QScrollBar *pane = paneBarOver(list);
    QVERIFY(pane);
    QTest::mouseClick(list, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(QApplication::activePopupWidget());
    const QStringList before = values(w);
    const int at = pane->value();

    for (int notch : {-1, 1, -1})
        turnWheel(list->view()->viewport(), notch);

    QVERIFY(QApplication::activePopupWidget());
    QCOMPARE(values(w), before);
    QCOMPARE(pane->value(), at);
    sendX11Key(QApplication::activePopupWidget(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(!QApplication::activePopupWidget());
}

// The main window's position grid scrolls under the wheel, with the first focus the window
// gives it and without the focus.
void TestWheel::gridScrolls()
{
    QWidget *w = window(QStringLiteral("frmMain"));
    QVERIFY(w);
    auto *grid = w->findChild<platform::FixedGrid *>();
    QVERIFY(grid);
    // A new position table of 100 positions.
    gPosiNoFrom = gPosiNoDefFrom = 1;
    gPosiNoTo = gPosiNoDefTo = 100;
    m_main->QzDataHyoji_3();
    QCoreApplication::processEvents();
    QAbstractScrollArea *body = grid->body();
    QScrollBar *bar = body->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    for (bool elsewhere : {false, true}) {
        if (elsewhere) {
            body->clearFocus();
            QVERIFY(!body->hasFocus());
        }
        bar->setValue(0);
        turnWheel(body->viewport(), -1);
        QVERIFY2(bar->value() > 0, elsewhere ? "without the focus" : "at opening");
    }
}

QTEST_MAIN(TestWheel)
#include "tst_wheel.moc"

