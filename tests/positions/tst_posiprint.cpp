// The print command from the main window: selection, range, the grid's texts on the pages,
// the ways it ends early, Page Setup, and one PDF rendered for a person to look at.
#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "app/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "tables/GridCells.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiGridText.h"
#include "tables/PosiImage.h"
#include "positions/PosiPrintCommands.h"
#include "positions/PosiPrintReport.h"
#include "tables/PosiTable.h"
#include "support/ModalDriver.h"
#include "support/PosiMainWindow.h"
#include "support/PrintCheck.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtTest>

using Item = positions::PosiPrintCanvas::Item;

namespace {

struct Window : PosiMainWindow
{
    Window()
        : PosiMainWindow([] { positions::registerPosiPrintCommands(); })
    {
    }

    void trigger(const QString &control)
    {
        QObject *o = w->control(control);
        QVERIFY2(o, qPrintable(control));
        if (auto *a = qobject_cast<QAction *>(o))
            a->trigger();
        else
            qobject_cast<QPushButton *>(o)->click();
    }

    bool commandsOn() const
    {
        return w->flgdData()->isEnabled()
               && qobject_cast<QPushButton *>(w->control(QStringLiteral("cmdPosiRead")))->isEnabled()
               && qobject_cast<QAction *>(w->control(QStringLiteral("tbPrint")))->isEnabled();
    }
};

void selectOk(ModalDriver &driver)
{
    driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdPrintSet")); });
}

void rangeOk(ModalDriver &driver, int from, int to)
{
    driver.then([from, to](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("txtStartPosiNo"))->setText(QString::number(from));
        w->findChild<QLineEdit *>(QStringLiteral("txtEndPosiNo"))->setText(QString::number(to));
        clickChild(w, QStringLiteral("cmdSelectPosiOk"));
    });
}

QStringList drawnTexts()
{
    QStringList out;
    for (const Item &it : positions::lastPosiPrint())
        if (!it.rule)
            out << it.text;
    return out;
}

// The smallest size a comment may print in and still be read on paper.
constexpr double kLegibleFloor = 6;

} // namespace

class TestPosiPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheGrid_data();
    void printsTheGrid();
    void endsEarly_data();
    void endsEarly();
    void pageSetup();
    void pagesFit_data();
    void pagesFit();
    void pdfForALook();
};

void TestPosiPrint::printsTheGrid_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("menu") << "mnuFilePrint";
    QTest::newRow("toolbar") << "tbPrint";
}

void TestPosiPrint::printsTheGrid()
{
    QFETCH(QString, control);
    TestEnv env;
    Window win;
    tables::GridCells *grid = tables::checkGrid();
    QVERIFY(grid);
    grid->setText(3, 20, QStringLiteral("second"));
    const QString pdf = env.tempPath(QStringLiteral("print.pdf"));
    ModalDriver driver;
    selectOk(driver);
    rangeOk(driver, 2, 3);
    env.dialogs().choosePrinter(pdf);

    win.trigger(control);

    QCOMPARE(driver.shown(), (QStringList{QStringLiteral("frmPrintSelect"), QStringLiteral("frmSelectPosiNo3")}));
    QCOMPARE(env.dialogs().printDialogs(), QStringList{QStringLiteral("print")});
    QCOMPARE(env.dialogs().prompts(), QStringList());
    QCOMPARE(PrintNoFrom, 2);
    QCOMPARE(PrintNoTo, 3);
    QVERIFY(QFileInfo(pdf).size() > 0);

    // The grid's texts as shown, titles included, and only the range.
    const QStringList drawn = drawnTexts();
    for (int c = 0; c < 20; ++c) {
        QCOMPARE(gPosiWork[0][c].toString(), grid->text(1, c));
        QCOMPARE(gPosiWork[2][c].toString(), grid->text(3, c));
        QCOMPARE(gPosiWork[3][c].toString(), grid->text(4, c));
    }
    QVERIFY(drawn.contains(grid->text(1, 4)));
    QVERIFY(drawn.contains(QStringLiteral(":second")));
    QVERIFY(drawn.contains(QStringLiteral("3")));
    QVERIFY(!drawn.contains(QStringLiteral("1")));
    QCOMPARE(drawn.count(QStringLiteral("Page:1")), 1);
    QCOMPARE(gPosiFileDev[0], win.w->deviceLabel(0));
    QVERIFY(drawn.contains(QStringLiteral("AXIS1:") + win.w->deviceLabel(0)
                           + QStringLiteral("   /   AXIS2:") + win.w->deviceLabel(1)));
    // The table and the grid are as they were, and the commands on again.
    QCOMPARE(gPosiNoDefFrom, 1);
    QCOMPARE(gPosiNoDefTo, 3);
    QCOMPARE(grid->text(3, 20), QStringLiteral("second"));
    QVERIFY(win.commandsOn());
}

