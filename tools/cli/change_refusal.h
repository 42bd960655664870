#pragma once
// Whether a save's settings change may be written: the wizard's own rules, with the wizard's
// English words, and the lengths a camera stores. Before any camera has answered only the
// values given are checked (a typo is reported at once instead of after a whole search); once
// the camera has answered, with its own values for the rest.
#include "cli_options.h"
#include "device/core/device_info.h"

#include <string>

// Empty when the change is accepted; otherwise one line saying which value is refused.
std::string ChangeRefusal(const CliOptions& options, const DeviceInfo* camera = nullptr);
