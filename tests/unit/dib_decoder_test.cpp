#include "platform/core/dib_decoder.h"

#include "pe_test_builder.h"

#include <gtest/gtest.h>

#include <climits>

using namespace test_pe;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kYellow = 0xFFFFFF00;
// The picture every encoding below stores: 3 x 2, top row red green blue.
const std::vector<uint32_t> kPicture = {kRed, kGreen, kBlue, kWhite, kBlack, kYellow};
// Palette order used by the indexed encodings (entries are 0x00RRGGBB as stored).
const std::vector<uint32_t> kTable = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};

Bytes Rows24(bool topDown)
{
    const Bytes top = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    const Bytes bottom = {255, 255, 255, 0, 0, 0, 0, 255, 255, 0, 0, 0};
    Bytes b = topDown ? top : bottom;
    const Bytes& second = topDown ? bottom : top;
    b.insert(b.end(), second.begin(), second.end());
    return b;
}

Bytes With(Bytes header, const std::vector<uint32_t>& masks)
{
    Bytes extra;
    for (uint32_t m : masks)
        Append32(extra, m);
    header.insert(header.begin() + 40, extra.begin(), extra.end());
    return header;
}

struct EncodingCase
{
    const char* name;
    Bytes dib;
};

std::vector<EncodingCase> Encodings()
{
    const Bytes rgb32 = {255, 255, 255, 0, 0, 0,   0, 0, 0,   255, 255, 0,
                         0,   0,   255, 0, 0, 255, 0, 0, 255, 0,   0,   0};
    // The same picture with red in the low byte, as some writers order it.
    const Bytes swapped32 = {255, 255, 255, 0, 0, 0,   0, 0, 255, 255, 0,   0,
                             255, 0,   0,   0, 0, 255, 0, 0, 0,   0,   255, 0};
    const Bytes bits555 = {0xFF, 0x7F, 0x00, 0x00, 0xE0, 0x7F, 0x00, 0x00,
                           0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0x00};
    const Bytes bits565 = {0xFF, 0xFF, 0x00, 0x00, 0xE0, 0xFF, 0x00, 0x00,
                           0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x00, 0x00};
    Bytes core = {12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 24, 0};
    const Bytes rows = Rows24(false);
    core.insert(core.end(), rows.begin(), rows.end());
    return {
        {"24-bit bottom-up", Dib(3, 2, 24, 0, {}, Rows24(false))},
        {"24-bit top-down", Dib(3, -2, 24, 0, {}, Rows24(true))},
        {"24-bit core header", core},
        {"32-bit, the fourth byte ignored",
         Dib(3, -2, 32, 0, {},
             {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9, 255, 255, 255, 9, 0, 0, 0, 9, 0, 255, 255, 9})},
        {"32-bit bottom-up", Dib(3, 2, 32, 0, {}, rgb32)},
        {"32-bit bit fields", With(Dib(3, 2, 32, 3, {}, swapped32), {0x0000FF, 0x00FF00, 0xFF0000})},
        {"16-bit 5-5-5", Dib(3, 2, 16, 0, {}, bits555)},
        {"16-bit 5-6-5 bit fields", With(Dib(3, 2, 16, 3, {}, bits565), {0xF800, 0x07E0, 0x001F})},
        {"8-bit", Dib(3, -2, 8, 0, kTable, {0, 1, 2, 0, 3, 4, 5, 0}, 6)},
        {"4-bit", Dib(3, 2, 4, 0, kTable, {0x34, 0x50, 0, 0, 0x01, 0x20, 0, 0}, 6)},
        {"RLE8 with absolute and encoded runs",
         Dib(3, 2, 8, 1, kTable, {0, 3, 3, 4, 5, 0, 0, 0, 1, 0, 1, 1, 1, 2, 0, 1}, 6)},
        {"RLE4 with absolute runs",
         Dib(3, 2, 4, 2, kTable, {0, 3, 0x34, 0x50, 0, 0, 0, 3, 0x01, 0x20, 0, 1}, 6)},
    };
}

} // namespace

TEST(DibDecoder, EveryDepthAndCompressionGivesTheSamePicture)
{
    for (const EncodingCase& c : Encodings()) {
        SCOPED_TRACE(c.name);
        const pe::DibResult result = pe::DecodeDib(c.dib);
        ASSERT_EQ(result.status, pe::DibStatus::Ok);
        EXPECT_EQ(result.image.width, 3);
        EXPECT_EQ(result.image.height, 2);
        EXPECT_EQ(result.image.pixels, kPicture);
    }
}

TEST(DibDecoder, OneBitUsesItsTwoColoursMostSignificantBitFirst)
{
    const pe::DibResult result =
        pe::DecodeDib(Dib(10, 1, 1, 0, {0x000000, 0xFFFFFF}, {0b10100000, 0b01000000, 0, 0}));
    ASSERT_EQ(result.status, pe::DibStatus::Ok);
    const std::vector<uint32_t> expected = {kWhite, kBlack, kWhite, kBlack, kBlack,
                                            kBlack, kBlack, kBlack, kBlack, kWhite};
    EXPECT_EQ(result.image.pixels, expected);
}

