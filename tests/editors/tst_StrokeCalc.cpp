// The stroke calculator: its arithmetic, its fields and the hand-over to the parameter window.
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "editors/StrokeCalc.h"
#include "editors/frmDevice.h"
#include "editors/frmParameta2.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QClipboard>
#include <QtTest>

class TestStrokeCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pulses_data()
    {
        QTest::addColumn<QString>("stroke");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<int>("factor");
        QTest::addColumn<qint64>("pulses"); // -1: invalid
        QTest::newRow("rounded up from tenths") << "100" << "6" << 400 << qint64(6667);
        QTest::newRow("whole") << "100" << "2" << 400 << qint64(20000);
        QTest::newRow("57H") << "50" << "8" << 192 << qint64(1200);
        QTest::newRow("largest") << "500" << "2" << 400 << qint64(100000);
        QTest::newRow("smallest") << "25" << "8" << 192 << qint64(600);
        QTest::newRow("exact after the division") << "100" << "3" << 192 << qint64(6400);
        QTest::newRow("empty stroke") << "" << "2" << 400 << qint64(0);
        QTest::newRow("empty lead") << "100" << "" << 400 << qint64(-1);
        QTest::newRow("hint text as lead") << "100" << "integer:2 or 6 or 8" << 400 << qint64(-1);
        QTest::newRow("lead 0") << "100" << "0" << 400 << qint64(-1);
        QTest::newRow("stroke beyond 16 bits") << "40000" << "2" << 400 << qint64(-1);
    }
    void pulses()
    {
        QFETCH(QString, stroke);
        QFETCH(QString, lead);
        QFETCH(int, factor);
        QFETCH(qint64, pulses);
        const auto p = editors::strokePulses(stroke, lead, factor);
        QCOMPARE(p.value_or(-1), pulses);
    }

    void fields_data()
    {
        QTest::addColumn<bool>("stroke");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("kept");
        QTest::newRow("stroke 500") << true << "500" << true;
        QTest::newRow("stroke 501") << true << "501" << false;
        QTest::newRow("stroke empty") << true << "" << true;
        QTest::newRow("lead 5") << false << "5" << false;
        QTest::newRow("lead 6") << false << "6" << true;
        QTest::newRow("lead empty") << false << "" << false;
        QTest::newRow("stroke 50.5") << true << "50.5" << false;
        QTest::newRow("stroke 12abc") << true << "12abc" << false;
        QTest::newRow("lead 6.0") << false << "6.0" << false;
    }
    void fields()
    {
        QFETCH(bool, stroke);
        QFETCH(QString, text);
        QFETCH(bool, kept);
        QCOMPARE(stroke ? editors::strokeFieldAccepted(text) : editors::leadFieldAccepted(text), kept);
    }

    void keys()
    {
        QVERIFY(editors::strokeCalcKeyAccepted(3, QStringLiteral("12"), QLatin1Char('3')));
        QVERIFY(!editors::strokeCalcKeyAccepted(3, QStringLiteral("123"), QLatin1Char('4')));
        QVERIFY(editors::strokeCalcKeyAccepted(3, QStringLiteral("123"), QChar(8)));
        QVERIFY(!editors::strokeCalcKeyAccepted(1, QStringLiteral("2"), QLatin1Char('6')));
        QVERIFY(!editors::strokeCalcKeyAccepted(1, QString(), QLatin1Char('x')));
        // The hint text is longer than the limit and still takes digits.
        QVERIFY(editors::strokeCalcKeyAccepted(1, LoadResText(1314), QLatin1Char('6')));
    }

    // Keys as X11 delivers them: Delete ("\x7f") edits a full field, a digit beyond it is dropped.
    void keysInTheFields_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("stroke delete") << "txtStrokeTyo" << "123" << int(Qt::Key_Delete) << "23";
        QTest::newRow("stroke fourth digit") << "txtStrokeTyo" << "123" << int(Qt::Key_4) << "123";
        QTest::newRow("lead delete") << "txtRido" << "6" << int(Qt::Key_Delete) << "";
    }
    void keysInTheFields()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(QString, after);
        TestEnv env;
        frmDevice calc(nullptr);
        auto *e = calc.findChild<QLineEdit *>(box);
        QVERIFY(e);
        e->setText(before);
        e->setCursorPosition(0);
        sendX11Key(e, Qt::Key(key));
        QCOMPARE(e->text(), after);
    }

    // A box that still shows its hint takes digits: clicked into, the first edit replaces the
    // hint (a key the box drops leaves it).
    void typingIntoTheHint_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("after"); // "hint": the hint unchanged
        QTest::newRow("stroke digits") << "txtStrokeTyo" << QList<int>{Qt::Key_1, Qt::Key_2, Qt::Key_0} << ""
                                       << "120";
        QTest::newRow("stroke backspace") << "txtStrokeTyo" << QList<int>{Qt::Key_Backspace} << "" << "";
        QTest::newRow("stroke delete, then a digit") << "txtStrokeTyo" << QList<int>{Qt::Key_Delete, Qt::Key_5}
                                                     << "" << "5";
        QTest::newRow("stroke letter dropped") << "txtStrokeTyo" << QList<int>{Qt::Key_X} << "" << "hint";
        QTest::newRow("lead digit") << "txtRido" << QList<int>{Qt::Key_6} << "" << "6";
        QTest::newRow("lead second digit dropped") << "txtRido" << QList<int>{Qt::Key_6, Qt::Key_2} << "" << "6";
        QTest::newRow("lead paste") << "txtRido" << QList<int>{} << "8" << "8";
    }
    void typingIntoTheHint()
    {
        QFETCH(QString, box);
        QFETCH(QList<int>, keys);
        QFETCH(QString, clip);
        QFETCH(QString, after);
        TestEnv env;
        frmDevice calc(nullptr);
        calc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calc));
        auto *e = calc.findChild<QLineEdit *>(box);
        QVERIFY(e);
        const QString hint = e->text();
        QCOMPARE(hint, LoadResText(box == QLatin1String("txtStrokeTyo") ? 1313 : 1314));
        QTest::mouseClick(e, Qt::LeftButton, {}, e->rect().center());
        QVERIFY(e->hasFocus());
        for (const int key : keys)
            sendX11Key(e, Qt::Key(key));
        if (!clip.isEmpty()) {
            QGuiApplication::clipboard()->setText(clip);
            sendX11Key(e, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(e->text(), after == QLatin1String("hint") ? hint : after);
    }

    // Ctrl+V as X11 builds it: a pasted text is taken only when the keys could have typed it.
    void pasteInTheFields_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("after");
        QTest::newRow("stroke 500") << "txtStrokeTyo" << "500" << "500";
        QTest::newRow("stroke 50.5 refused") << "txtStrokeTyo" << "50.5" << "";
        QTest::newRow("stroke four digits refused") << "txtStrokeTyo" << "1234" << "";
        QTest::newRow("lead 6") << "txtRido" << "6" << "6";
        QTest::newRow("lead 6a refused") << "txtRido" << "6a" << "";
    }
    void pasteInTheFields()
    {
        QFETCH(QString, box);
        QFETCH(QString, clip);
        QFETCH(QString, after);
        TestEnv env;
        frmDevice calc(nullptr);
        auto *e = calc.findChild<QLineEdit *>(box);
        QVERIFY(e);
        e->clear();
        QGuiApplication::clipboard()->setText(clip);
        sendX11Key(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->text(), after);
    }

    void inputToTheParameterWindow_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("focus");
        QTest::newRow("axis 2") << 1 << "txtAxisStroke_2";
        QTest::newRow("axis 4") << 3 << "txtAxisLead_0";
    }
    void inputToTheParameterWindow()
    {
        QFETCH(int, target);
        QFETCH(QString, focus);
        TestEnv env;
        TestEnv::resetAll();
        DataFolder folder;
        QVERIFY(folder.installCatalogue());
        FakeMainForm main;
        auto *w = frmParameta2::showWindow();
        auto *stroke = qobject_cast<QLineEdit *>(w->field(frmParameta2::AxisStroke, target));
        stroke->setText(QStringLiteral("77"));

        ModalDriver driver;
        // Input before any result changes nothing and leaves the calculator open.
        driver.then([&](QWidget *calc) {
            clickChild(calc, QStringLiteral("cmdInputStroke"));
            QVERIFY(calc->isVisible());
            QCOMPARE(stroke->text(), QStringLiteral("77"));
            calc->findChild<QLineEdit *>(QStringLiteral("txtRido"))->clear();
            clickChild(calc, QStringLiteral("cmdCulStrokePulse"));
            QCOMPARE(calc->findChild<QLabel *>(QStringLiteral("lblStrokePulse"))->text(), LoadResText(1315));
            clickChild(calc, QStringLiteral("cmdInputStroke"));
            QVERIFY(calc->isVisible());
            calc->findChild<QLineEdit *>(QStringLiteral("txtStrokeTyo"))->setText(QStringLiteral("100"));
            calc->findChild<QLineEdit *>(QStringLiteral("txtRido"))->setText(QStringLiteral("6"));
            calc->findChild<QRadioButton *>(QStringLiteral("optInputSaki_%1").arg(target))->setChecked(true);
            clickChild(calc, QStringLiteral("cmdCulStrokePulse"));
            clickChild(calc, QStringLiteral("cmdInputStroke"));
        });
        clickChild(w, QStringLiteral("cmdCalculate"));
        QCOMPARE(driver.shown(), QStringList{QStringLiteral("frmDevice")});
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(stroke->text(), QStringLiteral("6667"));
        QCOMPARE(w->focusWidget()->objectName(), focus);
        w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        QVERIFY(env.dialogs().unexpected().isEmpty());
    }

    void hintsShowWhole_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("English") << 10000;
        QTest::newRow("Japanese") << 0;
    }
    void hintsShowWhole()
    {
        QFETCH(int, offset);
        TestEnv env;
        TestEnv::resetAll();
        gLangOffset = offset;
        DataFolder folder;
        QVERIFY(folder.installCatalogue());
        FakeMainForm main;
        auto *w = frmParameta2::showWindow();
        ModalDriver driver;
        QStringList cut;
        driver.then([&](QWidget *calc) {
            for (const char *name : {"txtStrokeTyo", "txtRido"}) {
                auto *box = calc->findChild<QLineEdit *>(QLatin1String(name));
                // The text area a line edit draws in: its contents less a blank of 2 each side.
                QStyleOptionFrame option;
                option.initFrom(box);
                option.rect = box->rect();
                option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
                const int room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
                if (box->fontMetrics().horizontalAdvance(box->text()) > room)
                    cut << QStringLiteral("%1 \"%2\" (%3 px) in %4 px").arg(QLatin1String(name), box->text())
                                  .arg(box->fontMetrics().horizontalAdvance(box->text())).arg(room);
            }
            calc->close();
        });
        clickChild(w, QStringLiteral("cmdCalculate"));
        QCOMPARE(driver.shown(), QStringList{QStringLiteral("frmDevice")});
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        QCOMPARE(LoadResText(1314), offset == 0 ? QStringLiteral("整数:2、6、8のいずれか") : QStringLiteral("integer:2 or 6 or 8"));
        w->close();
        QTRY_VERIFY(!frmParameta2::instance());
    }
};

QTEST_MAIN(TestStrokeCalc)
#include "tst_StrokeCalc.moc"
