#include "platform/ItemReader.h"
#include "platform/ItemWriter.h"
#include "platform/RegularFile.h"
#include "platform/TextCodec.h"
#include "support/FileFault.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestItemFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void items_data();
    void items();
    void malformed_data();
    void malformed();
    void numbersInRange();
    void records_data();
    void records();
    void writerFormat();
    void roundTripJapanese();
    void encodingDetection_data();
    void encodingDetection();
    void failedWriteKeepsOldFile();
    void unencodableTextRefused();
    void tooLargeFileRefusedUnread();
    void longFileReadWhole();
    void nonRegularFilesRefusedAtOnce_data();
    void nonRegularFilesRefusedAtOnce();
};

void TestItemFile::items_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("header line") << "\"QZ-K4\",\"PRM\"\r\n" << QStringList{"QZ-K4", "PRM"};
    QTest::newRow("across lines") << "1,2\r\n3\r\n" << QStringList{"1", "2", "3"};
    QTest::newRow("LF only") << "\"a\",5\n\"b\"\n" << QStringList{"a", "5", "b"};
    QTest::newRow("CR only") << "1\r2\r" << QStringList{"1", "2"};
    QTest::newRow("blanks around items") << "  12 , \"a b\" ,3\r\n" << QStringList{"12", "a b", "3"};
    QTest::newRow("comma inside quotes") << "\"a,b\",1\r\n" << QStringList{"a,b", "1"};
    QTest::newRow("empty items") << "1,,3\r\n,\r\n" << QStringList{"1", "", "3", "", ""};
    QTest::newRow("blank lines skipped") << "1\r\n\r\n\r\n2\r\n" << QStringList{"1", "2"};
    QTest::newRow("leading blank kept in text") << "\" 28\",\"L\"\r\n" << QStringList{" 28", "L"};
    QTest::newRow("empty text") << "\"\",1\r\n" << QStringList{"", "1"};
}

void TestItemFile::items()
{
    QFETCH(QString, data);
    QFETCH(QStringList, expected);
    platform::ItemReader r;
    r.setText(data);
    QStringList got;
    for (int i = 0; i < expected.size(); ++i)
        got << r.text();
    QVERIFY2(r.ok(), qPrintable(r.errorString()));
    QCOMPARE(got, expected);
    QVERIFY(r.atEnd());
}

void TestItemFile::malformed_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("reads");

    QTest::newRow("read past the end") << "1,2\r\n" << 3;
    QTest::newRow("empty file") << "" << 1;
    QTest::newRow("unterminated text") << "\"abc,1\r\n" << 1;
    QTest::newRow("junk after a text") << "\"abc\"x,1\r\n" << 1;
    // Every line ends with a line end: data that ends without one was cut short, perhaps inside
    // its last number ("150" cut to "15").
    QTest::newRow("last text without its line end") << "1,\"x\"" << 2;
    QTest::newRow("last number without its line end") << "1,15" << 2;
    QTest::newRow("final comma without its line end") << "1," << 2;
}

void TestItemFile::malformed()
{
    QFETCH(QString, data);
    QFETCH(int, reads);
    platform::ItemReader r;
    r.setText(data);
    for (int i = 0; i < reads; ++i)
        r.text();
    QVERIFY(!r.ok());
    QVERIFY(!r.errorString().isEmpty());
    // A failed reader stays failed and keeps returning empty items.
    QCOMPARE(r.integer(), qint64(0));
    QVERIFY(!r.ok());
}

