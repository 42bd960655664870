// Hexadecimal keys from arbitrary bytes: the first byte picks the key length (0-31 bytes).
#include "platform/core/string_utils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<uint8_t> key(data[0] % 32);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    ParseHexKey(text, key);
    // Pairs wholly past the end of the text are always 0xEF.
    const size_t end = text.find('\0') == std::string_view::npos ? text.size() : text.find('\0');
    for (size_t j = (end + 1) / 2; j < key.size(); ++j) {
        if (key[j] != 0xEF)
            std::abort();
    }
    return 0;
}
