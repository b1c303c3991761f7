// The print selection window: its answer in PrintCancel and PrintPosiNow for each way out,
// and the file choice that is never offered.
#include "core/Messages.h"
#include "positions/PosiPrintCommands.h"
#include "positions/frmPrintSelect.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestFrmPrintSelect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waysOut_data();
    void waysOut();
    void fileChoiceNeverOffered();
    void texts();
};

void TestFrmPrintSelect::waysOut_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("posiNow");
    QTest::newRow("OK") << "ok" << false << true;
    QTest::newRow("Enter on OK") << "enter" << false << true;
    QTest::newRow("Cancel") << "cancel" << true << false;
    QTest::newRow("Esc") << "esc" << true << false;
    QTest::newRow("close box") << "close" << true << false;
}

void TestFrmPrintSelect::waysOut()
{
    QFETCH(QString, how);
    QFETCH(bool, cancel);
    QFETCH(bool, posiNow);
    TestEnv env;
    // Left over from an earlier showing: each showing sets them again.
    PrintCancel = !cancel;
    PrintPosiNow = false;
    ModalDriver driver;
    driver.then([how](QWidget *w) {
        auto *form = static_cast<frmPrintSelect *>(w);
        if (how == QLatin1String("ok")) {
            form->cmdPrintSet->click();
        } else if (how == QLatin1String("enter")) {
            form->cmdPrintSet->setFocus();
            QTest::keyClick(form->cmdPrintSet, Qt::Key_Return);
        } else if (how == QLatin1String("cancel")) {
            form->cmdPrintCancel->click();
        } else if (how == QLatin1String("esc")) {
            QTest::keyClick(form, Qt::Key_Escape);
        } else {
            form->close();
        }
    });
    {
        frmPrintSelect form;
        form.exec();
    }
    QCOMPARE(driver.shown(), QStringList{QStringLiteral("frmPrintSelect")});
    QCOMPARE(PrintCancel, cancel);
    QCOMPARE(PrintPosiNow, posiNow);
}

void TestFrmPrintSelect::fileChoiceNeverOffered()
{
    TestEnv env;
    frmPrintSelect form;
    form.show();
    QVERIFY(form.optPrintPosi[0]->isChecked());
    QVERIFY(!form.optPrintPosi[1]->isEnabled());
    QVERIFY(!form.lblPrintPosiName->isEnabled());
    QVERIFY(!form.cmdSelectPosiFile->isEnabled());
    QTest::mouseClick(form.optPrintPosi[1], Qt::LeftButton);
    QTest::mouseClick(form.cmdSelectPosiFile, Qt::LeftButton);
    QVERIFY(form.isVisible());
    QVERIFY(form.optPrintPosi[0]->isChecked());
    QCOMPARE(env.dialogs().fileRequests().size(), 0);
    // No default button: Enter elsewhere than on OK does nothing.
    form.optPrintPosi[0]->setFocus();
    QTest::keyClick(form.optPrintPosi[0], Qt::Key_Return);
    QVERIFY(form.isVisible());
    QVERIFY(!form.cmdPrintSet->isDefault());
}

void TestFrmPrintSelect::texts()
{
    TestEnv env;
    frmPrintSelect form;
    QCOMPARE(form.windowTitle(), LoadResText(1801));
    QCOMPARE(form.frmPrintPosi->title(), LoadResText(1803));
    QCOMPARE(form.optPrintPosi[0]->text(), LoadResText(1804));
    QCOMPARE(form.optPrintPosi[1]->text(), LoadResText(1805));
    QCOMPARE(form.lblPrintPosiName->text(), LoadResText(1806));
    QCOMPARE(form.cmdSelectPosiFile->text(), LoadResText(1807));
    QCOMPARE(form.cmdPrintSet->text(), LoadResText(1403));
    QCOMPARE(form.cmdPrintCancel->text(), LoadResText(1404));
    for (const char *name : {"frmPrintPosi", "optPrintPosi0", "optPrintPosi1", "lblPrintPosiName",
                             "cmdSelectPosiFile", "cmdPrintSet", "cmdPrintCancel"})
        QVERIFY2(form.findChild<QWidget *>(QLatin1String(name)), name);
}

QTEST_MAIN(TestFrmPrintSelect)
#include "tst_frmprintselect.moc"
