#pragma once
// The address check of a save, after its search and before anything is written: a row that
// gives its camera a fixed address which another found camera keeps, or which this computer
// holds, is refused, since one of the two devices would drop off the network.
#include "cli_options.h"
#include "cli_session.h"

#include <functional>
#include <string>
#include <vector>

// Empty when no row clashes; otherwise one line for the first that does, which starts with
// `where(i)` for row i ("" for a single save, "FILE line N: " in a batch).
std::string CheckAddressClashes(const CliSession& session, const std::vector<CliOptions>& rows,
                                const std::function<std::string(size_t)>& where);
