// Bitmap and icon images from arbitrary bytes: every header, palette, bit-field and run-length
// path of the decoder, without the library around it.
#include "platform/core/dib_decoder.h"
#include "platform/core/icon_decoder.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    pe::DecodeDib(bytes);
    pe::DecodeIconImage(bytes);
    pe::RankIconEntries(pe::ReadGroupIcon(bytes).entries);
    return 0;
}
