#include "numbered_lines.h"
#include "pages/core/skin_list_block.h"
#include "skin/core/skin_button_items.h"
#include "skin/core/skin_lines.h"
#include "skin/core/skin_text_items.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Texts(const SkinTextItems& read)
{
    std::vector<std::u16string> texts;
    for (const SkinTextItem& item : read.items)
        texts.push_back(item.text);
    return texts;
}

// The seven keys that complete a text item after its "text=" line.
const std::initializer_list<std::u16string> kRest = {u"position=(10,20)", u"color=rgb(1,2,3)",
                                                     u"fontsize=(0,14)",  u"fontname=DejaVu Sans",
                                                     u"weight=700",       u"gap=1",
                                                     u"linepitch=2"};

std::vector<std::u16string> Item(std::u16string text)
{
    std::vector<std::u16string> lines{u"text=" + text};
    lines.insert(lines.end(), kRest.begin(), kRest.end());
    return lines;
}

std::vector<std::u16string> Wrap(std::vector<std::u16string> body)
{
    body.insert(body.begin(), {u"<Page>", u"<TEXT>"});
    body.insert(body.end(), {u"</TEXT>", u"</Page>"});
    return body;
}

std::vector<std::u16string> Join(std::initializer_list<std::vector<std::u16string>> parts)
{
    std::vector<std::u16string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(SkinLines, SectionsAndBlocksMatchWholeLinesInAnyCase)
{
    const SkinStrings lines = NumberedLines(
        {u"intro", u"<page> ", u"<PAGE>", u"<Text>", u"</text>", u"</Page>", u"<Other>", u"<TEXT>"});
    EXPECT_EQ(FindSkinSection(&lines, u"Page"), 2);
    EXPECT_EQ(FindSkinBlock(&lines, 2, u"TEXT"), 3);
    EXPECT_EQ(FindSkinBlock(&lines, 3, u"TEXT"), 3);  // the start line counts
    EXPECT_EQ(FindSkinBlock(&lines, 4, u"TEXT"), -1); // its closing tag comes first
    EXPECT_EQ(FindSkinSection(&lines, u"Other"), 6);
    EXPECT_EQ(FindSkinSection(&lines, u"Missing"), -1);
    EXPECT_EQ(FindSkinSection(nullptr, u"Page"), -1);
    EXPECT_EQ(FindSkinBlock(&lines, -1, u"TEXT"), -1);
    EXPECT_EQ(FindSkinBlock(&lines, 99, u"TEXT"), -1);

    const SkinStrings closedFirst = NumberedLines({u"</Page>", u"<Page>"});
    EXPECT_EQ(FindSkinSection(&closedFirst, u"Page"), -1);
}

TEST(SkinLines, StringsAreLookedUpByNumber)
{
    SkinStrings lines;
    lines.EmplaceTail(7, u"seven");
    lines.EmplaceTail(50901, u"OK");
    std::u16string text = u"stale";
    EXPECT_TRUE(GetSkinString(&lines, 50901, text));
    EXPECT_EQ(text, u"OK");
    EXPECT_FALSE(GetSkinString(&lines, 8, text));
    EXPECT_EQ(text, u"");
    text = u"stale";
    EXPECT_FALSE(GetSkinString(nullptr, 7, text));
    EXPECT_EQ(text, u"");
}

TEST(SkinTextItems, ACompleteItemKeepsItsValuesAsWritten)
{
    const SkinStrings lines = NumberedLines(
        Wrap({u"TEXT=Hello World", u"POSITION=(10,20)", u"Color=RGB(255,0,128)", u"fontsize=(6,14)",
              u"fontname=DejaVu Sans", u"weight=-400", u"gap=3", u"linepitch=4"}));
    const SkinTextItems read = ReadSkinTextItems(&lines, u"page");
    ASSERT_EQ(read.status, SkinReadStatus::Ok);
    ASSERT_EQ(read.items.size(), 1u);
    const SkinTextItem expected{u"Hello World", u"DejaVu Sans", 10, 20, 6, 14, 0x008000FF, -400, 3, 4};
    EXPECT_EQ(read.items[0], expected);
}

struct ItemsCase
{
    const char* name;
    std::vector<std::u16string> lines;
    std::vector<std::u16string> drawn;
};

TEST(SkinTextItems, WhichItemsAreComplete)
{
    auto with = [](std::u16string text, std::u16string replaced, std::u16string by) {
        std::vector<std::u16string> item = Item(text);
        for (std::u16string& line : item) {
            if (line.starts_with(replaced))
                line = by;
        }
        return item;
    };
    auto without = [](std::u16string text, std::u16string key) {
        std::vector<std::u16string> item = Item(text);
        std::erase_if(item, [&](const std::u16string& line) { return line.starts_with(key); });
        return item;
    };
    const ItemsCase cases[] = {
        {"two in a row", Wrap(Join({Item(u"A"), Item(u"B")})), {u"A", u"B"}},
        {"one lacks linepitch", Wrap(Join({without(u"A", u"linepitch="), Item(u"B")})), {u"B"}},
        {"gap before text", Wrap(Join({{u"gap=1"}, without(u"A", u"gap=")})), {}},
        {"leading blank on a key", Wrap(with(u"A", u"gap=", u" gap=1")), {}},
        {"empty position brackets", Wrap(with(u"A", u"position=", u"position=()")), {u"A"}},
        {"position first is a letter", Wrap(with(u"A", u"position=", u"position=(a,2)")), {}},
        {"position without closing bracket", Wrap(with(u"A", u"position=", u"position=(1,2) ")), {}},
        {"bad pair after a good one", Wrap(Join({Item(u"A"), {u"position=(x,1)"}})), {u"A"}},
        {"colour component 256", Wrap(with(u"A", u"color=", u"color=rgb(256,0,0)")), {}},
        {"weight with trailing letter", Wrap(with(u"A", u"weight=", u"weight=700b")), {}},
        {"bad weight keeps a good one",
         Wrap(Join({Item(u"A"), {u"text=B"}, std::vector(kRest), {u"weight=x"}})),
         {u"A", u"B"}},
        {"repeated text restarts", Wrap(Join({{u"text=A", u"position=(1,1)"}, Item(u"B")})), {u"B"}},
        {"keys after the block end",
         Join({{u"<Page>", u"<TEXT>", u"text=A", u"</text>"}, std::vector(kRest)}),
         {}},
        {"section ends the walk",
         Join({{u"<Page>", u"<TEXT>", u"text=A", u"</page>"}, std::vector(kRest)}),
         {}},
        {"line feeds stay in the text", Wrap(Item(u"one\ntwo\n")), {u"one\ntwo\n"}},
        {"empty caption", Wrap(Item(u"")), {u""}},
    };
    for (const ItemsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SkinStrings lines = NumberedLines(c.lines);
        const SkinTextItems read = ReadSkinTextItems(&lines, u"Page");
        EXPECT_EQ(read.status, SkinReadStatus::Ok);
        EXPECT_EQ(Texts(read), c.drawn);
    }
}

TEST(SkinTextItems, MissingPartsAndBorrowedBlocks)
{
    EXPECT_EQ(ReadSkinTextItems(nullptr, u"Page").status, SkinReadStatus::NoSection);
    const SkinStrings noSection = NumberedLines({u"<TEXT>"});
    EXPECT_EQ(ReadSkinTextItems(&noSection, u"Page").status, SkinReadStatus::NoSection);

    // A section without a TEXT block reads the next TEXT block below it.
    const SkinStrings borrowed =
        NumberedLines(Join({{u"<Page>", u"</Page>", u"<Next>"}, Wrap(Item(u"Borrowed"))}));
    const SkinTextItems read = ReadSkinTextItems(&borrowed, u"Page");
    EXPECT_EQ(Texts(read), std::vector<std::u16string>{u"Borrowed"});

    const SkinStrings closedFirst = NumberedLines({u"<Page>", u"</TEXT>", u"<TEXT>"});
    EXPECT_EQ(ReadSkinTextItems(&closedFirst, u"Page").status, SkinReadStatus::NoBlock);
}

TEST(SkinTextItems, LongFaceNamesAreCutTo31Characters)
{
    const std::u16string longName(40, u'F');
    std::vector<std::u16string> item = Item(u"A");
    item[4] = u"fontname=" + longName;
    const SkinStrings named = NumberedLines(Wrap(item));
    const SkinTextItems read = ReadSkinTextItems(&named, u"Page");
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].fontName, std::u16string(31, u'F'));
}

