// Resource libraries from arbitrary bytes: headers, the resource directory, string bundles,
// bitmaps and icons must all be read without a read past the input.
#include "platform/core/pe_resources.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    const pe::PeParseResult parsed = pe::ParsePeResources(std::move(bytes));
    if (parsed.status != pe::PeStatus::Ok)
        return 0;
    parsed.file.Strings();
    for (const pe::ResourceEntry& e : parsed.file.Bitmaps())
        parsed.file.DecodeBitmap(e.id);
    for (const pe::ResourceEntry& e : parsed.file.GroupIcons())
        parsed.file.DecodeIcon(e.id);
    return 0;
}
