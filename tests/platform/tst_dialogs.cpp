#include "platform/DialogScript.h"
#include "platform/Dialogs.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "platform/SettingsStore.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <QtTest>

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterConversion_data();
    void filterConversion();
    void scriptAnswersAndRecords();
    void unexpectedBoxIsDismissed_data();
    void unexpectedBoxIsDismissed();
    void saveDialogAddsDefaultExtension();
    void withoutScriptOffscreenNeverBlocks();
    void numberParsing_data();
    void numberParsing();
    void printDialogsAreScripted();
};

void TestDialogs::filterConversion_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two entries") << "Position Data(*.qzd)|*.qzd|All Files(*.*)|*.*"
                                 << "Position Data(*.qzd);;All Files(*.*)";
    QTest::newRow("name without patterns") << "Groups|*.grp" << "Groups (*.grp)";
    QTest::newRow("several patterns") << "Lists(*.lst;*.txt)|*.lst;*.txt" << "Lists(*.lst *.txt)";
    QTest::newRow("dangling name ignored") << "A(*.a)|*.a|B" << "A(*.a)";
}

void TestDialogs::filterConversion()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(platform::toQtFilter(filter), expected);
}

void TestDialogs::scriptAnswersAndRecords()
{
    platform::DialogScript script;
    script.answer(platform::IdYes);
    script.chooseFile(QStringLiteral("/tmp/a.qzd"));
    QCOMPARE(platform::msgBox(QStringLiteral("Save?"), platform::MbYesNoCancel | platform::MbQuestion),
             int(platform::IdYes));
    platform::FileDialogRequest req;
    req.title = QStringLiteral("Open");
    QCOMPARE(platform::getOpenFileName(req), QStringLiteral("/tmp/a.qzd"));
    QCOMPARE(script.prompts(), QStringList{"Save?"});
    QCOMPARE(script.boxes().constFirst().style, 3 + 32);
    QCOMPARE(script.fileRequests().constFirst().title, QStringLiteral("Open"));
    QVERIFY(script.unexpected().isEmpty());
    QCOMPARE(script.pendingAnswers(), 0);
}

void TestDialogs::unexpectedBoxIsDismissed_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("expected");
    QTest::newRow("OK only") << int(platform::MbOkOnly) << int(platform::IdOk);
    QTest::newRow("OK/Cancel") << int(platform::MbOkCancel) << int(platform::IdCancel);
    QTest::newRow("Yes/No/Cancel") << int(platform::MbYesNoCancel | platform::MbQuestion) << int(platform::IdCancel);
    QTest::newRow("Yes/No") << int(platform::MbYesNo) << int(platform::IdNo);
}

void TestDialogs::unexpectedBoxIsDismissed()
{
    QFETCH(int, style);
    QFETCH(int, expected);
    platform::DialogScript script;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unexpected message box"));
    QCOMPARE(platform::msgBox(QStringLiteral("?"), style), expected);
    QCOMPARE(script.unexpected(), QStringList{"?"});
}

void TestDialogs::saveDialogAddsDefaultExtension()
{
    platform::DialogScript script;
    script.chooseFile(QStringLiteral("/tmp/positions"));
    script.chooseFile(QStringLiteral("/tmp/positions.qzd"));
    script.chooseFile(QString());
    platform::FileDialogRequest req;
    req.defaultExt = QStringLiteral("qzd");
    QCOMPARE(platform::getSaveFileName(req), QStringLiteral("/tmp/positions.qzd"));
    QCOMPARE(platform::getSaveFileName(req), QStringLiteral("/tmp/positions.qzd"));
    QCOMPARE(platform::getSaveFileName(req), QString()); // cancelled
}

void TestDialogs::withoutScriptOffscreenNeverBlocks()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("message box without a display"));
    QCOMPARE(platform::msgBox(QStringLiteral("nobody sees this"), platform::MbYesNo), int(platform::IdNo));
    QCOMPARE(platform::getOpenFileName({}), QString());
}

void TestDialogs::numberParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("blanks") << " 3 " << true << 3;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("16-bit top") << "32767" << true << 32767;
    QTest::newRow("beyond 16 bits") << "32768" << false << 0;
    QTest::newRow("text") << "one" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
}

void TestDialogs::numberParsing()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto n = platform::SettingsStore::parseNumber16(text);
    QCOMPARE(n.has_value(), ok);
    if (ok)
        QCOMPARE(*n, value);
}

void TestDialogs::printDialogsAreScripted()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    platform::DialogScript script;
    script.choosePrinter(pdf);
    script.choosePrinter(QString());
    platform::PrinterDevice &printer = platform::sharedPrinter();
    QVERIFY(platform::printDialog(printer));
    QCOMPARE(printer.printer()->outputFileName(), pdf);
    QVERIFY(!platform::pageSetupDialog(printer)); // cancelled
    QCOMPARE(script.printDialogs(), (QStringList{"print", "page setup"}));
    QVERIFY(script.unexpected().isEmpty());
    QVERIFY(printer.begin());
    printer.drawText(10, 10, QStringLiteral("QZ-W4"));
    QVERIFY(printer.end());
    QVERIFY(QFileInfo(pdf).size() > 0);
    platform::resetSharedPrinter();
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
