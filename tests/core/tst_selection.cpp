#include "core/WinFlags.h"
#include "app/frmAbout.h"
#include "core/frmSelection.h"
#include "app/frmSplash.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QScreen>
#include <QtTest>

// The splash window, the choice window's modes, the About window and the help routine.
class TestSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splashVersionLine_data();
    void splashVersionLine();
    void splashEndsOnItsTimer();
    void aboutShowsNoDeadAddress_data();
    void aboutShowsNoDeadAddress();
    void aboutCautionEndsWithTheAddress();
    void choice_data();
    void choice();
    void escapeAndCloseBox_data();
    void escapeAndCloseBox();
    void eachShowingStartsFromTheLayout();
};

void TestSelection::splashVersionLine_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("line");
    QTest::newRow("1.5.0") << "1.5.0" << "Version 1.50E";
    QTest::newRow("1.0.0") << "1.0.0" << "Version 1.00E";
    QTest::newRow("2.12.3") << "2.12.3" << "Version 2.123E";
    QTest::newRow("major only") << "3" << "Version 3.00E";
}

void TestSelection::splashVersionLine()
{
    QFETCH(QString, version);
    QFETCH(QString, line);
    QCOMPARE(frmSplash::versionLine(version), line);
}

void TestSelection::splashEndsOnItsTimer()
{
    TestEnv env;
    frmSplash splash;
    QVERIFY(splash.lblVersion()->text().startsWith(QStringLiteral("Version ")));
    // The warning speaks the system's own caution, word for word.
    auto *warning = splash.findChild<QLabel *>(QStringLiteral("lblWarning"));
    QVERIFY(warning);
    gLangOffset = 10000;
    QVERIFY2(LoadResText(1205).startsWith(warning->text() + QLatin1Char(' ')), qPrintable(warning->text()));
    QVERIFY(warning->text().endsWith(QLatin1Char('.')));
    QCOMPARE(splash.timerSplash()->interval(), frmSplash::kSplashMs);
    QVERIFY(!splash.timerSplash()->isActive()); // off in the layout
    splash.timerSplash()->setInterval(0);
    splash.runUntilEnded();
    QVERIFY(!gSplashEnd);                   // reset by the start-up's wait
    QVERIFY(!splash.timerSplash()->isActive()); // the first tick switches it off
    QVERIFY(!splash.isVisible());
    // It stood at the centre of the screen, not in its corner.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(qAbs(splash.frameGeometry().center().x() - screen.center().x()) <= 1
                 && qAbs(splash.frameGeometry().center().y() - screen.center().y()) <= 1,
             qPrintable(QStringLiteral("%1,%2 in %3x%4").arg(splash.x()).arg(splash.y())
                            .arg(screen.width()).arg(screen.height())));
}

// How the operator ends the window: the button to press, or the option to pick before OK.
void TestSelection::choice_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("pick");   // option index to select, -1: press Cancel
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("cancelShown");

    QTest::newRow("two, mode 1, OK only") << 2 << 1 << 0 << 0 << false;
    QTest::newRow("two, mode 1, second") << 2 << 1 << 1 << 1 << false;
    QTest::newRow("two, mode 0, Cancel") << 2 << 0 << -1 << -1 << true;
    QTest::newRow("two, mode 0, second") << 2 << 0 << 1 << 1 << true;
    QTest::newRow("three, mode 0, third") << 3 << 0 << 2 << 2 << true;
    QTest::newRow("three, mode 0, Cancel") << 3 << 0 << -1 << -1 << true;
    QTest::newRow("three, mode 1, third") << 3 << 1 << 2 << 2 << false;
}

void TestSelection::choice()
{
    QFETCH(int, options);
    QFETCH(int, mode);
    QFETCH(int, pick);
    QFETCH(int, result);
    QFETCH(bool, cancelShown);

    TestEnv env;
    ModalDriver driver;
    bool thirdVisible = true;
    bool cancelVisible = !cancelShown;
    QString title;
    QString prompt;
    driver.then([&](QWidget *w) {
        auto *f = qobject_cast<frmSelection *>(w);
        QVERIFY(f);
        title = f->windowTitle();
        prompt = f->lblSelectSetumei()->text();
        thirdVisible = f->optSelectKomoku(2)->isVisible();
        cancelVisible = f->cmdSelectCancel()->isVisible();
        QVERIFY(f->optSelectKomoku(0)->isChecked());
        if (pick < 0) {
            f->cmdSelectCancel()->click();
            return;
        }
        f->optSelectKomoku(pick)->click();
        f->cmdSelectOk()->click();
    });
    const int got = options == 2
        ? ShowSelection(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("a"), QStringLiteral("b"), mode)
        : ShowSelection2(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("a"), QStringLiteral("b"),
                         QStringLiteral("c"), mode);
    QCOMPARE(got, result);
    QCOMPARE(title, QStringLiteral("T"));
    QCOMPARE(prompt, QStringLiteral("P"));
    QCOMPARE(thirdVisible, options == 3);
    QCOMPARE(cancelVisible, cancelShown);
    QCOMPARE(driver.pending(), 0);
}