void TestPosiPrint::endsEarly_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("windows");        // modal windows shown
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    QTest::newRow("selection cancelled") << "select" << 1 << none;
    QTest::newRow("no position lines") << "nolines" << 1 << QStringList{ResLines({433, 434})};
    QTest::newRow("range cancelled") << "range" << 2 << none;
    // The check shows the failing positions in its own window and nothing more is said.
    QTest::newRow("check fails") << "check" << 3 << none;
    QTest::newRow("print dialog cancelled") << "printer" << 2 << QStringList{LoadResText(396)};
    QTest::newRow("printer fails")
        << "broken" << 2
        << QStringList{LoadResText(397) + QStringLiteral("(3)\r\n") + LoadResText(396)};
}

void TestPosiPrint::endsEarly()
{
    QFETCH(QString, where);
    QFETCH(int, windows);
    QFETCH(QStringList, messages);
    TestEnv env;
    Window win;
    tables::GridCells *grid = tables::checkGrid();
    ModalDriver driver;
    if (where == QLatin1String("select")) {
        driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdPrintCancel")); });
    } else {
        selectOk(driver);
        if (where == QLatin1String("range"))
            driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdSelectPosiCancel")); });
        else if (where != QLatin1String("nolines"))
            rangeOk(driver, 1, 3);
    }
    if (where == QLatin1String("nolines"))
        while (grid->rows() > tables::kGridHeadingRows)
            grid->removeRow(grid->rows() - 1);
    if (where == QLatin1String("check")) {
        grid->setText(3, 1, QStringLiteral("0")); // VEL of position 2 out of range
        driver.then([](QWidget *w) { w->close(); });
    }
    if (where == QLatin1String("printer"))
        env.dialogs().choosePrinter(QString());
    if (where == QLatin1String("broken"))
        env.dialogs().choosePrinter(env.tempPath(QStringLiteral("no-such-folder/print.pdf")));
    if (!messages.isEmpty())
        env.dialogs().answer(platform::IdOk);

    win.trigger(QStringLiteral("mnuFilePrint"));

    QCOMPARE(driver.shown().size(), windows);
    QCOMPARE(driver.shown().first(), QStringLiteral("frmPrintSelect"));
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(env.dialogs().prompts(), messages);
    for (const auto &box : env.dialogs().boxes()) {
        if (where == QLatin1String("nolines"))
            break;
        QCOMPARE(box.style, int(platform::MbOkOnly));
        QCOMPARE(box.title, platform::applicationTitle());
    }
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
    if (where != QLatin1String("broken"))
        QVERIFY(positions::lastPosiPrint().isEmpty());
    QVERIFY(!gSelectCancel);
    QVERIFY(win.commandsOn());
}

void TestPosiPrint::pageSetup()
{
    TestEnv env;
    Window win;
    QPrinter *printer = platform::sharedPrinter().printer();
    const QString before = printer->outputFileName();

    env.dialogs().choosePrinter(QString());
    win.trigger(QStringLiteral("mnuFilePageSetup"));
    QCOMPARE(printer->outputFileName(), before);

    // A printer chosen there is the one the next print starts from.
    const QString chosen = env.tempPath(QStringLiteral("chosen.pdf"));
    env.dialogs().choosePrinter(chosen);
    win.trigger(QStringLiteral("mnuFilePageSetup"));
    QCOMPARE(printer->outputFileName(), chosen);
    QCOMPARE(env.dialogs().printDialogs(),
             (QStringList{QStringLiteral("page setup"), QStringLiteral("page setup")}));
    QCOMPARE(env.dialogs().prompts(), QStringList());
}

void TestPosiPrint::pagesFit_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Japanese") << 1;
    QTest::newRow("English") << 2;
}

