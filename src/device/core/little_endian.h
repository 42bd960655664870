#pragma once
// Little-endian loads and stores on byte spans. Callers pass spans already cut to the field,
// so every access is inside the bytes they were given.
#include <cstdint>
#include <span>

inline uint16_t LoadLe16(std::span<const uint8_t, 2> bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void StoreLe16(std::span<uint8_t, 2> bytes, uint16_t value)
{
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

inline uint32_t LoadLe32(std::span<const uint8_t, 4> bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline void StoreLe32(std::span<uint8_t, 4> bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}
