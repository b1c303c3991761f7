// The main window's entry points of the position read, write and verification.
#include "core/Messages.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiTable.h"
#include "positions/PosiTransfer.h"
#include "positions/PosiVerify.h"
#include "support/ModalDriver.h"
#include "support/PosiMainWindow.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QPushButton>
#include <QtTest>

namespace {

// The main window as the start-up wires it, holding a new table of positions 1 to 3.
struct Window : PosiMainWindow
{
    Window()
        : PosiMainWindow([] {
            positions::registerPosiTransferCommands();
            positions::registerPosiVerifyCommands();
        })
    {
    }
};

} // namespace

class TestPosiTransferWiring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryPoints_data();
    void entryPoints();
};

void TestPosiTransferWiring::entryPoints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("window");  // the modal window shown first, cancelled
    QTest::addColumn<int>("question");    // or the message box asked first, cancelled
    QTest::addColumn<int>("fileTitle");   // or the file dialog shown first, cancelled

    QTest::newRow("toolbar Read") << "tbRead" << QString() << 369 << 0;
    QTest::newRow("button Read") << "cmdPosiRead" << QString() << 369 << 0;
    QTest::newRow("menu Read") << "mnuFileGetfromCt" << QString() << 369 << 0;
    QTest::newRow("toolbar Load") << "tbLoad" << "frmSelectPosiNo3" << 0 << 0;
    QTest::newRow("button Load") << "cmdPosiLoad" << "frmSelectPosiNo3" << 0 << 0;
    QTest::newRow("menu Load") << "mnuFileLoadtoCt" << "frmSelectPosiNo3" << 0 << 0;
    QTest::newRow("toolbar Verify") << "tbShogo" << "frmSelectPosiNo3" << 0 << 0;
    QTest::newRow("button Verify") << "cmdPosiVerify" << "frmDataShogo" << 0 << 0;
    QTest::newRow("menu Verify with C/T") << "mnuFileShogoCt" << "frmSelectPosiNo3" << 0 << 0;
    QTest::newRow("menu Verify with File") << "mnuFileShogoFile" << QString() << 0 << 350;
}

void TestPosiTransferWiring::entryPoints()
{
    QFETCH(QString, control);
    QFETCH(QString, window);
    QFETCH(int, question);
    QFETCH(int, fileTitle);
    TestEnv env;
    Window win;
    ModalDriver driver;
    if (!window.isEmpty())
        driver.then([](QWidget *w) { w->close(); });
    if (question)
        env.dialogs().answer(platform::IdCancel);
    if (fileTitle)
        env.dialogs().chooseFile(QString());

    QObject *o = win.w->control(control);
    QVERIFY2(o, qPrintable(control));
    if (auto *a = qobject_cast<QAction *>(o))
        a->trigger();
    else
        qobject_cast<QPushButton *>(o)->click();

    QCOMPARE(driver.shown(), window.isEmpty() ? QStringList() : QStringList{window});
    QCOMPARE(env.dialogs().prompts(), question ? QStringList{LoadResText(question)} : QStringList());
    QCOMPARE(env.dialogs().fileRequests().size(), fileTitle ? 1 : 0);
    if (fileTitle)
        QCOMPARE(env.dialogs().fileRequests().first().title, LoadResText(fileTitle));
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    // Everything back on, and the table as it was.
    QVERIFY(win.w->flgdData()->isEnabled());
    QVERIFY(qobject_cast<QPushButton *>(win.w->control(QStringLiteral("cmdPosiRead")))->isEnabled());
    QCOMPARE(gPosiNoDefFrom, 1);
    QCOMPARE(gPosiNoDefTo, 3);
}

QTEST_MAIN(TestPosiTransferWiring)
#include "tst_positransferwiring.moc"
