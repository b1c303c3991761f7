// Keys typed at typing speed into every grid and field that opens an editor on a key or
// filters its keys: a key the field drops beeps and costs nothing else, and every key after it
// reaches the field, in order. The keys go to the grid (the cell not in edit mode) or the field,
// as X11 delivers them, never to an editor opened by hand.
#include "tables/DevSetting.h"
#include "app/frmMain.h"
#include "app/frmOptions2.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "editors/frmDevice.h"
#include "editors/frmGrp.h"
#include "editors/frmParameta2.h"
#include "editors/frmSqMcr.h"
#include "operation/frmMove.h"
#include "platform/Beep.h"
#include "platform/FixedGrid.h"
#include "positions/PosiEditor.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>
#include <memory>

class TestTypedKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void droppedKeyCostsNothingElse_data();
    void droppedKeyCostsNothingElse();

private:
    std::unique_ptr<TestEnv> m_env;
    // The rows share one main window, as the program has one: each row sets what it types
    // into, and a row that failed leaves its main window behind.
    std::unique_ptr<frmMain> m_main;
};

void TestTypedKeys::initTestCase()
{
    m_env = std::make_unique<TestEnv>();
}

void TestTypedKeys::cleanupTestCase()
{
    m_main.reset();
    m_env.reset();
}

void TestTypedKeys::init()
{
    TestEnv::resetAll();
    m_env->dialogs().clear();
    tables::resetPosiImage();
    for (bool &unused : gAxisUnused)
        unused = false;
    gDevLead[0] = 2;
    gDevPPR[0] = 400;
    gDevMaxPulse[0] = 20000;
    gStrokeMm[0] = 100;
    gDevStroke[0] = 100;
    if (!m_main) {
        frmMain::setScreenWidthForLoad(1280);
        m_main = std::make_unique<frmMain>();
        positions::attachPosiEditing(*m_main);
    }
    InitPosiData();
    gPosiNoDefFrom = gPosiNoFrom = 1;
    gPosiNoDefTo = gPosiNoTo = 4;
}

void TestTypedKeys::cleanup()
{
    const QStringList unexpected = m_env->dialogs().unexpected();
    if (QTest::currentTestFailed() || !unexpected.isEmpty())
        m_main.reset();
    core::mainform::clearCommands();
    gDispMmUnit = false;
    QCOMPARE(unexpected, QStringList());
}

void TestTypedKeys::droppedKeyCostsNothingElse_data()
{
    QTest::addColumn<QString>("field"); // posi, posimm, move, grp, sm, para, stroke, port, jogvel
    QTest::addColumn<int>("col");       // the position grid's column
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed"); // "\r": Return
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");

    QTest::newRow("position grid, pulses: -3") << "posi" << 4 << "0" << "-3\r" << "3" << 1;
    QTest::newRow("position grid, mm: -3 over 0") << "posimm" << 4 << "  0.000" << "-3\r" << "  3.000" << 1;
    QTest::newRow("position grid, mm: -3.0071 over 15") << "posimm" << 4 << " 15.000" << "-3.0071\r" << "  3.005" << 1;
    QTest::newRow("position grid, mm: a drop between digits") << "posimm" << 4 << " 15.000" << "2,5\r" << " 25.000" << 1;
    QTest::newRow("position grid, VEL: two drops") << "posi" << 1 << "30" << "x4-5\r" << "45" << 2;
    QTest::newRow("position grid, ACC: 4 dropped") << "posi" << 2 << "3" << "42\r" << "2" << 1;
    QTest::newRow("position grid, no drop") << "posi" << 4 << "0" << "12\r" << "12" << 0;
    QTest::newRow("test-move grid: +7") << "move" << 0 << "" << "+7\r" << "7" << 1;
    QTest::newRow("test-move grid: leading zeros") << "move" << 0 << "" << "007\r" << "7" << 0;
    QTest::newRow("test-move grid: a drop between digits") << "move" << 0 << "3" << "1a2\r" << "12" << 1;
    QTest::newRow("group cell: -4") << "grp" << 0 << "" << "-4" << "4" << 1;
    QTest::newRow("macro cell (TIMER): -5") << "sm" << 0 << "" << "-5" << "5" << 1;
    QTest::newRow("parameter field: -12") << "para" << 0 << "" << "-12" << "12" << 1;
    QTest::newRow("stroke calculator: -5") << "stroke" << 0 << "" << "-5" << "5" << 1;
    QTest::newRow("options, port: x2") << "port" << 0 << "" << "x2" << "2" << 1;
    QTest::newRow("options, port: a second digit") << "port" << 0 << "" << "23" << "2" << 1;
    QTest::newRow("options, jog velocity: -12") << "jogvel" << 0 << "" << "-12" << "12" << 1;
    QTest::newRow("options, jog velocity: a third digit") << "jogvel" << 0 << "" << "456" << "45" << 1;
}

