#pragma once
// The values a save command would write, checked before anything is sent: a typo is reported
// at once instead of after a whole search.
#include "cli_options.h"

#include <string>

// Empty when every value passes the wizard's rules on its own; otherwise the error line. A value
// that is wrong only for a particular camera (an address for a camera that uses DHCP) is
// reported once that camera has answered.
std::string CheckSettingsValues(const CliOptions& options);