// Printed on every office page, twice in one run, in each language: every text inside the
// page and above the footer rule, no two text boxes over each other (on a line or from one
// line into the next), in the installed Mincho or Gothic face; a comment of 40 full-width
// characters printed whole within the right margin and never below a legible size (on lines
// of its own where one does not hold it); positions beyond a page on the next.
void TestPosiPrint::pagesFit()
{
    QFETCH(int, language);
    TestEnv env;
    useLanguage(language);
    Window win;
    // Positions for several pages on any of them.
    const int last = 60;
    gPosiNoTo = gPosiNoDefTo = last;
    win.w->QzDataHyoji_3();
    tables::GridCells *grid = tables::checkGrid();
    const QString comment(40, QChar(0x30A2));
    grid->setText(3, 20, comment);
    const QString face = QFontInfo(QFont(language == 1 ? QStringLiteral("IPAMincho")
                                                       : QStringLiteral("IPAGothic"))).family();
    platform::PrinterDevice &printer = platform::sharedPrinter();
    const auto restorePage = qScopeGuard([&] { usePage(printer, officePages().first()); });
    for (const OfficePage &page : officePages()) {
        usePage(printer, page);
        for (int run = 1; run <= 2; ++run) {
            ModalDriver driver;
            selectOk(driver);
            rangeOk(driver, 1, last);
            const QString pdf = env.tempPath(QStringLiteral("print%1.pdf").arg(run));
            env.dialogs().choosePrinter(pdf);

            win.trigger(QStringLiteral("mnuFilePrint"));

            QCOMPARE(env.dialogs().prompts(), QStringList());
            QVERIFY(QFileInfo(pdf).size() > 0);
            const QStringList faults = printFaults(printer);
            QVERIFY2(faults.isEmpty(), qPrintable(page.name + QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
            QString commentPrinted;
            for (const auto &d : printer.drawn()) {
                if (!d.rule && !d.text.isEmpty())
                    QCOMPARE(d.family, face);
                if (d.text.contains(comment.at(0))) {
                    commentPrinted += d.text;
                    QVERIFY2(d.rect.right() <= gPrnWidth, qPrintable(page.name));
                    QVERIFY2(d.pointSize >= kLegibleFloor, qPrintable(page.name + QStringLiteral(": %1 pt").arg(d.pointSize)));
                }
            }
            QCOMPARE(commentPrinted, QStringLiteral(":") + comment);
            QVERIFY(printer.drawn().last().page > 1);
            QString lastNumber;
            for (const Item &it : positions::lastPosiPrint())
                if (!it.rule && it.x == 20 && it.pointSize == 11)
                    lastNumber = it.text.trimmed();
            QCOMPARE(lastNumber, QString::number(last));
        }
    }
}

// A report for a person to look at: <build>/print-preview/.
void TestPosiPrint::pdfForALook()
{
    TestEnv env;
    Window win;
    tables::GridCells *grid = tables::checkGrid();
    gDevStroke[0] = 100;
    grid->setText(3, 4, positions::posigrid::mmText(12.5));
    for (int r = 2; r < grid->rows(); ++r)
        grid->setText(r, 20, QStringLiteral("comment %1").arg(r - 1));
    // A comment of 40 full-width characters, which a portrait page prints on two lines.
    grid->setText(3, 20, QString(20, QChar(0x30A2)) + QString(20, QChar(0x6F22)));
    const QString outDir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../print-preview"));
    QDir().mkpath(outDir);
    // One file per desktop locale: the runs under both locales may go at once.
    const QString base = QStringLiteral("position-report-") + QLocale::system().name();
    const QString pdf = QDir(outDir).filePath(base + QStringLiteral(".pdf"));
    QFile::remove(pdf);
    ModalDriver driver;
    selectOk(driver);
    rangeOk(driver, 1, 3);
    env.dialogs().choosePrinter(pdf);

    win.trigger(QStringLiteral("mnuFilePrint"));

    QCOMPARE(env.dialogs().prompts(), QStringList());
    // The positions, padded as the grid shows them, end at one right edge in the report's
    // fixed-pitch font.
    QList<Item> posi;
    for (const Item &it : positions::lastPosiPrint())
        if (!it.rule && it.x == 54 && it.pointSize == 11)
            posi.append(it);
    QCOMPARE(driver.shown(), (QStringList{QStringLiteral("frmPrintSelect"), QStringLiteral("frmSelectPosiNo3")}));
    QCOMPARE(posi.size(), 6);
    QCOMPARE(posi[0].text.trimmed(), QStringLiteral("0.000"));
    QCOMPARE(posi[2].text.trimmed(), QStringLiteral("12.500"));
    platform::PrinterDevice &printer = platform::sharedPrinter();
    printer.setFont(positions::posiPrintFont());
    QCOMPARE(printer.textWidthMm(posi[0].text), printer.textWidthMm(posi[2].text));
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");

    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty())
        QSKIP("no Ghostscript to render the PDF");
    const QString png = QDir(outDir).filePath(base + QStringLiteral("-%d.png"));
    QProcess proc;
    proc.start(gs, {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                    QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r100"),
                    QStringLiteral("-sOutputFile=") + png, pdf});
    QVERIFY(proc.waitForFinished(120000));
    QCOMPARE(proc.exitCode(), 0);
    QVERIFY(QFileInfo(QDir(outDir).filePath(base + QStringLiteral("-1.png"))).size() > 0);
}

QTEST_MAIN(TestPosiPrint)
#include "tst_posiprint.moc"
