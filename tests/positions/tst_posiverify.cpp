// Verification of the position table against the controller and against a position file,
// with the result window's rows.
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "positions/PosiFile.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "positions/PosiVerify.h"
#include "tables/SyogoKekka.h"
#include "positions/frmDataShogo.h"
#include "positions/frmSelectPosiNo4.h"
#include "positions/frmSyogoKekka.h"
#include "support/DataFolder.h"
#include "support/PosiTransferFixture.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace posifixture;

using Cells = QList<QPair<int, int>>; // (position, table column)

namespace {

// The result window's data rows as "n:" followed by the 19 marks ("X" or "O").
QStringList resultRows(QWidget *w)
{
    auto *result = qobject_cast<frmSyogoKekka *>(w);
    QStringList rows;
    if (!result)
        return rows;
    QTableWidget *g = result->flgdSyogoKekka;
    for (int r = 2; r < g->rowCount(); ++r) {
        QString row = g->item(r, 0)->text() + QLatin1Char(':');
        for (int c = 1; c < 20; ++c)
            row += g->item(r, c)->text();
        rows << row;
    }
    return rows;
}

QString rowOf(int n, const QList<int> &columns)
{
    QString row = QString::number(n) + QLatin1Char(':');
    for (int c = 0; c < 19; ++c)
        row += columns.contains(c) ? QLatin1Char('X') : QLatin1Char('O');
    return row;
}

// Positions 1 to 8 of the table hold recordFor(n, 20, 100 n).
void tableOfEight(FakeMainForm &form)
{
    showTable(form, 1, 8, [] {
        for (int n = 1; n <= 8; ++n)
            putIntoTable(n, recordFor(n, 20, 100 * n));
    });
}

} // namespace

class TestPosiVerify : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void againstController_data();
    void againstController();
    void againstFile_data();
    void againstFile();
    void fileWithoutOverlap();
    void refusedAsTheOpenRefuses_data();
    void refusedAsTheOpenRefuses();
    void choiceCancelled();

private:
    QTemporaryDir m_dir;
    SimFixture m_sim;
};

void TestPosiVerify::initTestCase()
{
    platform::SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
    m_sim.startOrFail();
}

void TestPosiVerify::init()
{
    TestEnv::resetAll();
    m_sim.reset();
    matchController(m_sim, 0b0111);
}

void TestPosiVerify::cleanup()
{
    QCOMPARE(m_sim.dialogs().unexpected(), QStringList());
    CommPortCloseForce();
}

void TestPosiVerify::againstController_data()
{
    QTest::addColumn<Cells>("changed"); // in the controller
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("equal") << Cells() << false << QStringList();
    QTest::newRow("equal, shown in millimetres") << Cells() << true << QStringList();
    QTest::newRow("several columns")
        << Cells{{3, 0}, {3, 7}, {3, 18}, {6, 16}, {7, 1}, {7, 11}} << true
        << QStringList{rowOf(3, {0, 7, 18}), rowOf(6, {16}), rowOf(7, {1, 11})};
    QTest::newRow("unused axis 4 not compared") << Cells{{4, 12}, {4, 15}} << false << QStringList();
}

