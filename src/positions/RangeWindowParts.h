#pragma once

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What the position range windows share: the captioned first and last number boxes, and the
// OK and Cancel row.
namespace rangewindow {

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

} // namespace rangewindow
