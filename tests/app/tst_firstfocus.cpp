// The first key typed into a field the program gave the focus to replaces the field's text, as
// after Tab: a window's first focus as it opens, and the focus the program moves on Enter.
// Keys go as X11 delivers them, right after the window opened.
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "core/MainForm.h"
#include "positions/frmSelectPosiNo4.h"
#include "tables/PosiTable.h"
#include "support/AllWindows.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>
#include <memory>

class TestFirstFocus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void everyWindowOnAFieldIsListed();
    void typedDigitReplacesTheText_data();
    void typedDigitReplacesTheText();

private:
    // The main window, then the window made by `make`, shown and active.
    QWidget *open(const std::function<QWidget *(QWidget *)> &make, const QMap<QString, QString> &preset);
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<frmMain> m_main;
    QPointer<QWidget> m_window;
};

using Fields = QMap<QString, QString>;

namespace {

// A field the operator types a value into: a line edit, a spin box or a list that takes text.
bool isTextField(const QWidget *w)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->isEditable();
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

QString textOf(const QWidget *w)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(w))
        return spin->text();
    return static_cast<const QLineEdit *>(w)->text();
}

std::function<QWidget *(QWidget *)> maker(const QString &window)
{
    if (window == QLatin1String("frmSelectPosiNo4, ranges overlapping"))
        return [](QWidget *main) { return new frmSelectPosiNo4(true, main); };
    for (const ProgramWindow &made : programWindows()) {
        if (QLatin1String(made.name) == window)
            return made.make;
    }
    return {};
}

// The windows that open with a text field focused, and that field.
const QMap<QString, QString> &fieldWindows()
{
    static const QMap<QString, QString> table = {
        {QStringLiteral("frmParameta2"), QStringLiteral("txtHomeOffset_0")},
        {QStringLiteral("frmDevice"), QStringLiteral("txtStrokeTyo")},
        {QStringLiteral("frmGrp"), QStringLiteral("txtGrpStartNo_0")},
        {QStringLiteral("frmSelectPosiNo3"), QStringLiteral("txtStartPosiNo")},
    };
    return table;
}

} // namespace

void TestFirstFocus::init()
{
    m_env = std::make_unique<TestEnv>();
    app::startup::resetAxesForStart();
}

void TestFirstFocus::cleanup()
{
    if (m_window && m_window != m_main.get()) {
        m_window->hide();
        delete m_window.data();
    }
    m_main.reset();
    core::mainform::clearCommands();
    m_env.reset();
}

QWidget *TestFirstFocus::open(const std::function<QWidget *(QWidget *)> &make, const QMap<QString, QString> &preset)
{
    if (!m_main) {
        frmMain::setScreenWidthForLoad(1280);
        m_main = std::make_unique<frmMain>();
        m_main->show();
        if (!QTest::qWaitForWindowExposed(m_main.get()) || useStoredActuatorsOffline() != 0)
            return nullptr;
    }
    // The ranges the range windows offer.
    gPosiNoDefFrom = gPosiNoFrom = gPosiCommonFrom = 1;
    gPosiNoDefTo = gPosiNoTo = gPosiCommonTo = 20;
    m_window = make(m_main.get());
    // What the window shows as it opens (a value read or kept before).
    for (auto it = preset.cbegin(); it != preset.cend(); ++it) {
        auto *field = m_window->window()->findChild<QLineEdit *>(it.key());
        if (!field)
            return nullptr;
        field->setText(it.value());
    }
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        return nullptr;
    QApplication::setActiveWindow(m_window);
    return m_window;
}

// A window that opens with a text field focused gets its rows below.
void TestFirstFocus::everyWindowOnAFieldIsListed()
{
    QMap<QString, QString> onAField;
    // Each window beside the one main window, as the program opens them.
    for (const ProgramWindow &made : programWindows()) {
        QWidget *w = open(made.make, {});
        QVERIFY2(w, made.name);
        QWidget *focus = w->focusWidget();
        if (isTextField(focus))
            onAField.insert(QLatin1String(made.name), focus->objectName());
        if (w != m_main.get()) {
            w->hide();
            delete w;
        }
    }
    QCOMPARE(onAField, fieldWindows());
}

