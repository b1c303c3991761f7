// Cutting the received characters into lines at every CR LF.
#include "link/LineAssembler.h"

#include <QtTest>

class TestLineAssembler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chunks_data();
    void chunks();
};

void TestLineAssembler::chunks_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<int>>("completedAfter"); // lines completed by each chunk
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QByteArray>("partial");

    QTest::newRow("one whole line") << QList<QByteArray>{"0CM1\r\n"} << QList<int>{1}
                                    << QList<QByteArray>{"0CM1\r\n"} << QByteArray();
    QTest::newRow("pieces") << QList<QByteArray>{"0R", "D0", "12\r\n"} << QList<int>{0, 0, 1}
                            << QList<QByteArray>{"0RD012\r\n"} << QByteArray();
    QTest::newRow("cut between CR and LF") << QList<QByteArray>{"0CM1\r", "\n"} << QList<int>{0, 1}
                                           << QList<QByteArray>{"0CM1\r\n"} << QByteArray();
    QTest::newRow("reply and unsolicited line together")
        << QList<QByteArray>{"0CM1\r\n0%%003\r\n"} << QList<int>{2}
        << QList<QByteArray>{"0CM1\r\n", "0%%003\r\n"} << QByteArray();
    QTest::newRow("the next line begins in the same chunk")
        << QList<QByteArray>{"0CM1\r\n0R", "D0\r\n"} << QList<int>{1, 1}
        << QList<QByteArray>{"0CM1\r\n", "0RD0\r\n"} << QByteArray();
    QTest::newRow("a lone CR or LF is no line end") << QList<QByteArray>{"0C\rM\n1"} << QList<int>{0}
                                                    << QList<QByteArray>{} << QByteArray("0C\rM\n1");
    QTest::newRow("CR CR LF") << QList<QByteArray>{"0CM\r\r\n"} << QList<int>{1}
                              << QList<QByteArray>{"0CM\r\r\n"} << QByteArray();
    QTest::newRow("empty line") << QList<QByteArray>{"\r\n", ""} << QList<int>{1, 0}
                                << QList<QByteArray>{"\r\n"} << QByteArray();
    QTest::newRow("trailing partial") << QList<QByteArray>{"0CM1\r\n0%%"} << QList<int>{1}
                                      << QList<QByteArray>{"0CM1\r\n"} << QByteArray("0%%");
}

void TestLineAssembler::chunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<int>, completedAfter);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QByteArray, partial);

    link::LineAssembler assembler;
    QList<QByteArray> got;
    for (int i = 0; i < chunks.size(); ++i) {
        const QList<QByteArray> done = assembler.feed(chunks.at(i));
        QCOMPARE(done.size(), completedAfter.at(i));
        got += done;
    }
    QCOMPARE(got, lines);
    QCOMPARE(assembler.partial(), partial);
}

QTEST_APPLESS_MAIN(TestLineAssembler)
#include "tst_lineassembler.moc"
