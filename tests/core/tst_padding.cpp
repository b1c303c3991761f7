#include "core/Padding.h"

#include <QtTest>

class TestPadding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbers_data();
    void numbers();
    void strPadSpace_data();
    void strPadSpace();
};

void TestPadding::numbers_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("hex fits") << "hex" << qint64(255) << 3 << "0FF";
    QTest::newRow("hex exact width") << "hex" << qint64(4095) << 3 << "FFF";
    QTest::newRow("hex too wide") << "hex" << qint64(4096) << 3 << "X";
    QTest::newRow("hex zero") << "hex" << qint64(0) << 2 << "00";
    QTest::newRow("hex capitals") << "hex" << qint64(0xabcde) << 5 << "ABCDE";
    QTest::newRow("hex negative refused") << "hex" << qint64(-1) << 8 << "X";
    QTest::newRow("hex width 0") << "hex" << qint64(0) << 0 << "X";
    QTest::newRow("dec zero pad") << "dec0" << qint64(7) << 3 << "007";
    QTest::newRow("dec zeros before the sign") << "dec0" << qint64(-5) << 4 << "00-5";
    QTest::newRow("dec too wide") << "dec0" << qint64(1234) << 3 << "X";
    QTest::newRow("dec space pad") << "dec " << qint64(28) << 3 << " 28";
    QTest::newRow("dec space negative") << "dec " << qint64(-28) << 4 << " -28";
    QTest::newRow("dec space too wide") << "dec " << qint64(-28) << 2 << "X";
}

void TestPadding::numbers()
{
    QFETCH(QString, routine);
    QFETCH(qint64, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QString actual;
    if (routine == QLatin1String("hex"))
        actual = HexZeroPad(value, width);
    else if (routine == QLatin1String("dec0"))
        actual = DecZeroPad(value, width);
    else
        actual = DecSpacePad(value, width);
    QCOMPARE(actual, expected);
}

void TestPadding::strPadSpace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<QString>("expected");

    QTest::newRow("right-aligned") << "12.345" << 7 << true << " 12.345";
    QTest::newRow("exact") << "12.345" << 6 << true << "12.345";
    QTest::newRow("too long") << "123.456" << 6 << false << QString();
    QTest::newRow("empty text") << "" << 3 << true << "   ";
    QTest::newRow("zero width refuses text") << "1" << 0 << false << QString();
}

void TestPadding::strPadSpace()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, fits);
    QFETCH(QString, expected);
    const auto r = StrPadSpace(text, width);
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(*r, expected);
}

QTEST_APPLESS_MAIN(TestPadding)
#include "tst_padding.moc"
