#include "platform/canvas.h"
#include "qt_test_support.h"
#include "skin/skinned_dialog.h"
#include "skin/skinned_message_box.h"
#include "skin_test_pack.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs the box modally; `act` runs once it is up and must close it.
int RunBox(SkinnedMessageBox& box, const std::function<void(SkinnedMessageBox&)>& act)
{
    QTimer::singleShot(0, &box, [&box, act] { act(box); });
    box.RunModal();
    return box.Result();
}

int LineHeight(const MessageTextStyle& style, const QString& text)
{
    return MeasureText(CreateFontFromDesc(style.font, style.textGap), text).height();
}

// The test pack's strings with string `number` replaced by `text`.
SkinStrings WithString(const SkinStrings& strings, int number, std::u16string_view text)
{
    SkinStrings copy;
    for (const StringEntry* entry : strings)
        copy.EmplaceTail(entry->number, entry->number == number ? std::u16string(text) : entry->text);
    return copy;
}

class ShowingPage : public SkinnedDialog
{
public:
    ShowingPage() { SetSkinSection(QStringLiteral("T_Page"), SkinTestPack::kBackground); }
};

} // namespace

TEST(MessageDialog, ResultIsThePressedButtonEnterOnTheFocusedOneOrZeroForEscape)
{
    struct Case
    {
        const char* name;
        std::function<void(SkinnedMessageBox&)> act;
        int result;
    };
    const Case cases[] = {
        {"button 1015", [](SkinnedMessageBox& b) { QTest::mouseClick(b.Button(1), Qt::LeftButton); }, 1},
        {"button 1016", [](SkinnedMessageBox& b) { QTest::mouseClick(b.Button(2), Qt::LeftButton); }, 2},
        {"button 1017", [](SkinnedMessageBox& b) { QTest::mouseClick(b.Button(3), Qt::LeftButton); }, 3},
        {"Return with the focus where the box put it",
         [](SkinnedMessageBox& b) { QTest::keyClick(&b, Qt::Key_Return); }, 1},
        {"Return on the button Tab moved to from the first",
         [](SkinnedMessageBox& b) {
             b.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&b));
             QTest::keyClick(&b, Qt::Key_Tab);
             QTest::keyClick(b.focusWidget(), Qt::Key_Return);
         },
         2},
        {"Enter on a focused button",
         [](SkinnedMessageBox& b) {
             b.Button(3)->setFocus(Qt::TabFocusReason);
             QTest::keyClick(b.Button(3), Qt::Key_Enter);
         },
         3},
        {"Escape with three buttons", [](SkinnedMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SkinnedMessageBox box;
        box.SetTexts(QStringLiteral("Continue?"), QStringLiteral("Yes"), QStringLiteral("No"),
                     QStringLiteral("Later"));
        EXPECT_EQ(RunBox(box, c.act), c.result);
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(MessageDialog, BoxSizeFollowsTheMessageButNeverExceedsTheWindow)
{
    SkinTestPack pack;
    struct Case
    {
        const char* name;
        QString message;
        int lines; // display lines once wrapped
    };
    const Case cases[] = {
        {"short line", QStringLiteral("Saved."), 1},
        {"three lines", QStringLiteral("One\nTwo\nThree"), 3},
        {"six lines", QStringLiteral("1\n2\n3\n4\n5\n6"), 6},
        {"sentence wider than the window wraps at spaces",
         QStringLiteral(
             "Check that the camera is switched on and connected to this network, then look again."),
         2},
        {"word wider than the window is cut", QString(120, QLatin1Char('W')), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SkinnedMessageBox box;
        box.ReadKindSkin(&pack.strings, &pack.icons, 3);
        box.SetTexts(c.message, QStringLiteral("OK"), {}, {});
        box.Prepare();
        const MessageTextStyle& style = box.TextStyle();
        const QFont font = CreateFontFromDesc(style.font, style.textGap);
        QStringList shown;
        for (const QString& line : c.message.split(QLatin1Char('\n')))
            shown += WrapTextLine(font, line, SkinnedMessageBox::kMaxWidth - 160);
        if (c.lines > 0) {
            EXPECT_EQ(shown.size(), c.lines);
        }
        int widest = 0;
        for (const QString& line : shown)
            widest = std::max(widest, MeasureText(font, line).width());
        EXPECT_EQ(shown.join(QString()).remove(QLatin1Char(' ')),
                  QString(c.message).remove(QLatin1Char(' ')).remove(QLatin1Char('\n')))
            << "nothing lost in wrapping";
        EXPECT_EQ(box.width(), std::clamp(widest + 160, 280, SkinnedMessageBox::kMaxWidth));
        const int height = 10 + (style.textLinePitch + LineHeight(style, c.message)) * shown.size() + 50;
        EXPECT_EQ(box.height(), std::max(95, height));
    }
}

TEST(MessageDialog, EmptyCaptionsHideButtonsAndTheFirstSitsBottomRight)
{
    SkinnedMessageBox box;
    box.SetTexts(QStringLiteral("Done."), QStringLiteral("OK"), {}, {});
    box.show();
    box.Prepare();
    EXPECT_TRUE(box.Button(1)->isVisible());
    EXPECT_FALSE(box.Button(2)->isVisible());
    EXPECT_FALSE(box.Button(3)->isVisible());
    const QRect first = box.Button(1)->geometry();
    EXPECT_EQ(box.width() - first.right() - 1, 10);
    EXPECT_EQ(box.height() - first.bottom() - 1, 10);
    EXPECT_EQ(box.Button(1)->Caption(), QStringLiteral("OK"));

    box.SetTexts(QStringLiteral("Sure?"), QStringLiteral("Yes"), QStringLiteral("No"),
                 QStringLiteral("Cancel"));
    box.Prepare();
    const QRect second = box.Button(2)->geometry();
    const QRect third = box.Button(3)->geometry();
    EXPECT_EQ(second.top(), first.top());
    EXPECT_EQ(first.left() - second.right() - 1, 10);
    EXPECT_EQ(second.left() - third.right() - 1, 10);
}

TEST(MessageDialog, KindSelectsItsStringsAndIcon)
{
    SkinTestPack pack;
    // Kind 2 gets a frame size that is no number: its buttons keep the 1-pixel default.
    const SkinStrings strings = WithString(pack.strings, 61004, u"framesize=thick");
    SkinnedMessageBox box;
    box.ReadKindSkin(&strings, &pack.icons, 2);
    EXPECT_EQ(box.Icon().pixelColor(0, 0), SkinTestPack::kKindColors[1]);
    EXPECT_EQ(box.Button(1)->Style().fillColor, MakeColorRef(100, 122, 208));
    EXPECT_EQ(box.Button(3)->Style().frameSize, 1);
    EXPECT_EQ(box.TextStyle().frameSize, 3);
    EXPECT_EQ(box.TextStyle().panelColor, MakeColorRef(255, 255, 255));

    SkinnedMessageBox noIcon;
    SkinIcons icons;
    noIcon.ReadKindSkin(&pack.strings, &icons, 4);
    EXPECT_TRUE(noIcon.Icon().isNull());
}

TEST(MessageDialog, CanvasHasFramePanelIconAndIsShownUnchanged)
{
    SkinTestPack pack;
    SkinnedMessageBox box;
    box.ReadKindSkin(&pack.strings, &pack.icons, 1);
    box.SetTexts(QStringLiteral("Something failed."), QStringLiteral("OK"), {}, {});
    box.Prepare();
    const QImage& canvas = box.Canvas();
    EXPECT_EQ(canvas.size(), box.size());
    EXPECT_EQ(canvas.pixelColor(1, box.height() / 2), QColor(100, 122, 208)) << "frame";
    EXPECT_EQ(canvas.pixelColor(box.width() - 30, 8), QColor(255, 240, 240)) << "panel";
    EXPECT_EQ(canvas.pixelColor(25 + 16, 20 + 16), SkinTestPack::kKindColors[0]) << "icon at (25, 20)";
    EXPECT_EQ(box.grab(QRect(0, 0, 60, 60)).toImage().pixelColor(41, 36), SkinTestPack::kKindColors[0]);
}

TEST(MessageDialog, DragsByItsBackground)
{
    SkinnedMessageBox box;
    box.SetTexts(QStringLiteral("Drag me."), QStringLiteral("OK"), {}, {});
    box.Prepare();
    box.show();
    const QPoint start = box.pos();
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(20, 20));
    qt_test::SendMouse(&box, QEvent::MouseMove, QPoint(50, 35), Qt::NoButton, Qt::LeftButton);
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(50, 35));
    EXPECT_EQ(box.pos(), start + QPoint(30, 15));
}

TEST(MessageDialog, PageShowsTheBoxSkinnedFromItsListsOverItsWindow)
{
    SkinTestPack pack;
    QWidget host;
    host.setGeometry(100, 100, 581, 436);
    ShowingPage page;
    page.SetLists(&pack.strings, &pack.bitmaps, &pack.icons);
    page.CreateChild(&host);
    host.show();
    QPoint centre;
    COLORREF fill = 0;
    QTimer::singleShot(0, &page, [&] {
        auto* box = qobject_cast<SkinnedMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        centre = box->geometry().center();
        fill = box->Button(2)->Style().fillColor;
        QTest::mouseClick(box->Button(2), Qt::LeftButton);
    });
    EXPECT_EQ(page.ShowMessage(3, QStringLiteral("Keep?"), QStringLiteral("Yes"), QStringLiteral("No")), 2);
    EXPECT_EQ(fill, MakeColorRef(100, 122, 208));
    // The page swallows Escape, but the box over it is a window of its own and keeps it.
    QTimer::singleShot(0, &page, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(page.ShowMessage(1, QStringLiteral("Failed."), QStringLiteral("OK")), 0);
    EXPECT_LE((centre - host.geometry().center()).manhattanLength(), 2) << "centred over the wizard";
}

TEST(MessageDialog, LinesOfACharacterHeightFontStackDownwards)
{
    SkinTestPack pack;
    const SkinStrings strings = WithString(pack.strings, 60014, u"textfontsize=(0,-13)");
    SkinnedMessageBox box;
    box.ReadKindSkin(&strings, &pack.icons, 1);
    box.SetTexts(QStringLiteral("Top\nBottom"), QStringLiteral("OK"), {}, {});
    box.Prepare();
    const QColor panel(255, 240, 240);
    const auto inkRows = [&](int top, int bottom) {
        int rows = 0;
        for (int y = std::max(0, top); y < bottom; ++y) {
            for (int x = 80; x < 140; ++x) {
                if (box.Canvas().pixelColor(x, y) != panel) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    const int line = LineHeight(box.TextStyle(), QStringLiteral("Top\nBottom"));
    const int secondTop = 10 + line + box.TextStyle().textLinePitch;
    EXPECT_GT(inkRows(10, 10 + line), 0) << "first line";
    EXPECT_GT(inkRows(secondTop, secondTop + line), 0) << "second line below the first";
    EXPECT_EQ(inkRows(4, 8), 0) << "nothing between the frame and the text top";
}
