#include "positions/PosiFileCommands.h"

#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "core/frmSelection.h"
#include "tables/ParaFile.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"
#include "platform/SettingsStore.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/FileFault.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QRadioButton>
#include <QtTest>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(QZ_FIXTURES_DIR "/positions/") + name;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Actuator
{
    const char *size = nullptr; // nullptr: the axis is not used
    const char *speed = "";
    int stroke = 0;
    bool newType = true;
};

// The system's actuators as an actuator change leaves them: factory parameters, limits,
// designations.
void useActuators(std::initializer_list<Actuator> axes)
{
    int a = 0;
    for (const Actuator &d : axes) {
        gAxisUnused[a] = gDevSetteiUnused[a] = d.size == nullptr;
        if (d.size) {
            gDevSetteiSize[a] = QString::fromLatin1(d.size);
            gDevSetteiSpeed[a] = QString::fromLatin1(d.speed);
            gDevSetteiStroke[a] = d.stroke;
            gDevSetteiNewType[a] = d.newType;
            gDevSetteiWithPG[a] = true;
            gDevSetteiVertical[a] = false;
            gDevIsQz[a] = true;
        }
        ++a;
    }
    QCOMPARE(SetStdParameta(), 0);
    CulcDevLimits();
    CopyNewTypeFlag();
    DispDeviceName();
}

// A table of recognisable values for the positions from..to, shown in the grid.
void showTable(FakeMainForm &form, int from, int to, int vel)
{
    for (int n = 1; n <= kPosiMax; ++n) {
        for (int c = 0; c < kPosiCols; ++c)
            gPosiFileTable[n][c] = c == kColComment ? QVariant(QStringLiteral("old %1").arg(n))
                                   : c >= 16        ? QVariant(0)
                                                    : QVariant(c % 4 == 0 ? vel : 1);
        for (int a = 0; a < 4; ++a)
            gPosiTable[n][a] = gAxisUnused[a] ? 0 : n * 10 + a;
    }
    gPosiNoFrom = gPosiNoDefFrom = from;
    gPosiNoTo = gPosiNoDefTo = to;
    PulseToMm_Table();
    form.QzDataHyoji_3();
    gPosiFileName = QStringLiteral("before");
    gDataChanged = true;
}

// What an open that fails must leave alone.
struct State
{
    QStringList grid;
    int from, to, defFrom, defTo, fileFrom, fileTo;
    QString name, path, labels[4], sizes[4], fileDev[4];
    bool changed, unused[4];
    QByteArray settings;

    static State now(const FakeMainForm &form, const QString &settingsFile)
    {
        State s;
        for (int r = 0; r < form.grid.rows(); ++r)
            s.grid << form.grid.row(r).join(QLatin1Char('|'));
        s.from = gPosiNoFrom;
        s.to = gPosiNoTo;
        s.defFrom = gPosiNoDefFrom;
        s.defTo = gPosiNoDefTo;
        s.fileFrom = gPosiFileNoFrom;
        s.fileTo = gPosiFileNoTo;
        s.name = gPosiFileName;
        s.path = gPosiFilePath;
        s.changed = gDataChanged;
        for (int a = 0; a < 4; ++a) {
            s.labels[a] = gDevTypeLabel[a];
            s.sizes[a] = gDevSize[a] + gDevSpeed[a] + QString::number(gDevStroke[a])
                         + QString::number(gAxisNewType[a]) + gDevSetteiSize[a];
            s.unused[a] = gAxisUnused[a];
            s.fileDev[a] = gPosiFileDev[a];
        }
        QFile f(settingsFile);
        if (f.open(QIODevice::ReadOnly))
            s.settings = f.readAll();
        return s;
    }