void TestItemFile::records_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("unendedLastLineOk"); // a list the program only reads
    QTest::addColumn<QList<int>>("items"); // the items of each record, one record a line
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("line"); // the line of the last item read, or found damaged
    QTest::addColumn<bool>("cutShort"); // the file ends inside that line
    QTest::newRow("whole lines") << "1,2\r\n3,4\r\n" << false << QList<int>{2, 2} << true << 2 << false;
    QTest::newRow("blank lines between") << "1,2\r\n\r\n\r\n3,4\r\n" << false << QList<int>{2, 2} << true << 4 << false;
    QTest::newRow("a line short of an item") << "1\r\n3,4\r\n" << false << QList<int>{2, 2} << false << 1 << false;
    QTest::newRow("a line with an item more") << "1,2,9\r\n3,4\r\n" << false << QList<int>{2, 2} << false << 1 << false;
    QTest::newRow("the last line short of an item") << "1,2\r\n3\r\n" << false << QList<int>{2, 2} << false << 2 << false;
    QTest::newRow("cut inside the last number") << "1,2\r\n\"3\",15" << false << QList<int>{2, 2} << false << 2 << true;
    QTest::newRow("cut inside the last text") << "1,2\r\n3,\"ab" << false << QList<int>{2, 2} << false << 2 << true;
    QTest::newRow("a text left open before the last line") << "1,\"ab\r\n3,4\r\n" << false << QList<int>{2, 2}
                                                           << false << 1 << false;
    QTest::newRow("a record of two lines") << "1\r\n2\r\n" << false << QList<int>{2} << false << 1 << false;
    QTest::newRow("a comma after the last item") << "1,2\r\n3,4,\r\n" << false << QList<int>{2, 2} << false << 2
                                                 << false;
    QTest::newRow("empty") << "" << false << QList<int>{1} << false << 1 << false;
    // The program's own lists: a last line without its line end is whole; a cut after a comma or
    // inside a text is still a cut.
    QTest::newRow("a list's last line without its line end") << "1,2\r\n3,4" << true << QList<int>{2, 2} << true << 2
                                                             << false;
    QTest::newRow("a list's last text without its line end") << "1,2\r\n3,\"4\"" << true << QList<int>{2, 2} << true
                                                             << 2 << false;
    QTest::newRow("a list's last line short of an item") << "1,2\r\n3" << true << QList<int>{2, 2} << false << 2 << false;
    QTest::newRow("a list cut after a comma") << "1,2\r\n3," << true << QList<int>{2, 2} << false << 2 << true;
    QTest::newRow("a list cut inside a text") << "1,2\r\n3,\"ab" << true << QList<int>{2, 2} << false << 2 << true;
}

// A record that fills a line of its own is read whole from that line, or the reader fails and
// names the line.
void TestItemFile::records()
{
    QFETCH(QString, data);
    QFETCH(bool, unendedLastLineOk);
    QFETCH(QList<int>, items);
    QFETCH(bool, ok);
    QFETCH(int, line);
    QFETCH(bool, cutShort);
    platform::ItemReader r;
    r.setText(data);
    if (unendedLastLineOk)
        r.allowUnendedLastLine();
    for (int n : items) {
        r.beginLine();
        for (int i = 0; i < n; ++i)
            r.raw();
    }
    // Every reader ends by asking whether more follows, and reads on when it does.
    if (r.ok() && !r.atEnd()) {
        r.beginLine();
        r.raw();
        r.fail(QStringLiteral("more than the records"));
    }
    QCOMPARE(r.ok(), ok);
    QCOMPARE(r.line(), line);
    QCOMPARE(r.cutShort(), cutShort);
}

void TestItemFile::numbersInRange()
{
    platform::ItemReader r;
    r.setText(QStringLiteral("32767,-32768,,1.5,7\r\n"));
    QCOMPARE(r.integer(-32768, 32767), qint64(32767));
    QCOMPARE(r.integer(-32768, 32767), qint64(-32768));
    QCOMPARE(r.integer(-32768, 32767), qint64(0)); // an empty item reads as 0
    QCOMPARE(r.number(), 1.5);
    QCOMPARE(r.integer(0, 5), qint64(0));
    QVERIFY(!r.ok()); // 7 beyond the field

    r.setText(QStringLiteral("32768\r\n"));
    r.integer(-32768, 32767);
    QVERIFY(!r.ok());
    r.setText(QStringLiteral("1.5\r\n"));
    r.integer();
    QVERIFY(!r.ok());
    r.setText(QStringLiteral("abc\r\n"));
    r.number();
    QVERIFY(!r.ok());
}

