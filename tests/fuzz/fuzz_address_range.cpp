// Ranges typed on a command line or in a batch file: an accepted range holds at most a /16, its
// printed form reads back to the same range, and a sweep of it walks exactly its addresses.
#include "platform/core/address_range.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const RangeParse parse = ParseAddressRange(text);
    if (parse.status != RangeStatus::Ok)
        return 0;
    const AddressRange range = parse.range;
    if (range.last < range.first || range.Count() > kMaxRangeAddresses)
        std::abort();
    const RangeParse again = ParseAddressRange(RangeText(range));
    if (again.status != RangeStatus::Ok || again.range != range)
        std::abort();
    AddressSweep sweep;
    if (!sweep.Add(range) || !sweep.Add(range) || sweep.Count() != range.Count() ||
        sweep.At(0) != range.first || sweep.At(sweep.Count() - 1) != range.last || !sweep.Holds(range.last))
        std::abort();
    return 0;
}
