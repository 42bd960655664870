#pragma once
// The switches of the command line. "/testmode" and "/all-product" are found anywhere in the
// lower-cased command line, as plain substrings: case does not matter, no separating blank is
// needed, and any other text is ignored. "--to ADDRESS", "--to=ADDRESS" and "/to:ADDRESS"
// (repeatable) name cameras behind a router, which every search also asks directly, or ranges
// of addresses (a CIDR block or a dash range) that every search sweeps.
#include "platform/core/address_range.h"

#include <string>
#include <string_view>
#include <vector>

struct CommandLineSwitches
{
    bool testMode = false;       // set by "/testmode"
    bool productFilterOn = true; // cleared by "/all-product"

    bool operator==(const CommandLineSwitches&) const = default;
};

// `commandLine` is the whole command line of the process, program path included.
CommandLineSwitches ParseCommandLine(std::u16string_view commandLine);
// The same for a command line given as its arguments, joined with blanks.
CommandLineSwitches ParseCommandLine(const std::vector<std::u16string>& arguments);

struct UnicastTargets
{
    std::vector<std::string> addresses; // in order, each a dotted address
    std::vector<NamedRange> ranges;     // blocks and dash ranges, in order
    std::string refused;                // the first value refused, "" when none
    std::string why;                    // why it was refused, as the end of "invalid value for --to: "
};

// The --to and /to: values among the arguments. An address has four decimal parts of 0 to 255
// and is not 0.0.0.0; a range holds at most a /16, and so do all of them together; any other
// value is refused.
UnicastTargets ParseUnicastTargets(const std::vector<std::u16string>& arguments);
// The same for a whole command line, its arguments separated by blanks.
UnicastTargets ParseUnicastTargets(std::u16string_view commandLine);
