#include "platform/canvas.h"
#include "skin/bitmap_button.h"
#include "skin/button_skin.h"
#include "skin/text_button.h"
#include "skin_test_pack.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ButtonSkin NextSkin(const QString& text = QStringLiteral("Next"))
{
    ButtonSkin skin;
    skin.image = SkinTestPack::Strip();
    skin.text = text;
    skin.font = FontDesc{13, 0, 400, u"DejaVu Sans"};
    skin.activeColor = MakeColorRef(255, 255, 255);
    skin.inactiveColor = MakeColorRef(0, 0, 0);
    skin.clickOffsetX = 1;
    skin.clickOffsetY = 1;
    return skin;
}

void Enter(QWidget* widget)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(widget, &enter);
}

void Leave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

// The colour of the shown frame at a corner, where no caption is drawn.
QColor CornerColor(QWidget* widget)
{
    return widget->grab().toImage().pixelColor(2, 2);
}

} // namespace

TEST(HoverButton, StripOf300x40MakesA100x40ButtonShowingTheFrameOfItsState)
{
    QWidget parent;
    BitmapButton button(&parent);
    button.move(30, 40);
    button.SetSkin(NextSkin());
    parent.show();
    EXPECT_EQ(button.geometry(), QRect(30, 40, 100, 40)) << "resized in place";

    struct Step
    {
        const char* name;
        bool hover;
        bool down;
        bool enabled;
        BitmapButton::Frame frame;
    };
    const Step steps[] = {
        {"normal", false, false, true, BitmapButton::kFrameNormal},
        {"hover", true, false, true, BitmapButton::kFrameHover},
        {"pressed", false, true, true, BitmapButton::kFramePressed},
        {"pressed wins over hover", true, true, true, BitmapButton::kFramePressed},
        {"disabled looks normal", true, false, false, BitmapButton::kFrameNormal},
        {"after leave", false, false, true, BitmapButton::kFrameNormal},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        button.setEnabled(true);
        step.hover ? Enter(&button) : Leave(&button);
        button.setDown(step.down);
        button.setEnabled(step.enabled);
        EXPECT_EQ(button.IsHovering(), step.hover);
        EXPECT_EQ(button.CurrentFrame(), step.frame);
        EXPECT_EQ(CornerColor(&button), SkinTestPack::kFrameColors[step.frame]);
    }
}

TEST(HoverButton, PressedCaptionMovesByTheClickOffset)
{
    QWidget parent;
    BitmapButton button(&parent);
    ButtonSkin skin = NextSkin(QStringLiteral("IIII"));
    skin.clickOffsetX = 6;
    skin.clickOffsetY = 5;
    skin.activeColor = MakeColorRef(255, 255, 255);
    button.SetSkin(skin);
    Enter(&button);
    const QImage hover = button.grab().toImage();
    button.setDown(true);
    const QImage pressed = button.grab().toImage();
    // The caption is whatever differs from the frame's own colour; pressed, it is the hovered
    // caption moved by the offset.
    const auto captionBox = [](const QImage& image, const QColor& frame) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) != frame)
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    };
    const QRect hoverBox = captionBox(hover, SkinTestPack::kFrameColors[BitmapButton::kFrameHover]);
    const QRect pressedBox = captionBox(pressed, SkinTestPack::kFrameColors[BitmapButton::kFramePressed]);
    ASSERT_FALSE(hoverBox.isEmpty());
    EXPECT_EQ(pressedBox, hoverBox.translated(6, 5));
}

TEST(HoverButton, CaptionBlockIsCentredVerticallyAndNeverStartsAboveTheTop)
{
    struct Case
    {
        const char* name;
        QString text;
        int fontHeight;
        int lines;
    };
    const Case cases[] = {
        {"one line", QStringLiteral("Next"), 13, 1},
        {"two lines", QStringLiteral("Next\nstep"), 13, 2},
        {"taller than the button", QStringLiteral("A\nB\nC"), 30, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapButton button;
        ButtonSkin skin = NextSkin(c.text);
        skin.font.height = c.fontHeight;
        button.SetSkin(skin);
        EXPECT_EQ(button.text().count(QStringLiteral("\r\n")), c.lines - 1) << "line breaks become CR LF";
        const int lineHeight = MeasureText(CreateFontFromDesc(skin.font), button.text()).height();
        const int block = lineHeight * c.lines;
        EXPECT_EQ(button.CaptionTop(), block < 40 ? (40 - block) / 2 : 0);
    }
}

TEST(HoverButton, UnskinnedOrDegenerateButtonsDrawNothingButStillClick)
{
    QWidget parent;
    parent.resize(200, 100);
    BitmapButton plain(&parent);
    plain.setGeometry(10, 10, 80, 30);
    BitmapButton narrow(&parent);
    narrow.SetImage(SkinTestPack::Filled(2, 40, Qt::red)); // too narrow for three frames
    BitmapButton empty(&parent);
    empty.SetImage(QImage());
    parent.show();
    for (BitmapButton* button : {&plain, &narrow, &empty}) {
        EXPECT_FALSE(button->HasImage());
        button->grab(); // paints without dividing by a zero size
    }
    EXPECT_EQ(plain.size(), QSize(80, 30)) << "keeps its own size";
    QSignalSpy clicked(&plain, &QPushButton::clicked);
    QTest::mouseClick(&plain, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(HoverButton, KeepsItsStripWhenThePackIsReloaded)
{
    auto pack = std::make_unique<SkinTestPack>();
    BitmapButton button;
    auto skin =
        ReadButtonSkin(&pack->strings, &pack->bitmaps, QStringLiteral("T_Page"), QStringLiteral("Next"));
    ASSERT_TRUE(skin.has_value());
    button.SetSkin(*skin);
    skin.reset();
    pack.reset(); // the lists and their images are gone
    EXPECT_EQ(CornerColor(&button), SkinTestPack::kFrameColors[0]);
}

TEST(MsgButton, LoadSkinStyleIsThePagesOutlinedButtonReadableOnHover)
{
    TextButton button;
    button.resize(80, 24);
    button.ApplyLoadSkinStyle(QStringLiteral("Load Skin"));
    EXPECT_EQ(button.CaptionColor(), MakeColorRef(84, 104, 196));
    Enter(&button);
    EXPECT_EQ(button.CaptionColor(), MakeColorRef(74, 95, 176)) << "darker, still on white";
    Leave(&button);
    EXPECT_EQ(button.CaptionColor(), MakeColorRef(84, 104, 196));
    EXPECT_EQ(button.Style().font.faceName, u"DejaVu Sans");

    const QImage shown = button.grab().toImage();
    EXPECT_EQ(shown.pixelColor(40, 0), QColor(84, 104, 196)) << "accent text outline";
    EXPECT_EQ(shown.pixelColor(3, 12), QColor(Qt::white)) << "white fill";
    EXPECT_NE(shown.pixelColor(0, 0), QColor(84, 104, 196)) << "rounded corner";
}
