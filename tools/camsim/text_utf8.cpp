#include "text_utf8.h"

#include "platform/core/code_page.h"

#include <cstdint>

namespace {
// Decodes UTF-8 into UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view in)
{
    std::u16string out;
    for (size_t i = 0; i < in.size();) {
        const auto lead = static_cast<uint8_t>(in[i]);
        const int extra = lead < 0x80         ? 0
                          : (lead >> 5) == 6  ? 1
                          : (lead >> 4) == 14 ? 2
                          : (lead >> 3) == 30 ? 3
                                              : -1;
        uint32_t cp = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= in.size() || (static_cast<uint8_t>(in[i + k]) >> 6) != 2)
                ok = false;
            else
                cp = (cp << 6) | (static_cast<uint8_t>(in[i + k]) & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

// Windows-1252 decodes to the Basic Multilingual Plane only, so no surrogates appear.
std::string Utf8FromUtf16(std::u16string_view in)
{
    std::string out;
    for (char16_t c : in) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}
} // namespace

std::string NarrowFromUtf8(std::string_view utf8)
{
    return ToNarrow(Utf16FromUtf8(utf8));
}

std::string Utf8FromNarrow(std::string_view narrow)
{
    return Utf8FromUtf16(ToWide(narrow));
}
