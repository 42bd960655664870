#include "../unit/numbered_lines.h"
#include "platform/canvas.h"
#include "qt_test_support.h"
#include "skin/button_skin.h"
#include "skin/skin_draw.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace {

QImage Canvas()
{
    return CreateCanvasBitmap(436, 581, 24);
}

// Runs of rows holding any non-black pixel, separated by blank rows.
std::vector<std::pair<int, int>> InkRowRuns(const QImage& image)
{
    std::vector<std::pair<int, int>> runs;
    bool inRun = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = (image.pixel(x, y) & 0xFFFFFF) != 0;
        if (ink && !inRun)
            runs.push_back({y, y});
        if (ink)
            runs.back().second = y;
        inRun = ink;
    }
    return runs;
}

SkinTextItem Item(std::u16string text, int x, int y, int linePitch, COLORREF color = 0xFFFFFF)
{
    return SkinTextItem{std::move(text), u"DejaVu Sans", x, y, 0, -20, color, 700, 0, linePitch};
}

TEST(SkinDraw, DisplayLinesAreSpacedByTheWholeTextHeightPlusThePitch)
{
    const int cy =
        MeasureText(CreateFontFromDesc(FontDesc{-20, 0, 700, u"DejaVu Sans"}), "Ab\n\nCd").height();
    QImage canvas = Canvas();
    QPainter painter(&canvas);
    DrawSkinTextItem(Item(u"Ab\n\nCd", 30, 40, 7), painter);
    painter.end();

    const auto runs = InkRowRuns(canvas);
    ASSERT_EQ(runs.size(), 2u); // the empty middle line draws nothing but keeps its place
    EXPECT_GE(runs[0].first, 40);
    EXPECT_LT(runs[0].second, 40 + cy);
    EXPECT_GE(runs[1].first, 40 + 2 * (cy + 7));
    EXPECT_LT(runs[1].second, 40 + 2 * (cy + 7) + cy);
}

TEST(SkinDraw, SectionTextsDrawAsWrittenAndNothingWithoutASection)
{
    const SkinStrings lines =
        NumberedLines({u"<2_Main>", u"<text>", u"TEXT=Hello", u"position=(100,100)", u"COLOR=RGB(255,0,128)",
                       u"fontsize=(0,-20)", u"fontname=DejaVu Sans", u"weight=700", u"gap=0", u"linepitch=0",
                       u"</TEXT>", u"</2_Main>"});
    QImage canvas = Canvas();
    DrawSkinTexts(&lines, QStringLiteral("2_main"), canvas);
    QImage expected = Canvas();
    QPainter painter(&expected);
    DrawSkinTextItem(Item(u"Hello", 100, 100, 0, MakeColorRef(255, 0, 128)), painter);
    painter.end();
    EXPECT_EQ(canvas, expected); // "Hello", not a lowered "hello", in its own colour
    EXPECT_NE(canvas, Canvas());

    QImage untouched = Canvas();
    DrawSkinTexts(nullptr, QStringLiteral("2_Main"), untouched);
    DrawSkinTexts(&lines, QStringLiteral("3_License"), untouched);
    EXPECT_EQ(untouched, Canvas());
}

TEST(SkinDraw, ExtremeItemsDrawWithoutOverflow)
{
    QImage canvas = Canvas();
    QPainter painter(&canvas);
    DrawSkinTextItem(Item(u"far\naway", INT32_MAX, INT32_MAX, INT32_MAX), painter);
    DrawSkinTextItem(Item(u"far\naway", INT32_MIN, INT32_MIN, INT32_MIN), painter);
    DrawSkinTextItem(
        SkinTextItem{u"x\ny", u"", 0, 0, INT32_MAX, INT32_MAX, 0, INT32_MIN, INT32_MIN, INT32_MAX}, painter);
    DrawSkinTextItem(Item(std::u16string(20000, u'W'), -5, 10, 0), painter);
}

