#pragma once

// The state the start-up begins from, before the stored settings are read.
namespace app::startup {

// Parameters cleared, then each axis a used QZ axis of the new type; before the settings.
void resetAxesForStart();

} // namespace app::startup
