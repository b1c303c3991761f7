#include "app/Startup.h"
#include "app/frmMain.h"
#include "core/MainForm.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

// Every button, menu item and toolbar button of the main window reaches a command that is
// wired under the name it asks for.
class TestMainControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reachesAWiredCommand_data();
    void reachesAWiredCommand();
    void unknownNameIsTold();
};

namespace {

// The controls that run a command: the buttons and the actions that open no submenu.
QStringList commandControls(const frmMain &w)
{
    QStringList names;
    for (QPushButton *b : w.findChildren<QPushButton *>()) {
        if (!b->objectName().isEmpty() && w.control(b->objectName()) == b)
            names << b->objectName();
    }
    for (QAction *a : w.findChildren<QAction *>()) {
        if (!a->menu() && !a->objectName().isEmpty() && w.control(a->objectName()) == a)
            names << a->objectName();
    }
    names.sort();
    return names;
}

// The control's own trigger, as the operator's click or menu choice delivers it.
void trigger(QObject *control)
{
    if (auto *a = qobject_cast<QAction *>(control)) {
        a->setEnabled(true);
        a->trigger();
    } else if (auto *b = qobject_cast<QPushButton *>(control)) {
        for (QWidget *w = b; w; w = w->parentWidget())
            w->setEnabled(true);
        b->click();
    }
}

} // namespace

void TestMainControls::reachesAWiredCommand_data()
{
    QTest::addColumn<QString>("control");
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);
    frmMain w;
    const QStringList names = commandControls(w);
    // The window's buttons, menu items and toolbar buttons, each a row.
    QCOMPARE(names.size(), 64);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestMainControls::reachesAWiredCommand()
{
    QFETCH(QString, control);
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);
    frmMain w;
    core::mainform::clearCommands();
    wireCommands(w);
    QObject *c = w.control(control);
    QVERIFY(c);

    core::mainform::CommandRecorder recorder;
    trigger(c);
    QCOMPARE(recorder.unknown(), QStringList());
    QCOMPARE(recorder.wired().size(), 1);
}

// The recorder tells a name nothing is wired under apart from a wired one, so a control whose
// name has lost its command fails the rows above.
void TestMainControls::unknownNameIsTold()
{
    TestEnv env;
    frmMain::setScreenWidthForLoad(1024);
    frmMain w;
    core::mainform::clearCommands();
    wireCommands(w);
    core::mainform::CommandRecorder recorder;
    QCOMPARE(core::mainform::runCommand(QStringLiteral("OpenPosiFile")), 0);
    QCOMPARE(core::mainform::runCommand(QStringLiteral("mnuNoSuchControl_Click")), -1);
    QCOMPARE(recorder.wired(), QStringList{QStringLiteral("OpenPosiFile")});
    QCOMPARE(recorder.unknown(), QStringList{QStringLiteral("mnuNoSuchControl_Click")});
}

QTEST_MAIN(TestMainControls)
#include "tst_maincontrols.moc"