void TestTypedKeys::droppedKeyCostsNothingElse()
{
    QFETCH(QString, field);
    QFETCH(int, col);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, beeps);

    gDispMmUnit = field == QLatin1String("posimm");
    QzDataHyoji_3();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));

    // The window under test, deleted as it stands with a box holding the focus, as the
    // program's end deletes it: the focus leaving on the way finds nothing gone.
    std::unique_ptr<QWidget> window;
    QWidget *shownWindow = m_main.get();
    QWidget *target = nullptr;                 // what the keys are sent to
    QComboBox *chosen = nullptr;               // the macro step's command, chosen first
    std::function<QString()> shownText;        // what the field shows afterwards
    if (field.startsWith(QLatin1String("posi"))) {
        platform::FixedGrid &g = *m_main->flgdData();
        g.setText(2, col, before);
        g.setCursor(2, col);
        target = g.body();
        shownText = [&g, col] { return g.text(2, col); };
    } else if (field == QLatin1String("move")) {
        auto *w = new frmMove(m_main.get());
        window.reset(w);
        w->programGrid()->item(0, 0)->setText(before);
        w->programGrid()->setCurrentCell(0, 0);
        target = w->programGrid();
        shownText = [w] { return w->programStep(1); };
    } else {
        QLineEdit *box = nullptr;
        if (field == QLatin1String("grp")) {
            window.reset(new frmGrp(m_main.get()));
            box = window->findChild<QLineEdit *>(QStringLiteral("txtGrpStartNo_3"));
        } else if (field == QLatin1String("sm")) {
            window.reset(new frmSqMcr(m_main.get()));
            chosen = window->findChild<QComboBox *>(QStringLiteral("comboMerei_4"));
            box = window->findChild<QLineEdit *>(QStringLiteral("txtSmData_4"));
        } else if (field == QLatin1String("port") || field == QLatin1String("jogvel")) {
            auto *w = new frmOptions2(m_main.get());
            window.reset(w);
            if (field == QLatin1String("jogvel"))
                w->SSTabOption->setCurrentIndex(frmOptions2::kTeachingTab);
            box = field == QLatin1String("port") ? w->txtPortNo : w->txtJogVel;
        } else if (field == QLatin1String("para")) {
            auto *w = new frmParameta2(m_main.get());
            window.reset(w);
            box = qobject_cast<QLineEdit *>(w->field(frmParameta2::HomeOffset, 0));
        } else {
            auto *parameters = new frmParameta2(m_main.get()); // the stroke calculator's owner
            window.reset(parameters);
            shownWindow = new frmDevice(parameters);
            box = shownWindow->findChild<QLineEdit *>(QStringLiteral("txtStrokeTyo"));
        }
        QVERIFY(box);
        box->setText(before);
        target = box;
        shownText = [box] { return box->text(); };
    }
    if (window && shownWindow == m_main.get())
        shownWindow = window.get();
    shownWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(shownWindow));
    QApplication::setActiveWindow(shownWindow);
    if (chosen) {
        chosen->setFocus(Qt::MouseFocusReason);
        chosen->setCurrentIndex(5); // TIMER: digits 1 to 9
    }
    target->setFocus(Qt::MouseFocusReason);

    const int before0 = platform::beepCount();
    typeX11(target, typed);
    QCOMPARE(platform::beepCount() - before0, beeps);
    QCOMPARE(shownText(), shown);
    // Return ended the edit: no editor is left open on the grid.
    if (auto *view = qobject_cast<QAbstractItemView *>(target)) {
        for (QLineEdit *editor : view->findChildren<QLineEdit *>())
            QVERIFY(!editor->isVisible());
    }
}

QTEST_MAIN(TestTypedKeys)
#include "tst_typedkeys.moc"