void TestItemFile::writerFormat()
{
    platform::ItemWriter w;
    w.text(QStringLiteral("QZ-K4")).text(QStringLiteral("GRP")).endLine();
    w.number(qint64(1)).number(qint64(-20)).number(2.5).endLine();
    w.text(QStringLiteral("say \"hi\"")).endLine();
    QCOMPARE(w.content(), QStringLiteral("\"QZ-K4\",\"GRP\"\r\n1,-20,2.5\r\n\"say 'hi'\"\r\n"));
}

void TestItemFile::roundTripJapanese()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qzd"));
    platform::ItemWriter w;
    w.text(QStringLiteral("位置ﾃﾞｰﾀ")).number(qint64(42)).endLine();
    QVERIFY(w.commit(path));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\"\x88\xca\x92\x75")); // Windows-31J on disk
    QVERIFY(bytes.endsWith("\r\n"));

    platform::ItemReader r;
    QVERIFY(r.open(path));
    QCOMPARE(r.text(), QStringLiteral("位置ﾃﾞｰﾀ"));
    QCOMPARE(r.integer(), qint64(42));
    QVERIFY(r.ok());
}

void TestItemFile::encodingDetection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ascii") << QByteArray("abc") << "abc";
    QTest::newRow("utf-8") << QByteArray("\xe4\xbd\x8d\xe7\xbd\xae") << "位置";
    QTest::newRow("utf-8 with BOM") << QByteArray("\xef\xbb\xbf\xe4\xbd\x8d") << "位";
    QTest::newRow("windows-31j") << QByteArray("\x88\xca\x92\x75") << "位置";
    QTest::newRow("half-width kana") << QByteArray("\xca\xdf\xd9\xbd") << "ﾊﾟﾙｽ";
    // Pairs of half-width katakana that are valid two-byte UTF-8 as well.
    QTest::newRow("kana valid as UTF-8") << QByteArray("\xc3\xbd\xd6\xba\xca\xb2") << "ﾃｽﾖｺﾊｲ";
    QTest::newRow("two-byte UTF-8 alone") << QByteArray("caf\xc3\xa9") << "cafﾃｩ";
    QTest::newRow("two-byte UTF-8 with BOM") << QByteArray("\xef\xbb\xbf" "caf\xc3\xa9") << "café";
    QTest::newRow("UTF-8 Japanese and e-acute") << QByteArray("\xe4\xbd\x8d\xc3\xa9") << "位é";
    QTest::newRow("four-byte UTF-8") << QByteArray("\xf0\x9f\x98\x80\xc3\xa9") << "\U0001F600é";
    // Valid UTF-8 too, but as UTF-8 a character no Windows-31J file could hold.
    QTest::newRow("Windows-31J kanji and katakana valid as UTF-8") << QByteArray("\xea\xa3\x83\x41") << "凜ア";
    QTest::newRow("invalid UTF-8 with a long lead") << QByteArray("\xe4\xbd\x8d\xc3\xbd\x88\x9f") << "菴催ｽ亜";
    // Ctrl-Z ends the file, found before the code page maps the byte to another character.
    QTest::newRow("Ctrl-Z after Windows-31J")
        << QByteArray("\x88\xca\r\n\x1a") << "位\r\n";
    QTest::newRow("Ctrl-Z then line ends") << QByteArray("\xc3\xbd\x1a\r\n\x1a") << "ﾃｽ";
    QTest::newRow("Ctrl-Z inside the text stays")
        << QByteArray("a\x1a" "b") << QString::fromLatin1("a") + QChar(0x1c) + QLatin1Char('b');
}

void TestItemFile::encodingDetection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(platform::decodeSystemText(bytes), expected);
}

void TestItemFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.grp"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    // A folder of that name where the temporary file would go makes the write fail.
    platform::ItemWriter w;
    w.text(QStringLiteral("new")).endLine();
    QVERIFY(!w.commit(dir.filePath(QStringLiteral("missing/sub/keep.grp"))));
    QVERIFY(!w.errorString().isEmpty());

    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool denied = !w.commit(path);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    if (denied)
        QCOMPARE(f.readAll(), QByteArray("old"));
}

