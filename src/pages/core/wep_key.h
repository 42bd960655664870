#pragma once
// WEP keys made from a passphrase, the two ways cameras and access points commonly do it: four
// 64-bit keys (5 bytes each) from a linear-congruential generator seeded by the passphrase, and
// one 128-bit key (13 bytes) from the MD5 digest of the passphrase repeated to 64 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr size_t kWep64KeyBytes = 5;
inline constexpr size_t kWep128KeyBytes = 13;
// The passphrase is read as at most this many bytes of the narrow code page.
inline constexpr size_t kWepPassphraseBytes = 64;

using Wep64Key = std::array<uint8_t, kWep64KeyBytes>;
using Wep128Key = std::array<uint8_t, kWep128KeyBytes>;

// Seed: byte i of the passphrase XORed into byte (i mod 4) of a 32-bit value; then twenty
// steps of x = x * 214013 + 2531011 (mod 2^32), each giving bits 16-23 of x as one key byte.
std::array<Wep64Key, 4> GenerateWep64Keys(std::string_view passphrase);
// The first 13 bytes of MD5 over 64 bytes of the passphrase repeated; an empty passphrase
// gives all zeros (there is nothing to repeat).
Wep128Key GenerateWep128Key(std::string_view passphrase);

// Key bytes as lower-case hexadecimal digits, two per byte.
std::string KeyHexText(std::span<const uint8_t> key);
