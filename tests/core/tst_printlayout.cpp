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
    void keepsReportsOnThePage_data();
    void keepsReportsOnThePage();
    void reportFacesResolve_data();
    void reportFacesResolve();
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
    QCOMPARE(core::printing::computeLayout(height, width, pageHeight), 0);
    const QList<long> actual{gPrnCharW, gPrnCharH, gPrnLines, gPrnCols, gPrnHeight, gPrnWidth};
    QCOMPARE(actual, expected);
}

void TestPrintLayout::heightRoundingToZeroFails()
{
    TestEnv env;
    QCOMPARE(core::printing::computeLayout(4.6, 200, 287), 0);
    QCOMPARE(core::printing::computeLayout(0.4, 200, 287), 1);
    QCOMPARE(core::printing::computeLayout(0.5, 200, 287), 1); // 0.5 goes to the even 0
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

void TestPrintLayout::keepsReportsOnThePage_data()
{
    QTest::addColumn<double>("height");      // measured "A"
    QTest::addColumn<double>("pageHeight");
    QTest::addColumn<long>("headerLines");
    QTest::addColumn<long>("rows");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<long>>("expected"); // charW, charH, lines, cols, height

    // Macros end on line 62 (63 lines), groups on 55: at 5 mm A4 holds 57 lines.
    QTest::newRow("macros at 5 mm shrink to 4") << 4.6 << 289.94 << 63L << 0L << 0
                                                << QList<long>{4, 5, 72, 57, 288};
    QTest::newRow("groups at 5 mm shrink to 4") << 4.6 << 289.94 << 56L << 0L << 0
                                                << QList<long>{4, 5, 72, 57, 288};
    QTest::newRow("parameters at 5 mm stay") << 4.6 << 289.94 << 41L << 0L << 0
                                             << QList<long>{5, 6, 57, 48, 285};
    QTest::newRow("macros at 4 mm stay") << 4.4 << 289.94 << 63L << 0L << 0
                                         << QList<long>{4, 5, 72, 57, 288};
    QTest::newRow("landscape macros to 3 mm") << 4.4 << 196.94 << 63L << 0L << 0
                                              << QList<long>{3, 4, 65, 49, 195};
    QTest::newRow("rows count at their pitch") << 6.0 << 100.0 << 0L << 14L << 0
                                               << QList<long>{5, 6, 20, 16, 100};
    QTest::newRow("never fits") << 4.4 << 20.0 << 63L << 0L << 1 << QList<long>{1, 2, 20, 10, 20};
}

void TestPrintLayout::keepsReportsOnThePage()
{
    QFETCH(double, height);
    QFETCH(double, pageHeight);
    QFETCH(long, headerLines);
    QFETCH(long, rows);
    QFETCH(int, result);
    QFETCH(QList<long>, expected);

    TestEnv env;
    QCOMPARE(core::printing::computeLayout(height, 200, pageHeight), 0);
    QCOMPARE(core::printing::keepWithinPage(headerLines, rows), result);
    const QList<long> actual{gPrnCharW, gPrnCharH, gPrnLines, gPrnCols, gPrnHeight};
    QCOMPARE(actual, expected);
    QCOMPARE(gPrnWidth, 190L);
}

void TestPrintLayout::reportFacesResolve_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("face");
    QTest::newRow("English gothic") << "MS GOTHIC" << "IPAGothic";
    QTest::newRow("Japanese gothic") << QStringLiteral("ＭＳ ゴシック") << "IPAGothic";
    QTest::newRow("Japanese mincho") << QStringLiteral("ＭＳ 明朝") << "IPAMincho";
    QTest::newRow("installed face kept") << "IPAPGothic" << "IPAPGothic";
}

// The report fonts the messages name are missing here: the printer prints them, and measures
// them, in the installed fixed-pitch faces, in every locale.
void TestPrintLayout::reportFacesResolve()
{
    QFETCH(QString, named);
    QFETCH(QString, face);
    TestEnv env;
    platform::PrinterDevice printer(env.tempPath(QStringLiteral("page.pdf")));
    printer.setFont(QFont(named, 11));
    QCOMPARE(QFontInfo(printer.font()).family(), QFontInfo(QFont(face)).family());
    QFont installed(face, 11);
    platform::PrinterDevice reference(env.tempPath(QStringLiteral("ref.pdf")));
    reference.setFont(installed);
    QCOMPARE(printer.textWidthMm(QStringLiteral("COMMAND")), reference.textWidthMm(QStringLiteral("COMMAND")));
}

QTEST_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