    void compare(const State &o) const
    {
        QCOMPARE(o.grid, grid);
        QCOMPARE(o.from, from);
        QCOMPARE(o.to, to);
        QCOMPARE(o.defFrom, defFrom);
        QCOMPARE(o.defTo, defTo);
        QCOMPARE(o.fileFrom, fileFrom);
        QCOMPARE(o.fileTo, fileTo);
        QCOMPARE(o.name, name);
        QCOMPARE(o.path, path);
        QCOMPARE(o.changed, changed);
        for (int a = 0; a < 4; ++a) {
            QCOMPARE(o.labels[a], labels[a]);
            QCOMPARE(o.sizes[a], sizes[a]);
            QCOMPARE(o.unused[a], unused[a]);
            QCOMPARE(o.fileDev[a], fileDev[a]);
        }
        QCOMPARE(o.settings, settings);
    }
};

ModalDriver::Action choose(int option)
{
    return [option](QWidget *w) {
        auto *f = static_cast<frmSelection *>(w);
        f->optSelectKomoku(option)->click();
        clickChild(w, QStringLiteral("cmdSelectOk"));
    };
}

const char *kHeadFor28L = "\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"\",\"\",\"\"\r\n\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n";

QByteArray posLine(int n, int vel = 20)
{
    QByteArray l = QByteArray::number(n);
    for (int a = 0; a < 4; ++a)
        l += ",\" " + QByteArray::number(vel) + "\",\" 1\",\" 0\",\" " + QByteArray::number(n) + "\"";
    return l + ",\" 0\",\" 0\",\" 0\",\"c" + QByteArray::number(n) + "\"\r\n";
}

class Fixture
{
public:
    TestEnv env;
    DataFolder data;
    FakeMainForm form;

    Fixture()
    {
        data.installShipped({"nqzdevice.lst", "w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst"});
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        data.write(name, bytes);
        return data.path(name);
    }

    QString settingsFile() const { return data.path(QStringLiteral("settings.ini")); }
};

} // namespace

class TestPosiFileOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripWithoutQuestion();
    void fixturesOpenWithSystemActuators_data();
    void fixturesOpenWithSystemActuators();
    void controlCharactersLeftOutThenSaved();
    void fileActuatorsWithFactoryParameters();
    void actuatorsFromParameterFile();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void unknownDesignationOfFileOnlyAxis();
    void missingPositionsGetDefaults();
};

void TestPosiFileOpen::roundTripWithoutQuestion()
{
    Fixture fx;
    useActuators({{" 28", "L", 50, false}, {" 42", "D", 100}, {}, {"E35", "L", 200}});
    showTable(fx.form, 4, 9, 40);
    gPosiNoFrom = 5;
    gPosiNoTo = 8;
    const QString first = fx.data.path(QStringLiteral("first.qzd"));
    QCOMPARE(SaveFileAs2(first), 0);

    showTable(fx.form, 1, 15, 10);
    ModalDriver driver; // the actuators agree: no choice window
    fx.env.dialogs().chooseFile(first);
    QCOMPARE(OpenPosiFile(), 0);
    QVERIFY(fx.env.dialogs().boxes().isEmpty());
    QCOMPARE(gPosiNoFrom, 5);
    QCOMPARE(gPosiNoDefFrom, 5);
    QCOMPARE(gPosiNoTo, 8);
    QCOMPARE(gPosiNoDefTo, 8);
    QCOMPARE(gPosiFileName, QStringLiteral("first"));
    QCOMPARE(fx.form.fileName, QStringLiteral("first"));
    QVERIFY(!gDataChanged);
    QCOMPARE(fx.form.grid.rows(), 2 + 4);
    QCOMPARE(fx.form.grid.text(2, 0), QStringLiteral("5"));
    QCOMPARE(fx.form.grid.text(2, 1), QStringLiteral("40"));
    QCOMPARE(gPosiTable[6][3], 63.0);
    QVERIFY(fx.form.gridActive);

    // Saved again, the file is the same to the byte.
    QFile::remove(first);
    QCOMPARE(SavePosiFileCheck(), kPosiSaved);
    const QString again = fx.data.path(QStringLiteral("again.qzd"));
    QFile::rename(first, again);
    gPosiNoFrom = 5;
    gPosiNoTo = 8;
    QCOMPARE(SaveFileAs2(first), 0);
    QCOMPARE(bytesOf(again), bytesOf(first));
}

