#include "platform/core/code_page.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kUnmappable = '?';

// Windows-1252 bytes 0x80 to 0x9F. The undefined ones keep their own value (C1 controls).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::u16string_view UpToNul(std::u16string_view text)
{
    return text.substr(0, std::min(text.find(u'\0'), text.size()));
}

std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

// Calls emit(char) once per character of `wide` (a surrogate pair is one character)
// until emit returns false.
template <class Emit> void ForEachNarrow(std::u16string_view wide, Emit emit)
{
    wide = UpToNul(wide);
    for (size_t i = 0; i < wide.size(); ++i) {
        char16_t c = wide[i];
        if (IsHighSurrogate(c) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1]))
            ++i;
        if (!emit(NarrowChar(c)))
            return;
    }
}

} // namespace

char NarrowChar(char16_t wide)
{
    if (wide < 0x80 || (wide >= 0xA0 && wide <= 0xFF))
        return static_cast<char>(wide);
    auto it = std::find(kHighControls.begin(), kHighControls.end(), wide);
    if (it == kHighControls.end())
        return kUnmappable;
    return static_cast<char>(0x80 + (it - kHighControls.begin()));
}

char16_t WideChar(char narrow)
{
    auto byte = static_cast<uint8_t>(narrow);
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

void ToNarrow(size_t outSize, char* out, std::u16string_view wide)
{
    if (outSize == 0 || out == nullptr)
        return;
    std::memset(out, 0, outSize);
    size_t written = 0;
    ForEachNarrow(wide, [&](char c) {
        if (written + 1 >= outSize)
            return false;
        out[written++] = c;
        return true;
    });
}

void ToNarrow(std::span<char> out, std::u16string_view wide)
{
    ToNarrow(out.size(), out.data(), wide);
}

void ToNarrow(std::span<uint8_t> out, std::u16string_view wide)
{
    ToNarrow(out.size(), reinterpret_cast<char*>(out.data()), wide);
}

void ToWide(size_t outChars, char16_t* out, std::string_view narrow)
{
    if (outChars == 0 || out == nullptr)
        return;
    std::fill(out, out + outChars, u'\0');
    narrow = UpToNul(narrow);
    size_t count = std::min(narrow.size(), outChars - 1);
    for (size_t i = 0; i < count; ++i)
        out[i] = WideChar(narrow[i]);
}

void ToWide(std::span<char16_t> out, std::string_view narrow)
{
    ToWide(out.size(), out.data(), narrow);
}

std::string ToNarrow(std::u16string_view wide)
{
    std::string result;
    result.reserve(wide.size());
    ForEachNarrow(wide, [&](char c) {
        result.push_back(c);
        return true;
    });
    return result;
}

std::u16string ToWide(std::string_view narrow)
{
    narrow = UpToNul(narrow);
    std::u16string result(narrow.size(), u'\0');
    std::transform(narrow.begin(), narrow.end(), result.begin(), WideChar);
    return result;
}