TEST(SkinDraw, BackgroundBitmapIsCopiedAtItsOwnSize)
{
    QImage small(100, 50, QImage::Format_RGB888);
    small.fill(qRgb(10, 20, 30));
    SkinBitmaps bitmaps;
    bitmaps.EmplaceTail(111, small);
    bitmaps.EmplaceTail(112, QImage());

    QImage canvas = Canvas();
    canvas.fill(qRgb(1, 1, 1));
    EXPECT_TRUE(DrawSkinBitmap(&bitmaps, 111, canvas));
    EXPECT_EQ(canvas.pixel(99, 49), qRgb(10, 20, 30));
    EXPECT_EQ(canvas.pixel(100, 49), qRgb(1, 1, 1)); // areas it does not cover keep what they held
    EXPECT_EQ(canvas.pixel(99, 50), qRgb(1, 1, 1));

    const QImage before = canvas;
    EXPECT_FALSE(DrawSkinBitmap(&bitmaps, 999, canvas));
    EXPECT_FALSE(DrawSkinBitmap(&bitmaps, 112, canvas));
    EXPECT_FALSE(DrawSkinBitmap(nullptr, 111, canvas));
    EXPECT_EQ(canvas, before);
}

struct FakeButton
{
    std::vector<ButtonSkin> applied;
    void SetSkin(const ButtonSkin& skin) { applied.push_back(skin); }
};

TEST(SkinDraw, ButtonItemsResolveToTheirStripImage)
{
    QImage strip(300, 40, QImage::Format_RGB888);
    strip.fill(qRgb(100, 122, 208));
    SkinBitmaps bitmaps;
    bitmaps.EmplaceTail(300, strip);
    bitmaps.EmplaceTail(301, QImage());
    auto lines = [](std::u16string image) {
        return NumberedLines({u"<8_Search>", u"<BUTTON>", u"<Next>", image, u"text=Next\nstep",
                              u"fontname=DejaVu Sans", u"fontsize=(5,-13)", u"nfontweight=700",
                              u"activecolor=rgb(255,255,255)", u"noactivecolor=rgb(1,2,3)",
                              u"clickoffset=(1,2)", u"</Next>", u"</BUTTON>", u"</8_Search>"});
    };
    const QString section = QStringLiteral("8_Search");
    const QString next = QStringLiteral("Next");
    const SkinStrings good = lines(u"image=300");
    FakeButton button;
    ASSERT_TRUE(ApplyButtonSkin(&good, &bitmaps, section, next, button));
    const ButtonSkin& skin = button.applied.at(0);
    EXPECT_EQ(skin.image, strip);
    EXPECT_EQ(skin.text, QStringLiteral("Next\nstep"));
    EXPECT_EQ(skin.font, (FontDesc{-13, 5, 700, u"DejaVu Sans"}));
    EXPECT_EQ(skin.inactiveColor, MakeColorRef(1, 2, 3));

    // An unknown or unreadable image leaves the item incomplete and the button as it was.
    const SkinStrings unknown = lines(u"image=999");
    const SkinStrings unreadable = lines(u"image=301");
    EXPECT_FALSE(ApplyButtonSkin(&unknown, &bitmaps, section, next, button));
    EXPECT_FALSE(ApplyButtonSkin(&unreadable, &bitmaps, section, next, button));
    EXPECT_FALSE(ApplyButtonSkin(&good, nullptr, section, next, button));
    EXPECT_EQ(button.applied.size(), 1u);
}

TEST(SkinDraw, RendersASampleSectionToPng)
{
    const SkinStrings lines = NumberedLines({u"<9_Basic Setting>",
                                             u"<TEXT>",
                                             u"text=Basic settings",
                                             u"position=(24,20)",
                                             u"color=rgb(255,255,255)",
                                             u"fontsize=(0,-20)",
                                             u"fontname=DejaVu Sans",
                                             u"weight=700",
                                             u"gap=0",
                                             u"linepitch=0",
                                             u"text=Camera name\nDescription\nTime zone",
                                             u"position=(184,92)",
                                             u"color=rgb(43,47,58)",
                                             u"fontsize=(0,-13)",
                                             u"fontname=DejaVu Sans",
                                             u"weight=400",
                                             u"gap=0",
                                             u"linepitch=19",
                                             u"text=S p a c e d  by 3",
                                             u"position=(184,300)",
                                             u"color=rgb(128,128,128)",
                                             u"fontsize=(0,-11)",
                                             u"fontname=DejaVu Sans",
                                             u"weight=400",
                                             u"gap=3",
                                             u"linepitch=0",
                                             u"</TEXT>",
                                             u"</9_Basic Setting>"});
    QImage canvas = Canvas();
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.fillRect(0, 0, 581, 64, QColor(100, 122, 208));
        painter.fillRect(0, 64, 160, 372, QColor(0xF4, 0xF6, 0xFB));
        DrawSkinTexts(&lines, QStringLiteral("9_Basic Setting"), painter);
    }
    qt_test::SavePng(canvas, QStringLiteral("skin_texts.png"));
}

} // namespace
