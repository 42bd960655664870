#include "app/core/command_line.h"

#include "platform/core/string_utils.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kTestModeSwitch = u"/testmode";
constexpr std::u16string_view kAllProductSwitch = u"/all-product";

} // namespace

CommandLineSwitches ParseCommandLine(std::u16string_view commandLine)
{
    std::u16string lower(commandLine);
    // Only the ASCII letters matter: the switches are ASCII, and apart from A to Z the only
    // characters whose lower case is ASCII are dotted capital I and the Kelvin sign, whose
    // lower-case letters (i, k) appear in neither switch.
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    CommandLineSwitches switches;
    switches.testMode = lower.find(kTestModeSwitch) != std::u16string::npos ? 1 : 0;
    switches.productFilterOn = lower.find(kAllProductSwitch) != std::u16string::npos ? 0 : 1;
    return switches;
}

CommandLineSwitches ParseCommandLine(const std::vector<std::u16string>& arguments)
{
    std::u16string joined;
    for (const auto& argument : arguments)
        joined.append(joined.empty() ? u"" : u" ").append(argument);
    return ParseCommandLine(joined);
}