void TestPosiVerify::againstController()
{
    QFETCH(Cells, changed);
    QFETCH(bool, mm);
    QFETCH(QStringList, rows);
    FakeMainForm form;
    gDispMmUnit = mm;
    tableOfEight(form);
    for (int n = 1; n <= 8; ++n) {
        positions::PosiRecord r = recordFor(n, 20, 100 * n);
        for (int a = 3; a < 4; ++a) { // what the check keeps for the unused axis
            r.field[4 * a] = 30;
            r.field[4 * a + 1] = 3;
            r.field[4 * a + 2] = 0;
            r.field[4 * a + 3] = 0;
        }
        for (const auto &[p, c] : changed)
            if (p == n)
                r.field[c] += 1;
        m_sim.model().setPosition(n, digits(r));
    }
    gDataChanged = true;

    ModalDriver driver;
    driver.then(range(2, 8));
    QStringList shown;
    bool verifyMode = false;
    if (!rows.isEmpty()) {
        driver.then([&](QWidget *w) {
            shown = resultRows(w);
            verifyMode = w->windowTitle() == LoadResText(2301);
            qobject_cast<frmSyogoKekka *>(w)->cmdCloseSyogokekka->click();
        });
    } else {
        m_sim.dialogs().answer(platform::IdOk);
    }
    QCOMPARE(PosiDataCtShogoCmd(), 0);

    QCOMPARE(driver.pending(), 0);
    QCOMPARE(shown, rows);
    QCOMPARE(verifyMode, !rows.isEmpty());
    QCOMPARE(linesOf(m_sim.received(), QStringLiteral("0RP")).size(), 7);
    if (rows.isEmpty())
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(354) + QStringLiteral("\r\n\r\n") + LoadResText(826)});
    // Nothing of the table changes, and the flags are gone.
    QVERIFY(gDataChanged);
    QCOMPARE(gPosiFileName, QString());
    for (int n = 1; n <= 8; ++n)
        QVERIFY(!gPosiCellFlag[n][kColComment]);
    QVERIFY(form.gridActive);
}

void TestPosiVerify::againstFile_data()
{
    QTest::addColumn<Cells>("changed");   // in the file
    QTest::addColumn<QList<int>>("missing"); // positions the file has no line for
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("equal") << Cells() << QList<int>() << QStringList();
    QTest::newRow("several columns") << Cells{{2, 3}, {2, 17}, {5, 4}} << QList<int>()
                                     << QStringList{rowOf(2, {3, 17}), rowOf(5, {4})};
    QTest::newRow("comment alone is not compared") << Cells{{4, 19}} << QList<int>() << QStringList();
    const QList<int> everyCompared{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18};
    QTest::newRow("positions missing from the file")
        << Cells() << QList<int>{3, 6} << QStringList{rowOf(3, everyCompared), rowOf(6, everyCompared)};
}

void TestPosiVerify::againstFile()
{
    QFETCH(Cells, changed);
    QFETCH(QList<int>, missing);
    QFETCH(QStringList, rows);
    FakeMainForm form;
    tableOfEight(form);
    // The missing positions hold what a New table holds, which is what the open gives the
    // rows a file lacks: they must still not count as equal.
    for (int n : missing) {
        positions::PosiRecord defaults;
        for (int a = 0; a < 4; ++a) {
            defaults.field[4 * a] = 30;
            defaults.field[4 * a + 1] = 3;
        }
        putIntoTable(n, defaults);
    }
    form.QzDataHyoji_3();
    PosiFileImage image;
    QVERIFY(positions::posiFileImageFromTable(image));
    for (auto it = image.lines.begin(); it != image.lines.end();) {
        for (const auto &[p, c] : changed)
            if (p == it->no)
                it->items[c] = c == kColComment ? QVariant(QStringLiteral("other"))
                                                : QVariant(tables::numericValue(it->items[c]) + 1);
        it = missing.contains(it->no) ? image.lines.erase(it) : it + 1;
    }
    const QString path = m_dir.filePath(QStringLiteral("verify.qzd"));
    QVERIFY(positions::writePosiFile(path, image));

    ModalDriver driver;
    driver.then([](QWidget *w) { clickChild(w, QStringLiteral("cmdFileDataShogo")); });
    m_sim.dialogs().chooseFile(path);
    QString offered;
    driver.then([&](QWidget *w) {
        auto *window = qobject_cast<frmSelectPosiNo4 *>(w);
        QVERIFY(window);
        offered = window->txtStartPosiNo->text() + QLatin1Char('-') + window->txtEndPosiNo->text()
                  + QLatin1Char(' ') + window->lblFileStartNo->text() + QLatin1Char('-') + window->lblFileEndNo->text();
        QVERIFY(window->PictureVerifyRange->isVisible());
        QVERIFY(!window->lblNotice->isVisible());
        window->cmdSelectPosiOk->click();
    });
    QStringList shown;
    if (!rows.isEmpty())
        driver.then([&](QWidget *w) {
            shown = resultRows(w);
            qobject_cast<frmSyogoKekka *>(w)->cmdCloseSyogokekka->click();
        });
    else
        m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(cmdPosiVerify_Click(), 0);

    QCOMPARE(driver.pending(), 0);
    const int fileFrom = missing.contains(1) ? 2 : 1;
    QCOMPARE(offered, QStringLiteral("%1-8 %1-8").arg(fileFrom));
    QCOMPARE(m_sim.dialogs().fileRequests().first().title, LoadResText(350));
    QCOMPARE(shown, rows);
    if (rows.isEmpty())
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(352) + path + LoadResText(353) + QStringLiteral("\r\n\r\n")
                                              + LoadResText(826)});
    QVERIFY(m_sim.received().isEmpty());
}

