#include "core/Messages.h"
#include "tables/ParaFile.h"
#include "tables/ParaSet.h"
#include "platform/DialogScript.h"
#include "platform/ItemWriter.h"
#include "platform/RegularFile.h"
#include "support/ParaSetText.h"
#include "support/DataFolder.h"
#include "support/FileFault.h"

#include <QtTest>

namespace {

QString fixture(const QString &name)
{
    return fixturePath(QStringLiteral("editors/") + name);
}

QByteArray fixtureBytes(const QString &name)
{
    QFile f(fixture(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList paraTableText()
{
    QStringList out;
    for (int i = 0; i < kParaItems; ++i)
        for (int r = 0; r < kParaRows; ++r)
            out << gParaTmp[i][r].toString();
    return out;
}

} // namespace

class TestParaFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        tables::resetDevSetting();
        tables::resetParaSet();
    }

    // Read, write and read again: the file comes out byte for byte and the set is the same.
    void roundTrip()
    {
        DataFolder folder;
        platform::DialogScript script;
        gPrmSingle28 = 9;
        QCOMPARE(tables::openParaFileFrom(fixture(QStringLiteral("good.pmt"))), 0);
        QCOMPARE(gParaTmp[0][0].toString(), QStringLiteral("good.pmt"));
        QCOMPARE(gPrmAxisStroke[2], 2147483647);
        QCOMPARE(gPrmAxisPulse[1], 40000);
        QCOMPARE(gPrmActSize[3], QStringLiteral(" 20"));
        QCOMPARE(gPrmActStroke[0], 50);
        QCOMPARE(gPrmStopPause, 1);
        QCOMPARE(gPrmSingle28, 9);
        const QStringList before = paraSetText();

        const QString out = folder.path(QStringLiteral("out.pmt"));
        QCOMPARE(WriteParaFile(out), 0);
        QCOMPARE(folder.read(QStringLiteral("out.pmt")), fixtureBytes(QStringLiteral("good.pmt")));
        tables::resetParaSet();
        gPrmSingle28 = 9;
        QCOMPARE(tables::openParaFileFrom(out), 0);
        QCOMPARE(paraSetText(), before);
        QVERIFY(script.boxes().isEmpty());
    }

    void strokeOfFiveIsWrittenWithZeros()
    {
        DataFolder folder;
        gPrmActSize[0] = QStringLiteral(" 28");
        gPrmActSpeed[0] = QStringLiteral("L");
        gPrmActStroke[0] = 5;
        QCOMPARE(WriteParaFile(folder.path(QStringLiteral("s.pmt"))), 0);
        QVERIFY(folder.read(QStringLiteral("s.pmt")).contains("\" 28L005\",\"000\",\"000\",\"000\"\r\n"));
    }

    void acceptedCodes_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("stroke");
        QTest::newRow("seven characters") << QByteArray("E35L100") << "E35" << "L" << 100;
        QTest::newRow("six characters") << QByteArray("28L050") << " 28" << "L" << 50;
        QTest::newRow("blanks before the stroke") << QByteArray(" 28L 50") << " 28" << "L" << 50;
        QTest::newRow("no actuator parts") << QByteArray("000") << "" << "" << 0;
    }

    // The codes the writer makes (and the older six-character one) load as they were written.
    void acceptedCodes()
    {
        QFETCH(QByteArray, code);
        QFETCH(QString, size);
        QFETCH(QString, speed);
        QFETCH(int, stroke);
        DataFolder folder;
        QByteArray bytes = fixtureBytes(QStringLiteral("good.pmt"));
        bytes.replace("\"E35L100\"", "\"" + code + "\"");
        folder.write(QStringLiteral("f.pmt"), bytes);
        QCOMPARE(tables::openParaFileFrom(folder.path(QStringLiteral("f.pmt"))), 0);
        QCOMPARE(gPrmActSize[2], size);
        QCOMPARE(gPrmActSpeed[2], speed);
        QCOMPARE(gPrmActStroke[2], stroke);
    }

