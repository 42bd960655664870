#include "device/core/tea_cipher.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct WordVector
{
    uint32_t x, y, cx, cy;
};

// Worked out independently from the round as written: each half adds (v << 4), (v ^ key),
// the other key word and ((v >> 5) ^ sum). A round that XORs its terms fails every row.
constexpr std::array<WordVector, 4> kCameraKeyVectors{{
    {0x00000000, 0x00000000, 0xEB3CF607, 0x868C4A5F},
    {0x00000001, 0x00000002, 0x3953A8B6, 0xE4657470},
    {0xFFFFFFFF, 0xFFFFFFFF, 0xE700DA9A, 0x239935B6},
    {0x01234567, 0x89ABCDEF, 0xF4CC22C3, 0x6F5B3F09},
}};
} // namespace

TEST(TeaCipher, KnownAnswersUnderTheCameraKeyBothWays)
{
    for (const WordVector& v : kCameraKeyVectors) {
        uint32_t x = v.x, y = v.y;
        TeaEncipherWords(x, y);
        EXPECT_EQ(x, v.cx);
        EXPECT_EQ(y, v.cy);
        TeaDecipherWords(x, y);
        EXPECT_EQ(x, v.x);
        EXPECT_EQ(y, v.y);
    }
}

TEST(TeaCipher, BlocksAreTwoLittleEndianWords)
{
    std::array<uint8_t, 8> block{0, 1, 2, 3, 4, 5, 6, 7};
    TeaEncipherBlock(block);
    EXPECT_EQ(block, (std::array<uint8_t, 8>{0x49, 0x09, 0xAC, 0x39, 0xB5, 0x25, 0xA0, 0x57}));
    TeaDecipherBlock(block);
    EXPECT_EQ(block, (std::array<uint8_t, 8>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(TeaCipher, BufferRoundTripAndRefusals)
{
    std::vector<uint8_t> plain(408);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 37 + 11);
    std::vector<uint8_t> work = plain;
    ASSERT_EQ(TeaBuffer(work, TeaMode::Encipher), TeaStatus::Ok);
    EXPECT_NE(work, plain);
    // Blocks are independent: equal plain blocks give equal cipher blocks.
    std::vector<uint8_t> same(16, 0xAB);
    ASSERT_EQ(TeaBuffer(same, TeaMode::Encipher), TeaStatus::Ok);
    EXPECT_TRUE(std::equal(same.begin(), same.begin() + 8, same.begin() + 8));
    ASSERT_EQ(TeaBuffer(work, TeaMode::Decipher), TeaStatus::Ok);
    EXPECT_EQ(work, plain);

    std::vector<uint8_t> odd(12, 1);
    EXPECT_EQ(TeaBuffer(odd, TeaMode::Encipher), TeaStatus::SizeNotMultipleOf8);
    EXPECT_EQ(odd, std::vector<uint8_t>(12, 1));
    EXPECT_EQ(TeaBuffer({}, TeaMode::Decipher), TeaStatus::NoBuffer);
}
