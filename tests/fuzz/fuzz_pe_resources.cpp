// Resource libraries from arbitrary bytes: headers, the resource directory, string bundles,
// bitmaps and icons must all be read without a read past the input, and in bounded time.
#include "platform/core/pe_resources.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// The pixels a pack load may decode, as the program budgets them: a few bytes of run-length
// data can claim 16 million pixels, so without a budget any reader of every bitmap is slow.
constexpr int64_t kPixelBudget = 16 * 1024 * 1024;

void DecodeBitmaps(const pe::PeResourceFile& file)
{
    int64_t budget = kPixelBudget;
    for (const pe::ResourceEntry& e : file.Bitmaps()) {
        const pe::DibLayoutResult header = pe::ReadDibLayout(file.Data(e));
        const int64_t pixels = int64_t{header.layout.width} * header.layout.height;
        if (header.status != pe::DibStatus::Ok || pixels > budget)
            continue;
        budget -= pixels;
        file.DecodeBitmap(e.id);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    const pe::PeParseResult parsed = pe::ParsePeResources(std::move(bytes));
    if (parsed.status != pe::PeStatus::Ok)
        return 0;
    parsed.file.Strings();
    DecodeBitmaps(parsed.file);
    for (const pe::ResourceEntry& e : parsed.file.GroupIcons())
        parsed.file.DecodeIcon(e.id);
    return 0;
}