    // A stroke the code cannot carry is not written: the file would read as another actuator.
    void unwritableCodeRefused()
    {
        DataFolder folder;
        gPrmActSize[0] = QStringLiteral(" 28");
        gPrmActSpeed[0] = QStringLiteral("L");
        gPrmActStroke[0] = 1000;
        QCOMPARE(WriteParaFile(folder.path(QStringLiteral("s.pmt"))), 1);
        QVERIFY(!QFile::exists(folder.path(QStringLiteral("s.pmt"))));
        QVERIFY(platform::lastWriteFailure().contains(QStringLiteral("axis 1")));
    }

    void olderLayout()
    {
        platform::DialogScript script;
        gPrmSingle28 = 3;
        gPrmStopPause = 1;
        QCOMPARE(tables::openParaFileFrom(fixture(QStringLiteral("older.pmt"))), 0);
        QCOMPARE(gPrmStopPause, 0);
        QCOMPARE(gPrmSingle28, 3);
        QCOMPARE(gPrmM0Disable[3], 1);
        QVERIFY(script.boxes().isEmpty());
    }

    void rejections_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("line"); // the line the message names, 0 for none; below 0, the file ends inside it

        QTest::newRow("group file header") << "grpheader.pmt" << QByteArray() << QByteArray() << 22 << 0;
        QTest::newRow("ETC in place of PG") << "etcforpg.pmt" << QByteArray() << QByteArray() << 681 << 18;
        QTest::newRow("ends early") << "short.pmt" << QByteArray() << QByteArray() << 681 << 25;
        QTest::newRow("four sections") << "foursections.pmt" << QByteArray() << QByteArray() << 681 << 2;
        QTest::newRow("empty") << "empty.pmt" << QByteArray() << QByteArray() << 681 << 1;
        QTest::newRow("missing") << "absent.pmt" << QByteArray() << QByteArray() << 681 << 0;
        QTest::newRow("16-bit value just inside") << "good.pmt" << QByteArray("100,100,100,100\r\n20,20")
                                                  << QByteArray("100,-32768,100,32767\r\n20,20") << 0 << 0;
        QTest::newRow("16-bit value just outside") << "good.pmt" << QByteArray("100,100,100,100\r\n20,20")
                                                   << QByteArray("100,100,100,32768\r\n20,20") << 681 << 5;
        QTest::newRow("32-bit stroke just outside") << "good.pmt" << QByteArray("2147483647")
                                                    << QByteArray("2147483648") << 681 << 11;
        QTest::newRow("text for a number") << "good.pmt" << QByteArray("\"PG\",2,4\r\n0,1,2,0")
                                           << QByteArray("\"PG\",2,4\r\n0,1,\"two\",0") << 681 << 19;
        QTest::newRow("six values a row") << "good.pmt" << QByteArray("\"HOME\",6,4")
                                          << QByteArray("\"HOME\",6,6") << 681 << 3;
        QTest::newRow("items after the end") << "good.pmt" << QByteArray("0,0,1,1\r\n1,0,0,0\r\n")
                                             << QByteArray("0,0,1,1\r\n1,0,0,0,9\r\n") << 681 << 34;
        // An actuator code that does not parse is refused, never read as another actuator (a
        // blank speed letter would come back as another code after a save).
        for (const char *code : {"E35L100 ", " 28LX", "E35L10 ", "E35l100", "E35L1000", "E3", "\"\"", "82L 050", "28 050"})
            QTest::newRow(qPrintable(QStringLiteral("actuator code [%1]").arg(QLatin1String(code))))
                << "good.pmt" << QByteArray("\"E35L100\"")
                << (code[0] == '"' ? QByteArray(code) : QByteArray("\"") + code + "\"") << 681 << 17;
        QTest::newRow("last line without its last item")
            << "good.pmt" << QByteArray("0,0,1,1\r\n1,0,0,0\r\n") << QByteArray("0,0,1,1\r\n1,0,0") << 681 << -34;
        QTest::newRow("larger than any parameter file") << "<big>" << QByteArray() << QByteArray() << 681 << 0;
        QTest::newRow("named pipe") << "<pipe>" << QByteArray() << QByteArray() << 681 << 0;
        // A letter inside a number.
        QTest::newRow("x00 for 100") << "good.pmt" << QByteArray("\"HOME\",6,4\r\n100,")
                                     << QByteArray("\"HOME\",6,4\r\nx00,") << 681 << 4;
        // Cut short, a line short of a field, or ended as other editors end it: the whole good
        // file given as `to`.
        const QByteArray good = fixtureBytes(QStringLiteral("good.pmt"));
        for (const FileCopy &copy : cutAndShortCopies(good, 12) + editorEndingCopies(good, FileKind::Written))
            if (copy.verdict != FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << "<contents>" << QByteArray() << copy.bytes << 681
                                                     << (copy.verdict == FileVerdict::CutShort ? -copy.line : copy.line);
    }

