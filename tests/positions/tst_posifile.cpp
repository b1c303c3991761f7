#include "positions/PosiFile.h"

#include "support/FileFault.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using positions::PosiFileStatus;

Q_DECLARE_METATYPE(positions::PosiFileStatus)

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

PosiFileLine line(int no, std::initializer_list<QVariant> numbers, const QString &comment)
{
    PosiFileLine l;
    l.no = no;
    int i = 0;
    for (const QVariant &v : numbers)
        l.items[i++] = v;
    l.items[kPosiFileItems - 1] = comment;
    return l;
}

// The table the golden fixture was written from by hand: numbers as the check leaves them.
PosiFileImage goldenTable()
{
    PosiFileImage img;
    const QString dev[4] = {QStringLiteral("QZ- 28L- 50E_"), QStringLiteral("QZ- 42D-100  "),
                            QString(), QStringLiteral("QZ-E35L-200E ")};
    const QString types[4] = {QStringLiteral("OLD"), QStringLiteral("NEW"),
                              QStringLiteral("NEW"), QStringLiteral("NEW")};
    for (int a = 0; a < 4; ++a) {
        img.dev[a] = dev[a];
        img.newOld[a] = types[a];
    }
    img.lines << line(1, {30, 3, 0, 1200.0, 30, 2, 1, 0, 30, 3, 0, 0, 60, 1, 3, 150.0, 0, 1, 20},
                      QStringLiteral("原点 A"))
              << line(2, {1, 1, 3, 0.0, 60, 2, 2, 262143.0, 30, 3, 0, 0, 30, 3, 0, 0, 1, 3, 0},
                      QString())
              << line(3, {30, 3, 0, 5.0, 30, 2, 0, 10.0, 30, 3, 0, 0, 30, 3, 0, 7.0, 0, 0, 0},
                      QStringLiteral("  blank, comma"));
    return img;
}

// An image with one marker, to see that a failed read leaves the image alone.
PosiFileImage marker()
{
    PosiFileImage img;
    img.dev[0] = QStringLiteral("untouched");
    img.lines << line(7, {1}, QStringLiteral("kept"));
    return img;
}

const char *kHead = "\"QZ-K4\"\r\n\"QZ- 28L- 50E_\",\"\",\"\",\"\"\r\n\"OLD\",\"NEW\",\"NEW\",\"NEW\"\r\n";

QString posLine(const QString &no, int items = 20)
{
    QStringList parts{no};
    for (int i = 0; i < items - 1; ++i)
        parts << QStringLiteral("\" 1\"");
    if (items > 0)
        parts << QStringLiteral("\"c\"");
    return parts.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

class TestPosiFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writerMatchesGolden();
    void fixturesOpen_data();
    void fixturesOpen();
    void roundTrip();
    void typeLine_data();
    void typeLine();
    void fileBytes_data();
    void fileBytes();
    void badFiles_data();
    void badFiles();
    void fieldNotANumber_data();
    void fieldNotANumber();
    void missingFileIsRetryable();
    void numberText_data();
    void numberText();
    void nonNumberRefusesWrite();
    void commentGuard();
    void typeItemRule_data();
    void typeItemRule();
    void unusedDesignation_data();
    void unusedDesignation();
    void failedWriteKeepsOldFile();
};

void TestPosiFile::writerMatchesGolden()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.qzd"));
    QString error;
    QVERIFY2(positions::writePosiFile(path, goldenTable(), &error), qPrintable(error));
    QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("golden.qzd"))));
}

void TestPosiFile::fixturesOpen_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("earlier");
    QTest::newRow("Windows-31J") << "golden.qzd" << false;
    QTest::newRow("UTF-8") << "golden_utf8.qzd" << false;
    QTest::newRow("earlier layout") << "earlier.qzd" << true;
}

void TestPosiFile::fixturesOpen()
{
    QFETCH(QString, file);
    QFETCH(bool, earlier);
    PosiFileImage img;
    const auto r = positions::readPosiFile(fixture(file), img);
    QVERIFY2(r.status == PosiFileStatus::Read, qPrintable(r.detail));

    const PosiFileImage want = goldenTable();
    QCOMPARE(img.earlierLayout, earlier);
    for (int a = 0; a < 4; ++a) {
        QCOMPARE(img.dev[a], want.dev[a]);
        QCOMPARE(img.newOld[a], earlier ? QStringLiteral("OLD") : want.newOld[a]);
    }
    QCOMPARE(img.noFrom(), 1);
    QCOMPARE(img.noTo(), 3);
    QCOMPARE(img.lines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(img.lines[i].no, want.lines[i].no);
        // Quoted items come back as texts, with the blank they were written with.
        for (int c = 0; c < kPosiFileItems - 1; ++c)
            QCOMPARE(img.lines[i].items[c],
                     QVariant(positions::posiFileNumberText(want.lines[i].items[c])));
        QCOMPARE(img.lines[i].items[kPosiFileItems - 1].toString(),
                 want.lines[i].items[kPosiFileItems - 1].toString());
    }
}

