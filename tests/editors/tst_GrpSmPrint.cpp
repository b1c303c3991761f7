// The group and macro reports, drawn on a canvas that records every text.
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "editors/GrpSmPrint.h"
#include "tables/GrpTable.h"
#include "editors/ReportCanvas.h"
#include "tables/SmTable.h"
#include "platform/DialogScript.h"
#include "platform/Dialogs.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "platform/RegularFile.h"
#include "support/FileFault.h"
#include "support/PrintCheck.h"
#include "support/TestEnv.h"

#include <QScopeGuard>
#include <QtTest>

namespace {

struct Item
{
    int page;
    double x;
    long line;
    QString text;
};

class RecordingCanvas : public editors::ReportCanvas
{
public:
    QList<Item> items;
    int page = 1;
    int newPages = 0;

    void setFont(int, bool) override {}
    void setLineWidth(int) override {}
    double textWidth(const QString &text) const override { return text.size(); }
    void text(double x, double y, const QString &text) override
    {
        items.append({page, x, long(y) / gPrnCharW, text});
    }
    void line(double, double, double, double) override {}
    void newPage() override
    {
        ++page;
        ++newPages;
    }

    // The first item with this text; page 0 when none.
    Item find(const QString &text) const
    {
        for (const Item &i : items)
            if (i.text == text)
                return i;
        return {0, 0, 0, {}};
    }
    int count(const QString &text) const
    {
        int n = 0;
        for (const Item &i : items)
            n += i.text == text;
        return n;
    }
};

void setStepIn(int m, int s, int command, int data)
{
    gSmDataIn[s - 1][2 * (m - 1)] = command;
    gSmDataIn[s - 1][2 * (m - 1) + 1] = data;
}

} // namespace

class TestGrpSmPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        core::printing::resetPrintLayout();
        tables::resetGrpTable();
        tables::resetSmTable();
        editors::resetGrpSmPrint();
        gPrnCharW = 4;
        gPrnLines = 70;
        gPrnHeight = 280;
        gPrnWidth = 190;
    }

    void groupPage_data()
    {
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("display") << false;
        QTest::newRow("file") << true;
    }
    void groupPage()
    {
        QFETCH(bool, fromFile);
        gGrpPrintFromFile = fromFile;
        gGrpPrintTitle = QStringLiteral("a.grp");
        gGrpDataIn[7][0] = 12;
        gGrpDataIn[7][1] = 30;
        RecordingCanvas c;
        editors::drawGrpReport(c, QStringLiteral("stamp"));

        QCOMPARE(c.newPages, 0);
        const Item title = c.find(LoadResText(201) + QLatin1Char(' ') + LoadResText(34));
        QCOMPARE(title.line, 1L);
        const Item file = c.find(LoadResText(25) + QStringLiteral("a.grp"));
        QCOMPARE(file.page, fromFile ? 1 : 0);
        if (fromFile)
            QCOMPARE(file.x, 70.0);
        QCOMPARE(c.count(QStringLiteral("<GRP No>")), 2);
        QCOMPARE(c.find(QStringLiteral("stamp")).x, 185.0);
        QCOMPARE(c.find(QStringLiteral("stamp")).line, 69L);
        QVERIFY(c.find(QStringLiteral("Page:1")).page == 0);

        const Item g7 = c.find(QStringLiteral("No.7:"));
        QCOMPARE(g7.x, 22.0);
        QCOMPARE(g7.line, 12L);
        bool start = false, end = false;
        for (const Item &i : c.items) {
            start |= i.line == 12 && i.x == 40 && i.text == QLatin1String("12");
            end |= i.line == 12 && i.x == 64 && i.text == QLatin1String("30");
        }
        QVERIFY(start && end);
        QCOMPARE(c.find(QStringLiteral("No.50:")).line, 55L);
        QCOMPARE(c.find(QStringLiteral("No.51:")).line, 6L);
        QCOMPARE(c.find(QStringLiteral("No.51:")).x, 102.0);
        QCOMPARE(c.find(QStringLiteral("No.99:")).line, 54L);
    }

    void macroPlaces_data()
    {
        QTest::addColumn<int>("macro");
        QTest::addColumn<int>("page");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("line");
        QTest::newRow("1") << 1 << 1 << 18.0 << 5;
        QTest::newRow("2") << 2 << 1 << 80.0 << 5;
        QTest::newRow("3") << 3 << 1 << 134.0 << 5;
        QTest::newRow("4") << 4 << 1 << 18.0 << 25;
        QTest::newRow("9") << 9 << 1 << 134.0 << 45;
        QTest::newRow("10") << 10 << 2 << 18.0 << 5;
        QTest::newRow("20") << 20 << 3 << 80.0 << 5;
    }
    void macroPlaces()
    {
        QFETCH(int, macro);
        QFETCH(int, page);
        QFETCH(double, x);
        QFETCH(int, line);
        RecordingCanvas c;
        editors::drawSqMcrReport(c, QStringLiteral("stamp"));
        const Item i = c.find(QStringLiteral("<SM No.%1>").arg(macro));
        QCOMPARE(i.page, page);
        QCOMPARE(i.x, x);
        QCOMPARE(i.line, long(line));
        QCOMPARE(c.newPages, 2);
        QCOMPARE(gPrnPageNo, 3);
        const Item p2 = c.find(QStringLiteral("Page:2"));
        QCOMPARE(p2.page, 2);
        QCOMPARE(p2.line, 3L);
        QCOMPARE(p2.x, 190.0 - 6);
        QCOMPARE(c.count(LoadResText(201) + QLatin1Char(' ') + LoadResText(33)), 3);
    }

    // Nine macros fill one page; the break after the ninth adds no empty page.
    void nineMacrosOnePage()
    {
        gSmNoFrom = 3;
        gSmNoTo = 11;
        RecordingCanvas c;
        editors::drawSqMcrReport(c, QStringLiteral("stamp"));
        QCOMPARE(c.newPages, 0);
        QCOMPARE(gPrnPageNo, 1);
        QCOMPARE(c.find(QStringLiteral("<SM No.11>")).x, 134.0);
        QCOMPARE(c.count(QStringLiteral("Page:1")), 1);
    }

    void macroSteps()
    {
        gSmNoFrom = gSmNoTo = 1;
        setStepIn(1, 1, 5, 5);
        setStepIn(1, 2, 15, 3);
        setStepIn(1, 3, 0, 7);
        setStepIn(1, 4, 9, 2);
        RecordingCanvas c;
        editors::drawSqMcrReport(c, QStringLiteral("stamp"));
        auto onLine = [&](long line) {
            QStringList t;
            for (const Item &i : c.items)
                if (i.line == line)
                    t << i.text;
            return t;
        };
        QCOMPARE(onLine(7), (QStringList{" 1:", "5. TIMER", " 5"}));
        QCOMPARE(onLine(8), (QStringList{" 2:", "0. END", " 3"}));
        QCOMPARE(onLine(9), (QStringList{" 3:", "0. END"}));
        QCOMPARE(onLine(10), (QStringList{" 4:", "9.", " 2"}));
        QCOMPARE(onLine(22), (QStringList{" 16:", "0. END"}));
    }

    // Printed to a PDF file on every office page, twice in one run, in each language: every
    // text inside the page and above the footer rule, no two text boxes over each other (on a
    // line or from one line into the next), in the installed face. Where the page brings the
    // lines closer, the text shrinks with them: the groups stay on one page, the macros nine a
    // page.
    void pagesFit_data()
    {
        QTest::addColumn<bool>("macros");
        QTest::addColumn<int>("language");
        QTest::newRow("groups, Japanese") << false << 1;
        QTest::newRow("groups, English") << false << 2;
        QTest::newRow("macros, Japanese") << true << 1;
        QTest::newRow("macros, English") << true << 2;
    }
    void pagesFit()
    {
        QFETCH(bool, macros);
        QFETCH(int, language);
        TestEnv env;
        useLanguage(language);
        for (int g = 1; g <= kGrpCount; ++g) {
            gGrpDataIn[g][0] = 999;
            gGrpDataIn[g][1] = -32768;
        }
        for (int m = 1; m <= kSmMacros; ++m)
            for (int s = 1; s <= kSmSteps; ++s)
                setStepIn(m, s, 4, -32768);
        gGrpPrintFromFile = gSmPrintFromFile = true;
        gGrpPrintTitle = gSmPrintTitle = QStringLiteral("a-file-name-long-enough-to-reach-past-the-right-margin.dat");
        platform::PrinterDevice &printer = platform::sharedPrinter();
        const auto restorePage = qScopeGuard([&] { usePage(printer, officePages().first()); });
        for (const OfficePage &page : officePages()) {
            usePage(printer, page);
            for (int run = 1; run <= 2; ++run) {
                // Whatever font the printer was left with does not set the report's pitch.
                if (run == 2)
                    printer.setFont(QFont(QStringLiteral("IPAGothic"), 20, QFont::Bold));
                const QString pdf = env.tempPath(QStringLiteral("report%1.pdf").arg(run));
                env.dialogs().choosePrinter(pdf);
                if (macros)
                    PrintSqMcrData();
                else
                    PrintGrpData();
                QVERIFY(QFileInfo(pdf).size() > 0);
                QCOMPARE(env.dialogs().prompts(), QStringList());
                const QStringList faults = printFaults(printer);
                QVERIFY2(faults.isEmpty(), qPrintable(page.name + QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
                // The last step of the third row and the last group of the left block are
                // there, with a blank line between them and the footer rule.
                const QString last = macros ? QStringLiteral("4. OUT-OFF") : QStringLiteral("No.50:");
                double lowest = 0, footer = 0;
                for (const auto &d : printer.drawn()) {
                    if (d.page == 1 && d.text == last)
                        lowest = std::max(lowest, d.rect.top());
                    if (d.page == 1 && d.rule)
                        footer = std::max(footer, d.rect.top());
                    if (!d.rule && !d.text.isEmpty())
                        QCOMPARE(d.family, QFontInfo(QFont(QStringLiteral("IPAGothic"))).family());
                }
                QCOMPARE(lowest, double((macros ? 62 : 55) * gPrnCharW));
                QVERIFY(lowest + 2 * gPrnCharW <= footer);
                QCOMPARE(printer.drawn().last().page, macros ? 3 : 1);
            }
        }
    }

    // A print that cannot be produced is told, and no file is left.
    void failedPrintIsTold_data()
    {
        QTest::addColumn<bool>("macros");
        QTest::addColumn<bool>("pipe"); // printed to a named pipe: refused before a page
        QTest::newRow("groups") << false << false;
        QTest::newRow("macros") << true << false;
        QTest::newRow("groups to a named pipe") << false << true;
    }
    void failedPrintIsTold()
    {
        QFETCH(bool, macros);
        QFETCH(bool, pipe);
        TestEnv env;
        const QString pdf = env.tempPath(pipe ? QStringLiteral("report.pdf") : QStringLiteral("no-such-folder/report.pdf"));
        if (pipe)
            QVERIFY(makeNamedPipe(pdf));
        env.dialogs().choosePrinter(pdf);
        env.dialogs().answer(platform::IdOk);
        if (macros)
            PrintSqMcrData();
        else
            PrintGrpData();
        QCOMPARE(env.dialogs().prompts(),
                 QStringList{LoadResText(397) + QStringLiteral("(3)\r\n") + LoadResText(396)});
        QCOMPARE(env.dialogs().boxes().first().title, platform::applicationTitle());
        if (pipe)
            QCOMPARE(platform::nonRegularKind(pdf), QStringLiteral("a named pipe"));
        else
            QVERIFY(!QFileInfo::exists(pdf));
    }

    // Groups and macros a printed file lacks print without values, never the edited ones.
    void missingFromFilePrintBlank()
    {
        gGrpDataIn[7][0] = 12;
        gGrpDataIn[7][1] = 30;
        gGrpDataInMissing[7] = true;
        gSmNoFrom = gSmNoTo = 2;
        setStepIn(2, 1, 5, 5);
        gSmDataInMissing[1] = true;
        RecordingCanvas groups;
        editors::drawGrpReport(groups, QStringLiteral("stamp"));
        RecordingCanvas steps;
        editors::drawSqMcrReport(steps, QStringLiteral("stamp"));
        QStringList onGroupLine, onStepLine;
        for (const Item &i : groups.items)
            if (i.line == 12 && i.x < 80)
                onGroupLine << i.text;
        for (const Item &i : steps.items)
            if (i.line == 7)
                onStepLine << i.text;
        QCOMPARE(onGroupLine, (QStringList{"No.7:", "---"}));
        QCOMPARE(onStepLine, QStringList{" 1:"});
        QCOMPARE(steps.count(QStringLiteral("<SM No.2>")), 1);
    }

    void cancelledDialogPrintsNothing()
    {
        platform::DialogScript script;
        script.choosePrinter(QString());
        script.choosePrinter(QString());
        PrintGrpData();
        PrintSqMcrData();
        QCOMPARE(script.printDialogs().size(), 2);
        QVERIFY(script.boxes().isEmpty());
        QCOMPARE(gPrnPageNo, 0);
    }
};

QTEST_MAIN(TestGrpSmPrint)
#include "tst_GrpSmPrint.moc"
