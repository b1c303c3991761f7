#include "link/ParaTransfer.h"

#include "core/Messages.h"
#include "core/Padding.h"
#include "tables/ParaSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"

#include <algorithm>

using link::BlockBytes;
using link::exchange;
using link::kParaBlockCount;
using link::Via;

QVariant gParaRsvByte[link::kParaRsvSlots];

namespace {

// A read of one block's reply into `bytes`, refused as a wrong echo when it answers
// another block or is not hexadecimal. 0 good, 1 failed (told).
int readBlock(int block, BlockBytes &bytes)
{
    if (exchange(Via::Resend, QStringLiteral("0RD"), HexZeroPad(block, 1), 38) != 0)
        return 1;
    const auto decoded = link::paraBlockFromReply(block, gRecvData);
    if (!decoded)
        return link::refuseReply();
    bytes = *decoded;
    return 0;
}

// Every block of `blocks` (in use) encoded; false after messages 1524 and 1525.
bool encodeBlocks(const QList<int> &blocks, QString (&records)[kParaBlockCount])
{
    for (const int block : blocks) {
        BlockBytes bytes;
        if (!link::encodeParaBlock(block, gParaRsvByte, bytes)) {
            ResMsgBox({1524, 1525});
            return false;
        }
        records[block] = link::paraBlockRecord(block, bytes);
    }
    return true;
}

// The reserved bytes (and the ninth single parameter) that no read of this run brought are
// read now, so that the write gives the controller back its own bytes. 0 / 1.
int completeReservedBytes(const QList<int> &blocks)
{
    QVariant rsv[link::kParaRsvSlots];
    std::copy(std::begin(gParaRsvByte), std::end(gParaRsvByte), std::begin(rsv));
    QVariant table[36][5];
    bool single28 = false;
    for (const int block : blocks) {
        if (link::paraRsvKnown(block, rsv))
            continue;
        BlockBytes bytes;
        if (readBlock(block, bytes) != 0) {
            CommPortClose();
            return 1;
        }
        link::decodeParaBlock(block, bytes, table, rsv);
        single28 = single28 || block == 0;
    }
    std::copy(std::begin(rsv), std::end(rsv), std::begin(gParaRsvByte));
    if (single28)
        gPrmSingle28 = table[28][0].toInt();
    return 0;
}

// Sends the records of `blocks` with "0WD" and closes with "0WE" "2", the bar one step per
// block slot from `firstStep`. 0 / 1.
int sendBlocks(const QList<int> &blocks, const QString (&records)[kParaBlockCount],
               int firstBlock, int maximum)
{
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(383, maximum);
    for (int block = firstBlock; block < kParaBlockCount; ++block) {
        if (blocks.contains(block)) {
            if (exchange(Via::Resend, QStringLiteral("0WD"), records[block], 6) != 0) {
                CommPortClose();
                progress.close();
                link::mainWindowCommands().CMDBTN_Yuko();
                return 1;
            }
            // The progress window stays for the caller to unload.
            if (gRecvData.left(4) != QLatin1String("0WD") + records[block].left(1))
                return link::refuseTransmit();
        }
        progress.setValue(block - firstBlock + 1);
    }
    if (exchange(Via::Resend, QStringLiteral("0WE"), QStringLiteral("2"), 6, 2000) != 0) {
        CommPortClose();
        progress.close();
        link::mainWindowCommands().CMDBTN_Yuko();
        return 1;
    }
    if (gRecvData.left(4) != QLatin1String("0WE2"))
        return link::refuseTransmit();
    progress.setValue(maximum);
    progress.close();
    CommPortClose();
    return 0;
}

QList<int> blocksInUse(int first)
{
    QList<int> blocks;
    for (int block = first; block < kParaBlockCount; ++block)
        if (link::paraBlockInUse(block))
            blocks.append(block);
    return blocks;
}

int writeBlocks(int firstBlock, int maximum)
{
    const QList<int> blocks = blocksInUse(firstBlock);
    QString records[kParaBlockCount];
    // Every value is checked before the first exchange.
    if (!encodeBlocks(blocks, records) || completeReservedBytes(blocks) != 0 || !encodeBlocks(blocks, records))
        return kParaWriteNotBegun;
    for (const int block : blocks)
        gTusinStr[block - (firstBlock == 0 ? 0 : 4)] = records[block];
    return sendBlocks(blocks, records, firstBlock, maximum);
}

} // namespace

int ReadParaFromCt()
{
    for (int slot = 0; slot < kParaBlockCount; ++slot)
        gTusinStr[slot] = QString();
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(368, kParaBlockCount);

    BlockBytes bytes[kParaBlockCount];
    for (int block = 0; block < kParaBlockCount; ++block) {
        if (link::paraBlockInUse(block)) {
            if (readBlock(block, bytes[block]) != 0) {
                CommPortClose();
                progress.close();
                return 1;
            }
            gTusinStr[block] = gRecvData;
        }
        progress.setValue(block);
    }
    progress.close();
    CommPortClose();

    ClearParaTable();
    QVariant rsv[link::kParaRsvSlots];
    std::copy(std::begin(gParaRsvByte), std::end(gParaRsvByte), std::begin(rsv));
    for (int block = 0; block < kParaBlockCount; ++block)
        if (link::paraBlockInUse(block))
            link::decodeParaBlock(block, bytes[block], gParaTmp, rsv);
    std::copy(std::begin(rsv), std::end(rsv), std::begin(gParaRsvByte));
    return 0;
}

bool paraBlocksWritable()
{
    QString records[kParaBlockCount];
    return encodeBlocks(blocksInUse(0), records);
}

int WriteParaToCt()
{
    return writeBlocks(0, kParaBlockCount + 1);
}

int WriteParaToCt_Device()
{
    return writeBlocks(5, kParaBlockCount - 5 + 1);
}

int RewriteParaBlock()
{
    int mask = 0;
    for (int axis = 0; axis < kAxisCount; ++axis)
        if (!gAxisUnused[axis])
            mask |= 1 << axis;
    return RewriteParaBlock2(mask);
}

int RewriteParaBlock2(int mask)
{
    if (mask < 0 || mask > 255) {
        ResMsgBox({1524, 1525});
        return 1;
    }
    if (exchange(Via::Resend, QStringLiteral("0RD"), QStringLiteral("0"), 38) != 0)
        return 1;
    if (!link::paraBlockFromReply(0, gRecvData))
        return link::refuseReply();
    const QString record = QStringLiteral("0") + gRecvData.mid(4, 12) + HexZeroPad(mask, 2)
                           + gRecvData.mid(18, 18);
    if (exchange(Via::Resend, QStringLiteral("0WD"), record, 6) != 0)
        return 1;
    if (gRecvData.left(4) != QLatin1String("0WD0"))
        return link::refuseTransmit();
    gAxisMask = mask;
    return 0;
}

namespace link {

void resetParaTransfer()
{
    for (QVariant &v : gParaRsvByte)
        v = QVariant();
}

} // namespace link