void TestFirstFocus::typedDigitReplacesTheText_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Fields>("preset"); // field: the text it shows as the window opens
    QTest::addColumn<QString>("first");                 // the field with the first focus
    QTest::addColumn<QString>("typed");                 // "\r": Return
    QTest::addColumn<Fields>("shown");  // field: its text afterwards

    // At the opening: the digit replaces the value shown.
    QTest::newRow("group window, START") << "frmGrp" << Fields{{"txtGrpStartNo_0", "1"}} << "txtGrpStartNo_0"
                                         << "5" << Fields{{"txtGrpStartNo_0", "5"}};
    QTest::newRow("parameter window, HOME OFFSET of axis 1")
        << "frmParameta2" << Fields{{"txtHomeOffset_0", "12"}} << "txtHomeOffset_0" << "3"
        << Fields{{"txtHomeOffset_0", "3"}};
    QTest::newRow("stroke calculator, STROKE") << "frmDevice" << Fields{} << "txtStrokeTyo" << "7"
                                               << Fields{{"txtStrokeTyo", "7"}};
    QTest::newRow("range window, START") << "frmSelectPosiNo3" << Fields{} << "txtStartPosiNo" << "3"
                                         << Fields{{"txtStartPosiNo", "3"}, {"txtEndPosiNo", "20"}};
    QTest::newRow("verification range window, START")
        << "frmSelectPosiNo4, ranges overlapping" << Fields{} << "txtStartPosiNo" << "3"
        << Fields{{"txtStartPosiNo", "3"}, {"txtEndPosiNo", "20"}};
    // Enter moves the focus on: the next field's digit replaces its value too.
    QTest::newRow("group window, Enter to END") << "frmGrp" << Fields{{"txtGrpStartNo_0", "1"}, {"txtGrpEndNo_0", "1"}}
                                                << "txtGrpStartNo_0" << "5\r8"
                                                << Fields{{"txtGrpStartNo_0", "5"}, {"txtGrpEndNo_0", "8"}};
    QTest::newRow("group window, Enter to the next START")
        << "frmGrp" << Fields{{"txtGrpStartNo_0", "1"}, {"txtGrpEndNo_0", "1"}, {"txtGrpStartNo_1", "2"}}
        << "txtGrpStartNo_0" << "5\r8\r6"
        << Fields{{"txtGrpStartNo_0", "5"}, {"txtGrpEndNo_0", "8"}, {"txtGrpStartNo_1", "6"}};
    QTest::newRow("parameter window, Enter to axis 2")
        << "frmParameta2" << Fields{{"txtHomeOffset_0", "12"}, {"txtHomeOffset_1", "12"}} << "txtHomeOffset_0"
        << "3\r4" << Fields{{"txtHomeOffset_0", "3"}, {"txtHomeOffset_1", "4"}};
    QTest::newRow("range window, Enter to END") << "frmSelectPosiNo3" << Fields{} << "txtStartPosiNo" << "3\r9"
                                                << Fields{{"txtStartPosiNo", "3"}, {"txtEndPosiNo", "9"}};
}

void TestFirstFocus::typedDigitReplacesTheText()
{
    QFETCH(QString, window);
    QFETCH(Fields, preset);
    QFETCH(QString, first);
    QFETCH(QString, typed);
    QFETCH(Fields, shown);

    const auto make = maker(window);
    QVERIFY2(make, qPrintable(window));
    QWidget *w = open(make, preset);
    QVERIFY(w);
    QWidget *focus = w->focusWidget();
    QVERIFY(focus);
    QCOMPARE(focus->objectName(), first);
    QVERIFY(isTextField(focus));
    // Every field shows a value a digit could be added to.
    for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
        const QWidget *field = w->findChild<QWidget *>(it.key());
        QVERIFY2(field && isTextField(field), qPrintable(it.key()));
        QVERIFY2(!textOf(field).isEmpty(), qPrintable(it.key()));
    }

    // Each key goes to the control that has the focus as it is pressed.
    for (const QChar c : typed)
        typeX11(QApplication::focusWidget(), QString(c));

    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        QCOMPARE(textOf(w->findChild<QWidget *>(it.key())), it.value());
}

QTEST_MAIN(TestFirstFocus)
#include "tst_firstfocus.moc"
