#include "platform/core/icon_decoder.h"

#include "pe_test_builder.h"

#include <gtest/gtest.h>

#include <array>

using namespace test_pe;

namespace {

// A 2 x 2 icon image: colour rows (bottom first) followed by the mask rows.
Bytes IconDib(uint16_t bitCount, const std::vector<uint32_t>& table, const Bytes& colours, const Bytes& mask)
{
    Bytes bits = colours;
    bits.insert(bits.end(), mask.begin(), mask.end());
    return Dib(2, 4, bitCount, 0, table, bits, static_cast<uint32_t>(table.size()));
}

// Mask rows of a 2-pixel-wide icon: one byte of bits, padded to four.
const Bytes kTopLeftTransparent = {0x00, 0, 0, 0, 0x80, 0, 0, 0};

Bytes GroupIcon(const std::vector<std::array<int, 4>>& entries) // width, height, bits, id
{
    Bytes b;
    Append16(b, 0);
    Append16(b, 1);
    Append16(b, static_cast<uint16_t>(entries.size()));
    for (const auto& e : entries) {
        b.push_back(static_cast<uint8_t>(e[0]));
        b.push_back(static_cast<uint8_t>(e[1]));
        Append16(b, 0);
        Append16(b, 1);
        Append16(b, static_cast<uint16_t>(e[2]));
        Append32(b, 0);
        Append16(b, static_cast<uint16_t>(e[3]));
    }
    return b;
}

} // namespace

TEST(IconDecoder, TheEntryNearestToThirtyTwoComesFirstThenTheDeeperOne)
{
    const pe::GroupIconResult group = pe::ReadGroupIcon(
        GroupIcon({{16, 16, 32, 1}, {0, 0, 32, 2}, {32, 32, 4, 3}, {48, 48, 32, 4}, {32, 32, 32, 5}}));
    ASSERT_EQ(group.status, pe::IconStatus::Ok);
    ASSERT_EQ(group.entries.size(), 5u);
    EXPECT_EQ(group.entries[1].width, 256); // 0 in the directory means 256
    const std::vector<size_t> order = pe::RankIconEntries(group.entries);
    EXPECT_EQ(group.entries[order[0]].imageId, 5);
    EXPECT_EQ(group.entries[order[1]].imageId, 3);
    EXPECT_EQ(group.entries[order.back()].imageId, 2);
}

TEST(IconDecoder, GroupDirectoriesThatDoNotFitGiveWhatFits)
{
    Bytes cut = GroupIcon({{16, 16, 32, 1}, {32, 32, 32, 2}});
    cut.resize(cut.size() - 1);
    EXPECT_EQ(pe::ReadGroupIcon(cut).entries.size(), 1u);
    EXPECT_EQ(pe::ReadGroupIcon(Bytes{0, 0, 1}).status, pe::IconStatus::Truncated);
    Bytes cursor = GroupIcon({{16, 16, 32, 1}});
    cursor[2] = 2;
    EXPECT_EQ(pe::ReadGroupIcon(cursor).status, pe::IconStatus::Corrupt);
}

TEST(IconDecoder, TheMaskMakesPixelsTransparentUnlessThePixelsCarryAlpha)
{
    const std::vector<uint32_t> table = {0x0000FF, 0xFF0000};
    const pe::IconImage indexed =
        pe::DecodeIconImage(IconDib(8, table, {0, 1, 0, 0, 1, 0, 0, 0}, kTopLeftTransparent));
    ASSERT_EQ(indexed.status, pe::IconStatus::Ok);
    EXPECT_EQ(indexed.pixels.height, 2);
    EXPECT_EQ(indexed.pixels.pixels, (std::vector<uint32_t>{0x00000000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000}));

    const Bytes withAlpha = {0, 0, 255, 128, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 255, 255};
    const pe::IconImage alpha = pe::DecodeIconImage(IconDib(32, {}, withAlpha, kTopLeftTransparent));
    ASSERT_EQ(alpha.status, pe::IconStatus::Ok);
    EXPECT_EQ(alpha.pixels.pixels, (std::vector<uint32_t>{0x00FF0000, 0xFFFF0000, 0x80FF0000, 0xFFFF0000}));

    const Bytes noAlpha = {0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0};
    const pe::IconImage masked = pe::DecodeIconImage(IconDib(32, {}, noAlpha, kTopLeftTransparent));
    ASSERT_EQ(masked.status, pe::IconStatus::Ok);
    EXPECT_EQ(masked.pixels.pixels, (std::vector<uint32_t>{0x00000000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000}));
}

TEST(IconDecoder, PngImagesArePassedOnAndBrokenImagesRefused)
{
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
    const pe::IconImage passed = pe::DecodeIconImage(png);
    EXPECT_EQ(passed.status, pe::IconStatus::Ok);
    EXPECT_TRUE(passed.isPng);
    EXPECT_EQ(passed.png, png);

    const Bytes noMask = IconDib(8, {0x0000FF}, {0, 0, 0, 0, 0, 0, 0, 0}, {});
    EXPECT_EQ(pe::DecodeIconImage(noMask).status, pe::IconStatus::Truncated);
    EXPECT_EQ(pe::DecodeIconImage(Dib(2, 4, 8, 1, {0}, {0, 1}, 1)).status, pe::IconStatus::Unsupported);
    EXPECT_EQ(pe::DecodeIconImage(Bytes{1, 2, 3}).status, pe::IconStatus::Truncated);
}

// Sizes no icon has are refused before any pixel is decoded, and a group's list is cut.
TEST(IconDecoder, OversizedImagesAndOverlongGroupsAreRefusedOrCut)
{
    const auto png = [](uint32_t width, uint32_t height) {
        Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        for (uint32_t v : {width, height})
            for (int shift = 24; shift >= 0; shift -= 8)
                b.push_back(static_cast<uint8_t>(v >> shift));
        return b;
    };
    const struct
    {
        const char* what;
        Bytes image;
        pe::IconStatus expected;
    } cases[] = {
        {"256 x 256 PNG", png(256, 256), pe::IconStatus::Ok},
        {"PNG 257 wide", png(257, 16), pe::IconStatus::TooLarge},
        {"PNG 70000 high", png(16, 70000), pe::IconStatus::TooLarge},
        {"bitmap 512 x 512", Dib(512, 1024, 1, 0, {0, 0xFFFFFF}, Bytes(64 * 1024, 0), 2),
         pe::IconStatus::TooLarge},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pe::DecodeIconImage(c.image).status, c.expected) << c.what;

    const std::vector<std::array<int, 4>> entries(65535, {32, 32, 8, 1});
    EXPECT_EQ(pe::ReadGroupIcon(GroupIcon(entries)).entries.size(), pe::kMaxIconGroupEntries);
}
