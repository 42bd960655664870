#pragma once
// Small text helpers shared by the parsers: the test-mode camera file, the skin text, the
// command line and the wireless key fields.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The C library's white space: space, tab, line feed, vertical tab, form feed, carriage return.
bool IsBlank(char16_t c);
// A to Z lower-cased; every other character is kept.
char16_t AsciiLower(char16_t c);
// The C library's decimal conversion: leading white space, an optional sign, then digits up to
// the first non-digit (no digits: 0), saturated to the int32_t range.
int32_t DecimalValue(std::u16string_view text);

// The text between the first `start` marker and the first `end` marker searched from one
// character after the start marker's position. `fallback` when the start marker is empty or
// missing, or no end marker follows. Empty when the end marker begins inside the start marker.
std::u16string ExtractBetween(std::u16string_view start, std::u16string_view end,
                              std::u16string_view fallback, std::u16string_view text);
std::string ExtractBetween(std::string_view start, std::string_view end, std::string_view fallback,
                           std::string_view text);

// A number read as the C library's decimal conversion reads it: leading blanks, a sign, digits
// up to the first other character (none: 0), saturated to int32_t.
int32_t ReadDecimal(std::string_view text);

// Splits "a.b.c.d" at its first three dots (the first not at position 0) and converts each
// part like the C library's decimal conversion (saturated to int32_t; empty gives 0); no range
// check. 0 on success; -1 with `parts` untouched when a dot is missing.
int ParseDottedQuad(std::u16string_view text, std::array<int32_t, 4>& parts);
int ParseDottedQuad(std::string_view text, std::array<int32_t, 4>& parts);

// Byte j of `out` is made of characters 2j and 2j+1 of `text`: hex digits give 0-15, anything
// else (also past the end of the text) gives 255, and the byte is (high * 16 + low) mod 256.
void ParseHexKey(std::string_view text, std::span<uint8_t> out);
