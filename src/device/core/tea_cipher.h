#pragma once
// The 64-bit block cipher the camera firmware uses: a TEA-family Feistel network of 32 cycles
// whose round adds its four terms instead of combining them with XOR. Blocks are two 32-bit
// little-endian words. The key is fixed and shared with the cameras.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

using TeaKey = std::array<uint32_t, 4>;
inline constexpr TeaKey kCameraCipherKey{0xE67BE751u, 0x12609EC4u, 0x44D1BAC5u, 0x5BE05970u};
inline constexpr size_t kTeaBlockSize = 8;

void TeaEncipherWords(uint32_t& x, uint32_t& y, const TeaKey& key = kCameraCipherKey);
void TeaDecipherWords(uint32_t& x, uint32_t& y, const TeaKey& key = kCameraCipherKey);
void TeaEncipherBlock(std::span<uint8_t, kTeaBlockSize> block, const TeaKey& key = kCameraCipherKey);
void TeaDecipherBlock(std::span<uint8_t, kTeaBlockSize> block, const TeaKey& key = kCameraCipherKey);

enum class TeaMode
{
    Encipher,
    Decipher
};

enum class TeaStatus
{
    Ok,
    SizeNotMultipleOf8,
    NoBuffer
};

// Enciphers or deciphers every block of the buffer in place.
TeaStatus TeaBuffer(std::span<uint8_t> buffer, TeaMode mode, const TeaKey& key = kCameraCipherKey);

constexpr size_t PaddedToBlocks(size_t length)
{
    return (length + kTeaBlockSize - 1) / kTeaBlockSize * kTeaBlockSize;
}
