#include "positions/PosiFileCommands.h"

#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "tables/PosiTable.h"
#include "support/FileFault.h"
#include "platform/RegularFile.h"
#include "support/ModalDriver.h"
#include "support/PosiMainWindow.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using platform::IdCancel;
using platform::IdNo;
using platform::IdOk;
using platform::IdYes;

namespace {

// The main window as the program wires it, holding a new table of positions 1 to 3 on one
// axis shown in pulses, changed since it was made.
struct Window : PosiMainWindow
{
    Window()
        : PosiMainWindow([] { gDispMmUnit = false; })
    {
        gDataChanged = true;
    }
};

ModalDriver::Action rangeCancel()
{
    return [](QWidget *w) { clickChild(w, QStringLiteral("cmdSelectPosiCancel")); };
}

ModalDriver::Action rangeAll()
{
    return [](QWidget *w) { clickChild(w, QStringLiteral("cmdSelectPosiOk")); };
}

} // namespace

class TestPosiFileWiring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryPoints_data();
    void entryPoints();
    void closingQuestion_data();
    void closingQuestion();
    void newAsksToSave_data();
    void newAsksToSave();
    void saveAfterNewAsksForAName();
    void namedPipeIsRefused_data();
    void namedPipeIsRefused();
};

void TestPosiFileWiring::entryPoints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("dialogTitle");
    QTest::newRow("toolbar Open") << "tbOpen" << LoadResText(364);
    QTest::newRow("button Open") << "cmdPosiFileOpen" << LoadResText(364);
    QTest::newRow("menu Open") << "mnuFileOpen" << LoadResText(364);
    QTest::newRow("toolbar Save") << "tbSave" << LoadResText(423);
    QTest::newRow("menu Save") << "mnuFileSave" << LoadResText(423);
    QTest::newRow("button Save") << "cmdPosiSaveFile" << LoadResText(406);
    QTest::newRow("menu Save As") << "mnuFileSaveAs" << LoadResText(406);
}

void TestPosiFileWiring::entryPoints()
{
    QFETCH(QString, control);
    QFETCH(QString, dialogTitle);
    TestEnv env;
    Window win;
    ModalDriver driver;
    const bool saveAs = dialogTitle == LoadResText(406);
    if (saveAs) {
        driver.then(rangeAll());
        env.dialogs().answer(IdOk); // 405
    }
    env.dialogs().chooseFile(QString()); // every file dialog is cancelled
    if (dialogTitle == LoadResText(364))
        env.dialogs().answer(IdOk); // 367

    QObject *o = win.w->control(control);
    QVERIFY2(o, qPrintable(control));
    if (auto *a = qobject_cast<QAction *>(o))
        a->trigger();
    else
        qobject_cast<QPushButton *>(o)->click();

    QCOMPARE(env.dialogs().fileRequests().size(), 1);
    QCOMPARE(env.dialogs().fileRequests().first().title, dialogTitle);
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    QVERIFY(win.w->flgdData()->isEnabled());
}

void TestPosiFileWiring::closingQuestion_data()
{
    QTest::addColumn<int>("how"); // 0 saved, 1 range cancelled, 2 write failed
    QTest::addColumn<bool>("closes");
    QTest::newRow("Yes, saved") << 0 << true;
    QTest::newRow("Yes, range window cancelled") << 1 << false;
    QTest::newRow("Yes, write failed") << 2 << false;
}

void TestPosiFileWiring::closingQuestion()
{
    QFETCH(int, how);
    QFETCH(bool, closes);
    TestEnv env;
    Window win;
    ModalDriver driver;
    const QString path = env.tempPath(QStringLiteral("exit.qzd"));
    env.dialogs().answer(IdYes); // 391
    if (how == 1) {
        driver.then(rangeCancel());
    } else {
        driver.then(rangeAll());
        env.dialogs().answer(IdOk); // 405
        env.dialogs().chooseFile(path);
    }
    if (how == 2)
        env.dialogs().answer(IdOk); // 422
    bool closed = false;
    {
        FileSizeLimit limit(how == 2 ? 16 : 1 << 30);
        closed = win.w->close();
    }
    QCOMPARE(closed, closes);
    QCOMPARE(win.w->ExitCancelled, !closes);
    QCOMPARE(QFile::exists(path), how == 0);
    QCOMPARE(gDataChanged, how != 0);
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
}

void TestPosiFileWiring::newAsksToSave_data()
{
    QTest::addColumn<int>("how"); // 0 saved, 1 dialog cancelled, 2 write failed
    QTest::addColumn<QStringList>("after");
    QTest::newRow("Yes, saved") << 0 << QStringList();
    QTest::newRow("Yes, dialog cancelled") << 1 << QStringList();
    QTest::newRow("Yes, write failed")
        << 2
        << QStringList{LoadResText(422)
                           + QStringLiteral("\r\nonly part of the file reached the disk (the disk may be full)"),
                       LoadResText(395)};
}