void TestPosiFileOpen::fixturesOpenWithSystemActuators_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("comment"); // of position 1 as the table takes it
    QTest::addColumn<bool>("cleaned");    // the operator is told, the table differs from the file
    QTest::addColumn<QByteArray>("contents"); // the file's bytes in place of the fixture's, when given
    const QString golden = QStringLiteral("原点 A");
    QTest::newRow("Windows-31J") << "golden.qzd" << golden << false << QByteArray();
    QTest::newRow("UTF-8") << "golden_utf8.qzd" << golden << false << QByteArray();
    QTest::newRow("earlier layout") << "earlier.qzd" << golden << false << QByteArray();
    QTest::newRow("Windows-31J ended by Ctrl-Z") << "ctrlz_sjis.qzd" << golden << false << QByteArray();
    QTest::newRow("half-width kana valid as UTF-8") << "kana_sjis.qzd" << QStringLiteral("ﾃｽ ﾖｺ ﾊｲ") << false << QByteArray();
    // The character the file cannot hold is left out; the blank before it stays, as the
    // message says nothing of blanks.
    QTest::newRow("UTF-8 with e-acute") << "mixed_utf8.qzd" << QStringLiteral("原点 ") << true << QByteArray();
    // A TAB and a byte that does not decode (it arrives as a control character).
    QTest::newRow("control characters") << "comment_control_sjis.qzd" << golden << true << QByteArray();
    // Line endings other editors leave that keep every line whole.
    for (const FileCopy &copy : editorEndingCopies(bytesOf(fixture(QStringLiteral("golden.qzd"))), FileKind::Written))
        if (copy.verdict == FileVerdict::ReadsWhole)
            QTest::newRow(qPrintable(copy.name)) << "golden.qzd" << golden << false << copy.bytes;
}

// A comment's control characters are left out on open and told; the save then writes the
// table as the golden file's table is written, to the byte.
void TestPosiFileOpen::controlCharactersLeftOutThenSaved()
{
    QByteArray saved[2];
    const char *const files[2] = {"golden.qzd", "comment_control_sjis.qzd"};
    for (int i = 0; i < 2; ++i) {
        Fixture fx;
        useActuators({{" 28", "L", 100, false}, {}, {}, {}});
        showTable(fx.form, 1, 15, 10);
        const QString path = fx.write(QStringLiteral("table.qzd"), bytesOf(fixture(QLatin1String(files[i]))));
        const bool cleaned = i == 1;
        if (cleaned)
            fx.env.dialogs().answer(platform::IdOk);
        ModalDriver driver;
        driver.then(choose(0));
        fx.env.dialogs().chooseFile(path);
        QCOMPARE(OpenPosiFile(), 0);
        QCOMPARE(fx.env.dialogs().prompts(),
                 cleaned ? QStringList{LoadResText(3003) + QStringLiteral("\r\n1")} : QStringList());
        QCOMPARE(gDataChanged, cleaned);
        QCOMPARE(fx.form.grid.text(2, 20), QStringLiteral("原点 A"));
        QCOMPARE(SavePosiFileCheck(), kPosiSaved);
        QVERIFY(!gDataChanged);
        saved[i] = bytesOf(path);
    }
    QVERIFY(bytesOf(fixture(QLatin1String(files[1]))).contains('\t'));
    QVERIFY(!saved[0].isEmpty());
    QCOMPARE(saved[1], saved[0]);
}