TEST(DibDecoder, RunLengthDeltasSkipPixelsAndRunsAreClippedAtTheEdge)
{
    // 4 x 3: a run of 200 on the bottom row stays in its row; a delta moves two right and one
    // up; the skipped pixels keep colour 0 (red).
    const Bytes bits = {200, 1, 0, 0, 0, 2, 2, 1, 1, 2, 0, 1};
    const pe::DibResult result = pe::DecodeDib(Dib(4, 3, 8, 1, kTable, bits, 6));
    ASSERT_EQ(result.status, pe::DibStatus::Ok);
    const std::vector<uint32_t> expected = {kRed, kRed, kBlue,  kRed,   kRed,   kRed,
                                            kRed, kRed, kGreen, kGreen, kGreen, kGreen};
    EXPECT_EQ(result.image.pixels, expected);
}

TEST(DibDecoder, AnIndexPastTheColourTableIsBlack)
{
    const pe::DibResult result = pe::DecodeDib(Dib(2, 1, 8, 0, {0xFFFFFF, 0xFF0000}, {1, 7, 0, 0}, 2));
    ASSERT_EQ(result.status, pe::DibStatus::Ok);
    EXPECT_EQ(result.image.pixels, (std::vector<uint32_t>{kRed, kBlack}));
}

TEST(DibDecoder, BadHeadersAndShortDataAreRefusedWholly)
{
    Bytes shortHeader = Dib(3, 2, 24, 0, {}, Rows24(false));
    Put32(shortHeader, 0, 20);
    Bytes longHeader = Dib(3, 2, 24, 0, {}, {});
    Put32(longHeader, 0, 200);
    Bytes noBits = Rows24(false);
    noBits.pop_back();
    const struct
    {
        const char* name;
        Bytes dib;
        pe::DibStatus status;
    } cases[] = {
        {"nothing", {}, pe::DibStatus::Truncated},
        {"header size 20", shortHeader, pe::DibStatus::Corrupt},
        {"header longer than the data", longHeader, pe::DibStatus::Truncated},
        {"last byte of the bits missing", Dib(3, 2, 24, 0, {}, noBits), pe::DibStatus::Truncated},
        {"zero width", Dib(0, 2, 24, 0, {}, Rows24(false)), pe::DibStatus::Corrupt},
        {"negative width", Dib(-3, 2, 24, 0, {}, Rows24(false)), pe::DibStatus::Corrupt},
        {"zero height", Dib(3, 0, 24, 0, {}, Rows24(false)), pe::DibStatus::Corrupt},
        {"lowest height", Dib(3, INT32_MIN, 24, 0, {}, Rows24(false)), pe::DibStatus::TooLarge},
        {"too wide", Dib(20000, 1, 8, 1, kTable, {0, 1}, 6), pe::DibStatus::TooLarge},
        {"too many pixels", Dib(5000, 5000, 8, 1, kTable, {0, 1}, 6), pe::DibStatus::TooLarge},
        {"2 bits per pixel", Dib(3, 2, 2, 0, {}, Rows24(false)), pe::DibStatus::Unsupported},
        {"JPEG inside", Dib(3, 2, 24, 4, {}, Rows24(false)), pe::DibStatus::Unsupported},
        {"bit fields on 24 bits", Dib(3, 2, 24, 3, {}, Rows24(false)), pe::DibStatus::Unsupported},
        {"RLE8 on 4 bits", Dib(3, 2, 4, 1, kTable, {0, 1}, 6), pe::DibStatus::Unsupported},
        {"top-down RLE", Dib(3, -2, 8, 1, kTable, {0, 1}, 6), pe::DibStatus::Corrupt},
        {"RLE without its end", Dib(3, 2, 8, 1, kTable, {3, 1, 0, 0}, 6), pe::DibStatus::Truncated},
        {"RLE absolute run cut", Dib(3, 2, 8, 1, kTable, {0, 5, 1, 2}, 6), pe::DibStatus::Truncated},
        {"RLE delta cut", Dib(3, 2, 8, 1, kTable, {0, 2, 1}, 6), pe::DibStatus::Truncated},
        {"colour table of 2^32 - 1 entries", Dib(3, 2, 8, 0, {}, {}, 0xFFFFFFFF), pe::DibStatus::Truncated},
        {"bit fields without masks", Dib(3, 2, 16, 3, {}, {}), pe::DibStatus::Truncated},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const pe::DibResult result = pe::DecodeDib(c.dib);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.image.pixels.empty());
    }
}

TEST(DibDecoder, EveryPrefixOfAValidBitmapIsSafe)
{
    for (const EncodingCase& c : Encodings()) {
        for (size_t n = 0; n < c.dib.size(); ++n) {
            const Bytes prefix(c.dib.begin(), c.dib.begin() + static_cast<long>(n));
            const pe::DibResult result = pe::DecodeDib(prefix);
            if (result.status == pe::DibStatus::Ok) {
                EXPECT_EQ(result.image.pixels.size(), 6u) << c.name << " cut at " << n;
            }
        }
    }
}