void TestPosiFileWiring::newAsksToSave()
{
    QFETCH(int, how);
    QFETCH(QStringList, after);
    TestEnv env;
    Window win;
    ModalDriver driver;
    env.dialogs().answer(IdYes); // 394
    env.dialogs().chooseFile(how == 1 ? QString() : env.tempPath(QStringLiteral("new.qzd")));
    for (int i = 0; i < after.size(); ++i)
        env.dialogs().answer(IdOk);
    if (how == 0)
        driver.then(rangeCancel()); // New goes on to its range window
    {
        FileSizeLimit limit(how == 2 ? 16 : 1 << 30);
        win.w->action(QStringLiteral("mnuFileNew"))->trigger();
    }
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(394)} + after);
    QCOMPARE(driver.shown().size(), how == 0 ? 1 : 0);
    QCOMPARE(gDataChanged, how != 0);
    QCOMPARE(SaveCancelFlag, how == 1);
}

void TestPosiFileWiring::saveAfterNewAsksForAName()
{
    TestEnv env;
    Window win;
    ModalDriver driver;
    const QString path = env.tempPath(QStringLiteral("first.qzd"));
    env.dialogs().chooseFile(path);
    QCOMPARE(core::mainform::runCommand(QStringLiteral("SavePosiFileCheck")), kPosiSaved);
    QCOMPARE(gPosiFileName, QStringLiteral("first"));

    driver.then(rangeAll()); // New over positions 1 to 15
    win.w->action(QStringLiteral("mnuFileNew"))->trigger();
    QCOMPARE(gPosiFileName, LoadResText(213));
    QFile::remove(path);
    env.dialogs().chooseFile(QString());
    QCOMPARE(core::mainform::runCommand(QStringLiteral("SavePosiFileCheck")), kPosiSaveStopped);
    QCOMPARE(env.dialogs().fileRequests().size(), 2);
    QVERIFY(!QFile::exists(path));

    // A table named by another origin without clearing the path is not written over the file.
    gPosiFilePath = path;
    gPosiFileName = LoadResText(374);
    env.dialogs().chooseFile(QString());
    QCOMPARE(core::mainform::runCommand(QStringLiteral("SavePosiFileCheck")), kPosiSaveStopped);
    QCOMPARE(env.dialogs().fileRequests().size(), 3);
    QVERIFY(!QFile::exists(path));
}

void TestPosiFileWiring::namedPipeIsRefused_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("socket"); // a socket's node instead of a named pipe
    QTest::addColumn<QStringList>("prompts");
    QTest::newRow("menu Open") << "mnuFileOpen" << false
                               << QStringList{LoadResText(484) + QStringLiteral("\r\n") + LoadResText(3042)};
    QTest::newRow("menu Open, socket") << "mnuFileOpen" << true
                                       << QStringList{LoadResText(484) + QStringLiteral("\r\n") + LoadResText(3042)};
    QTest::newRow("menu Save As") << "mnuFileSaveAs" << false
                                  << QStringList{LoadResText(405),
                                                 LoadResText(422) + QStringLiteral("\r\n") + LoadResText(3043)};
}

// A named pipe chosen in the file dialog is refused at once with its reason: the program
// does not wait for another program at its other end, and the table stays as it was. A socket,
// which cannot be opened at all, is refused the same way, not tried again as a failed read.
void TestPosiFileWiring::namedPipeIsRefused()
{
    QFETCH(QString, control);
    QFETCH(bool, socket);
    QFETCH(QStringList, prompts);
    TestEnv env;
    Window win;
    const QString pipe = env.tempPath(QStringLiteral("pipe.qzd"));
    QVERIFY(socket ? makeSocketFile(pipe) : makeNamedPipe(pipe));
    const auto shown = [&win] {
        QStringList cells;
        for (int r = 0; r < win.w->flgdData()->rows(); ++r)
            for (int c = 0; c < win.w->flgdData()->cols(); ++c)
                cells << win.w->flgdData()->text(r, c);
        return cells;
    };
    const QStringList before = shown();
    ModalDriver driver;
    if (control == QLatin1String("mnuFileSaveAs"))
        driver.then(rangeAll());
    for (int i = 0; i < prompts.size(); ++i)
        env.dialogs().answer(IdOk);
    env.dialogs().chooseFile(pipe);

    qobject_cast<QAction *>(win.w->control(control))->trigger();

    QCOMPARE(env.dialogs().prompts(), prompts);
    QCOMPARE(platform::nonRegularKind(pipe), socket ? QStringLiteral("a socket") : QStringLiteral("a named pipe"));
    QCOMPARE(shown(), before);
    QVERIFY(gDataChanged);
}

QTEST_MAIN(TestPosiFileWiring)
#include "tst_posifilewiring.moc"
