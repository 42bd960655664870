#include "platform/core/code_page.h"

#include <array>
#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(CodePage, KnownCharactersMapBothWays)
{
    struct Case
    {
        uint8_t byte;
        char16_t wide;
    };
    const Case cases[] = {
        {0x41, u'A'},      {0x7E, u'~'},      {0x80, u'\u20AC'}, {0x8A, u'\u0160'}, {0x92, u'\u2019'},
        {0x99, u'\u2122'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(WideChar(static_cast<char>(c.byte)), c.wide);
        EXPECT_EQ(static_cast<uint8_t>(NarrowChar(c.wide)), c.byte);
    }
}

TEST(CodePage, EveryByteRoundTripsAndNoTwoBytesShareACharacter)
{
    std::set<char16_t> seen;
    for (int b = 0x20; b <= 0xFF; ++b) {
        char16_t wide = WideChar(static_cast<char>(b));
        EXPECT_TRUE(seen.insert(wide).second) << b;
        EXPECT_EQ(static_cast<uint8_t>(NarrowChar(wide)), b) << b;
    }
    // The undefined bytes survive as the C1 controls of the same value.
    for (uint8_t b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(WideChar(static_cast<char>(b)), char16_t{b});
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    // C1 controls that 1252 uses for printable characters, CJK, a surrogate pair, lone surrogates.
    EXPECT_EQ(ToNarrow(u"a\u0080b"), "a?b");
    EXPECT_EQ(ToNarrow(u"\u4E2D\u6587"), "??");
    EXPECT_EQ(ToNarrow(u"x\U0001F600y"), "x?y");
    EXPECT_EQ(ToNarrow(std::u16string{u'\xD800', u'z', u'\xDC00'}), "?z?");
    EXPECT_EQ(ToNarrow(u"caf\u00E9 \u20AC5"), "caf\xE9 \x80"
                                              "5");
}

TEST(CodePage, FixedFieldsAreClearedCutAndAlwaysTerminated)
{
    struct Case
    {
        std::u16string input;
        size_t size;
        std::string expected; // the field's bytes up to its size
    };
    const Case cases[] = {
        {u"abc", 6, std::string("abc\0\0\0", 6)},
        {u"abcdef", 4, std::string("abc\0", 4)},
        {u"abc", 4, std::string("abc\0", 4)},
        {u"abc", 1, std::string("\0", 1)},
        {std::u16string(u"ab\0cd", 5), 6, std::string("ab\0\0\0\0", 6)},
        {u"\U0001F600\U0001F600x", 3, std::string("??\0", 3)},
    };
    for (const auto& c : cases) {
        std::array<char, 8> field;
        field.fill('#');
        ToNarrow(c.size, field.data(), c.input);
        EXPECT_EQ(std::string(field.data(), c.size), c.expected);
        EXPECT_EQ(field[c.size], '#') << "wrote past the field";
    }
    std::array<char, 2> untouched{'#', '#'};
    ToNarrow(0, untouched.data(), u"abc");
    EXPECT_EQ(untouched[0], '#');
}

TEST(CodePage, WideFieldsAreClearedCutAndAlwaysTerminated)
{
    std::array<char16_t, 6> field;
    field.fill(u'#');
    ToWide(std::span(field).first(4), "\xE9t\xE9s");
    EXPECT_EQ(std::u16string(field.data(), 4), (std::u16string{u'\u00E9', u't', u'\u00E9', u'\0'}));
    EXPECT_EQ(field[4], u'#');

    field.fill(u'#');
    ToWide(std::span(field), std::string_view("a\0b", 3));
    EXPECT_EQ(std::u16string(field.data(), 6), std::u16string(6, u'\0').replace(0, 1, u"a"));

    EXPECT_EQ(ToWide("\x80\x81"), (std::u16string{u'\u20AC', u'\u0081'}));
}
