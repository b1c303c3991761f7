// Cutting the received characters into lines at every CR LF.
#include "link/LineAssembler.h"

#include <QtTest>

class TestLineAssembler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chunks_data();
    void chunks();
    void noiseStaysBounded();
};

void TestLineAssembler::chunks_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<int>>("completedAfter"); // lines completed by each chunk
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QByteArray>("partial");
    QTest::addColumn<qint64>("dropped");

    QTest::newRow("one whole line") << QList<QByteArray>{"0CM1\r\n"} << QList<int>{1}
                                    << QList<QByteArray>{"0CM1\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("pieces") << QList<QByteArray>{"0R", "D0", "12\r\n"} << QList<int>{0, 0, 1}
                            << QList<QByteArray>{"0RD012\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("cut between CR and LF") << QList<QByteArray>{"0CM1\r", "\n"} << QList<int>{0, 1}
                                           << QList<QByteArray>{"0CM1\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("reply and unsolicited line together")
        << QList<QByteArray>{"0CM1\r\n0%%003\r\n"} << QList<int>{2}
        << QList<QByteArray>{"0CM1\r\n", "0%%003\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("the next line begins in the same chunk")
        << QList<QByteArray>{"0CM1\r\n0R", "D0\r\n"} << QList<int>{1, 1}
        << QList<QByteArray>{"0CM1\r\n", "0RD0\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("a lone CR or LF is no line end") << QList<QByteArray>{"0C\rM\n1"} << QList<int>{0}
                                                    << QList<QByteArray>{} << QByteArray("0C\rM\n1") << qint64(0);
    QTest::newRow("CR CR LF") << QList<QByteArray>{"0CM\r\r\n"} << QList<int>{1}
                              << QList<QByteArray>{"0CM\r\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("empty line") << QList<QByteArray>{"\r\n", ""} << QList<int>{1, 0}
                                << QList<QByteArray>{"\r\n"} << QByteArray() << qint64(0);
    QTest::newRow("trailing partial") << QList<QByteArray>{"0CM1\r\n0%%"} << QList<int>{1}
                                      << QList<QByteArray>{"0CM1\r\n"} << QByteArray("0%%") << qint64(0);
    const QByteArray longest = "0RP" + QByteArray(43, '0') + "\r\n"; // 48 characters
    QTest::newRow("the longest reply, cut before its LF") << QList<QByteArray>{longest.chopped(1), "\n"}
                                                          << QList<int>{0, 1} << QList<QByteArray>{longest}
                                                          << QByteArray() << qint64(0);
    QTest::newRow("noise beyond the longest reply") << QList<QByteArray>{QByteArray(49, 'x')} << QList<int>{0}
                                                    << QList<QByteArray>{} << QByteArray() << qint64(49);
    QTest::newRow("the rest of an overlong line is dropped with it")
        << QList<QByteArray>{QByteArray(60, 'x'), "yy\r\n0CM1\r\n"} << QList<int>{0, 1}
        << QList<QByteArray>{"0CM1\r\n"} << QByteArray() << qint64(64);
    QTest::newRow("an overlong line ends between CR and LF")
        << QList<QByteArray>{QByteArray(60, 'x') + "\r", "\n0CM1\r\n"} << QList<int>{0, 1}
        << QList<QByteArray>{"0CM1\r\n"} << QByteArray() << qint64(62);
    QTest::newRow("a complete overlong line is left to the length check")
        << QList<QByteArray>{QByteArray(60, 'x') + "\r\n"} << QList<int>{1}
        << QList<QByteArray>{QByteArray(60, 'x') + "\r\n"} << QByteArray() << qint64(0);
}

void TestLineAssembler::chunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<int>, completedAfter);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QByteArray, partial);
    QFETCH(qint64, dropped);

    link::LineAssembler assembler;
    QList<QByteArray> got;
    for (int i = 0; i < chunks.size(); ++i) {
        const QList<QByteArray> done = assembler.feed(chunks.at(i));
        QCOMPARE(done.size(), completedAfter.at(i));
        got += done;
    }
    QCOMPARE(got, lines);
    QCOMPARE(assembler.partial(), partial);
    QCOMPARE(assembler.dropped(), dropped);
}

// A line that never ends costs no more than its longest reply, however long it goes on.
void TestLineAssembler::noiseStaysBounded()
{
    link::LineAssembler assembler;
    qint64 fed = 0;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray chunk((i % 64) + 1, char('A' + i % 26));
        QVERIFY(assembler.feed(chunk).isEmpty());
        fed += chunk.size();
        QVERIFY(assembler.partial().size() <= link::LineAssembler::kLongestLine);
    }
    QCOMPARE(assembler.dropped() + assembler.partial().size(), fed);
    QCOMPARE(assembler.feed("\r\n0CM1\r\n"), QList<QByteArray>{"0CM1\r\n"});
}

QTEST_APPLESS_MAIN(TestLineAssembler)
#include "tst_lineassembler.moc"
