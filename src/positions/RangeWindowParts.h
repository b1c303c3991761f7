#pragma once

#include <functional>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// What the position range windows share: the captioned first and last number boxes, and the
// OK and Cancel row.
namespace positions::rangewindow {

struct NumberBoxes
{
    QLabel *startLabel = nullptr; // lblStartPosiMoji
    QLabel *endLabel = nullptr;   // lblEndPosiMoji
    QLineEdit *start = nullptr;   // txtStartPosiNo
    QLineEdit *end = nullptr;     // txtEndPosiNo
};

// Makes the boxes and their captions children of `parent` and lays them out in two rows of
// `grid`, each caption the buddy of its box.
NumberBoxes addNumberBoxes(QWidget *parent, QGridLayout *grid);

struct OkCancel
{
    QPushButton *ok = nullptr;     // cmdSelectPosiOk
    QPushButton *cancel = nullptr; // cmdSelectPosiCancel
    QHBoxLayout *row = nullptr;    // both at the right; for the window to place
};

OkCancel makeOkCancel(QWidget *parent);

// The explanation at the top of the range windows of the read and the write (lblSetumeiSelectNo).
void addExplanation(QWidget *parent, QVBoxLayout *column);
// A sunken rule, then the OK and Cancel row, at the foot of `column`.
OkCancel addRuleAndButtons(QWidget *parent, QVBoxLayout *column);
// Enter in the first box moves to the last, in the last to OK; OK runs `ok` and Cancel
// rejects the window.
void wireNumbersAndButtons(QDialog *window, const NumberBoxes &boxes, const OkCancel &buttons,
                           std::function<void()> ok);
// OK of a range window: a refused range (result other than 0) says 1610 and keeps the window
// open; an accepted one closes it.
void acceptOrTell(QDialog *window, int result);

} // namespace positions::rangewindow
