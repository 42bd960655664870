#include "skin/core/message_skin.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>

namespace {

// A string list from number -> text, in ascending number order as packs are.
SkinStrings Strings(const std::map<int, std::u16string>& entries)
{
    SkinStrings list;
    for (const auto& [number, text] : entries)
        list.EmplaceTail(number, text);
    return list;
}

TEST(MessageSkin, KindTwoReadsEveryKeyFromItsOwnStrings)
{
    const SkinStrings lines = Strings({
        {60002, u"color=rgb(9,9,9)"}, // kind 1: must not leak into kind 2
        {61002, u"color=rgb(1,2,3)"},
        {61003, u"framecolor=rgb(4,5,6)"},
        {61004, u"framesize=3"},
        {61005, u"textfontname=DejaVu Sans"},
        {61006, u"textfontsize=(8,16)"},
        {61007, u"textweight=700"},
        {61008, u"textactivecolor=rgb(7,8,9)"},
        {61009, u"textnoactivecolor=rgb(10,11,12)"},
        {61010, u"clickoffset=(2,-1)"},
        {61013, u"textfontname=DejaVu Serif"},
        {61014, u"textfontsize=(6,13)"},
        {61015, u"textweight=400"},
        {61016, u"textcolor=rgb(13,14,15)"},
        {61017, u"textgap=1"},
        {61018, u"textlinepitch=4"},
        {61019, u"backgroundcolor=rgb(255,255,255)"},
        {61020, u"backgroundframecolor=rgb(100,122,208)"},
        {61021, u"backgroundframesize=2"},
    });
    MsgButtonStyle button;
    ReadMsgButtonStyle(&lines, 2, button);
    EXPECT_EQ(button.fillColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(button.frameColor, MakeColorRef(4, 5, 6));
    EXPECT_EQ(button.frameSize, 3);
    EXPECT_EQ(button.font, (FontDesc{16, 8, 700, u"DejaVu Sans"}));
    EXPECT_EQ(button.hoverTextColor, MakeColorRef(7, 8, 9));
    EXPECT_EQ(button.textColor, MakeColorRef(10, 11, 12));
    EXPECT_EQ(button.clickOffsetX, 2);
    EXPECT_EQ(button.clickOffsetY, -1);

    MessageTextStyle text;
    ReadMessageTextStyle(&lines, 2, text);
    EXPECT_EQ(text.font, (FontDesc{13, 6, 400, u"DejaVu Serif"}));
    EXPECT_EQ(text.textColor, MakeColorRef(13, 14, 15));
    EXPECT_EQ(text.textGap, 1);
    EXPECT_EQ(text.textLinePitch, 4);
    EXPECT_EQ(text.panelColor, MakeColorRef(255, 255, 255));
    EXPECT_EQ(text.frameColor, MakeColorRef(100, 122, 208));
    EXPECT_EQ(text.frameSize, 2);
}

TEST(MessageSkin, BadStringsLeaveTheDefault)
{
    struct Case
    {
        const char* name;
        int offset;
        std::u16string text;
    };
    const Case cases[] = {
        {"frame size not a number", 4, u"framesize=x"},
        {"frame size with trailing letter", 4, u"framesize=3px"},
        {"colour without closing bracket", 2, u"color=rgb(1,2,3"},
        {"colour component out of range", 2, u"color=rgb(1,2,256)"},
        {"colour with two components", 2, u"color=rgb(1,2)"},
        {"another key at the offset", 2, u"framecolor=rgb(1,2,3)"},
        {"key after a blank", 4, u" framesize=3"},
        {"pair with a letter", 6, u"textfontsize=(x,14)"},
        {"pair not closed", 10, u"clickoffset=(3,3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SkinStrings lines = Strings({{60000 + c.offset, c.text}});
        MsgButtonStyle style;
        ReadMsgButtonStyle(&lines, 1, style);
        EXPECT_EQ(style, MsgButtonStyle{});
    }
}

TEST(MessageSkin, KeysMatchInAnyCaseAndValuesKeepTheirs)
{
    const SkinStrings lines = Strings({{60004, u"FrameSize=4"}, {60005, u"TEXTFONTNAME=DejaVu Sans Mono"}});
    MsgButtonStyle style;
    ReadMsgButtonStyle(&lines, 1, style);
    EXPECT_EQ(style.frameSize, 4);
    EXPECT_EQ(style.font.faceName, u"DejaVu Sans Mono");
}

TEST(MessageSkin, NoListAndAbsurdKindsChangeNothing)
{
    MsgButtonStyle button;
    ReadMsgButtonStyle(nullptr, 1, button);
    EXPECT_EQ(button, MsgButtonStyle{});

    const SkinStrings lines = Strings({{std::numeric_limits<int>::max(), u"framesize=7"}});
    ReadMsgButtonStyle(&lines, std::numeric_limits<int>::max(), button);
    ReadMsgButtonStyle(&lines, std::numeric_limits<int>::min(), button);
    EXPECT_EQ(button, MsgButtonStyle{});
    EXPECT_EQ(MessageSkinBase(2), 61000);
    EXPECT_EQ(MessageSkinBase(std::numeric_limits<int>::max()), std::numeric_limits<int32_t>::max());
}

} // namespace
