#include "link/ParaBlockCodec.h"

#include "tables/DevSetting.h"
#include "core/Padding.h"
#include "tables/ParaSet.h"
#include "link/Exchange.h"

#include <QList>

namespace link {

namespace {

bool isOddPairBlock(int block)
{
    return block >= 5 && block % 2 == 1;
}

// A value into `width` bytes from `first`; false when it does not fit.
bool put(BlockBytes &bytes, int first, int width, qint64 value)
{
    if (value < 0 || value >= (qint64(1) << (8 * width)))
        return false;
    for (int i = width - 1; i >= 0; --i) {
        bytes[first + i] = int(value & 0xFF);
        value >>= 8;
    }
    return true;
}

qint64 take(const BlockBytes &bytes, int first, int width)
{
    qint64 value = 0;
    for (int i = 0; i < width; ++i)
        value = value * 256 + bytes[first + i];
    return value;
}

// The kind of block a block number is.
tables::ParaBlock blockKind(int block)
{
    if (block == 0)
        return tables::ParaBlock::Zero;
    if (block <= 4)
        return tables::ParaBlock::Order;
    return isOddPairBlock(block) ? tables::ParaBlock::Odd : tables::ParaBlock::Even;
}

// The items a kind of block carries, in the order of their bytes.
QList<const tables::ParaItem *> blockItems(tables::ParaBlock kind)
{
    QList<const tables::ParaItem *> items;
    for (int byte = 0; byte < kParaBlockBytes; ++byte)
        for (const tables::ParaItem &item : tables::kParaItemTable)
            if (item.block == kind && item.firstByte == byte)
                items << &item;
    return items;
}

QString sizeText(int value)
{
    const QString digits = QString::number(value);
    return (digits.size() == 1 ? QStringLiteral("  ") : QStringLiteral(" ")) + digits;
}

// The actuator code of an even block can be written as the seven characters of a code: a size
// of at most two digits (or "E35"), a capital speed letter (or none) and a stroke of at most
// three digits. Anything else would be read as another actuator.
bool actCodeFits(const BlockBytes &bytes)
{
    const int sizeByte = bytes[8];
    const int speedByte = bytes[9];
    const bool letter = speedByte == 0 || (speedByte >= 'A' && speedByte <= 'Z');
    return letter && (sizeByte <= 99 || speedByte == 'E') && take(bytes, 10, 2) <= 999;
}

} // namespace

int paraBlockAxis(int block)
{
    if (block >= 1 && block <= 4)
        return block - 1;
    if (block >= 5 && block <= 12)
        return (block - 5) / 2;
    return -1;
}

bool paraBlockInUse(int block)
{
    const int axis = paraBlockAxis(block);
    return block == 0 || (axis >= 0 && !gAxisUnused[axis]);
}

int paraRsvSlot(int block, int byte)
{
    if (block == 0)
        return byte >= 9 ? byte - 9 : -1;
    if (block < 5 || block > 12)
        return -1;
    const int a = paraBlockAxis(block);
    if (isOddPairBlock(block))
        return byte >= 14 ? 7 + 6 * a + (byte - 14) : -1;
    return byte >= 12 ? 9 + 6 * a + (byte - 12) : -1;
}

bool paraRsvKnown(int block, const ParaRsv &rsv)
{
    for (int byte = 0; byte < kParaBlockBytes; ++byte) {
        const int slot = paraRsvSlot(block, byte);
        if (slot >= 0 && !rsv[slot].isValid())
            return false;
    }
    return true;
}

bool actCodeToBytes(const QString &size, const QString &speed, int &sizeByte, int &speedByte)
{
    if (size == QLatin1String("E35")) {
        sizeByte = 35;
        speedByte = 'E';
        return true;
    }
    const QString number = size.trimmed();
    bool ok = !number.isEmpty();
    for (const QChar c : number)
        ok = ok && c.isDigit() && c.unicode() < 128;
    const int value = ok ? number.toInt(&ok) : -1;
    const QString letter = speed.trimmed();
    if (!ok || value > 255 || letter.size() != 1 || letter.at(0).unicode() > 255)
        return false;
    sizeByte = value;
    speedByte = letter.at(0).unicode();
    return true;
}

void actCodeFromBytes(int sizeByte, int speedByte, QString &size, QString &speed)
{
    size = sizeText(sizeByte);
    // No letter at all reads as the empty text, not as a NUL character.
    speed = speedByte == 0 ? QString() : QString(QChar(speedByte));
    if (speed == QLatin1String("E")) {
        size = QStringLiteral("E35");
        speed = QStringLiteral("L");
    }
}

bool encodeParaBlock(int block, const ParaRsv &rsv, BlockBytes &bytes, int *badItem)
{
    bytes.fill(0);
    auto refuse = [badItem](int item) {
        if (badItem)
            *badItem = item;
        return false;
    };
    if (block < 0 || block >= kParaBlockCount)
        return refuse(0);
    const int a = qMax(paraBlockAxis(block), 0);
    const tables::ParaBlock kind = blockKind(block);
    for (const tables::ParaItem *item : blockItems(kind))
        if (!put(bytes, item->firstByte, item->bytes, item->valueAt(a)))
            return refuse(item->number);
    if (kind == tables::ParaBlock::Even
        && !actCodeToBytes(gPrmActSize[a], gPrmActSpeed[a], bytes[8], bytes[9]))
        return refuse(gPrmActSize[a].trimmed().isEmpty() ? 29 : 30);
    for (int byte = 0; byte < kParaBlockBytes; ++byte) {
        const int slot = paraRsvSlot(block, byte);
        if (slot < 0)
            continue;
        bool ok = true;
        const int value = rsv[slot].isValid() ? rsv[slot].toInt(&ok) : 0;
        if (!ok || value < 0 || value > 255)
            return refuse(0);
        bytes[byte] = value;
    }
    return true;
}

QString paraBlockRecord(int block, const BlockBytes &bytes)
{
    QString record = HexZeroPad(block, 1);
    for (const int b : bytes)
        record += HexZeroPad(b, 2);
    return record;
}

std::optional<BlockBytes> paraBlockFromReply(int block, const QString &line)
{
    if (line.size() < 4 + 2 * kParaBlockBytes || !line.startsWith(QLatin1String("0RD"))
        || line.mid(3, 1) != HexZeroPad(block, 1))
        return std::nullopt;
    BlockBytes bytes;
    for (int k = 0; k < kParaBlockBytes; ++k) {
        const auto value = hexValue(QStringView(line).mid(4 + 2 * k, 2));
        if (!value)
            return std::nullopt;
        bytes[k] = int(*value);
    }
    if (block >= 5 && block <= 12 && !isOddPairBlock(block) && !actCodeFits(bytes))
        return std::nullopt;
    return bytes;
}

void decodeParaBlock(int block, const BlockBytes &bytes, QVariant (&table)[36][5], ParaRsv &rsv)
{
    const int a = qMax(paraBlockAxis(block), 0);
    const tables::ParaBlock kind = blockKind(block);
    for (const tables::ParaItem *item : blockItems(kind))
        table[item->number][item->row(a)] = int(take(bytes, item->firstByte, item->bytes));
    if (kind == tables::ParaBlock::Even) {
        QString size;
        QString speed;
        actCodeFromBytes(bytes[8], bytes[9], size, speed);
        table[29][a] = size;
        table[30][a] = speed;
        table[13][a] = size + speed + DecZeroPad(take(bytes, 10, 2), 3);
    }
    for (int byte = 0; byte < kParaBlockBytes; ++byte) {
        const int slot = paraRsvSlot(block, byte);
        if (slot >= 0)
            rsv[slot] = bytes[byte];
    }
}

} // namespace link
