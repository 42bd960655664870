// Dotted addresses from arbitrary bytes, as narrow text and widened.
#include "platform/core/string_utils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string narrow(reinterpret_cast<const char*>(data), size);
    const std::u16string wide(narrow.begin(), narrow.end());
    constexpr std::array<int32_t, 4> marker{-7, -7, -7, -7};
    std::array<int32_t, 4> fromNarrow = marker;
    std::array<int32_t, 4> fromWide = marker;
    const int narrowResult = ParseDottedQuad(narrow, fromNarrow);
    const int wideResult = ParseDottedQuad(wide, fromWide);
    if (narrowResult != wideResult || fromNarrow != fromWide)
        std::abort();
    if (narrowResult != 0 && fromNarrow != marker)
        std::abort();
    (void)ExtractBetween(u".", u".", u"d", wide);
    return 0;
}
