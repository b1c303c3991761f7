#pragma once

namespace sim {
class SimSession;
}

// The position table's transfers through the real code: all 999 positions read ("0RP") and
// written ("0WP") unpaced, then paced at 960 characters a second with the elapsed time
// divided by the wire time of every exchange. Returns the number of failed transfers.
int runPositionBench(sim::SimSession &session);
