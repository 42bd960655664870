#include "skin/core/skin_values.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct NumberCase
{
    std::u16string text;
    bool valid;
    int32_t value;
};

TEST(SkinValues, NumbersFollowTheGrammarAndSaturate)
{
    const NumberCase cases[] = {
        {u"400", true, 400},
        {u"-400", true, -400},
        {u"  12\t", true, 12},
        {u"0", true, 0},
        {u"-0", true, 0},
        {u"", false, 0},
        {u"   ", false, 0},
        {u"-", false, 0},
        {u"+5", false, 5},
        {u"12a", false, 12},
        {u"1 2", false, 1},
        {u"- 5", false, 0},
        {u"--5", false, 0},
        {u"2147483647", true, 2147483647},
        {u"2147483648", true, 2147483647},
        {u"-2147483648", true, INT32_MIN},
        {u"-99999999999999999999", true, INT32_MIN},
        {u"4294967296", true, 2147483647},
        {u"\u0661", false, 0}, // a non-ASCII digit is no digit
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(IsSkinNumber(c.text), c.valid ? 0 : kSkinValueError);
        EXPECT_EQ(SkinNumberValue(c.text), c.value);
    }
}

struct PairCase
{
    std::u16string text;
    bool valid;
    int32_t first;
    int32_t second;
};

TEST(SkinValues, PairsTakeTheirNumbersBetweenTheFirstDelimiters)
{
    const PairCase cases[] = {
        {u"(12,34)", true, 12, 34},
        {u"( -3 , 7 )", true, -3, 7},
        {u"()", true, 0, 0},
        {u"(5)", true, 0, 0},
        {u"(,5)", false, 0, 0},
        {u"(a,5)", false, 0, 0},
        {u"(5,)", false, 0, 0},
        {u"(5,b)", false, 0, 0},
        {u"(1,2,3)", false, 0, 0},
        {u"(1,2)(3,4)", true, 1, 2},
        {u"(99999999999,1)", true, INT32_MAX, 1},
        {u"", true, 0, 0},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const SkinPair pair = ParseSkinPair(c.text);
        EXPECT_EQ(pair.status == SkinValueStatus::Ok, c.valid);
        if (c.valid) {
            EXPECT_EQ(pair.first, c.first);
            EXPECT_EQ(pair.second, c.second);
        }
    }
}

struct ColorCase
{
    std::u16string text;
    SkinValueStatus status;
    COLORREF value;
};

TEST(SkinValues, ColoursPackRedLowAndRejectComponentsOutOfRange)
{
    const ColorCase cases[] = {
        {u"rgb(255,0,128)", SkinValueStatus::Ok, 0x008000FF},
        {u"RGB(1,2,3)", SkinValueStatus::Ok, 0x00030201},
        {u"rgb( 10 , 20 , 30 )", SkinValueStatus::Ok, MakeColorRef(10, 20, 30)},
        {u"rgb(0,0,0)", SkinValueStatus::Ok, 0},
        {u"rgb(256,0,0)", SkinValueStatus::Invalid, 0},
        {u"rgb(-1,0,0)", SkinValueStatus::Invalid, 0},
        {u"rgb(0,0,4294967296)", SkinValueStatus::Invalid, 0},
        {u"rgb(10,20)", SkinValueStatus::Invalid, 0},
        {u"rgb(1,2,3,4)", SkinValueStatus::Invalid, 0},
        {u"rgb(,2,3)", SkinValueStatus::Invalid, 0},
        {u"rgb(1,,3)", SkinValueStatus::Invalid, 0},
        {u"rgb(x,2,3)", SkinValueStatus::Invalid, 0},
        {u"rgb(1,2)3)", SkinValueStatus::Invalid, 0},
        {u"no colour here", SkinValueStatus::Absent, 0},
        {u"rgb(1,2,3", SkinValueStatus::Absent, 0},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const SkinColor color = ParseSkinColor(c.text);
        EXPECT_EQ(color.status, c.status);
        EXPECT_EQ(color.value, c.value);
    }
}

TEST(SkinValues, RgbNeedsMoreThanNineCharactersInLowerCase)
{
    EXPECT_EQ(ParseRgb(u"rgb(1,2,3)").status, SkinValueStatus::Ok);
    EXPECT_EQ(ParseRgb(u"rgb(1,2,)").status, SkinValueStatus::Invalid); // nine characters
    EXPECT_EQ(ParseRgb(u"RGB(1,2,3)").status, SkinValueStatus::Invalid);
    EXPECT_EQ(ParseRgb(u"rgb(1,2,3) ").status, SkinValueStatus::Invalid);
}

} // namespace
