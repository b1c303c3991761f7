// Times the redisplay of the whole position table (999 positions) in the main window's grid.
// Run it from a release build: bench_grid [repetitions]. It prints each run and the median,
// and ends with status 1 when the median exceeds the 100 ms the table must fill within.

#include "core/MainForm.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "tables/PosiTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;

    frmMain::setScreenWidthForLoad(1280);
    frmMain window;
    window.show();
    QCoreApplication::processEvents();

    InitPosiData();
    for (int n = 1; n <= kPosiMax; ++n) {
        for (int a = 0; a < 4; ++a) {
            gPosiTable[n][a] = n * 10 + a;
            gPosiTable[n][a + 4] = (n * 10 + a) * 0.005;
        }
        gPosiFileTable[n][kColComment] = QStringLiteral("position %1").arg(n);
    }

    QTextStream out(stdout);
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        // Alternate between an empty grid and a full one, so that both the first fill and a
        // redisplay over existing cells are measured.
        if (i % 2 == 0)
            window.flgdData()->setRows(2);
        gPosiNoDefFrom = 1;
        gPosiNoDefTo = kPosiMax;
        QElapsedTimer t;
        t.start();
        QzDataHyoji_3();
        QCoreApplication::processEvents(); // the one repaint at the end belongs to it
        const double ms = t.nsecsElapsed() / 1e6;
        times << ms;
        out << QStringLiteral("run %1 (%2): %3 ms\n")
                   .arg(i + 1)
                   .arg(i % 2 == 0 ? QStringLiteral("fill") : QStringLiteral("redisplay"))
                   .arg(ms, 0, 'f', 1);
    }
    std::sort(times.begin(), times.end());
    const double median = times.at(times.size() / 2);
    out << QStringLiteral("QzDataHyoji_3, 999 positions: median %1 ms, worst %2 ms (limit 100 ms)\n")
               .arg(median, 0, 'f', 1)
               .arg(times.last(), 0, 'f', 1);
    out.flush();
    return median <= 100.0 ? 0 : 1;
}
