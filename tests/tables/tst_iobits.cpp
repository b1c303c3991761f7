// The input and output words: six hexadecimal digits, weights 8, 4, 2, 1 per digit.
#include "tables/IoBits.h"

#include <QtTest>

namespace {

// "d.b" pairs of the set bits, in digit and bit order.
QStringList setBits(const tables::IoWord &word)
{
    QStringList bits;
    for (int d = 0; d < kIoDigits; ++d)
        for (int b = 0; b < kIoBitsPerDigit; ++b)
            if (word[d][b])
                bits << QStringLiteral("%1.%2").arg(d).arg(b);
    return bits;
}

} // namespace

class TestIoBits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void encodeAfterRequests_data();
    void encodeAfterRequests();
};

void TestIoBits::decode_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("bits");

    QTest::newRow("inputs 8 0 0 0 0 F") << "80000F" << true
                                         << QStringList{"0.0", "5.0", "5.1", "5.2", "5.3"};
    QTest::newRow("outputs 3 5 0 2 0 3")
        << "350203" << true << QStringList{"0.2", "0.3", "1.1", "1.3", "3.2", "5.2", "5.3"};
    QTest::newRow("lower case digits") << "a00000" << true << QStringList{"0.0", "0.2"};
    QTest::newRow("all clear") << "000000" << true << QStringList{};
    QTest::newRow("not hexadecimal") << "80G00F" << false << QStringList{"9.9"};
    QTest::newRow("five digits") << "80000" << false << QStringList{"9.9"};
    QTest::newRow("seven digits") << "80000F1" << false << QStringList{"9.9"};
}

void TestIoBits::decode()
{
    QFETCH(QString, digits);
    QFETCH(bool, ok);
    QFETCH(QStringList, bits);

    tables::IoWord word = {};
    word[6][3] = true; // a refused word stays as it was
    QCOMPARE(tables::decodeIoWord(digits, word), ok);
    if (ok)
        QCOMPARE(setBits(word), bits);
    else
        QCOMPARE(setBits(word), QStringList{"6.3"});
}

void TestIoBits::encodeAfterRequests_data()
{
    QTest::addColumn<QString>("outputs");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QString>("sent");

    QTest::newRow("request on a set bit") << "180000" << QStringList{"0.3"} << "080000";
    QTest::newRow("OUT1 switched on") << "000000" << QStringList{"5.3"} << "000001";
    QTest::newRow("no request") << "350203" << QStringList{} << "350203";
    QTest::newRow("every bit of a digit") << "0F0000"
                                          << QStringList{"1.0", "1.1", "1.2", "1.3"} << "000000";
}

void TestIoBits::encodeAfterRequests()
{
    QFETCH(QString, outputs);
    QFETCH(QStringList, requests);
    QFETCH(QString, sent);

    tables::IoWord out = {};
    tables::IoWord req = {};
    QVERIFY(tables::decodeIoWord(outputs, out));
    for (const QString &r : requests)
        req[r.section('.', 0, 0).toInt()][r.section('.', 1, 1).toInt()] = true;
    tables::applyOutputRequests(out, req);
    QCOMPARE(tables::encodeIoWord(out), sent);
    QVERIFY(setBits(req).isEmpty());
}

QTEST_GUILESS_MAIN(TestIoBits)
#include "tst_iobits.moc"
