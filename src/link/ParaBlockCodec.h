#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <optional>

// The controller keeps its parameters in thirteen blocks (0 to C) of sixteen bytes. Block 0
// holds the single parameters, blocks 1 to 4 the homing order of axes 1 to 4, and each axis
// has a pair of blocks: 5/6, 7/8, 9/A, B/C. Multi-byte values are unsigned, most significant
// byte first. The bytes the system does not interpret travel in 31 reserved slots:
//   slots 0-6              block 0, bytes 9 to 15
//   slots 7+6a, 8+6a       odd block of axis a+1, bytes 14 and 15
//   slots 9+6a to 12+6a    even block of axis a+1, bytes 12 to 15
namespace link {

constexpr int kParaBlockCount = 13;
constexpr int kParaRsvSlots = 31;
constexpr int kParaBlockBytes = 16;
using BlockBytes = std::array<int, kParaBlockBytes>;
using ParaRsv = QVariant[kParaRsvSlots];

// The axis (0 to 3) a block belongs to; -1 for block 0.
int paraBlockAxis(int block);
// Block 0 always; another block when its axis is in use (gAxisUnused).
bool paraBlockInUse(int block);
// The reserved slot of a block's byte, -1 when the byte carries a parameter.
int paraRsvSlot(int block, int byte);
// Whether every reserved byte of the block has been read from the controller.
bool paraRsvKnown(int block, const ParaRsv &rsv);

// The actuator code of an even block: the size's number and the speed letter's code, or 35
// and "E" for the size "E35". False for a size or speed that cannot be coded.
bool actCodeToBytes(const QString &size, const QString &speed, int &sizeByte, int &speedByte);
// Back to size and speed texts: " 28" and "L"; a speed "E" gives "E35" and "L"; 0 gives "".
void actCodeFromBytes(int sizeByte, int speedByte, QString &size, QString &speed);

// The bytes of a block from the parameter variables and the reserved slots (a slot never
// read gives 0). False, with the item that does not fit its field, when a value is out of
// its field's range or an actuator code cannot be built.
bool encodeParaBlock(int block, const ParaRsv &rsv, BlockBytes &bytes, int *badItem = nullptr);
// The "0WD" argument: the block digit and 32 upper-case hexadecimal digits.
QString paraBlockRecord(int block, const BlockBytes &bytes);

// The 16 bytes of a "0RD" reply line for `block`; nullopt when the line does not answer that
// block, a digit is not hexadecimal or an actuator code does not form a code (a size above
// 99, a speed that is no capital letter, a stroke above 999).
std::optional<BlockBytes> paraBlockFromReply(int block, const QString &line);
// The block's items into the exchange table (cell [item][row]) and its reserved bytes.
void decodeParaBlock(int block, const BlockBytes &bytes, QVariant (&table)[36][5], ParaRsv &rsv);

} // namespace link
