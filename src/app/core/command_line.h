#pragma once
// The two switches of the command line. They are found anywhere in the lower-cased command
// line, as plain substrings: case does not matter, no separating blank is needed, and any
// other text is ignored.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CommandLineSwitches
{
    int32_t testMode = 0;        // 1 with "/testmode"
    int32_t productFilterOn = 1; // 0 with "/all-product"

    bool operator==(const CommandLineSwitches&) const = default;
};

// `commandLine` is the whole command line of the process, program path included.
CommandLineSwitches ParseCommandLine(std::u16string_view commandLine);
// The same for a command line given as its arguments, joined with blanks.
CommandLineSwitches ParseCommandLine(const std::vector<std::u16string>& arguments);
