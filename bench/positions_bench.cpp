#include "positions_bench.h"

#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "tables/PosiImage.h"
#include "positions/PosiRecord.h"
#include "tables/PosiTable.h"
#include "positions/PosiTransfer.h"
#include "sim/ControllerModel.h"
#include "sim/SimSession.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

// The wire time of what the simulator received since it was last cleared, each line with
// its CR LF and the reply the command gets.
double wireSeconds(sim::ControllerSim &controller)
{
    qint64 chars = 0;
    for (const QString &line : controller.receivedLines()) {
        chars += line.size() + 2;
        if (line.startsWith(QLatin1String("0RP")))
            chars += positions::kPosiReadReplyLength;
        else if (line.startsWith(QLatin1String("0WP")))
            chars += positions::kPosiWriteReplyLength;
    }
    return double(chars) / 960.0;
}

void fillTable()
{
    InitPosiData();
    for (int n = 1; n <= kPosiMax; ++n)
        for (int a = 0; a < 4; ++a)
            gPosiTable[n][a] = double((n * 997 + a * 131) % 262144);
    gPosiNoFrom = 1;
    gPosiNoTo = kPosiMax;
}

struct Run
{
    double elapsed = 0;
    double wire = 0;
    int result = 0;
};

Run timed(sim::ControllerSim &controller, int (*transfer)())
{
    controller.clearReceived();
    gPosiNoFrom = 1;
    gPosiNoTo = kPosiMax;
    QElapsedTimer t;
    t.start();
    Run run;
    run.result = transfer();
    run.elapsed = t.nsecsElapsed() / 1e9;
    run.wire = wireSeconds(controller);
    return run;
}

} // namespace

int runPositionBench(sim::SimSession &session)
{
    // Outlives the serving of the session, which calls into it.
    static sim::ControllerModel model;
    model.install(session.controller());
    fillTable();
    int failures = 0;

    session.controller().setPaced(false);
    const Run write = timed(session.controller(), &WritePosidataToCt);
    const Run read = timed(session.controller(), &ReadPosidataFromCt);
    failures += (write.result != 0) + (read.result != 0);
    std::printf("999 positions, simulator answering at once (our own cost):\n");
    std::printf("  write \"0WP\"  %.3f s   read \"0RP\"  %.3f s\n", write.elapsed, read.elapsed);

    session.controller().setPaced(true);
    const Run pacedWrite = timed(session.controller(), &WritePosidataToCt);
    const Run pacedRead = timed(session.controller(), &ReadPosidataFromCt);
    failures += (pacedWrite.result != 0) + (pacedRead.result != 0);
    std::printf("999 positions at 960 characters a second:\n");
    std::printf("  write: elapsed %.3f s, wire time %.3f s, ratio %.4f  (aim: under 1.01)\n",
                pacedWrite.elapsed, pacedWrite.wire, pacedWrite.elapsed / pacedWrite.wire);
    std::printf("  read:  elapsed %.3f s, wire time %.3f s, ratio %.4f  (aim: under 1.01)\n",
                pacedRead.elapsed, pacedRead.wire, pacedRead.elapsed / pacedRead.wire);

    // The records read back are the records written.
    for (int n = 1; n <= kPosiMax && failures == 0; ++n) {
        const auto sent = positions::posiRecordFromTable(n);
        for (int c = 0; sent && c < positions::kPosiRecordFields; ++c)
            if (tables::numericValue(gPosiWork[n][c + 1]) != double(sent->field[c])) {
                std::printf("position %d read back differently\n", n);
                ++failures;
                break;
            }
    }
    session.controller().setPaced(false);
    CommPortCloseForce();
    return failures;
}
