#pragma once

// The current actuator setting in the stored settings (section "Settings", keys "DevSize1" to
// "DevSize4" and their kin). LoadDevSetting: 0 every axis valid, 1 an axis is not (its values
// stay as they were, the other axes load). SaveDevSetting writes the axes in use; 0 written.
int LoadDevSetting();
int SaveDevSetting();