    // A letter in place of any digit of the data ("x00" for "100"): refused, naming the line
    // the letter stands on, whichever item it hits. Only the zeros that fill the row of a single
    // value (lines 28, 29 and 34), which nothing reads, may hold anything.
    void letterInANumberNamesItsLine()
    {
        const QByteArray good = fixtureBytes(QStringLiteral("good.pmt"));
        DataFolder folder;
        const QString path = folder.path(QStringLiteral("x.pmt"));
        platform::DialogScript script;
        int refused = 0;
        // After the header: "QZ-Kx" names no file of this program.
        for (int i = int(good.indexOf('\n')); i < good.size(); ++i) {
            if (good.at(i) < '0' || good.at(i) > '9')
                continue;
            QByteArray bytes = good;
            bytes[i] = 'x';
            folder.write(QStringLiteral("x.pmt"), bytes);
            script.clear();
            const int line = int(good.left(i).count('\n')) + 1;
            const bool filler = (line == 28 || line == 29 || line == 34)
                                && good.mid(good.lastIndexOf('\n', i), i - good.lastIndexOf('\n', i)).contains(',');
            if (!filler)
                script.answer(platform::IdOk);
            const QString at = QStringLiteral("offset %1").arg(i);
            QVERIFY2(tables::openParaFileFrom(path) == (filler ? 0 : 1), qPrintable(at));
            QVERIFY2(script.prompts()
                         == (filler ? QStringList()
                                    : QStringList{ResLines({681}) + QStringLiteral("\r\n")
                                                  + damageText({QString(), {}, FileVerdict::Damaged, line}, path)}),
                     qPrintable(at + QStringLiteral(": ") + script.prompts().join(QLatin1Char('|'))));
            refused += filler ? 0 : 1;
        }
        QCOMPARE(refused, 193 - 9); // every digit of the data but the nine fillers
    }

    // The endings other editors leave that keep every line whole: read as the good file.
    void otherEditorsEndings_data()
    {
        QTest::addColumn<QByteArray>("contents");
        for (const FileCopy &copy : editorEndingCopies(fixtureBytes(QStringLiteral("good.pmt")), FileKind::Written))
            if (copy.verdict == FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << copy.bytes;
    }
    void otherEditorsEndings()
    {
        QFETCH(QByteArray, contents);
        platform::DialogScript script;
        QCOMPARE(tables::openParaFileFrom(fixture(QStringLiteral("good.pmt"))), 0);
        const QStringList good = paraSetText();
        tables::resetParaSet();
        DataFolder folder;
        folder.write(QStringLiteral("edited.pmt"), contents);
        QCOMPARE(tables::openParaFileFrom(folder.path(QStringLiteral("edited.pmt"))), 0);
        QCOMPARE(paraSetText(), good);
        QVERIFY(script.boxes().isEmpty());
    }

    // A refused file tells why once and leaves the exchange table and the set as they were.
    void rejections()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, message);
        QFETCH(int, line);