void TestPosiFile::roundTrip()
{
    QTemporaryDir dir;
    PosiFileImage img;
    QCOMPARE(positions::readPosiFile(fixture(QStringLiteral("golden.qzd")), img).status,
             PosiFileStatus::Read);
    const QString path = dir.filePath(QStringLiteral("again.qzd"));
    QVERIFY(positions::writePosiFile(path, img));
    QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("golden.qzd"))));
}

void TestPosiFile::typeLine_data()
{
    QTest::addColumn<QString>("afterDesignations");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one NEW keeps the line")
        << "\"NEW\",\"x\",\"\",\"old\"\r\n" + posLine("4") << QStringList{"NEW", "x", "", "old"};
    QTest::newRow("one OLD keeps the line")
        << "\"a\",\"b\",\"c\",\"OLD\"\r\n" + posLine("4") << QStringList{"a", "b", "c", "OLD"};
    // What the reader first takes for types is the first position line, read again.
    QTest::newRow("earlier layout") << posLine("4") << QStringList{"OLD", "OLD", "OLD", "OLD"};
}

void TestPosiFile::typeLine()
{
    QFETCH(QString, afterDesignations);
    QFETCH(QStringList, expected);
    const QString text = QStringLiteral("\"QZ-K4\"\r\n\"\",\"\",\"\",\"\"\r\n") + afterDesignations;
    PosiFileImage img;
    const auto r = positions::parsePosiFile(text, img);
    QVERIFY2(r.status == PosiFileStatus::Read, qPrintable(r.detail));
    QCOMPARE(QStringList(std::begin(img.newOld), std::end(img.newOld)), expected);
    QCOMPARE(img.lines.size(), 1);
    QCOMPARE(img.lines[0].no, 4);
    QCOMPARE(img.lines[0].items[0], QVariant(QStringLiteral(" 1")));
    QCOMPARE(img.lines[0].items[19], QVariant(QStringLiteral("c")));
}

void TestPosiFile::fileBytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<PosiFileStatus>("status");
    QTest::addColumn<QString>("comment"); // of position 1

    QTest::newRow("half-width kana in Windows-31J, valid as UTF-8")
        << "kana_sjis.qzd" << PosiFileStatus::Read << QStringLiteral("ﾃｽ ﾖｺ ﾊｲ");
    QTest::newRow("Japanese and e-acute in UTF-8")
        << "mixed_utf8.qzd" << PosiFileStatus::Read << QStringLiteral("原点 é");
    QTest::newRow("Windows-31J ended by Ctrl-Z")
        << "ctrlz_sjis.qzd" << PosiFileStatus::Read << QStringLiteral("原点 A");
    QTest::newRow("larger than any position file") << "<big>" << PosiFileStatus::Damaged << QString();
}

