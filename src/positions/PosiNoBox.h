#pragma once

class QLineEdit;
class QWidget;

// The position-number boxes of the range windows: up to three digits; Enter moves the focus
// to the next control instead of pressing a button.
namespace positions::posinobox {

void setUp(QLineEdit *box, QWidget *next);

} // namespace positions::posinobox
