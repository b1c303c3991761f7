#include "positions/PosiFileCommands.h"

#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/FakeMainForm.h"
#include "support/FileFault.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString kDiskFull = QStringLiteral("only part of the file reached the disk (the disk may be full)");

QString fixture(const QString &name)
{
    return QStringLiteral(QZ_FIXTURES_DIR "/positions/") + name;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The table and actuators the golden file was written for, shown in the grid.
void loadGoldenTable(FakeMainForm &form)
{
    PosiFileImage img;
    QCOMPARE(positions::readPosiFile(fixture(QStringLiteral("golden.qzd")), img).status,
             positions::PosiFileStatus::Read);
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = positions::isUnusedDesignation(img.dev[a]);
        gAxisNewType[a] = img.newOld[a] == QLatin1String("NEW");
        gDevTypeLabel[a] = img.dev[a];
        gDevLead[a] = 10;
        gDevPPR[a] = 1000;
    }
    gDispMmUnit = false;
    positions::takePosiFileImage(img);
    gPosiNoFrom = gPosiNoDefFrom = 1;
    gPosiNoTo = gPosiNoDefTo = 3;
    CopyGridToPosiData();
    form.QzDataHyoji_3();
    QCOMPARE(gPosiTable[2][1], 262143.0);
    gDataChanged = true;
    gPosiFileName = LoadResText(213);
}

// Answers the range window with the given numbers (or Cancel when from is 0).
ModalDriver::Action range(int from, int to)
{
    return [from, to](QWidget *w) {
        if (from == 0) {
            clickChild(w, QStringLiteral("cmdSelectPosiCancel"));
            return;
        }
        w->findChild<QLineEdit *>(QStringLiteral("txtStartPosiNo"))->setText(QString::number(from));
        w->findChild<QLineEdit *>(QStringLiteral("txtEndPosiNo"))->setText(QString::number(to));
        clickChild(w, QStringLiteral("cmdSelectPosiOk"));
    };
}

} // namespace

class TestPosiFileSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveWritesGoldenThenSameFile();
    void saveAsRangeAndOrder();
    void saveAsStops_data();
    void saveAsStops();
    void saveDialogCancelled();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void emptyGridSave();
    void otherExtensionKeepsItsFile();
};

void TestPosiFileSave::saveWritesGoldenThenSameFile()
{
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    const QString path = env.tempPath(QStringLiteral("table.qzd"));
    env.dialogs().chooseFile(path);

    QCOMPARE(SavePosiFileCheck(), kPosiSaved);
    QCOMPARE(env.dialogs().fileRequests().size(), 1);
    const platform::FileDialogRequest &req = env.dialogs().fileRequests().first();
    QCOMPARE(req.title, LoadResText(423));
    QCOMPARE(req.defaultName, QStringLiteral("qzw4posi.qzd"));
    QVERIFY(req.overwritePrompt);
    QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("golden.qzd"))));
    QCOMPARE(gPosiFileName, QStringLiteral("table"));
    QCOMPARE(form.fileName, QStringLiteral("table"));
    QVERIFY(!gDataChanged);
    QVERIFY(form.gridActive);

    // The second Save goes to the same file without a dialog, wherever the current folder is,
    // and writes the displayed range whatever the last operation worked on.
    QFile::remove(path);
    gPosiNoFrom = gPosiNoTo = 2;
    gDataChanged = true;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    QCOMPARE(SavePosiFileCheck(), kPosiSaved);
    QDir::setCurrent(before);
    QCOMPARE(env.dialogs().fileRequests().size(), 1);
    QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("golden.qzd"))));
    QVERIFY(env.dialogs().boxes().isEmpty());
}

void TestPosiFileSave::saveAsRangeAndOrder()
{
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    ModalDriver driver;
    driver.then(range(2, 3));
    env.dialogs().answer(platform::IdOk);
    const QString path = env.tempPath(QStringLiteral("part.qzd"));
    env.dialogs().chooseFile(path);

    QCOMPARE(mnuFileSaveAs_Click(), kPosiSaved);
    QCOMPARE(driver.shown(), QStringList{QStringLiteral("frmSelectPosiNo3")});
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(405)});
    QCOMPARE(env.dialogs().boxes().first().style, platform::MbOkCancel | platform::MbQuestion);
    QCOMPARE(env.dialogs().fileRequests().first().title, LoadResText(406));
    QVERIFY(env.dialogs().fileRequests().first().overwritePrompt);

    const QList<QByteArray> lines = bytesOf(path).split('\n');
    const QList<QByteArray> golden = bytesOf(fixture(QStringLiteral("golden.qzd"))).split('\n');
    QCOMPARE(lines.size(), 6); // three header lines, positions 2 and 3, the empty rest
    QCOMPARE(lines.mid(0, 3), golden.mid(0, 3));
    QCOMPARE(lines.mid(3), golden.mid(4));
    QCOMPARE(gPosiFileName, QStringLiteral("part"));
    QVERIFY(!gDataChanged);
    QVERIFY(!SaveCancelFlag);
}

