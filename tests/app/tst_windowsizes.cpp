#include "platform/FixedGrid.h"
#include "tables/DevSetting.h"
#include "actuators/DevDesignation.h"
#include "actuators/frmDevice2.h"
#include "actuators/frmDevice3.h"
#include "core/AppSettings.h"
#include "app/StartOffline.h"
#include "app/frmMain.h"
#include "app/frmOptions2.h"
#include "core/frmSelection.h"
#include "app/frmSplash.h"
#include "core/Messages.h"
#include "editors/frmDevice.h"
#include "editors/frmGrp.h"
#include "editors/frmParameta2.h"
#include "editors/frmSqMcr.h"
#include "link/frmProcessing.h"
#include "link/frmTrance.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "operation/frmMove.h"
#include "positions/frmDataShogo.h"
#include "positions/frmPrintSelect.h"
#include "positions/frmSelectPosiNo2.h"
#include "positions/frmSelectPosiNo3.h"
#include "positions/frmSelectPosiNo4.h"
#include "positions/frmSyogoKekka.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"
#include "support/StoredActuators.h"
#include "support/AllWindows.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QTableWidget>
#include <QStyleOptionComboBox>
#include <QLabel>
#include <QPointer>
#include <QtTest>
#include <functional>
#include <memory>

// Every window of the system opened at its load size, in both languages: each must fit a
// 1024 x 768 screen, its title bar included. The windows are also rendered to PNG files beside
// the tests, to be looked at.
class TestWindowSizes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitsSmallScreen_data();
    void fitsSmallScreen();
    void keptOnScreen_data();
    void keptOnScreen();
    void choicesShowWhole_data();
    void choicesShowWhole();
    void headingsShowWhole_data();
    void headingsShowWhole();
};

namespace {

// Room a desktop's title bar takes above a window.
constexpr int kTitleBar = 32;

// The main window at its load size for a 1024-pixel screen in the language, shown, with the
// stored actuators taken offline; null when it could not be set up.
std::unique_ptr<frmMain> smallScreenMain(int language)
{
    startup::resetAxesForStart();
    gLanguage = language;
    gLangOffset = settings::languageOffsetFor(language);
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()) || useStoredActuatorsOffline() != 0)
        return nullptr;
    return main;
}

} // namespace

void TestWindowSizes::fitsSmallScreen_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("index");
    const QList<ProgramWindow> all = programWindows();
    for (int language : {2, 1})
        for (int i = 0; i < all.size(); ++i)
            QTest::addRow("%s, %s", language == 1 ? "Japanese" : "English", all[i].name) << language << i;
}

void TestWindowSizes::fitsSmallScreen()
{
    QFETCH(int, language);
    QFETCH(int, index);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);

    const ProgramWindow window = programWindows().at(index);
    QWidget *w = window.make(main.get());
    QPointer<QWidget> guard(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();

    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir));
    w->grab().save(QStringLiteral("%1/%2_%3.png").arg(dir, QLatin1String(window.name),
                                                       language == 1 ? QStringLiteral("ja") : QStringLiteral("en")));

    // The window's own area against the screen, less the title bar a desktop adds on top.
    QVERIFY2(w->width() <= 1024 && w->height() + kTitleBar <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(w->width()).arg(w->height())));
    // What the layout needs fits too: no control is pushed out of the window.
    QVERIFY2(w->minimumSizeHint().width() <= w->width() && w->minimumSizeHint().height() <= w->height(),
             qPrintable(QStringLiteral("needs %1 x %2").arg(w->minimumSizeHint().width()).arg(w->minimumSizeHint().height())));

    if (guard && guard != main.get()) {
        guard->hide();
        delete guard.data();
    }
}

void TestWindowSizes::keptOnScreen_data()
{
    QTest::addColumn<int>("index");
    const QList<ProgramWindow> all = programWindows();
    // The main window itself and the splash are not placed beside a window.
    for (int i = 2; i < all.size(); ++i)
        QTest::addRow("%s", all[i].name) << i;
}