void TestPosiFileOpen::fixturesOpenWithSystemActuators()
{
    QFETCH(QString, file);
    QFETCH(QString, comment);
    QFETCH(bool, cleaned);
    QFETCH(QByteArray, contents);
    Fixture fx;
    useActuators({{" 28", "L", 100, false}, {}, {}, {}});
    showTable(fx.form, 1, 15, 10);
    if (cleaned)
        fx.env.dialogs().answer(platform::IdOk);
    const QString label = gDevTypeLabel[0];
    ModalDriver driver;
    driver.then(choose(0));
    fx.env.dialogs().chooseFile(contents.isEmpty() ? fixture(file) : fx.write(file, contents));
    QCOMPARE(OpenPosiFile(), 0);
    QCOMPARE(driver.shown(), QStringList{QStringLiteral("frmSelection")});

    // The system keeps its actuators; the table takes the file's three positions.
    QCOMPARE(gDevTypeLabel[0], label);
    QCOMPARE(gDevStroke[0], 100);
    QVERIFY(gAxisUnused[1]);
    QCOMPARE(gPosiNoDefFrom, 1);
    QCOMPARE(gPosiNoDefTo, 3);
    QCOMPARE(gPosiFileNoTo, 3);
    QCOMPARE(gPosiFileDev[1], QStringLiteral("QZ- 42D-100  "));
    QCOMPARE(gPosiFileNewOld[0], QStringLiteral("OLD"));
    QCOMPARE(gPosiTable[1][0], 1200.0);
    QCOMPARE(gPosiTable[2][1], 262143.0);
    QCOMPARE(gPosiTable[1][3], 150.0);
    QCOMPARE(tables::numericValue(gPosiFileTable[1][12]), 60.0);
    QCOMPARE(tables::numericValue(gPosiFileTable[1][18]), 20.0);
    QCOMPARE(gPosiFileTable[1][kColComment].toString(), comment);
    QCOMPARE(gPosiFileTable[3][kColComment].toString(), QStringLiteral("  blank, comma"));
    QCOMPARE(gPosiFileTable[2][kColComment].toString(), QString());
    QCOMPARE(fx.form.grid.rows(), 5);
    QCOMPARE(gPosiFileName, file.chopped(4));
    QCOMPARE(fx.env.dialogs().prompts(),
             cleaned ? QStringList{LoadResText(3003) + QStringLiteral("\r\n1")} : QStringList());
    QCOMPARE(gDataChanged, cleaned);
}

