#include "device/core/tea_cipher.h"

#include "device/core/little_endian.h"

namespace {
constexpr uint32_t kDelta = 0x9E3779B9u;
constexpr int kCycles = 32;
constexpr uint32_t kDecipherStartSum = kDelta * kCycles;
static_assert(kDecipherStartSum == 0xC6EF3720u);

constexpr uint32_t Round(uint32_t v, uint32_t k0, uint32_t k1, uint32_t sum)
{
    return (v << 4) + (v ^ k0) + k1 + ((v >> 5) ^ sum);
}
} // namespace

void TeaEncipherWords(uint32_t& x, uint32_t& y, const TeaKey& key)
{
    uint32_t sum = 0;
    for (int i = 0; i < kCycles; ++i) {
        sum += kDelta;
        x += Round(y, key[0], key[1], sum);
        y += Round(x, key[2], key[3], sum);
    }
}

void TeaDecipherWords(uint32_t& x, uint32_t& y, const TeaKey& key)
{
    uint32_t sum = kDecipherStartSum;
    for (int i = 0; i < kCycles; ++i) {
        y -= Round(x, key[2], key[3], sum);
        x -= Round(y, key[0], key[1], sum);
        sum -= kDelta;
    }
}

namespace {
template <void (*Cipher)(uint32_t&, uint32_t&, const TeaKey&)>
void ApplyToBlock(std::span<uint8_t, kTeaBlockSize> block, const TeaKey& key)
{
    uint32_t x = LoadLe32(block.first<4>());
    uint32_t y = LoadLe32(block.last<4>());
    Cipher(x, y, key);
    StoreLe32(block.first<4>(), x);
    StoreLe32(block.last<4>(), y);
}
} // namespace

void TeaEncipherBlock(std::span<uint8_t, kTeaBlockSize> block, const TeaKey& key)
{
    ApplyToBlock<TeaEncipherWords>(block, key);
}

void TeaDecipherBlock(std::span<uint8_t, kTeaBlockSize> block, const TeaKey& key)
{
    ApplyToBlock<TeaDecipherWords>(block, key);
}

TeaStatus TeaBuffer(std::span<uint8_t> buffer, TeaMode mode, const TeaKey& key)
{
    if (buffer.data() == nullptr)
        return TeaStatus::NoBuffer;
    if (buffer.size() % kTeaBlockSize != 0)
        return TeaStatus::SizeNotMultipleOf8;
    for (size_t at = 0; at < buffer.size(); at += kTeaBlockSize) {
        const auto block = buffer.subspan(at).first<kTeaBlockSize>();
        if (mode == TeaMode::Encipher)
            TeaEncipherBlock(block, key);
        else
            TeaDecipherBlock(block, key);
    }
    return TeaStatus::Ok;
}
