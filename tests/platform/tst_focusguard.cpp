// The focus guard of a window with a button that acts: every way the focus could reach that
// button, and where it ends.
#include "platform/DialogScript.h"
#include "platform/Dialogs.h"
#include "platform/FocusGuard.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class TestFocusGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void focusEndsOnTheRightControl_data();
    void focusEndsOnTheRightControl();
};

namespace {

// In the order of the focus chain: the field (harmless), Stop, Write (acts), Close.
struct Window
{
    QDialog dialog;
    QLineEdit *field = new QLineEdit(&dialog);
    QPushButton *stop = new QPushButton(QStringLiteral("Stop"), &dialog);
    QPushButton *write = new QPushButton(QStringLiteral("Write"), &dialog);
    QPushButton *close = new QPushButton(QStringLiteral("Close"), &dialog);

    Window()
    {
        field->setObjectName(QStringLiteral("field"));
        stop->setObjectName(QStringLiteral("stop"));
        write->setObjectName(QStringLiteral("write"));
        close->setObjectName(QStringLiteral("close"));
        auto *layout = new QVBoxLayout(&dialog);
        for (QWidget *w : {static_cast<QWidget *>(field), static_cast<QWidget *>(stop),
                           static_cast<QWidget *>(write), static_cast<QWidget *>(close)})
            layout->addWidget(w);
        platform::keepFocusOffActs(dialog, field, {write});
    }
};

} // namespace

void TestFocusGuard::focusEndsOnTheRightControl_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("focus");
    QTest::newRow("the window opens") << "open" << "field";
    QTest::newRow("a click on Write") << "click" << "write";
    QTest::newRow("Tab from Stop to Write") << "tab" << "write";
    QTest::newRow("a box answered after a click on Write") << "box" << "field";
    QTest::newRow("the window active again, Write its focus") << "activated" << "field";
    QTest::newRow("the program's own setFocus") << "program" << "field";
    QTest::newRow("Stop focused and disabled: the chain passes it to Write") << "run ends" << "field";
    QTest::newRow("as that, the field unavailable") << "run ends, field disabled" << "close";
    QTest::newRow("the field back, a button focused") << "field back" << "field";
    QTest::newRow("the field back, nothing focused") << "field back, none" << "field";
    QTest::newRow("the act a click on Write started ends") << "act ends" << "field";
}

void TestFocusGuard::focusEndsOnTheRightControl()
{
    QFETCH(QString, way);
    QFETCH(QString, focus);
    platform::DialogScript script;
    Window w;
    w.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.dialog));
    QApplication::setActiveWindow(&w.dialog);
    QTRY_VERIFY(w.dialog.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), w.field);
    QVERIFY(!w.write->autoDefault());

    if (way == QLatin1String("click")) {
        QTest::mouseClick(w.write, Qt::LeftButton);
    } else if (way == QLatin1String("tab")) {
        w.stop->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w.stop, Qt::Key_Tab);
    } else if (way == QLatin1String("box")) {
        QObject::connect(w.write, &QPushButton::clicked, &w.dialog, [] { platform::msgBox(QStringLiteral("Written.")); });
        script.answer(platform::IdOk);
        QTest::mouseClick(w.write, Qt::LeftButton);
        QCOMPARE(script.prompts(), QStringList{"Written."});
    } else if (way == QLatin1String("activated")) {
        w.write->setFocus(Qt::MouseFocusReason);
        w.write->clearFocus();
        w.write->setFocus(Qt::ActiveWindowFocusReason);
    } else if (way == QLatin1String("program")) {
        w.write->setFocus();
    } else if (way.startsWith(QLatin1String("run ends"))) {
        if (way.endsWith(QLatin1String("field disabled")))
            w.field->setEnabled(false);
        w.stop->setFocus(Qt::MouseFocusReason);
        w.stop->setEnabled(false);
    } else if (way == QLatin1String("act ends")) {
        QTest::mouseClick(w.write, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w.write);
        platform::FocusGuard::actEnded(w.dialog);
    } else if (way.startsWith(QLatin1String("field back"))) {
        w.field->setEnabled(false);
        if (way.endsWith(QLatin1String("none")))
            QApplication::focusWidget()->clearFocus();
        else
            w.close->setFocus(Qt::MouseFocusReason);
        w.field->setEnabled(true);
    }

    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

QTEST_MAIN(TestFocusGuard)
#include "tst_focusguard.moc"