void TestSelection::escapeAndCloseBox_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("useEscape");
    QTest::addColumn<bool>("refused");

    QTest::newRow("mode 1, Esc refused") << 1 << true << true;
    QTest::newRow("mode 1, close box refused") << 1 << false << true;
    QTest::newRow("mode 0, Esc is Cancel") << 0 << true << false;
    QTest::newRow("mode 0, close box is Cancel") << 0 << false << false;
}

void TestSelection::escapeAndCloseBox()
{
    QFETCH(int, mode);
    QFETCH(bool, useEscape);
    QFETCH(bool, refused);

    TestEnv env;
    ModalDriver driver;
    bool stillOpen = false;
    driver.then([&](QWidget *w) {
        auto *f = qobject_cast<frmSelection *>(w);
        f->optSelectKomoku(1)->setChecked(true);
        if (useEscape)
            QTest::keyClick(f, Qt::Key_Escape);
        else
            f->close();
        stillOpen = f->isVisible();
        if (stillOpen)
            f->cmdSelectOk()->click();
    });
    const int got = ShowSelection(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("a"),
                                  QStringLiteral("b"), mode);
    QCOMPARE(stillOpen, refused);
    QCOMPARE(got, refused ? 1 : -1);
}

void TestSelection::eachShowingStartsFromTheLayout()
{
    TestEnv env;
    ModalDriver driver;
    driver.then([](QWidget *w) {
        auto *f = qobject_cast<frmSelection *>(w);
        f->optSelectKomoku(2)->click();
        f->cmdSelectOk()->click();
    });
    QCOMPARE(ShowSelection2(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("a"),
                            QStringLiteral("b"), QStringLiteral("c"), 0), 2);
    // The next showing starts on option 0 again and never offers the third option.
    bool firstChecked = false;
    driver.then([&](QWidget *w) {
        auto *f = qobject_cast<frmSelection *>(w);
        firstChecked = f->optSelectKomoku(0)->isChecked();
        QVERIFY(!f->optSelectKomoku(2)->isEnabled());
        f->cmdSelectOk()->click();
    });
    QCOMPARE(ShowSelection(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("a"),
                           QStringLiteral("b"), 0), 0);
    QVERIFY(firstChecked);
}

void TestSelection::aboutShowsNoDeadAddress_data()
{
    QTest::addColumn<int>("langOffset");
    QTest::newRow("Japanese") << 0;
    QTest::newRow("English") << 10000;
}

void TestSelection::aboutShowsNoDeadAddress()
{
    QFETCH(int, langOffset);
    TestEnv env;
    gLangOffset = langOffset;
    frmAbout w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // No web address is known that leads anywhere: none is shown, and nothing announces one.
    QVERIFY(frmAbout::hpAddress().isEmpty());
    QVERIFY(w.lblHpAddress->text().isEmpty());
    QVERIFY(!w.lblHpAddress->isVisible());
    QString caution = LoadResText(1205);
    QVERIFY(caution.endsWith(QLatin1String("URL:")));
    caution.chop(4);
    QCOMPARE(w.lblDisclaimer->text(), caution.trimmed());
    for (QLabel *l : w.findChildren<QLabel *>())
        QVERIFY2(!l->text().contains(QLatin1String("URL")) && !l->text().contains(QLatin1String("://"))
                     && !l->text().contains(QLatin1String(".example")),
                 qPrintable(l->text()));
    QVERIFY(w.lblVersion->text().startsWith(QLatin1String("Version ")));
}

// With an address the caution keeps its "URL:", which the address line then follows.
void TestSelection::aboutCautionEndsWithTheAddress()
{
    const QString caution = QStringLiteral("Download the latest version. URL:");
    QCOMPARE(frmAbout::disclaimerText(caution, QStringLiteral("https://maker.test/")), caution);
    QCOMPARE(frmAbout::disclaimerText(caution, QString()), QStringLiteral("Download the latest version."));
    QCOMPARE(frmAbout::disclaimerText(QStringLiteral("No address asked."), QString()), QStringLiteral("No address asked."));
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
