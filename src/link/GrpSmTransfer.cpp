#include "link/GrpSmTransfer.h"
#include "link/OnlineMode.h"

#include "core/Messages.h"
#include "core/Padding.h"
#include "tables/GrpTable.h"
#include "tables/SmTable.h"
#include "link/CtWriteMode.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"

#include <QCursor>
#include <QGuiApplication>

using link::exchange;
using link::Via;

namespace link {

std::optional<QString> grpRecord(int group, int start, int end)
{
    if (group < 0 || group > 0xFF || start < 0 || start > 0xFFF || end < 0 || end > 0xFFF)
        return std::nullopt;
    return HexZeroPad(group, 2) + HexZeroPad(start, 3) + HexZeroPad(end, 3);
}

std::optional<std::pair<int, int>> grpFromReply(int group, const QString &line)
{
    if (line.size() < 11 || !line.startsWith(QLatin1String("0RG"))
        || line.mid(3, 2) != HexZeroPad(group, 2))
        return std::nullopt;
    const auto start = hexValue(QStringView(line).mid(5, 3));
    const auto end = hexValue(QStringView(line).mid(8, 3));
    if (!start || !end)
        return std::nullopt;
    return std::make_pair(int(*start), int(*end));
}

std::optional<QString> smRecord(int macro, const int (&commands)[16], const int (&data)[16])
{
    if (macro < 0 || macro > 19)
        return std::nullopt;
    QString record = HexZeroPad(macro + 1, 2);
    for (int s = 0; s < 16; ++s) {
        if (commands[s] < 0 || commands[s] > 15 || data[s] < 0 || data[s] > 15)
            return std::nullopt;
        record += HexZeroPad(commands[s], 1) + HexZeroPad(data[s], 1);
    }
    return record;
}

bool smFromReply(int macro, const QString &line, int (&commands)[16], int (&data)[16])
{
    if (line.size() < 37 || !line.startsWith(QLatin1String("0RS"))
        || line.mid(3, 2) != HexZeroPad(macro + 1, 2))
        return false;
    int c[16];
    int d[16];
    for (int s = 0; s < 16; ++s) {
        const auto command = hexValue(QStringView(line).mid(5 + 2 * s, 1));
        const auto value = hexValue(QStringView(line).mid(6 + 2 * s, 1));
        if (!command || !value)
            return false;
        c[s] = int(*command);
        // An END step carries no data, whatever the controller left there.
        d[s] = c[s] == 0 ? 0 : int(*value);
    }
    std::copy(std::begin(c), std::end(c), std::begin(commands));
    std::copy(std::begin(d), std::end(d), std::begin(data));
    return true;
}

} // namespace link

namespace {

// A write's records, each echoed by its command and first two characters, then "0WE". A cut
// write is told once, as such.
int sendRecords(const QString &command, const QStringList &records, const QString &kind)
{
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(383, int(records.size()) + 1);
    // The link's word on a cut write waits for what the cut leaves behind: one box.
    link::HeldTells held;
    for (int i = 0; i <= records.size(); ++i) {
        const bool last = i == records.size();
        const int sent = last ? exchange(Via::Resend, QStringLiteral("0WE"), kind, 6, 2000)
                              : exchange(Via::Resend, command, records.at(i), 7);
        if (sent != 0) {
            CommPortClose();
            progress.close();
            link::mainWindowCommands().CMDBTN_Yuko();
            link::tellCutWrite(held.take(), 377);
            return 1;
        }
        const QString echo = last ? QStringLiteral("0WE") + kind : command + records.at(i).left(2);
        if (gRecvData.left(echo.size()) != echo) {
            link::refuseTransmit();
            progress.close();
            CommPortClose();
            link::tellCutWrite(held.take(), 377);
            return 1;
        }
        progress.setValue(i + 1);
    }
    progress.close();
    CommPortClose();
    return 0;
}

class WaitCursor
{
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            m_set = true;
        }
    }
    ~WaitCursor()
    {
        if (m_set)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_set = false;
};

} // namespace

int ReadGrpDataFromCt()
{
    for (int slot = 0; slot < kGrpCount; ++slot)
        gTusinStr[slot] = QString();
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(368, kGrpCount - 1);
    leaveOfflineForExchange();

    int read[kGrpCount + 1][2] = {};
    for (int g = 1; g <= kGrpCount && !gTranceCancel; ++g) {
        if (exchange(Via::Resend, QStringLiteral("0RG"), HexZeroPad(g, 2), 13) != 0) {
            CommPortClose();
            progress.close();
            return 1;
        }
        const auto group = link::grpFromReply(g, gRecvData);
        if (!group) {
            link::refuseReply();
            progress.close();
            return 1;
        }
        gTusinStr[g - 1] = gRecvData;
        read[g][0] = group->first;
        read[g][1] = group->second;
        progress.setValue(g - 1);
    }
    progress.close();
    CommPortClose();
    if (gTranceCancel) {
        gTranceCancel = false;
        return 2;
    }
    for (int g = 1; g <= kGrpCount; ++g) {
        gGrpDataIn[g][0] = read[g][0];
        gGrpDataIn[g][1] = read[g][1];
    }
    MarkGrpDataInComplete();
    return 0;
}

int WriteGrpDataToCt()
{
    QStringList records;
    for (int g = 1; g <= kGrpCount; ++g) {
        const auto record = link::grpRecord(g, gGrpData[g][0], gGrpData[g][1]);
        if (!record) {
            ResMsgBox({820, 821});
            return 1;
        }
        records.append(*record);
        gTusinStr[g - 1] = *record;
    }
    return sendRecords(QStringLiteral("0WG"), records, QStringLiteral("3"));
}

int ReadSqMcrFromCt()
{
    WaitCursor cursor;
    for (int slot = 0; slot < kSmMacros; ++slot)
        gTusinStr[slot] = QString();
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(368, kSmMacros);

    int commands[kSmMacros][16];
    int data[kSmMacros][16];
    for (int m = 0; m < kSmMacros; ++m) {
        bool good = exchange(Via::Resend, QStringLiteral("0RS"), HexZeroPad(m + 1, 2), 39) == 0;
        if (good && !link::smFromReply(m, gRecvData, commands[m], data[m])) {
            link::refuseReply();
            good = false;
        }
        if (!good) {
            CommPortClose();
            progress.close();
            link::enableMainCommands();
            return 1;
        }
        gTusinStr[m] = gRecvData;
        progress.setValue(m + 1);
    }
    progress.close();
    CommPortClose();
    for (int m = 0; m < kSmMacros; ++m)
        for (int s = 0; s < 16; ++s) {
            gSmDataIn[s][2 * m] = commands[m][s];
            gSmDataIn[s][2 * m + 1] = data[m][s];
        }
    MarkSmDataInComplete();
    return 0;
}

int WriteSqMcrToCt()
{
    QStringList records;
    for (int m = 0; m < kSmMacros; ++m) {
        int commands[16];
        int data[16];
        for (int s = 0; s < 16; ++s) {
            commands[s] = gSmData[s][2 * m];
            data[s] = gSmData[s][2 * m + 1];
        }
        const auto record = link::smRecord(m, commands, data);
        if (!record) {
            ResMsgBox({921, 922});
            return 1;
        }
        records.append(*record);
        gTusinStr[m] = *record;
    }
    return sendRecords(QStringLiteral("0WS"), records, QStringLiteral("1"));
}
