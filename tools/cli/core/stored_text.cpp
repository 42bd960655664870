#include "cli/core/stored_text.h"

#include "platform/core/code_page.h"

#include <cstdio>

namespace {

constexpr std::string_view kCodePageOnly = "a camera cannot store (Windows-1252 characters only)";

size_t Utf8Width(char32_t code)
{
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

bool InCodePage(char32_t code)
{
    return code == U'?' || (code <= 0xFFFF && NarrowChar(static_cast<char16_t>(code)) != '?');
}

// The first character the code page lacks: its place (from 1), its code point and its UTF-8
// bytes, taken from `text`, whose code points `codes` are.
struct ForeignCharacter
{
    size_t place;
    char32_t code;
    std::string_view utf8;
};

std::optional<ForeignCharacter> FirstForeignCharacter(std::string_view text, const std::u32string& codes)
{
    size_t at = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        const size_t width = Utf8Width(codes[i]);
        if (!InCodePage(codes[i]))
            return ForeignCharacter{i + 1, codes[i], text.substr(at, width)};
        at += width;
    }
    return std::nullopt;
}

bool IsControl(char32_t code)
{
    return code <= 0x1F || (code >= 0x7F && code <= 0x9F);
}

std::string CodePointText(char32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

// "its character 5 is a control character (U+0001)", for a secret too: the code of a control
// character tells nothing of the rest.
std::string ControlRefusal(const std::u32string& codes)
{
    for (size_t i = 0; i < codes.size(); ++i) {
        if (IsControl(codes[i]))
            return "its character " + std::to_string(i + 1) + " is a control character (" +
                   CodePointText(codes[i]) + ")";
    }
    return {};
}

} // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text)
{
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x06 ? 1
                          : (lead >> 4) == 0x0E ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size())
            return std::nullopt;
        char32_t code = extra == 0 ? lead : (lead & (0x3F >> extra));
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        out += code;
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string StoredTextRefusal(std::string_view text, TextKind kind)
{
    const auto codes = DecodeUtf8(text);
    if (!codes)
        return "not UTF-8 text";
    if (std::string refusal = ControlRefusal(*codes); !refusal.empty())
        return refusal;
    const auto foreign = FirstForeignCharacter(text, *codes);
    if (!foreign)
        return {};
    if (kind == TextKind::Secret)
        return "its character " + std::to_string(foreign->place) + " is one " + std::string(kCodePageOnly);
    return "'" + std::string(text) + "' holds '" + std::string(foreign->utf8) + "' (" +
           CodePointText(foreign->code) + "), which " + std::string(kCodePageOnly);
}
