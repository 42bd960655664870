#pragma once
// Whether a camera applied a save whose answers were all lost: its record, asked for again,
// is compared with what the save sent. The date and time are left out: the camera's clock has
// moved on since the save.
#include "device/core/device_info.h"

// Every setting the save changed from `before` is as sent; false when it changed none of them
// (but the date and time), since the record then cannot tell: a save that changed only the
// clock is never proved applied.
bool HoldsChangedSettings(const DeviceInfo& before, const DeviceInfo& sent, const DeviceInfo& now);
