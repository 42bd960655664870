#pragma once
// The value grammars of the skin text: numbers, "(a,b)" pairs and "rgb(r,g,b)" colours.
// Numbers convert like the C library's decimal conversion but saturate at the 32-bit limits
// instead of wrapping, so an absurdly long number can never turn into a small valid one.
#include "platform/core/color_ref.h"

#include <cstdint>
#include <string_view>

// What IsSkinNumber and ParseRgb answer for text that does not fit their grammar.
inline constexpr int kSkinValueError = 0xA401;

enum class SkinValueStatus
{
    Ok,
    Invalid,
    Absent, // colour text without "rgb(" or its ")": nothing to parse, nothing wrong
};

struct SkinPair
{
    SkinValueStatus status = SkinValueStatus::Invalid;
    int32_t first = 0;
    int32_t second = 0;
};

struct SkinColor
{
    SkinValueStatus status = SkinValueStatus::Invalid;
    COLORREF value = 0; // 0 unless Ok
};

// 0 when the text, trimmed of white space, is an optional "-" and one or more digits;
// kSkinValueError otherwise.
int IsSkinNumber(std::u16string_view text);
// Leading white space, an optional sign, then digits up to the first non-digit (no digits: 0),
// saturated to the int32_t range: DecimalValue, under the skin's name.
int32_t SkinNumberValue(std::u16string_view text);

// "(first,second)". The first number lies between the first "(" and the first "," after it,
// the second between the first "," of the text and the first ")" after it; each must be a
// number. A missing delimiter leaves its number at 0 without failing: "()" gives (0, 0).
SkinPair ParseSkinPair(std::u16string_view text);

// An item's pair key: a valid pair is stored and sets the key's flag; anything else clears the
// flag and leaves the stored numbers alone.
template <class Flags>
void TakeSkinPair(std::u16string_view value, int32_t& first, int32_t& second, Flags& flags, size_t key)
{
    const SkinPair pair = ParseSkinPair(value);
    flags.set(key, pair.status == SkinValueStatus::Ok);
    if (pair.status == SkinValueStatus::Ok) {
        first = pair.first;
        second = pair.second;
    }
}

// An item's number key: a number is stored and sets the key's flag; anything else leaves both
// alone.
template <class Flags>
void TakeSkinNumber(std::u16string_view value, int32_t& target, Flags& flags, size_t key)
{
    if (IsSkinNumber(value) != 0)
        return;
    target = SkinNumberValue(value);
    flags.set(key);
}

// Finds "rgb(" (any case) and the first ")" after it; Absent when either is missing, else the
// result of ParseRgb on that part (Invalid leaves value 0).
SkinColor ParseSkinColor(std::u16string_view text);

// Text of more than 9 characters, "rgb(" (lower case) ... ")", three comma-separated numbers
// 0-255. Ok with red + 256 * green + 65536 * blue, or Invalid.
SkinColor ParseRgb(std::u16string_view text);

// An item's colour key: the flag is set unless the colour is Invalid (text without a colour
// counts as given), and only a valid colour is stored.
template <class Flags>
void TakeSkinColor(std::u16string_view value, COLORREF& target, Flags& flags, size_t key)
{
    const SkinColor color = ParseSkinColor(value);
    flags.set(key, color.status != SkinValueStatus::Invalid);
    if (color.status == SkinValueStatus::Ok)
        target = color.value;
}
