#include "cli/core/utf16_file_text.h"

#include <cstdint>

namespace {

constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

void AppendUtf8(char32_t code, std::string& out)
{
    const auto byte = [&out](uint32_t value) { out += static_cast<char>(value); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

FileText DecodeUtf16(std::string_view units, bool bigEndian)
{
    if (units.size() % 2 != 0)
        return {FileTextStatus::BadUtf16, {}};
    const auto unitAt = [&units, bigEndian](size_t i) {
        const auto first = static_cast<uint8_t>(units[i]);
        const auto second = static_cast<uint8_t>(units[i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    FileText text;
    text.utf8.reserve(units.size());
    for (size_t i = 0; i < units.size(); i += 2) {
        const char16_t unit = unitAt(i);
        char32_t code = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return {FileTextStatus::BadUtf16, {}};
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const char16_t low = i + 3 < units.size() ? unitAt(i + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF)
                return {FileTextStatus::BadUtf16, {}};
            code = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
            i += 2;
        }
        AppendUtf8(code, text.utf8);
    }
    return text;
}

} // namespace

FileText Utf8OfFileText(std::string_view bytes)
{
    if (bytes.starts_with(kLittleEndianMark))
        return DecodeUtf16(bytes.substr(kLittleEndianMark.size()), false);
    if (bytes.starts_with(kBigEndianMark))
        return DecodeUtf16(bytes.substr(kBigEndianMark.size()), true);
    return {FileTextStatus::Ok, std::string(bytes)};
}