void TestPosiFileOpen::fileActuatorsWithFactoryParameters()
{
    Fixture fx;
    useActuators({{" 28", "L", 100, false}, {}, {}, {}});
    showTable(fx.form, 1, 15, 10);
    const QString path = fx.write(QStringLiteral("file.qzd"),
                                  "\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"QZ- 42D-100E_\",\"\",\"\"\r\n"
                                  "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                  + posLine(2) + posLine(3));
    ModalDriver driver;
    driver.then(choose(1));
    fx.env.dialogs().chooseFile(path);
    QCOMPARE(OpenPosiFile(), 0);

    QVERIFY(!gAxisUnused[1]);
    QCOMPARE(gDevStroke[0], 50);
    QCOMPARE(gDevSize[1], QStringLiteral(" 42"));
    QCOMPARE(gDevSpeed[1], QStringLiteral("D"));
    QVERIFY(gAxisNewType[1]);
    QCOMPARE(gPrmActuator[1], QStringLiteral(" 42D100"));
    QCOMPARE(gDevLead[1], 8);
    QCOMPARE(gAxisMask, 3);
    QCOMPARE(gDevTypeLabel[1], QStringLiteral("QZ- 42D-100E "));
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevSize2"), QString()), QStringLiteral(" 42"));
    QCOMPARE(gPosiNoDefFrom, 2);
    QCOMPARE(gPosiTable[3][1], 3.0);
}

void TestPosiFileOpen::actuatorsFromParameterFile()
{
    Fixture fx;
    useActuators({{" 28", "L", 50, false}, {" 42", "D", 200}, {}, {}});
    const QString pmt = fx.data.path(QStringLiteral("two.pmt"));
    QCOMPARE(WriteParaFile(pmt), 0);
    useActuators({{" 28", "L", 100, false}, {}, {}, {}});
    showTable(fx.form, 1, 15, 10);
    const QString path = fx.write(QStringLiteral("file.qzd"),
                                  "\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"QZ- 42D-100E_\",\"\",\"\"\r\n"
                                  "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                  + posLine(1));
    ModalDriver driver;
    driver.then(choose(2));
    fx.env.dialogs().chooseFile(path);
    fx.env.dialogs().chooseFile(pmt);
    QCOMPARE(OpenPosiFile(), 0);
    QVERIFY(fx.env.dialogs().boxes().isEmpty());
    // The parameter file decides: its stroke, not the position file's.
    QCOMPARE(gAxisMask, 3);
    QVERIFY(!gAxisUnused[1]);
    QCOMPARE(gDevStroke[0], 50);
    QCOMPARE(gDevStroke[1], 200);
    QCOMPARE(gPosiNoDefTo, 1);
    // Stored, so that the next start converts with them too.
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke1"), QString()), QStringLiteral("50"));
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevSize2"), QString()), QStringLiteral(" 42"));
    QCOMPARE(platform::SettingsStore::text(QStringLiteral("DevStroke2"), QString()), QStringLiteral("200"));
}

void TestPosiFileOpen::refusalsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty: the dialog is cancelled
    QTest::addColumn<int>("choice");           // -1: no choice window expected
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("paraFile");     // the parameter file dialog's answer

    const QByteArray head = kHeadFor28L;
    const QByteArray good = head + posLine(1) + posLine(2);
    const QStringList m484{LoadResText(484)};
    QTest::newRow("dialog cancelled") << QByteArray() << -1 << QStringList{LoadResText(367)} << QString();
    QTest::newRow("other model") << QByteArray("\"QZ-K2\"\r\n\"\",\"\",\"\",\"\"\r\n" + posLine(1)) << -1
                                 << QStringList{ResLines({21, 20})} << QString();
    // Read again five times, 100 ms apart, before it is given up.
    QTest::newRow("file cannot be read") << QByteArray("<missing>") << -1 << m484 << QString();
    // A broken line is named with the file ("<path>"), and with its position where it has one;
    // a file that ends inside its last line may only have been cut short there.
    const auto broken = [](int line, int position) {
        return QStringList{LoadResText(484) + QStringLiteral("\r\n")
                           + LoadResText(3011).arg(QString::number(line), QStringLiteral("<path>"),
                                                   QString::number(position))};
    };
    const auto refused = [](FileVerdict verdict, int line) {
        return QStringList{LoadResText(484) + QStringLiteral("\r\n")
                           + damageText({QString(), {}, verdict, line}, QStringLiteral("<path>"))};
    };
    QTest::newRow("number 0") << head + posLine(0) << -1 << refused(FileVerdict::Damaged, 4) << QString();
    QTest::newRow("number 1000") << head + posLine(1000) << -1 << refused(FileVerdict::Damaged, 4) << QString();
    QTest::newRow("types cut short") << head.left(head.size() - 4) << -1 << refused(FileVerdict::CutShort, 3)
                                     << QString();
    // Cut short, a field short, or ended as another editor ends it.
    for (const FileCopy &copy : cutAndShortCopies(good, 4) + editorEndingCopies(good, FileKind::Written)) {
        if (copy.verdict == FileVerdict::ReadsWhole)
            continue;
        const int position = good.split('\n').at(copy.line - 1).split(',').first().toInt();
        QTest::newRow(qPrintable(copy.name))
            << copy.bytes << -1
            << (copy.verdict == FileVerdict::CutShort ? refused(copy.verdict, copy.line) : broken(copy.line, position))
            << QString();
    }
    QTest::newRow("descending") << head + posLine(3) + posLine(2) << -1 << broken(5, 2) << QString();
    QTest::newRow("duplicate") << head + posLine(3) + posLine(3) << -1 << broken(5, 3) << QString();
    QTest::newRow("line cut short") << head + posLine(1) + posLine(2).left(30) << -1
                                    << refused(FileVerdict::CutShort, 5) << QString();
    QTest::newRow("unclosed quote") << head + posLine(1).replace("\"c1\"", "\"c1") << -1 << broken(4, 1) << QString();
    // A field is read as a typed cell of its column: " 10x00" is no position, and never 10.
    QTest::newRow("field not a number") << bytesOf(fixture(QStringLiteral("field_not_a_number.qzd"))) << -1
                                        << broken(6, 3) << QString();
    // A file of the program's other kinds is told as not a position file.
    QTest::newRow("a parameter file") << bytesOf(fixture(QStringLiteral("../editors/good.pmt"))) << -1
                                      << QStringList{ResLines({21, 20})} << QString();
    QTest::newRow("no position line") << head << -1 << refused(FileVerdict::Damaged, 3) << QString();
    QTest::newRow("larger than any position file")
        << good + QByteArray(17 * 1024 * 1024, ' ') << -1
        << QStringList{LoadResText(484) + QStringLiteral("\r\n") + LoadResText(3032).arg(16)} << QString();
    QTest::newRow("designation unknown to the catalogue")
        << QByteArray("\"QZ-K4\"\r\n\"QZ- 77X-100E_\",\"\",\"\",\"\"\r\n\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                      + posLine(1))
        << -1 << QStringList{ResLines({4, 5})} << QString();
    // The old-type factory list has no " 99L": the factory parameters cannot be loaded.
    QTest::newRow("factory parameters missing")
        << QByteArray("\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"QZ- 99L-100  \",\"\",\"\"\r\n"
                      "\"OLD\",\"OLD\",\"NEW\",\"NEW\"\r\n" + posLine(1))
        << 1 << QStringList{LoadResText(36)} << QString();
    QTest::newRow("parameter file dialog cancelled")
        << QByteArray("\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"QZ- 42D-100E_\",\"\",\"\"\r\n"
                      "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n" + posLine(1))
        << 2 << QStringList{LoadResText(367)} << QString();
    QTest::newRow("not a parameter file")
        << QByteArray("\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"QZ- 42D-100E_\",\"\",\"\"\r\n"
                      "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n" + posLine(1))
        << 2 << QStringList{ResLines({22, 20})} << QStringLiteral("bad.pmt");
}

void TestPosiFileOpen::refusalsChangeNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, choice);
    QFETCH(QStringList, messages);
    QFETCH(QString, paraFile);
    Fixture fx;
    useActuators({{" 28", "L", 100, false}, {}, {}, {}});
    showTable(fx.form, 3, 7, 10);
    gPosiFilePath = QStringLiteral("/somewhere/before.qzd");
    gPosiFileNoFrom = 11;
    gPosiFileNoTo = 12;
    gPosiFileDev[0] = QStringLiteral("earlier read");
    SaveDevSetting();
    const State before = State::now(fx.form, fx.settingsFile());

    ModalDriver driver;
    if (choice >= 0)
        driver.then(choose(choice));
    if (contents == "<missing>")
        fx.env.dialogs().chooseFile(fx.data.path(QStringLiteral("gone.qzd")));
    else
        fx.env.dialogs().chooseFile(contents.isEmpty() ? QString() : fx.write(QStringLiteral("x.qzd"), contents));
    for (QString &m : messages)
        m.replace(QStringLiteral("<path>"), fx.data.path(QStringLiteral("x.qzd")));
    if (choice == 2) {
        fx.env.dialogs().chooseFile(paraFile.isEmpty() ? QString() : fx.write(paraFile, "junk"));
    }
    for (int i = 0; i < messages.size(); ++i)
        fx.env.dialogs().answer(platform::IdOk);

    QCOMPARE(OpenPosiFile(), 1);
    QCOMPARE(fx.env.dialogs().prompts(), messages);
    QCOMPARE(fx.env.dialogs().pendingAnswers(), 0);
    before.compare(State::now(fx.form, fx.settingsFile()));
    QVERIFY(fx.form.gridActive);
}