void TestItemFile::unencodableTextRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.smd"));
    platform::ItemWriter w;
    w.text(QStringLiteral("emoji \U0001F600")).endLine();
    QVERIFY(!w.commit(path));
    QVERIFY(!QFile::exists(path));
}

void TestItemFile::tooLargeFileRefusedUnread()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.pmt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\"QZ-K4\",\"PRM\"\r\n");
    // Sparse: the size is there, the disk holds next to nothing.
    QVERIFY(f.resize(platform::kMaxTextFileBytes + 1));
    f.close();

    platform::ItemReader r;
    QVERIFY(!r.open(path));
    QVERIFY(r.tooLarge());
    QVERIFY(!r.ok());
    QCOMPARE(r.text(), QString());

    QVERIFY(f.resize(platform::kMaxTextFileBytes));
    QVERIFY(r.open(path));
    QVERIFY(!r.tooLarge());
    QCOMPARE(r.text(), QStringLiteral("QZ-K4"));
}

// A file is read a piece at a time: one several pieces long comes whole and in order.
void TestItemFile::longFileReadWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pmt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const int lines = 40000; // about 300 KB
    for (int i = 1; i <= lines; ++i)
        f.write(QByteArray::number(i) + ",\"line\"\r\n");
    f.close();

    platform::ItemReader r;
    QVERIFY(r.open(path));
    int i = 1;
    for (; i <= lines && r.ok(); ++i) {
        if (r.integer() != i || r.text() != QLatin1String("line"))
            break;
    }
    QVERIFY2(r.ok(), qPrintable(r.errorString()));
    QCOMPARE(i, lines + 1);
    QVERIFY(r.atEnd());
}

void TestItemFile::nonRegularFilesRefusedAtOnce_data()
{
    QTest::addColumn<QString>("kind"); // "pipe", "socket", "folder" or a device's path
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << "pipe" << "not a regular file (a named pipe)";
    QTest::newRow("socket, which cannot be opened") << "socket" << "not a regular file (a socket)";
    QTest::newRow("folder") << "folder" << "not a regular file (a folder)";
    QTest::newRow("device, read only") << "/dev/null" << "not a regular file (a device)";
}

// A named pipe would hold the reader or the writer until another program opened its other
// end; a device, a socket or a folder is no file of the program. Each is refused at once, with
// its reason, and left as it was.
void TestItemFile::nonRegularFilesRefusedAtOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = kind;
    if (kind == QLatin1String("pipe")) {
        path = dir.filePath(QStringLiteral("pipe.grp"));
        QVERIFY(makeNamedPipe(path));
    } else if (kind == QLatin1String("socket")) {
        path = dir.filePath(QStringLiteral("socket.grp"));
        QVERIFY(makeSocketFile(path));
    } else if (kind == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("folder.grp"));
        QVERIFY(QDir().mkpath(path));
    }

    platform::ItemReader r;
    QVERIFY(!r.open(path));
    QVERIFY(r.notRegular());
    QCOMPARE(r.errorString(), reason);
    QString text;
    QString error;
    QCOMPARE(platform::readSystemTextFile(path, text, &error), platform::TextFileRead::NotRegular);
    QCOMPARE(error, reason);
    QVERIFY(platform::lastReadNotRegular());

    if (path.startsWith(QLatin1String("/dev/")))
        return; // never written to, even when the refusal fails
    platform::ItemWriter w;
    w.text(QStringLiteral("QZ-K4")).endLine();
    QVERIFY(!w.commit(path));
    QCOMPARE(platform::lastWriteFailure(), reason);
    QVERIFY(platform::lastWriteNotRegular());
    QCOMPARE(platform::nonRegularKind(path), reason.mid(reason.indexOf(QLatin1Char('(')) + 1).chopped(1));
}

QTEST_APPLESS_MAIN(TestItemFile)
#include "tst_itemfile.moc"
