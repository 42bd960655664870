#pragma once
// A colour value as packs write it: red in bits 0-7, green in bits 8-15, blue in bits 16-23,
// bits 24-31 zero.
#include <cstdint>

using COLORREF = uint32_t;

constexpr COLORREF MakeColorRef(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<COLORREF>(red) | static_cast<COLORREF>(green) << 8 | static_cast<COLORREF>(blue) << 16;
}
constexpr uint8_t ColorRefRed(COLORREF c)
{
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t ColorRefGreen(COLORREF c)
{
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t ColorRefBlue(COLORREF c)
{
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