void TestPosiFileSave::saveAsStops_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("cancelFlag");
    QTest::newRow("range window cancelled") << 0 << false;
    QTest::newRow("range refused, then cancelled") << 1 << false;
    QTest::newRow("check finds a fault") << 2 << false;
    QTest::newRow("question 405 cancelled") << 3 << false;
    QTest::newRow("dialog cancelled") << 4 << true;
}

void TestPosiFileSave::saveAsStops()
{
    QFETCH(int, step);
    QFETCH(bool, cancelFlag);
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    ModalDriver driver;
    switch (step) {
    case 0:
        driver.then(range(0, 0));
        break;
    case 1:
        driver.then([](QWidget *w) {
            range(1, 5)(w); // beyond the displayed range: refused, the window stays
            QVERIFY(w->isVisible());
            clickChild(w, QStringLiteral("cmdSelectPosiCancel"));
        });
        env.dialogs().answer(platform::IdOk); // message 1610
        break;
    case 2:
        form.grid.setText(2, 1, QStringLiteral("61")); // VEL of position 1 out of range
        driver.then(range(1, 3));
        tables::setCheckResultWindow([] {});
        break;
    case 3:
        driver.then(range(1, 3));
        env.dialogs().answer(platform::IdCancel);
        break;
    case 4:
        driver.then(range(1, 3));
        env.dialogs().answer(platform::IdOk);
        env.dialogs().chooseFile(QString());
        break;
    }
    SaveCancelFlag = false;
    QCOMPARE(mnuFileSaveAs_Click(), kPosiSaveStopped);
    tables::setCheckResultWindow(nullptr);
    QCOMPARE(SaveCancelFlag, cancelFlag);
    QVERIFY(gDataChanged);
    QCOMPARE(gPosiFileName, LoadResText(213));
    QVERIFY(gPosiFilePath.isEmpty());
    QVERIFY(!gSelectCancel);
    QVERIFY(form.gridActive);
    QCOMPARE(QDir(env.tempPath(QString())).entryList({QStringLiteral("*.qzd")}).size(), 0);
    QCOMPARE(env.dialogs().pendingAnswers(), 0);
}

void TestPosiFileSave::saveDialogCancelled()
{
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    env.dialogs().chooseFile(QString());
    SaveCancelFlag = false;
    QCOMPARE(SavePosiFileCheck(), kPosiSaveStopped);
    QVERIFY(SaveCancelFlag);
    QVERIFY(env.dialogs().boxes().isEmpty());
    QVERIFY(gDataChanged);
}

void TestPosiFileSave::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("Save") << false;
    QTest::newRow("Save As") << true;
}

void TestPosiFileSave::failedWriteKeepsOldFile()
{
    QFETCH(bool, saveAs);
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    const QString path = env.tempPath(QStringLiteral("keep.qzd"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    ModalDriver driver;
    if (saveAs) {
        driver.then(range(1, 3));
        env.dialogs().answer(platform::IdOk);
    }
    env.dialogs().chooseFile(path);
    env.dialogs().answer(platform::IdOk); // 422
    {
        // The disk takes no more than a few bytes: every attempt fails.
        FileSizeLimit limit(16);
        QCOMPARE(saveAs ? mnuFileSaveAs_Click() : SavePosiFileCheck(), kPosiSaveFailed);
    }
    const QStringList failed{LoadResText(422) + QStringLiteral("\r\n") + kDiskFull};
    QCOMPARE(env.dialogs().prompts(), saveAs ? QStringList{LoadResText(405)} + failed : failed);
    QCOMPARE(bytesOf(path), QByteArray("old contents"));
    QVERIFY(gDataChanged);
    QCOMPARE(gPosiFileName, LoadResText(213));
    QVERIFY(gPosiFilePath.isEmpty());
}

void TestPosiFileSave::emptyGridSave()
{
    TestEnv env;
    FakeMainForm form;
    env.dialogs().answer(platform::IdOk); // 433 and 434
    env.dialogs().answer(platform::IdOk); // 422
    QCOMPARE(SavePosiFileCheck(), kPosiSaveFailed);
    QCOMPARE(env.dialogs().prompts(),
             (QStringList{ResLines({433, 434}), LoadResText(422)}));

    // Save As shows the grid's message only.
    env.dialogs().clear();
    env.dialogs().answer(platform::IdOk);
    QCOMPARE(mnuFileSaveAs_Click(), kPosiSaveStopped);
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({433, 434})});
}

void TestPosiFileSave::otherExtensionKeepsItsFile()
{
    TestEnv env;
    FakeMainForm form;
    loadGoldenTable(form);
    const QString path = env.tempPath(QStringLiteral("table.txt"));
    env.dialogs().chooseFile(path);
    QCOMPARE(SavePosiFileCheck(), kPosiSaved);
    QCOMPARE(gPosiFileName, QStringLiteral("table"));
    // The next Save writes the file the table came from, not the name with ".qzd" appended.
    QFile::remove(path);
    QCOMPARE(SavePosiFileCheck(), kPosiSaved);
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(env.tempPath(QStringLiteral("table.qzd"))));
}

QTEST_MAIN(TestPosiFileSave)
#include "tst_posifilesave.moc"
