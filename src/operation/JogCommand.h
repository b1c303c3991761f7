#pragma once

#include <QString>

// The controller commands of the jog window, built from the operator's press.
namespace operation::jog {

constexpr int kButtons = 8; // cmdJOG 0 to 7: axis i / 2 + 1, even forward, odd backward
constexpr qint32 kMaxTarget = 0xFFFFF; // the largest target five hexadecimal digits hold

// The inching amount of option optJOG 1 to 3 (1, 10, 100 pulses); 0 for the JOG feed.
int inchingAmount(int option);
// The slot of the jog settings that serves an amount: 0 for 100 pulses, 1 for 10, 2 for 1.
int settingSlot(int amount);

// "0JR" with the four direction digits and the speed field of the velocity shown.
QString jogFeedCommand(int button, int velocity);

// "0MV" moving the button's axis by `amount` pulses from `present`, kept within 0 and
// min(`limit`, kMaxTarget), with the jog settings of the amount and the axis' actuator; every
// other axis still. A forward press at or beyond that top has the move flag "0".
QString inchingCommand(int amount, int button, qint32 present, qint32 limit);

} // namespace operation::jog

// The five stored jog values into AppSettings; a value outside its range loads as 1.
void LoadJogSetting();
