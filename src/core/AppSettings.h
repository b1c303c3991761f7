#pragma once

// The settings of the run, read once at start and kept in memory; the options window and
// the store at exit write them back.

extern bool gDispMmUnit;   // positions shown in millimetres
extern bool gMmRoundUp;    // a millimetre value snapped to pulses rounds an exact half up
extern int gLanguage;      // 1 Japanese, any other value English
extern int gLangOffset;    // 0 for Japanese, 10000 for English
extern bool gLangChanged;  // the other language was asked for at the next start
extern int gPortNo;        // serial port number, 1 to 9
extern bool gPortOccupy;   // keep the port open between operations
extern int gVelOf100Pls[3];
extern int gAccOf100Pls[3];
extern int gAccOf100Pls2[3];
extern int gAccOfJog;
extern int gAccOfJog2;

namespace core::settings {

// Defaults of the stored keys of section "Settings".
constexpr int kDefDispMmUnit = 1;
constexpr int kDefLanguage = 2;
constexpr int kDefPortNo = 1;
constexpr int kDefPortOccupy = 1;
constexpr int kDefMmRoundUp = 1;
constexpr int kDefVelOf100Pls = 20;
constexpr int kDefAccOf100Pls = 3;
constexpr int kDefAccOf100Pls2 = 3;
constexpr int kDefAccOf100Pls2Options = 2;
constexpr int kDefAccOfJog = 3;
constexpr int kDefAccOfJog2 = 2;

void resetAppSettings();

// The start-up's reads: "DispMmUnit", "Language", then "PortNo", "PortOccupy" and
// "MmRoundUp"; no change of language asked yet.
void readStartupSettings();

int languageOffsetFor(int language);

// Ends a run of settings writes: syncs the store and, when any write of the run failed, tells
// the operator once, naming the settings file. True when everything was written.
bool finishSettingsWrites();

} // namespace core::settings

// The store at exit: port number, then the language (switched first when a change was asked).
// 0 written, 1 not (the operator has been told).
int StoreSettingsAtExit();
