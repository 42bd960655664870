#pragma once
// Conversions between wide (UTF-16) text and the narrow ANSI code page, Windows-1252.
// Every narrow text of a camera record is bytes in this code page.
//
// Fixed-width forms: the output is cleared, filled from the input up to its first NUL and
// always NUL-terminated within its size (a longer input is cut). A size of 0 writes nothing.
// Characters the code page lacks become "?" (one per character, also for a surrogate pair).
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value and back, so no byte is ever lost on a round trip.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

void ToNarrow(size_t outSize, char* out, std::u16string_view wide);
void ToNarrow(std::span<char> out, std::u16string_view wide);
void ToNarrow(std::span<uint8_t> out, std::u16string_view wide);
void ToWide(size_t outChars, char16_t* out, std::string_view narrow);
void ToWide(std::span<char16_t> out, std::string_view narrow);

// Whole-string forms: no width limit; conversion still stops at the first NUL.
std::string ToNarrow(std::u16string_view wide);
std::u16string ToWide(std::string_view narrow);

// One character each way; NarrowChar gives '?' for anything the code page lacks.
char NarrowChar(char16_t wide);
char16_t WideChar(char narrow);
