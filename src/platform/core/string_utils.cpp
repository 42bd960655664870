#include "platform/core/string_utils.h"

#include <limits>

namespace {

template <class Char>
std::basic_string<Char> Extract(std::basic_string_view<Char> start, std::basic_string_view<Char> end,
                                std::basic_string_view<Char> fallback, std::basic_string_view<Char> text)
{
    if (start.empty())
        return std::basic_string<Char>(fallback);
    const size_t s = text.find(start);
    if (s == std::basic_string_view<Char>::npos)
        return std::basic_string<Char>(fallback);
    const size_t e = text.find(end, s + 1);
    if (e == std::basic_string_view<Char>::npos)
        return std::basic_string<Char>(fallback);
    const size_t from = s + start.size();
    return from >= e ? std::basic_string<Char>() : std::basic_string<Char>(text.substr(from, e - from));
}

template <class Char> bool IsCBlank(Char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <class Char> int32_t Decimal(std::basic_string_view<Char> text)
{
    size_t i = 0;
    while (i < text.size() && IsCBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

template <class Char> int DottedQuad(std::basic_string_view<Char> text, std::array<int32_t, 4>& parts)
{
    constexpr size_t npos = std::basic_string_view<Char>::npos;
    const size_t first = text.find('.');
    if (first == npos || first == 0)
        return -1;
    const size_t second = text.find('.', first + 1);
    if (second == npos)
        return -1;
    const size_t third = text.find('.', second + 1);
    if (third == npos)
        return -1;
    parts[0] = Decimal(text.substr(0, first));
    parts[1] = Decimal(text.substr(first + 1, second - first - 1));
    parts[2] = Decimal(text.substr(second + 1, third - second - 1));
    parts[3] = Decimal(text.substr(third + 1));
    return 0;
}

uint8_t Nibble(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint8_t>(c - 'a' + 10);
    return 255;
}

} // namespace

bool IsBlank(char16_t c)
{
    return IsCBlank(c);
}

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

int32_t DecimalValue(std::u16string_view text)
{
    return Decimal(text);
}

std::u16string ExtractBetween(std::u16string_view start, std::u16string_view end,
                              std::u16string_view fallback, std::u16string_view text)
{
    return Extract(start, end, fallback, text);
}

std::string ExtractBetween(std::string_view start, std::string_view end, std::string_view fallback,
                           std::string_view text)
{
    return Extract(start, end, fallback, text);
}

int32_t ReadDecimal(std::string_view text)
{
    return Decimal(text);
}

int ParseDottedQuad(std::u16string_view text, std::array<int32_t, 4>& parts)
{
    return DottedQuad(text, parts);
}

int ParseDottedQuad(std::string_view text, std::array<int32_t, 4>& parts)
{
    return DottedQuad(text, parts);
}

void ParseHexKey(std::string_view text, std::span<uint8_t> out)
{
    // The text ends at its first NUL, as the fixed-size buffer it comes from does.
    text = text.substr(0, text.find('\0'));
    auto nibbleAt = [text](size_t i) -> unsigned { return i < text.size() ? Nibble(text[i]) : 255u; };
    for (size_t j = 0; j < out.size(); ++j)
        out[j] = static_cast<uint8_t>((nibbleAt(2 * j) * 16 + nibbleAt(2 * j + 1)) % 256);
}
