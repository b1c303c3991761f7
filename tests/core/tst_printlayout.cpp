#include "core/PrintLayout.h"
#include "platform/PrinterDevice.h"
#include "support/TestEnv.h"

#include <QtTest>

class TestPrintLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metrics_data();
    void metrics();
    void heightRoundingToZeroFails();
    void pdfPrinterFontsChangeMetrics();
};

void TestPrintLayout::metrics_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("pageHeight");
    QTest::addColumn<QList<long>>("expected"); // charW, charH, lines, cols, height, width

    QTest::newRow("worked example") << 4.6 << 200.0 << 287.0 << QList<long>{5, 6, 57, 47, 285, 190};
    QTest::newRow("4.5 to even 4") << 4.5 << 200.0 << 287.0 << QList<long>{4, 5, 71, 57, 284, 190};
    QTest::newRow("5.5 to even 6") << 5.5 << 200.0 << 287.0 << QList<long>{6, 7, 47, 41, 282, 190};
    QTest::newRow("width 190.5 to 180") << 4.6 << 190.5 << 287.0 << QList<long>{5, 6, 57, 47, 285, 180};
    QTest::newRow("width 191.5 to 182") << 4.6 << 191.5 << 287.0 << QList<long>{5, 6, 57, 47, 285, 182};
}

void TestPrintLayout::metrics()
{
    QFETCH(double, height);
    QFETCH(double, width);
    QFETCH(double, pageHeight);
    QFETCH(QList<long>, expected);

    TestEnv env;
    QCOMPARE(printing::computeLayout(height, width, pageHeight), 0);
    const QList<long> actual{gPrnCharW, gPrnCharH, gPrnLines, gPrnCols, gPrnHeight, gPrnWidth};
    QCOMPARE(actual, expected);
}

void TestPrintLayout::heightRoundingToZeroFails()
{
    TestEnv env;
    QCOMPARE(printing::computeLayout(4.6, 200, 287), 0);
    QCOMPARE(printing::computeLayout(0.4, 200, 287), 1);
    QCOMPARE(printing::computeLayout(0.5, 200, 287), 1); // 0.5 goes to the even 0
    QCOMPARE(gPrnCharW, 5L); // the earlier metrics stand untouched
    QCOMPARE(gPrnLines, 57L);
}

void TestPrintLayout::pdfPrinterFontsChangeMetrics()
{
    TestEnv env;
    platform::PrinterDevice printer(env.tempPath(QStringLiteral("page.pdf")));
    printer.setFont(QFont(QStringLiteral("IPAGothic"), 11));
    QCOMPARE(PrintSettei(printer), 0);
    const long small = gPrnCharW;
    const long lines = gPrnLines;
    QVERIFY(small > 0);
    QVERIFY(gPrnWidth > 150 && gPrnWidth < 210); // A4 less margins less 10

    printer.setFont(QFont(QStringLiteral("IPAGothic"), 28));
    QCOMPARE(PrintSettei(printer), 0);
    QVERIFY(gPrnCharW > small);
    QVERIFY(gPrnLines < lines);
}

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