void TestPosiFileOpen::unknownDesignationOfFileOnlyAxis()
{
    const QByteArray contents = "\"QZ-K4\"\r\n\"QZ- 28L-100E_\",\"QZ- 77X-100E_\",\"\",\"\"\r\n"
                                "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                + posLine(1);
    {
        // With the system's actuators the axis only the file uses does not matter.
        Fixture fx;
        useActuators({{" 28", "L", 100, false}, {}, {}, {}});
        showTable(fx.form, 1, 5, 10);
        ModalDriver driver;
        driver.then(choose(0));
        fx.env.dialogs().chooseFile(fx.write(QStringLiteral("x.qzd"), contents));
        QCOMPARE(OpenPosiFile(), 0);
        QVERIFY(fx.env.dialogs().boxes().isEmpty());
        QVERIFY(gAxisUnused[1]);
        QCOMPARE(gPosiNoDefTo, 1);
    }
    {
        // Taking the file's actuators, it refuses the open.
        Fixture fx;
        useActuators({{" 28", "L", 100, false}, {}, {}, {}});
        showTable(fx.form, 1, 5, 10);
        const State before = State::now(fx.form, fx.settingsFile());
        ModalDriver driver;
        driver.then(choose(1));
        fx.env.dialogs().chooseFile(fx.write(QStringLiteral("x.qzd"), contents));
        fx.env.dialogs().answer(platform::IdOk);
        QCOMPARE(OpenPosiFile(), 1);
        QCOMPARE(fx.env.dialogs().prompts(), QStringList{ResLines({4, 5})});
        before.compare(State::now(fx.form, fx.settingsFile()));
    }
}

