#pragma once

// The current actuator setting in the stored settings (section "Settings", keys "DevSize1" to
// "DevSize4" and their kin). LoadDevSetting: 0 every axis valid, 1 an axis is not (its values
// stay as they were, the other axes load). SaveDevSetting writes the axes in use; 0 written.
// A catalogue that cannot be read (missing or damaged) is told once (unless the caller tells it
// itself) and the lead and pulses per revolution then come from the stored settings.
int LoadDevSetting(bool tellMissingCatalogue = true);
int SaveDevSetting();
