#pragma once

class QWidget;

namespace platform {

// Rules every window of the program follows, whoever made it, watched for the whole application
// from the moment the application object is made (every executable that links the system has
// them, the program and each test):
// - A text field (line edit, spin box, editable list) that the program gives the focus to has
//   its whole text selected, as Tab selects it, so the first key typed replaces the value shown
//   instead of adding to it: a window's first focus as it is shown (named by the window or
//   chosen by Qt) and every setFocus of the program's. A click keeps its cursor, a window made
//   active again (after a box, from another window) keeps its field as it was, and an item
//   view's editor keeps its delegate's rule.
// - A window with a title bar is at least as wide as its title bar needs to show the title
//   whole (titleBarWidth), as far as the available area leaves room: as it is shown, and when
//   its title changes while it is shown.

// The room for a window's icon and its three buttons (minimize, maximize, close: 32 pixels
// each), with 8 pixels on either side of the title bar.
constexpr int kTitleBarIconAndButtons = 128;

// The width a window's title bar needs to show its title whole: the title in the application's
// font made bold, as window managers draw titles, and the icon and the buttons.
int titleBarWidth(const QWidget &window);

// Installs the rules on the running application; the application's start calls it, once.
void installWindowRules();

} // namespace platform