// A button block with one sub-block per name.
std::vector<std::u16string> Buttons(std::vector<std::u16string> next)
{
    std::vector<std::u16string> lines{u"<Page>", u"<BUTTON>", u"<Back>", u"image=5", u"</Back>", u"<Next>"};
    lines.insert(lines.end(), next.begin(), next.end());
    lines.insert(lines.end(), {u"</Next>", u"</BUTTON>", u"</Page>"});
    return lines;
}

const std::vector<std::u16string> kButton = {u"image=300",
                                             u"text=Next",
                                             u"fontname=DejaVu Sans",
                                             u"fontsize=(0,13)",
                                             u"nfontweight=700",
                                             u"activecolor=rgb(255,255,255)",
                                             u"noactivecolor=rgb(100,122,208)",
                                             u"clickoffset=(1,2)"};

struct ButtonCase
{
    const char* name;
    std::vector<std::u16string> lines;
    SkinReadStatus status;
};

TEST(SkinButtonItems, ReadsACompleteItemInAnyKeyOrder)
{
    const std::set<int32_t> bitmaps{300, 301};
    const SkinBitmapExists has = [&](int32_t n) { return bitmaps.contains(n); };
    std::vector<std::u16string> reversed(kButton.rbegin(), kButton.rend());
    const SkinStrings lines = NumberedLines(Buttons(reversed));
    const SkinButtonResult read = ReadSkinButtonItem(&lines, u"Page", u"next", has);
    ASSERT_EQ(read.status, SkinReadStatus::Ok);
    const SkinButtonItem expected{300, u"Next", u"DejaVu Sans", 700, 0, 13, 0x00FFFFFF, 0x00D07A64, 1, 2};
    EXPECT_EQ(read.item, expected);

    // A later complete item in the same sub-block replaces the earlier one.
    const std::vector<std::u16string> rest(kButton.begin() + 1, kButton.end());
    const SkinStrings twice = NumberedLines(Buttons(Join({kButton, {u"image=301"}, rest})));
    EXPECT_EQ(ReadSkinButtonItem(&twice, u"Page", u"Next", has).item.image, 301);

    const std::vector<ButtonCase> cases{
        {"unknown image", Buttons(Join({kButton, {u"image=999"}})), SkinReadStatus::Ok},
        {"only an unknown image",
         Buttons({u"image=999", u"text=Next", u"fontname=F", u"fontsize=(0,13)", u"nfontweight=700",
                  u"activecolor=rgb(1,1,1)", u"noactivecolor=rgb(1,1,1)", u"clickoffset=(1,2)"}),
         SkinReadStatus::Incomplete},
        {"bad colour", Buttons(Join({kButton, {u"activecolor=rgb(1,1,1000)"}})), SkinReadStatus::Ok},
        {"bad colour before the rest",
         Buttons({u"activecolor=rgb(1,1,1000)", u"image=300", u"text=Next", u"fontname=F", u"fontsize=(0,13)",
                  u"nfontweight=700", u"noactivecolor=rgb(1,1,1)", u"clickoffset=(1,2)"}),
         SkinReadStatus::Incomplete},
        {"no Next", {u"<Page>", u"<BUTTON>", u"<Back>", u"</Back>", u"</BUTTON>"}, SkinReadStatus::NoItem},
        {"Next only below the block",
         {u"<Page>", u"<BUTTON>", u"</BUTTON>", u"<Next>"},
         SkinReadStatus::Incomplete},
        {"no BUTTON", {u"<Page>", u"</Page>"}, SkinReadStatus::NoBlock},
        {"item past the block end", Join({{u"<Page>", u"<BUTTON>", u"<Next>", u"</BUTTON>"}, kButton}),
         SkinReadStatus::Incomplete},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SkinStrings list = NumberedLines(c.lines);
        EXPECT_EQ(ReadSkinButtonItem(&list, u"Page", u"Next", has).status, c.status);
    }
    EXPECT_EQ(ReadSkinButtonItem(nullptr, u"Page", u"Next", has).status, SkinReadStatus::NoSection);
    EXPECT_EQ(ReadSkinButtonItem(&lines, u"Page", u"Next", nullptr).status, SkinReadStatus::Incomplete);
}