void TestPosiFile::fileBytes()
{
    QFETCH(QString, file);
    QFETCH(PosiFileStatus, status);
    QFETCH(QString, comment);
    QTemporaryDir dir;
    QString path = fixture(file);
    if (file == QLatin1String("<big>")) {
        // A good file padded (sparse) beyond the limit.
        path = dir.filePath(QStringLiteral("big.qzd"));
        QVERIFY(QFile::copy(fixture(QStringLiteral("golden.qzd")), path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(17 * 1024 * 1024));
    }
    PosiFileImage img = marker();
    const auto r = positions::readPosiFile(path, img);
    QCOMPARE(r.status, status);
    if (status != PosiFileStatus::Read) {
        QCOMPARE(img.dev[0], QStringLiteral("untouched"));
        return;
    }
    QCOMPARE(img.lines.size(), 3);
    QCOMPARE(img.lines[0].items[kPosiFileItems - 1].toString(), comment);
}

void TestPosiFile::badFiles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<PosiFileStatus>("status");

    const QString head = QString::fromLatin1(kHead);
    QTest::newRow("other model") << "\"QZ-K2\"\r\n\"\",\"\",\"\",\"\"\r\n" + posLine("1")
                                 << PosiFileStatus::Rejected;
    QTest::newRow("empty file") << QString() << PosiFileStatus::Rejected;
    QTest::newRow("binary junk") << QStringLiteral("\x01\x02PK\x03") << PosiFileStatus::Rejected;
    QTest::newRow("number 0") << head + posLine("0") << PosiFileStatus::Damaged;
    QTest::newRow("number 1000") << head + posLine("1000") << PosiFileStatus::Damaged;
    QTest::newRow("number -1") << head + posLine("-1") << PosiFileStatus::Damaged;
    QTest::newRow("number not whole") << head + posLine("2.5") << PosiFileStatus::Damaged;
    QTest::newRow("number a word") << head + posLine("\"x\"") << PosiFileStatus::Damaged;
    QTest::newRow("descending") << head + posLine("5") + posLine("4") << PosiFileStatus::Damaged;
    QTest::newRow("duplicate") << head + posLine("5") + posLine("5") << PosiFileStatus::Damaged;
    QTest::newRow("line cut short") << head + posLine("1") + posLine("2", 12)
                                    << PosiFileStatus::Damaged;
    QTest::newRow("last line without comment nor line end")
        << head + posLine("1") + posLine("2", 19).chopped(2) << PosiFileStatus::Damaged;
    QTest::newRow("last line without comment") << head + posLine("1") + posLine("2", 19)
                                               << PosiFileStatus::Damaged;
    QTest::newRow("unclosed quote")
        << head + posLine("1").replace(QStringLiteral("\"c\""), QStringLiteral("\"c"))
        << PosiFileStatus::Damaged;
    QTest::newRow("no position line") << head << PosiFileStatus::Damaged;
    QTest::newRow("lower-case types")
        << "\"QZ-K4\"\r\n\"\",\"\",\"\",\"\"\r\n\"new\",\"old\",\"New\",\"Old\"\r\n" + posLine("1")
        << PosiFileStatus::Damaged;
    QTest::newRow("designations cut short") << "\"QZ-K4\"\r\n\"a\",\"b\"\r\n"
                                            << PosiFileStatus::Damaged;
    // The program's other files: not position files, whatever follows their first line.
    QTest::newRow("a parameter file") << "\"QZ-K4\",\"PRM\"\r\n\"HOME\",6,4\r\n" << PosiFileStatus::Rejected;
    QTest::newRow("a group file") << "\"QZ-K4\",\"GRP\"\r\n1,2,3,4,5\r\n" << PosiFileStatus::Rejected;
    QTest::newRow("a macro file") << "\"QZ-K4\",\"SM\"\r\n1,2,3,4,5\r\n" << PosiFileStatus::Rejected;
}

// A numeric field is read as a typed cell of its column is: wholly a number of the column's
// form, or the file is damaged and the broken position named; never the number its text
// begins with.
void TestPosiFile::fieldNotANumber_data()
{
    QTest::addColumn<int>("item"); // 0 to 18, table columns
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("taken");
    QTest::newRow("posi 10x00") << 3 << "\" 10x00\"" << false;
    QTest::newRow("posi blank") << 3 << "\" \"" << false;
    QTest::newRow("posi empty, bare") << 3 << "" << false;
    QTest::newRow("posi 1e3") << 3 << "\"1e3\"" << false;
    QTest::newRow("posi decimal") << 3 << "\" 12.5\"" << false;
    QTest::newRow("VEL too long") << 0 << "\" 100\"" << false;
    QTest::newRow("S/M 0x10") << 18 << "\"0x10\"" << false;
    QTest::newRow("posi 1000") << 3 << "\" 1000\"" << true;
    QTest::newRow("posi bare") << 7 << "250" << true;
    QTest::newRow("VEL -5") << 0 << "\"-5\"" << true; // a number; its range is the check's
}

void TestPosiFile::fieldNotANumber()
{
    QFETCH(int, item);
    QFETCH(QString, field);
    QFETCH(bool, taken);
    QStringList parts = posLine(QStringLiteral("3")).chopped(2).split(QLatin1Char(','));
    parts[item + 1] = field;
    const QString text = QString::fromLatin1(kHead) + posLine(QStringLiteral("1")) + parts.join(QLatin1Char(','))
                         + QStringLiteral("\r\n") + posLine(QStringLiteral("4"));
    PosiFileImage img = marker();
    const auto r = positions::parsePosiFile(text, img);
    if (taken) {
        QCOMPARE(r.status, PosiFileStatus::Read);
        QCOMPARE(img.lines[1].items[item].toDouble(), field.remove(QLatin1Char('"')).trimmed().toDouble());
        return;
    }
    QCOMPARE(r.status, PosiFileStatus::Damaged);
    QCOMPARE(r.position, 3);
    QCOMPARE(img.lines.size(), 1);
    QCOMPARE(img.lines[0].no, 7);
}

void TestPosiFile::badFiles()
{
    QFETCH(QString, text);
    QFETCH(PosiFileStatus, status);
    PosiFileImage img = marker();
    const auto r = positions::parsePosiFile(text, img);
    QCOMPARE(r.status, status);
    QCOMPARE(img.dev[0], QStringLiteral("untouched"));
    QCOMPARE(img.lines.size(), 1);
    QCOMPARE(img.lines[0].no, 7);
}

