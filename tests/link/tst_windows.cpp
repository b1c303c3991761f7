// The progress and busy windows offscreen.
#include "app/frmMain.h"
#include "link/LinkState.h"
#include "link/WindowHooks.h"
#include "link/WindowPlacement.h"
#include "link/frmProcessing.h"
#include "link/frmTrance.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <QtTest>

#include "support/TestEnv.h"

class TestLinkWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { link::resetLinkState(); }
    void tranceCancelOffered_data();
    void tranceCancelOffered();
    void userCannotClose_data();
    void userCannotClose();
    void processingFlag();
    void placedBesideTheMainWindow();
    void transferProgressBesideTheMainWindow();
};

void TestLinkWindows::tranceCancelOffered_data()
{
    QTest::addColumn<bool>("cancelable");
    QTest::addColumn<int>("heightTwips");
    QTest::newRow("without Cancel") << false << 1740;
    QTest::newRow("with Cancel") << true << 2325;
}

void TestLinkWindows::tranceCancelOffered()
{
    QFETCH(bool, cancelable);
    QFETCH(int, heightTwips);
    gTranceCancelable = cancelable;
    frmTrance w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.cmdTranceCancel()->isVisible(), cancelable);
    QCOMPARE(w.height(), link::twipsToPixels(&w, heightTwips));
    QCOMPARE(w.lblSetumei()->property("Tag").toInt(), 2402);
    QCOMPARE(w.cmdTranceCancel()->property("Tag").toInt(), 1705);
    QCOMPARE(w.prgBar1()->accessibleName(), w.lblSetumei()->text());
    if (cancelable) {
        QTest::mouseClick(w.cmdTranceCancel(), Qt::LeftButton);
        QVERIFY(gTranceCancel);
        QVERIFY(w.isVisible()); // the operation ends the window at its next record
    }
    w.unload();
    QVERIFY(!w.isVisible());
}

void TestLinkWindows::userCannotClose_data()
{
    QTest::addColumn<bool>("processing");
    QTest::newRow("progress window") << false;
    QTest::newRow("busy window") << true;
}

void TestLinkWindows::userCannotClose()
{
    QFETCH(bool, processing);
    std::unique_ptr<QDialog> w;
    if (processing)
        w = std::make_unique<frmProcessing>();
    else
        w = std::make_unique<frmTrance>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(w->isVisible());
    QVERIFY(!w->close()); // the close box
    QVERIFY(w->isVisible());
    if (processing)
        static_cast<frmProcessing *>(w.get())->unload();
    else
        static_cast<frmTrance *>(w.get())->unload();
    QVERIFY(!w->isVisible());
}

void TestLinkWindows::processingFlag()
{
    QVERIFY(!gProcessingShown);
    {
        frmProcessing w;
        w.show();
        QVERIFY(gProcessingShown);
        QCOMPARE(w.lblProcese()->property("Tag").toInt(), 1902);
        w.unload();
        QVERIFY(!gProcessingShown);
    }
    {
        frmProcessing w;
        QVERIFY(gProcessingShown);
    }
    QVERIFY(!gProcessingShown);
}

void TestLinkWindows::placedBesideTheMainWindow()
{
    QWidget main;
    main.setGeometry(200, 150, 800, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    frmTrance w(&main);
    const int offset = link::twipsToPixels(&w, 500);
    QCOMPARE(w.pos(), main.frameGeometry().topLeft() + QPoint(offset, offset));
}

void TestLinkWindows::transferProgressBesideTheMainWindow()
{
    TestEnv env;
    frmMain::setScreenWidthForLoad(1280);
    frmMain main;
    main.show();
    // Another window has the focus, as a modeless editor window would.
    QWidget editor;
    editor.setGeometry(600, 500, 300, 200);
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));

    link::TransferProgress &progress = link::transferProgress();
    progress.open(368, 3);
    frmTrance *window = main.findChild<frmTrance *>();
    QVERIFY(window);
    const int offset = link::twipsToPixels(window, 500);
    QCOMPARE(window->pos(), main.frameGeometry().topLeft() + QPoint(offset, offset));
    progress.close();
}

QTEST_MAIN(TestLinkWindows)
#include "tst_windows.moc"
