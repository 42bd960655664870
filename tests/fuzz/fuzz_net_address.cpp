// Addresses typed on a command line or in a batch file: an IPv4 address read back must print as
// text that reads to the same address, and a normalised MAC address must normalise to itself.
#include "platform/core/net_address.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto address = ParseIpv4(text)) {
        const std::string printed = std::to_string((*address)[0]) + "." + std::to_string((*address)[1]) +
                                    "." + std::to_string((*address)[2]) + "." + std::to_string((*address)[3]);
        if (ParseIpv4(printed) != address || !SplitDottedParts(text))
            std::abort();
    }
    if (const auto mac = NormaliseMac(text)) {
        if (NormaliseMac(*mac) != mac || mac->size() != 17 || !ParseMac(text))
            std::abort();
    }
    return 0;
}
