#include "tables/IoBits.h"

#include <cstring>

bool gInputBit[kIoDigits][kIoBitsPerDigit] = {};
bool gOutputBit[kIoDigits][kIoBitsPerDigit] = {};
bool gOutputReq[kIoDigits][kIoBitsPerDigit] = {};

namespace tables {

bool decodeIoWord(QStringView digits, IoWord &word)
{
    if (digits.size() != kIoDigitsUsed)
        return false;
    int values[kIoDigitsUsed];
    for (int d = 0; d < kIoDigitsUsed; ++d) {
        bool ok = false;
        values[d] = digits.mid(d, 1).toInt(&ok, 16);
        if (!ok)
            return false;
    }
    for (int d = 0; d < kIoDigits; ++d)
        for (int b = 0; b < kIoBitsPerDigit; ++b)
            word[d][b] = d < kIoDigitsUsed && (values[d] & ioBitWeight(b)) != 0;
    return true;
}

QString encodeIoWord(const IoWord &word)
{
    QString text;
    for (int d = 0; d < kIoDigitsUsed; ++d) {
        int value = 0;
        for (int b = 0; b < kIoBitsPerDigit; ++b)
            if (word[d][b])
                value += ioBitWeight(b);
        text += QString::number(value, 16).toUpper();
    }
    return text;
}

void applyOutputRequests(IoWord &outputs, IoWord &requests)
{
    for (int d = 0; d < kIoDigits; ++d)
        for (int b = 0; b < kIoBitsPerDigit; ++b)
            if (requests[d][b]) {
                outputs[d][b] = !outputs[d][b];
                requests[d][b] = false;
            }
}

void resetIoBits()
{
    std::memset(gInputBit, 0, sizeof gInputBit);
    std::memset(gOutputBit, 0, sizeof gOutputBit);
    std::memset(gOutputReq, 0, sizeof gOutputReq);
}

} // namespace tables