TEST(SkinListBlock, ReadsLinesUntilEitherEndTag)
{
    const SkinStrings lines = NumberedLines({u"<9_Basic Setting>", u"<timezone>", u"(GMT) London",
                                             u"(GMT+01:00) Paris", u"</TIMEZONE>", u"after"});
    const SkinListBlock block = ReadTimeZoneBlock(&lines);
    EXPECT_TRUE(block.found);
    EXPECT_EQ(block.lines, (std::vector<std::u16string>{u"(GMT) London", u"(GMT+01:00) Paris"}));

    const SkinStrings pageEndsFirst =
        NumberedLines({u"<9_Basic Setting>", u"</9_basic setting>", u"<TimeZone>", u"x"});
    EXPECT_FALSE(ReadTimeZoneBlock(&pageEndsFirst).found);

    const SkinStrings unterminated =
        NumberedLines({u"<TimeZone>", u"a", u"<TimeZone>", u"</9_Basic Setting>", u"b"});
    const SkinListBlock open = ReadTimeZoneBlock(&unterminated);
    EXPECT_TRUE(open.found);
    EXPECT_EQ(open.lines, (std::vector<std::u16string>{u"a", u"<TimeZone>"}));
    EXPECT_FALSE(ReadTimeZoneBlock(nullptr).found);

    // The security kinds sit in their own section; the basic page's end tag does not stop them.
    const SkinStrings security = NumberedLines(
        {u"</9_Basic Setting>", u"<security type>", u"None", u"WPA", u"</14_Wireless3 Setting>", u"late"});
    EXPECT_EQ(ReadSecurityTypeBlock(&security).lines, (std::vector<std::u16string>{u"None", u"WPA"}));
}

} // namespace
