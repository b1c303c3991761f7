#pragma once

#include <QChar>
#include <QString>

// What the options window checks, applies and stores; the window only wires its controls here.
namespace app::options {

enum class KeyVerdict {
    Pass,      // the key reaches the box
    Drop,      // nothing is typed
    EnterMoves // Enter: nothing is typed, the focus moves on
};

// A typed character for the port box, which holds one character of "0" to "3".
KeyVerdict portKey(QChar key, int currentLength);
// A typed character for the pulse-feed velocity box, which holds two digits.
KeyVerdict jogVelKey(QChar key, int currentLength, bool hasSelection);

// A box's whole number, read as every numeric field is (platform::fieldInteger); a text that
// is not wholly one within 16 bits counts 0, out of every range here.
int boxNumber(const QString &text);
bool jogVelValid(const QString &text);

// The serial device that port number n stands for on this machine.
QString portDevice(int portNo);

// The values the window opens with (the stored value where a variable is out of range).
struct Loaded
{
    QString portText;
    bool japanese = false;
    bool japaneseEnabled = true;
    bool mmUnit = true;
    bool roundUp = true;
    bool portOccupy = true;
    QString velText;
    int acc = 3;  // 1 to 3
    int acc2 = 2; // 1 to 3
};
Loaded load();

struct Choices
{
    QString portText;
    bool japanese = false;
    bool mmUnit = true;
    bool roundUp = true;
    bool portOccupy = true;
    QString velText; // valid (jogVelValid) by the time it is applied
    int acc = 0;     // 0: no option selected, the value stays
    int acc2 = 0;
};

struct Outcome
{
    bool portChanged = false;
    bool unitChanged = false;
    bool unitRefused = false;
};

// Applies and stores the choices of OK (the velocity already checked).
Outcome apply(const Choices &choices);

} // namespace app::options
