#include "core/AppSettings.h"
#include "core/FormText.h"
#include "core/MessageTable.h"
#include "core/Messages.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QtTest>

class TestMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageSelection_data();
    void languageSelection();
    void missingTextFallsBack();
    void linesJoinWithCrLf();
    void setFormStr_data();
    void setFormStr();
    void tableRowsHaveBothLanguages();
    void everyIdentifierUsedHasItsTexts();
    void parserRejectsMalformedRows();
};

void TestMessages::languageSelection_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<QString>("online");

    QTest::newRow("nothing stored is English") << QString() << "Online";
    QTest::newRow("1 is Japanese") << "1" << QString::fromUtf8("ｵﾝﾗｲﾝ");
    QTest::newRow("0 is English") << "0" << "Online";
    QTest::newRow("3 is English") << "3" << "Online";
}

void TestMessages::languageSelection()
{
    QFETCH(QString, stored);
    QFETCH(QString, online);
    TestEnv env;
    if (!stored.isEmpty())
        env.storeSettings({{"Language", stored}});
    core::settings::readStartupSettings();
    QCOMPARE(LoadResText(2), online);
    QCOMPARE(LoadResText(201), QStringLiteral("QZ-W4"));
}

void TestMessages::missingTextFallsBack()
{
    TestEnv env;
    gLangOffset = 0;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has no text"));
    QCOMPARE(LoadResText(2526), QStringLiteral("Select Language"));
    gLangOffset = 10000;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has no text"));
    QCOMPARE(LoadResText(539), QStringLiteral("10"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has no text"));
    QCOMPARE(LoadResText(9998), QString());
}

void TestMessages::linesJoinWithCrLf()
{
    TestEnv env;
    QCOMPARE(ResLines({4, 5}), QStringLiteral("Device type is not selected.\r\nPlease select device type again."));
    env.dialogs().answer(1);
    ResMsgBox({433, 434}, 0);
    QCOMPARE(env.dialogs().prompts(),
             QStringList{QStringLiteral("There is no position data.\r\nPlease try again after perform [New Data] or [Read from C/T] and then editing data. ")});
}

void TestMessages::setFormStr_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QStringList>("expected");
    // window title, tagged label, label tip, buttons (empty tag, "0", "abc", "203"),
    // menu title, separator, plain-caption item, tagged item, toolbar tip, English-only control
    QTest::newRow("English") << 10000
        << QStringList{"QZ-W4", "New Data", "File Open", "keep", "keep0", "keepabc", "File Open",
                       "File(&F)", "", "Plain", "New(&N)", "File Open", "Select Language"};
    QTest::newRow("Japanese") << 0
        << QStringList{"QZ-W4", QString::fromUtf8("新規作成"), QString::fromUtf8("ファイルを開く"), "keep", "keep0",
                       "keepabc", QString::fromUtf8("ファイルを開く"), QString::fromUtf8("ファイル(&F)"), "", "Plain",
                       QString::fromUtf8("新規作成(&N)"), QString::fromUtf8("ファイルを開く"),
                       QString::fromUtf8("言語選択")};
}

void TestMessages::setFormStr()
{
    QFETCH(int, offset);
    QFETCH(QStringList, expected);
    TestEnv env;

    QMainWindow form;
    core::formtext::tagWindow(&form, 201);
    auto *label = new QLabel(&form);
    core::formtext::tag(label, 213);
    core::formtext::tagTip(label, 203);
    QList<QPushButton *> buttons;
    const QStringList tags{QString(), QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("203")};
    const QStringList captions{"keep", "keep0", "keepabc", "layout"};
    for (int i = 0; i < tags.size(); ++i) {
        auto *b = new QPushButton(captions.at(i), &form);
        if (!tags.at(i).isEmpty())
            b->setProperty("Tag", tags.at(i));
        buttons << b;
    }
    QMenu *menu = form.menuBar()->addMenu(QString());
    core::formtext::tag(menu, 250);
    QAction *sep = menu->addSeparator();
    QAction *plain = menu->addAction(QStringLiteral("Plain"));
    QAction *tagged = menu->addAction(QString());
    core::formtext::tag(tagged, 251);
    QToolBar *bar = form.addToolBar(QStringLiteral("tools"));
    QAction *tool = bar->addAction(QStringLiteral("Open"));
    core::formtext::tagTip(tool, 203);
    // 2526 has no Japanese text: its control keeps a Japanese layout text.
    auto *language = new QLabel(QString::fromUtf8("言語選択"), &form);
    language->setProperty("Tag", 2526);

    gLangOffset = offset;
    Set_FormStr(&form);

    const QStringList actual{form.windowTitle(), label->text(), label->toolTip(),
                             buttons[0]->text(), buttons[1]->text(), buttons[2]->text(), buttons[3]->text(),
                             menu->title(), sep->text(), plain->text(), tagged->text(), tool->toolTip(),
                             language->text()};
    QCOMPARE(actual, expected);
}

void TestMessages::tableRowsHaveBothLanguages()
{
    const MessageTable &t = MessageTable::instance();
    QVERIFY(t.size() > 1000);
    QStringList oneSided;
    for (int id : t.ids()) {
        const int ja = id % 10000;
        if (!t.contains(ja) || !t.contains(ja + 10000))
            oneSided << QString::number(ja);
    }
    oneSided.removeDuplicates();
    oneSided.sort();
    QCOMPARE(oneSided, (QStringList{"2526", "539"}));
}

void TestMessages::everyIdentifierUsedHasItsTexts()
{
    // Identifiers reach the table through these calls, always as literal numbers.
    const QRegularExpression single(
        QStringLiteral(R"((?:LoadResText|LayoutText)\(\s*(\d+)\s*\))"));
    const QRegularExpression list(QStringLiteral(R"((?:ResLines|ResMsgBox)\(\s*\{([\d,\s]+)\})"));
    const QRegularExpression tagged(
        QStringLiteral(R"(core::formtext::tag(?:Tip|Tab|Window)?\([^;]*?,\s*(\d+)\s*\))"));

    QSet<int> used;
    QDirIterator it(QStringLiteral(QZ_SOURCE_DIR), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString src = QString::fromUtf8(f.readAll());
        ++files;
        for (const auto &re : {single, tagged}) {
            auto m = re.globalMatch(src);
            while (m.hasNext())
                used << m.next().captured(1).toInt();
        }
        auto m = list.globalMatch(src);
        while (m.hasNext()) {
            const QStringList ids = m.next().captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &id : ids)
                used << id.trimmed().toInt();
        }
    }
    QVERIFY(files > 10);
    QVERIFY(used.contains(432));

    const MessageTable &t = MessageTable::instance();
    QStringList missing;
    for (int id : std::as_const(used)) {
        const bool ja = t.contains(id) || id == 2526;
        const bool en = t.contains(id + 10000) || id == 539;
        if (!ja || !en)
            missing << QString::number(id);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void TestMessages::parserRejectsMalformedRows()
{
    MessageTable t;
    QString error;
    QVERIFY(t.parse(QStringLiteral("# c\n5\tja\ten\n6\t\ten only\\nnext\n"), &error));
    QCOMPARE(t.text(5).value_or(QString()), QStringLiteral("ja"));
    QVERIFY(!t.text(6).has_value());
    QCOMPARE(t.text(10006).value_or(QString()), QStringLiteral("en only\r\nnext"));
    QVERIFY(!t.parse(QStringLiteral("5\tonly two\n"), &error));
    QVERIFY(!t.parse(QStringLiteral("x\ta\tb\n"), &error));
    QVERIFY(!t.parse(QStringLiteral("10005\ta\tb\n"), &error));
    QVERIFY(error.contains(QLatin1String("line 1")));
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