        DataFolder folder;
        const bool big = file == QLatin1String("<big>");
        const bool pipe = file == QLatin1String("<pipe>");
        QByteArray bytes = file == QLatin1String("<contents>") ? to
                                                               : fixtureBytes(big || pipe ? QStringLiteral("good.pmt") : file);
        if (!from.isEmpty()) {
            QVERIFY(bytes.contains(from));
            bytes.replace(from, to);
        }
        if (pipe)
            QVERIFY(makeNamedPipe(folder.path(QStringLiteral("f.pmt"))));
        else if (file != QLatin1String("absent.pmt"))
            folder.write(QStringLiteral("f.pmt"), bytes);
        if (big) {
            // A good file made sparse beyond the limit.
            QFile f(folder.path(QStringLiteral("f.pmt")));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(17 * 1024 * 1024));
        }

        gPrmHomePush[1] = 77;
        gPrmSingle28 = 5;
        gParaTmp[0][0] = QStringLiteral("before");
        gParaTmp[3][2] = 42;
        const QStringList set = paraSetText();
        const QStringList table = paraTableText();

        platform::DialogScript script;
        if (message)
            script.answer(platform::IdOk);
        const int result = tables::openParaFileFrom(folder.path(QStringLiteral("f.pmt")));
        QCOMPARE(result, message ? 1 : 0);
        if (message == 0) {
            QCOMPARE(gPrmHomePush[1], -32768);
            return;
        }
        // A file refused for its size says so under the message.
        const QString tooLarge = QStringLiteral("\r\n") + LoadResText(3032).arg(16);
        const QString notRegular = QStringLiteral("\r\n") + LoadResText(3042);
        const FileCopy damaged{QString(), {}, line < 0 ? FileVerdict::CutShort : FileVerdict::Damaged, qAbs(line)};
        const QString atLine =
            line ? QStringLiteral("\r\n") + damageText(damaged, folder.path(QStringLiteral("f.pmt"))) : QString();
        QCOMPARE(script.prompts(),
                 QStringList{message == 22 ? ResLines({22, 20})
                                           : ResLines({681}) + (big ? tooLarge : pipe ? notRegular : atLine)});
        QCOMPARE(paraSetText(), set);
        QCOMPARE(paraTableText(), table);
    }

    void loadParaFileThroughDialog()
    {
        platform::DialogScript script;
        script.chooseFile(QString());
        QCOMPARE(LoadParaFile(), -1);
        QVERIFY(script.boxes().isEmpty());
        QCOMPARE(script.fileRequests().size(), 1);
        QCOMPARE(script.fileRequests().at(0).defaultExt, QStringLiteral("pmt"));
        QVERIFY(script.fileRequests().at(0).mustExist);

        script.chooseFile(fixture(QStringLiteral("good.pmt")));
        QCOMPARE(LoadParaFile(), 0);
        QCOMPARE(gPrmHomeOffset[3], 400);
    }

    void saveTellsTheOutcome()
    {
        DataFolder folder;
        platform::DialogScript script;
        script.answer(platform::IdOk);
        script.answer(platform::IdOk);
        QCOMPARE(tables::saveParaFileTo(folder.path(QStringLiteral("saved.pmt"))), 0);
        QCOMPARE(gParaFileName, QStringLiteral("saved.pmt"));
        QVERIFY(folder.read(QStringLiteral("saved.pmt")).startsWith("\"QZ-K4\",\"PRM\"\r\n5\r\n"));
        QCOMPARE(tables::saveParaFileTo(folder.path(QStringLiteral("no/such/folder.pmt"))), 1);
        // The failure says why, in the system's words, on a line of its own.
        QCOMPARE(script.prompts(), QStringList({ResLines({14}), ResLines({13}) + QStringLiteral("\r\nNo such file or directory")}));
        // A named pipe is refused at once, with its reason, and stays a pipe.
        script.answer(platform::IdOk);
        QVERIFY(makeNamedPipe(folder.path(QStringLiteral("pipe.pmt"))));
        QCOMPARE(tables::saveParaFileTo(folder.path(QStringLiteral("pipe.pmt"))), 1);
        QCOMPARE(script.prompts(), QStringList({ResLines({14}), ResLines({13}) + QStringLiteral("\r\nNo such file or directory"),
                                                ResLines({13}) + QStringLiteral("\r\n") + LoadResText(3043)}));
        QCOMPARE(platform::nonRegularKind(folder.path(QStringLiteral("pipe.pmt"))), QStringLiteral("a named pipe"));
        QVERIFY(paraSaveRequestOverwrites());
    }

private:
    static bool paraSaveRequestOverwrites()
    {
        const auto r = tables::paraSaveRequest();
        return r.overwritePrompt && r.defaultExt == QLatin1String("pmt");
    }
};

QTEST_GUILESS_MAIN(TestParaFile)
#include "tst_ParaFile.moc"
