// The parameter report on a recording canvas, and the window's two print commands.
#include "tables/DevSetting.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "editors/ParaPrint.h"
#include "tables/ParaSet.h"
#include "editors/ReportCanvas.h"
#include "editors/frmParameta2.h"
#include "platform/Dialogs.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/PrintCheck.h"
#include "support/TestEnv.h"
#include "support/ValidParameters.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

namespace {

struct Item
{
    double x;
    long line;
    QString text;
};

class RecordingCanvas : public editors::ReportCanvas
{
public:
    QList<Item> items;

    void setFont(int, bool) override {}
    void setLineWidth(int) override {}
    double textWidth(const QString &text) const override { return text.size(); }
    void text(double x, double y, const QString &text) override { items.append({x, long(y) / gPrnCharW, text}); }
    void line(double, double, double, double) override {}
    void newPage() override { ++pages; }
    int pages = 1;

    QString at(double x, long line) const
    {
        for (const Item &i : items)
            if (i.x == x && i.line == line)
                return i.text;
        return QStringLiteral("<none>");
    }
};

void fillSet()
{
    for (int a = 0; a < kAxisCount; ++a) {
        AxisParameters p;
        p.homeOffset = 100 + a;
        p.actuator.reset();
        writeAxisParameters(a, p);
    }
    writeSharedParameters({});
}

} // namespace

class TestParaPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        TestEnv::resetAll();
        editors::resetParaPrint();
        gPrnCharW = 4;
        gPrnLines = 70;
        gPrnHeight = 280;
        gPrnWidth = 190;
    }
    void cleanup()
    {
        QVERIFY(m_env->dialogs().unexpected().isEmpty());
        m_env.reset();
    }

    // The window's set with AXIS 5: axes 1 and 3 printed, "--" for 2 and 4 on every per-axis line.
    void displayReport()
    {
        fillSet();
        gPrmActStroke[2] = 5;
        SetAxisFlagFromMask();
        SetPrintParaData();
        QCOMPARE(gParaTmp[0][0].toString(), QStringLiteral("INDICATED DATA"));
        RecordingCanvas c;
        editors::drawParaReport(c, QStringLiteral("stamp"));
        QCOMPARE(c.at(20, 1), QStringLiteral("QZ-W4   Parameters"));
        QCOMPARE(c.at(80, 1), QStringLiteral("<none>"));
        QCOMPARE(c.at(85, 5), QStringLiteral("100"));
        QCOMPARE(c.at(135, 5), QStringLiteral("102"));
        for (long line : {5L, 13L, 22L, 36L, 38L, 39L}) {
            QCOMPARE(c.at(110, line), QStringLiteral("--"));
            QCOMPARE(c.at(160, line), QStringLiteral("--"));
        }
        QCOMPARE(c.at(110, 17), QStringLiteral("--"));
        QCOMPARE(c.at(80, 17), LoadResText(642));
        QCOMPARE(c.at(80, 18), LoadResText(645)); // the report's own TYPE numbering
        QCOMPARE(c.at(80, 19), QStringLiteral(" 28L- 50"));
        QCOMPARE(c.at(130, 19), QStringLiteral(" 28L-  5"));
        QCOMPARE(c.at(80, 22), LoadResText(654));
        QCOMPARE(c.at(125, 26), QStringLiteral("3"));
        QCOMPARE(c.at(120, 28), LoadResText(656));
        QCOMPARE(c.at(125, 33), QStringLiteral("5"));
        QCOMPARE(c.at(120, 40), LoadResText(668));
        QCOMPARE(c.at(80, 38), LoadResText(656));
        QCOMPARE(c.at(190 - 5, 69), QStringLiteral("stamp"));
        QCOMPARE(c.pages, 1);
    }

    // A file's table: its name in the header; empty and odd cells print without stopping.
    void fileReport()
    {
        ClearParaTable();
        gParaTmp[0][0] = QStringLiteral("p.pmt");
        gParaTmp[21][0] = 1;
        gParaTmp[12][0] = 5;
        gParaTmp[11][0] = 7;    // beyond its list
        gParaTmp[13][0] = QStringLiteral("bad");
        gParaTmp[9][0] = -3;
        SetAxisFlagFromPara();
        gParaPrintFromFile = true;
        RecordingCanvas c;
        editors::drawParaReport(c, QStringLiteral("s"));
        QCOMPARE(c.at(80, 1), LoadResText(25) + QStringLiteral("p.pmt"));
        QCOMPARE(c.at(80, 18), LoadResText(648));
        QCOMPARE(c.at(80, 17), QStringLiteral("7"));
        QCOMPARE(c.at(80, 19), QStringLiteral("bad"));
        QCOMPARE(c.at(85, 15), QStringLiteral("-3"));
        QCOMPARE(c.at(85, 5), QString());
        QCOMPARE(c.at(110, 5), QStringLiteral("--"));
        QCOMPARE(c.at(120, 40), QString()); // an empty list cell, and the report goes on to its end
        QCOMPARE(c.at(190 - 1, 69), QStringLiteral("s"));
    }

    // Printed to a PDF file on every office page, twice in one run, in each language, all four
    // axes with their longest list texts: every text inside the page, no two text boxes over
    // each other (on a line or from one line into the next), the report on one page.
    void pageFits_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("Japanese") << 1;
        QTest::newRow("English") << 2;
    }
    void pageFits()
    {
        QFETCH(int, language);
        useLanguage(language);
        fillSet();
        gAxisMask = 15;
        for (int a = 0; a < kAxisCount; ++a)
            gPrmPgFunc[a] = 1 + a % 2;
        SetAxisFlagFromMask();
        SetPrintParaData();
        gParaTmp[0][0] = QStringLiteral("a-parameter-file-name-long-enough-to-reach-the-margin.pmt");
        gParaPrintFromFile = true;
        platform::PrinterDevice &printer = platform::sharedPrinter();
        const auto restorePage = qScopeGuard([&] { usePage(printer, officePages().first()); });
        for (const OfficePage &page : officePages()) {
            usePage(printer, page);
            for (int run = 1; run <= 2; ++run) {
                // Whatever font the printer was left with does not set the report's pitch.
                if (run == 2)
                    printer.setFont(QFont(QStringLiteral("IPAGothic"), 20, QFont::Bold));
                const QString pdf = m_env->tempPath(QStringLiteral("para%1.pdf").arg(run));
                m_env->dialogs().choosePrinter(pdf);
                PrintParaData();
                QVERIFY(QFileInfo(pdf).size() > 0);
                QCOMPARE(m_env->dialogs().prompts(), QStringList());
                const QStringList faults = printFaults(printer);
                QVERIFY2(faults.isEmpty(), qPrintable(page.name + QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
                int seen = 0;
                for (const auto &d : printer.drawn()) {
                    seen += d.text == LoadResText(653) || d.text == LoadResText(654);
                    if (!d.rule && !d.text.isEmpty())
                        QCOMPARE(d.family, QFontInfo(QFont(QStringLiteral("IPAGothic"))).family());
                }
                QCOMPARE(seen, 4);
                QCOMPARE(printer.drawn().last().page, 1);
            }
        }
    }

    void failedPrintIsTold()
    {
        fillSet();
        SetPrintParaData();
        const QString pdf = m_env->tempPath(QStringLiteral("no-such-folder/para.pdf"));
        m_env->dialogs().choosePrinter(pdf);
        m_env->dialogs().answer(platform::IdOk);
        PrintParaData();
        QCOMPARE(m_env->dialogs().prompts(),
                 QStringList{LoadResText(397) + QStringLiteral("(3)\r\n") + LoadResText(396)});
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // Through the window: refused when blank, printed to a PDF when confirmed, nothing on cancel.
    void windowCommands()
    {
        DataFolder folder;
        QVERIFY(folder.installCatalogue());
        FakeMainForm main;
        auto *w = frmParameta2::showWindow();
        auto *print = w->findChild<QPushButton *>(QStringLiteral("cmdParaPrint"));
        m_env->dialogs().answer(platform::IdOk);
        print->click();
        QCOMPARE(m_env->dialogs().prompts(), QStringList{ResLines({7, 8})});

        fillSet();
        w->ParametaHyoji();
        const QString pdf = folder.path(QStringLiteral("shown.pdf"));
        m_env->dialogs().answer(platform::IdOk); // 684
        m_env->dialogs().choosePrinter(pdf);
        print->click();
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(gParaTmp[0][0].toString(), QStringLiteral("INDICATED DATA"));
        QVERIFY(!gPrnAxisUnused[0] && gPrnAxisUnused[1]);

        const QString none = folder.path(QStringLiteral("none.pdf"));
        m_env->dialogs().answer(platform::IdOk); // 682
        m_env->dialogs().chooseFile(folder.path(QStringLiteral("missing.pmt")));
        m_env->dialogs().answer(platform::IdOk); // 681
        w->findChild<QPushButton *>(QStringLiteral("cmdParaFilePrint"))->click();
        QCOMPARE(m_env->dialogs().prompts(),
                 QStringList({ResLines({7, 8}), LoadResText(684), LoadResText(682), LoadResText(681)}));
        QVERIFY(!QFileInfo::exists(none));
        QCOMPARE(m_env->dialogs().pendingAnswers(), 0);
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdParaFilePrint"))->isEnabled());
        w->close();
        QTRY_VERIFY(!frmParameta2::instance());
    }

private:
    std::unique_ptr<TestEnv> m_env;
};

QTEST_MAIN(TestParaPrint)
#include "tst_ParaPrint.moc"