void TestPosiVerify::fileWithoutOverlap()
{
    FakeMainForm form;
    showTable(form, 20, 40);
    PosiFileImage image;
    QVERIFY(positions::posiFileImageFromTable(image));
    const QString path = m_dir.filePath(QStringLiteral("far.qzd"));
    QVERIFY(positions::writePosiFile(path, image));
    showTable(form, 1, 15);

    ModalDriver driver;
    m_sim.dialogs().chooseFile(path);
    bool noticeShown = false;
    driver.then([&](QWidget *w) {
        auto *window = qobject_cast<frmSelectPosiNo4 *>(w);
        noticeShown = window && window->lblNotice->isVisible() && !window->PictureVerifyRange->isVisible()
                      && window->lblNotice->text() == LoadResText(342);
        clickChild(w, QStringLiteral("cmdSelectPosiOk"));
    });
    QCOMPARE(PosiDataFileShogo2(), 1);
    QVERIFY(noticeShown);
    QCOMPARE(driver.pending(), 0);
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestPosiVerify::refusedAsTheOpenRefuses_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("cut"); // bytes cut off the end
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("a group file") << "editors/good.grp" << 0 << QStringList{ResLines({21, 20})};
    QTest::newRow("a parameter file") << "editors/good.pmt" << 0 << QStringList{ResLines({21, 20})};
    // "<path>": the file's path, which the box names.
    QTest::newRow("cut short") << "positions/golden.qzd" << 3
                               << QStringList{LoadResText(484) + QStringLiteral("\r\n")
                                              + LoadResText(3050).arg(QStringLiteral("6"), QStringLiteral("<path>"))};
    QTest::newRow("a field not a number") << "positions/field_not_a_number.qzd" << 0
                                          << QStringList{LoadResText(484) + QStringLiteral("\r\n")
                                                         + LoadResText(3011).arg(QStringLiteral("6"), QStringLiteral("<path>"),
                                                                                 QStringLiteral("3"))};
}

// The verification against a file reads it as the open does, and refuses what the open
// refuses with the same reason.
void TestPosiVerify::refusedAsTheOpenRefuses()
{
    QFETCH(QString, fixture);
    QFETCH(int, cut);
    QFETCH(QStringList, messages);
    FakeMainForm form;
    tableOfEight(form);
    QFile source(fixturePath(fixture));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    bytes.chop(cut);
    const QString path = m_dir.filePath(QStringLiteral("refused.qzd"));
    for (QString &m : messages)
        m.replace(QStringLiteral("<path>"), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const QVariant before = gPosiWork[3][1];
    m_sim.dialogs().chooseFile(path);
    m_sim.dialogs().answer(platform::IdOk);
    QCOMPARE(PosiDataFileShogo2(), 1);
    QCOMPARE(m_sim.prompts(), messages);
    QCOMPARE(gPosiWork[3][1], before);
    QVERIFY(m_sim.received().isEmpty());
}

void TestPosiVerify::choiceCancelled()
{
    FakeMainForm form;
    tableOfEight(form);
    ModalDriver driver;
    int choice = -1;
    driver.then([&](QWidget *w) {
        choice = qobject_cast<frmDataShogo *>(w)->ShogoSaki;
        w->close();
    });
    QCOMPARE(cmdPosiVerify_Click(), 1);
    QCOMPARE(choice, 0);
    QVERIFY(m_sim.prompts().isEmpty());
    QVERIFY(m_sim.received().isEmpty());
    QVERIFY(form.gridActive);
}

QTEST_MAIN(TestPosiVerify)
#include "tst_posiverify.moc"
