#pragma once

#include "link/ParaBlockCodec.h"

// The parameter transfers between the controller's blocks 0 to C and the parameter set.
// Blocks of axes not in use are neither read nor written; block 0 always is.

// The reserved bytes as last read from the controller; an empty slot was never read.
extern QVariant gParaRsvByte[link::kParaRsvSlots];

// Blocks of the used axes into gParaTmp and gParaRsvByte (the caller unpacks). A failure
// leaves both as they were. 0 read, 1 failed.
int ReadParaFromCt();
// Whether every used block can be built from the parameter set (each value fits its field,
// each actuator code can be coded), asking nothing of the controller; false after messages
// 1524 and 1525. A write runs it before its first byte.
bool paraBlocksWritable();
// Every used block, then "0WE" "2". Values are checked before anything is sent; reserved
// bytes not yet read in this run are read first and written back unchanged. 0 written;
// 1 failed once the first block had gone (the controller may hold part of the set);
// kParaWriteNotBegun refused or failed before it (the controller holds what it held).
constexpr int kParaWriteNotBegun = 2;
int WriteParaToCt();
// Blocks 5 to C of the used axes, then "0WE" "2"; the same results.
int WriteParaToCt_Device();
// Block 0 read and written back with the mask of the used axes, or the one given.
int RewriteParaBlock();
int RewriteParaBlock2(int mask);

namespace link {
void resetParaTransfer();
}