void TestPosiFile::missingFileIsRetryable()
{
    QTemporaryDir dir;
    PosiFileImage img = marker();
    const auto r = positions::readPosiFile(dir.filePath(QStringLiteral("none.qzd")), img);
    QCOMPARE(r.status, PosiFileStatus::Failed);
    QCOMPARE(img.dev[0], QStringLiteral("untouched"));
}

void TestPosiFile::numberText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("30") << QVariant(30) << " 30";
    QTest::newRow("zero") << QVariant(0.0) << " 0";
    QTest::newRow("minus zero") << QVariant(-0.0) << " 0";
    QTest::newRow("negative") << QVariant(-150.0) << "-150";
    QTest::newRow("largest pulse") << QVariant(262143.0) << " 262143";
    QTest::newRow("fraction") << QVariant(30.25) << " 30.25";
    QTest::newRow("text as read") << QVariant(QStringLiteral(" 30")) << " 30";
    QTest::newRow("negative text") << QVariant(QStringLiteral("-7")) << "-7";
    QTest::newRow("word") << QVariant(QStringLiteral("abc")) << "";
    QTest::newRow("empty text") << QVariant(QString()) << "";
    QTest::newRow("no value") << QVariant() << "";
    QTest::newRow("infinite") << QVariant(qInf()) << "";
}

void TestPosiFile::numberText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(positions::posiFileNumberText(value), text);
}

void TestPosiFile::nonNumberRefusesWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.qzd"));
    PosiFileImage img = goldenTable();
    img.lines[1].items[5] = QStringLiteral("two");
    QString error;
    QVERIFY(!positions::writePosiFile(path, img, &error));
    QVERIFY(error.contains(QStringLiteral("position 2")));
    QVERIFY(!QFile::exists(path));
}

void TestPosiFile::commentGuard()
{
    PosiFileImage img = goldenTable();
    img.lines[0].items[kPosiFileItems - 1] = QStringLiteral("say \"hi\"\tnow\r\nend");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.qzd"));
    QVERIFY(positions::writePosiFile(path, img));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains(",\"say 'hi' now  end\"\r\n"));
    PosiFileImage back;
    QCOMPARE(positions::readPosiFile(path, back).status, PosiFileStatus::Read);
    QCOMPARE(back.lines[0].items[kPosiFileItems - 1].toString(), QStringLiteral("say 'hi' now  end"));
    QCOMPARE(back.lines.size(), 3);
}

void TestPosiFile::typeItemRule_data()
{
    QTest::addColumn<QString>("designation");
    QTest::addColumn<bool>("unused");
    QTest::addColumn<bool>("newType");
    QTest::addColumn<QString>("type");
    QTest::newRow("old type") << "QZ- 28L- 50E_" << false << false << "OLD";
    QTest::newRow("new type") << "QZ- 28L- 50E_" << false << true << "NEW";
    QTest::newRow("unused axis") << "" << true << false << "NEW";
    QTest::newRow("unused, stale label") << "QZ- 28L- 50E_" << true << false << "NEW";
    QTest::newRow("empty designation") << "" << false << false << "NEW";
}

void TestPosiFile::typeItemRule()
{
    QFETCH(QString, designation);
    QFETCH(bool, unused);
    QFETCH(bool, newType);
    QFETCH(QString, type);
    QCOMPARE(positions::posiFileTypeItem(designation, unused, newType), type);
}

void TestPosiFile::unusedDesignation_data()
{
    QTest::addColumn<QString>("designation");
    QTest::addColumn<bool>("unused");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("asterisks") << "************" << true;
    QTest::newRow("asterisks with blanks") << " ***** " << true;
    QTest::newRow("designation") << "QZ- 28L- 50E_" << false;
    QTest::newRow("asterisk inside") << "QZ-*" << false;
}

void TestPosiFile::unusedDesignation()
{
    QFETCH(QString, designation);
    QFETCH(bool, unused);
    QCOMPARE(positions::isUnusedDesignation(designation), unused);
}

void TestPosiFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.qzd"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    {
        // The disk refuses the bytes; the file that was there must survive.
        FileSizeLimit limit(64);
        QString error;
        QVERIFY(!positions::writePosiFile(path, goldenTable(), &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(bytesOf(path), QByteArray("old contents"));

    // A comment the file's code page cannot hold fails the write the same way.
    PosiFileImage img = goldenTable();
    img.lines[0].items[kPosiFileItems - 1] = QStringLiteral("\U0001F600");
    QVERIFY(!positions::writePosiFile(path, img));
    QCOMPARE(bytesOf(path), QByteArray("old contents"));
}

QTEST_GUILESS_MAIN(TestPosiFile)
#include "tst_posifile.moc"
