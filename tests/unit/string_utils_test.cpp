#include "platform/core/string_utils.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ExtractCase
{
    std::u16string start, end, text, expected;
};

TEST(StringUtils, ExtractBetweenMarkers)
{
    const ExtractCase cases[] = {
        {u"<IP>", u"</IP>", u"a<IP>10.0.0.1</IP>b", u"10.0.0.1"},
        {u"<IP>", u"</IP>", u"<IP>1</IP><IP>2</IP>", u"1"},
        {u"<IP>", u"</IP>", u"no markers", u"default"},
        {u"<IP>", u"</IP>", u"</IP><IP>open", u"default"},
        {u"", u"</IP>", u"x</IP>", u"default"},
        {u"<IP>", u"</IP>", u"<IP></IP>", u""},
        {u"<ab>", u"ab>", u"<ab>", u""}, // the end marker starts inside the start marker
        {u"<A>", u"", u"<A>xyz", u""},
    };
    for (const ExtractCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(ExtractBetween(c.start, c.end, u"default", c.text), c.expected);
    }
    EXPECT_EQ(ExtractBetween("<a>", "</a>", "d", "<a>narrow</a>"), "narrow");
}

struct QuadCase
{
    std::string text;
    int result;
    std::array<int32_t, 4> parts;
};

TEST(StringUtils, DottedQuadSplitsAtThreeDotsWithoutRangeChecks)
{
    constexpr std::array<int32_t, 4> untouched{-7, -7, -7, -7};
    const QuadCase cases[] = {
        {"10.0.0.1", 0, {10, 0, 0, 1}},
        {"1..2.3", 0, {1, 0, 2, 3}},
        {"300.-1.x.4junk", 0, {300, -1, 0, 4}},
        {" 1. 2.3.4.5", 0, {1, 2, 3, 4}},
        {"1.2.3.", 0, {1, 2, 3, 0}},
        {"99999999999.0.0.0", 0, {INT32_MAX, 0, 0, 0}},
        {"10.0.1", -1, untouched},
        {".1.2.3", -1, untouched},
        {"", -1, untouched},
    };
    for (const QuadCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::array<int32_t, 4> parts = untouched;
        EXPECT_EQ(ParseDottedQuad(c.text, parts), c.result);
        EXPECT_EQ(parts, c.parts);
        std::array<int32_t, 4> wide = untouched;
        EXPECT_EQ(ParseDottedQuad(std::u16string(c.text.begin(), c.text.end()), wide), c.result);
        EXPECT_EQ(wide, c.parts);
    }
}

struct HexCase
{
    std::string text;
    std::vector<uint8_t> bytes;
};

TEST(StringUtils, HexKeyPairsAndWhatLiesPastTheEnd)
{
    const HexCase cases[] = {
        {"0123456789", {0x01, 0x23, 0x45, 0x67, 0x89}},
        {"aBcDeF", {0xAB, 0xCD, 0xEF, 0xEF, 0xEF}},
        {"", {0xEF, 0xEF, 0xEF, 0xEF, 0xEF}},
        {"1", {0x0F, 0xEF, 0xEF, 0xEF, 0xEF}},    // (1 * 16 + 255) mod 256
        {"g0zz", {0xF0, 0xEF, 0xEF, 0xEF, 0xEF}}, // 255 * 16 + 0, 255 * 16 + 255
        {std::string("12\0"
                     "34",
                     5),
         {0x12, 0xEF, 0xEF, 0xEF, 0xEF}}, // the text ends at NUL
    };
    for (const HexCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<uint8_t> out(c.bytes.size(), 0x55);
        ParseHexKey(c.text, out);
        EXPECT_EQ(out, c.bytes);
    }
}

} // namespace