// With the main window near the screen's bottom-right corner, every window placed beside it
// keeps its frame on the screen (its top-left corner where the frame is the larger).
void TestWindowSizes::keptOnScreen()
{
    QFETCH(int, index);
    TestEnv env;
    startup::resetAxesForStart();
    frmMain::setScreenWidthForLoad(1024);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(useStoredActuatorsOffline(), 0);
    const QRect available = main->screen()->availableGeometry();
    main->move(available.right() - 60, available.bottom() - 40);
    QCoreApplication::processEvents();

    QWidget *w = programWindows().at(index).make(main.get());
    QPointer<QWidget> guard(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect frame = w->frameGeometry();
    const QString where = QStringLiteral("%1,%2 %3 x %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
    QVERIFY2(frame.left() >= available.left() && frame.top() >= available.top(), qPrintable(where));
    QVERIFY2(frame.width() > available.width() || frame.right() <= available.right(), qPrintable(where));
    QVERIFY2(frame.height() > available.height() || frame.bottom() <= available.bottom(), qPrintable(where));
    // Off the edge without the procedure: the test can tell.
    QVERIFY(main->frameGeometry().left() + 33 + frame.width() > available.right());

    if (guard) {
        guard->hide();
        delete guard.data();
    }
}

void TestWindowSizes::choicesShowWhole_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 2;
    QTest::newRow("Japanese") << 1;
}

// Every choice of every list of the parameter window shows whole in the closed list at the
// window's load size on a 1024 x 768 screen: an open list that shows it is not enough, since the
// operator reads the chosen value in the closed one.
void TestWindowSizes::choicesShowWhole()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    auto *w = new frmParameta2(main.get());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();

    QStringList cut;
    int measured = 0;
    for (QComboBox *c : w->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.editable = c->isEditable();
        option.rect = c->rect();
        const int room = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c).width();
        for (int i = 0; i < c->count(); ++i) {
            ++measured;
            const int needs = c->fontMetrics().horizontalAdvance(c->itemText(i));
            if (needs > room)
                cut << QStringLiteral("%1 \"%2\" %3 > %4").arg(c->objectName(), c->itemText(i)).arg(needs).arg(room);
        }
    }
    QVERIFY(measured > 40);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    QVERIFY(w->width() <= 1024 && w->height() + kTitleBar <= 768);
    delete w;
}

void TestWindowSizes::headingsShowWhole_data()
{
    choicesShowWhole_data();
}

// Every heading of the main window's grid shows whole at 1024 x 768, an old-type axis' mark
// included: each text against the columns it stands over, in the font it is drawn in.
void TestWindowSizes::headingsShowWhole()
{
    QFETCH(int, language);
    TestEnv env;
    const std::unique_ptr<frmMain> main = smallScreenMain(language);
    QVERIFY(main);
    // Four old-type axes with the longest designations: the catalogue's PG and vertical marks.
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = false;
        gDevIsQz[a] = true;
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
        gDevStroke[a] = 100;
        gAxisNewType[a] = false;
        gDevSetteiWithPG[a] = true;
        gDevSetteiVertical[a] = true;
    }
    DispDeviceName();
    QCoreApplication::processEvents();

    platform::FixedGrid &g = *main->flgdData();
    QTableWidget *head = g.heading();
    const int margin = 2 * (head->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, head) + 1);
    QStringList cut;
    int oldMarks = 0;
    for (int row = 0; row < 2; ++row) {
        for (int c = 1; c < 21;) {
            const int span = qMax(1, g.mergedSpan(row, c));
            int width = 0;
            for (int k = c; k < c + span; ++k)
                width += g.columnWidth(k);
            const QString text = g.text(row, c);
            oldMarks += text.endsWith(QLatin1String("(Old)")) ? 1 : 0;
            const int needs = QFontMetrics(head->item(row, c)->font()).horizontalAdvance(text);
            if (needs > width - margin)
                cut << QStringLiteral("row %1 col %2 \"%3\" %4 > %5").arg(row).arg(c).arg(text).arg(needs).arg(width - margin);
            c += span;
        }
    }
    QCOMPARE(oldMarks, 4);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    QVERIFY(main->width() <= 1024);
}

QTEST_MAIN(TestWindowSizes)
#include "tst_windowsizes.moc"
