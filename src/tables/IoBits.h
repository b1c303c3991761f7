#pragma once

#include <QString>
#include <QStringView>

// The controller's input and output words: six hexadecimal digits d (0 to 5; a seventh slot
// is kept free), each of four bits b with the weights 8, 4, 2, 1 for b = 0 to 3. Digits 2 to 4
// carry a position number in binary-coded decimal (hundreds, tens, units).
constexpr int kIoDigits = 7;
constexpr int kIoDigitsUsed = 6;
constexpr int kIoBitsPerDigit = 4;

extern bool gInputBit[kIoDigits][kIoBitsPerDigit];  // inputs as last read ("0RI")
extern bool gOutputBit[kIoDigits][kIoBitsPerDigit]; // outputs as last read ("0RO") or written ("0WO")
extern bool gOutputReq[kIoDigits][kIoBitsPerDigit]; // toggles the monitor asked for

namespace tables {

using IoWord = bool[kIoDigits][kIoBitsPerDigit];

// The weight of bit b: 8, 4, 2, 1.
constexpr int ioBitWeight(int bit) { return 8 >> bit; }

// Six hexadecimal digits into the bits of `word` (digit 6 cleared). False, and `word`
// untouched, when the text is not exactly six hexadecimal digits.
bool decodeIoWord(QStringView digits, IoWord &word);
// The six digits of `word`, upper case.
QString encodeIoWord(const IoWord &word);
// Inverts every bit whose request is set and clears the request.
void applyOutputRequests(IoWord &outputs, IoWord &requests);

void resetIoBits();

} // namespace tables