void TestPosiFileOpen::missingPositionsGetDefaults()
{
    Fixture fx;
    useActuators({{" 28", "L", 100, false}, {" 42", "D", 100}, {}, {}});
    showTable(fx.form, 1, 15, 10);
    gPosiFileTable[6][0] = 55;
    const QString path = fx.write(QStringLiteral("gap.qzd"),
                                  "\"QZ-K4\"\r\n\"QZ- 28L-100E_\",\"QZ- 42D-100E_\",\"\",\"\"\r\n"
                                  "\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n"
                                  + posLine(5) + posLine(8));
    fx.env.dialogs().chooseFile(path);
    QCOMPARE(OpenPosiFile(), 0);
    QCOMPARE(gPosiNoDefFrom, 5);
    QCOMPARE(gPosiNoDefTo, 8);
    for (int n : {6, 7}) {
        QCOMPARE(tables::numericValue(gPosiFileTable[n][0]), 30.0);
        QCOMPARE(tables::numericValue(gPosiFileTable[n][1]), 3.0);
        QCOMPARE(tables::numericValue(gPosiFileTable[n][5]), 2.0); // " 42" "D"
        QCOMPARE(gPosiTable[n][0], 0.0);
        QCOMPARE(gPosiFileTable[n][kColComment].toString(), QString());
    }
    QCOMPARE(tables::numericValue(gPosiFileTable[8][0]), 20.0);
    QCOMPARE(gPosiFileTable[8][kColComment].toString(), QStringLiteral("c8"));
    // Outside the file's range the table keeps what it held.
    QCOMPARE(gPosiFileTable[9][kColComment].toString(), QStringLiteral("old 9"));
}

QTEST_MAIN(TestPosiFileOpen)
#include "tst_posifileopen.moc"
