#include "qt_test_support.h"
#include "skin/bitmap_button.h"
#include "skin/message_answer.h"
#include "skin/skinned_dialog.h"
#include "skin_test_pack.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using qt_test::Request;

// Stands in for the wizard frame: records what pages ask of it, and where drags start.
class FrameRecorder : public qt_test::RecordingFrame
{
public:
    std::vector<QPoint> drags;

    void Listen(SkinnedDialog& page)
    {
        RecordingFrame::Listen(page);
        connect(&page, &SkinnedDialog::dragStarted, this, [this](QPoint point) { drags.push_back(point); });
    }
};

class TestPage : public SkinnedDialog
{
public:
    explicit TestPage(int background = SkinTestPack::kBackground)
    {
        SetSkinSection(QStringLiteral("T_Page"), background);
        edit = new QLineEdit(this);
        edit->setGeometry(200, 200, 100, 24);
        pushButton = new QPushButton(QStringLiteral("Default"), this);
        pushButton->setGeometry(350, 200, 80, 24);
        pushButton->setDefault(true);
        label = new QLabel(QStringLiteral("A caption"), this);
        label->setGeometry(200, 250, 100, 20);
        next = new BitmapButton(this);
        next->move(460, 380);
        RegisterControl(IDC_NEXT, next);
    }

    QLineEdit* edit;
    QPushButton* pushButton;
    QLabel* label;
    BitmapButton* next;
    int applySkinCalls = 0;

protected:
    void ApplySkin() override
    {
        ++applySkinCalls;
        ApplyPageButtonSkin(*next, QStringLiteral("Next"));
    }
};

// A page created inside a host window, with the test pack and a recording frame.
struct PageFixture
{
    explicit PageFixture(int background = SkinTestPack::kBackground, bool testMode = false) : page(background)
    {
        page.SetLists(&pack.strings, &pack.bitmaps, &pack.icons);
        frame.Listen(page);
        page.SetTestMode(testMode);
        host.resize(SkinnedDialog::kCanvasWidth, SkinnedDialog::kCanvasHeight);
        page.CreateChild(&host);
        page.show();
        host.show();
    }

    SkinTestPack pack;
    FrameRecorder frame;
    QWidget host;
    TestPage page;
};

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

bool HasColorIn(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == color)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(BmpDialog, InitialisationMakesASquare581x436CanvasWithBackgroundAndTexts)
{
    PageFixture f;
    EXPECT_TRUE(f.page.IsReady());
    EXPECT_EQ(f.page.size(), QSize(581, 436));
    EXPECT_EQ(f.page.mask(), QRegion(0, 0, 581, 436));
    const QImage& canvas = f.page.Canvas();
    EXPECT_EQ(canvas.size(), QSize(581, 436));
    EXPECT_EQ(canvas.format(), QImage::Format_RGB888);
    EXPECT_EQ(Pixel(canvas, 300, 300), SkinTestPack::kBackgroundColor);
    EXPECT_TRUE(HasColorIn(canvas, QRect(20, 30, 60, 24), Qt::white)) << "the text item is drawn";
    // The page shows its canvas unchanged.
    const QImage shown = f.page.grab(QRect(0, 0, 100, 100)).toImage();
    EXPECT_EQ(Pixel(shown, 5, 5), SkinTestPack::kBackgroundColor);
}

TEST(BmpDialog, MissingBackgroundLeavesTheCanvasUnpaintedButDrawsTexts)
{
    PageFixture f(9999);
    EXPECT_EQ(Pixel(f.page.Canvas(), 300, 300), QColor(0, 0, 0));
    EXPECT_TRUE(HasColorIn(f.page.Canvas(), QRect(20, 30, 60, 24), Qt::white));
}

TEST(BmpDialog, RerenderDrawsTheNewPackOverTheOldCanvas)
{
    PageFixture f;
    // The page has been drawn (a hidden page draws when first shown or asked for its canvas).
    ASSERT_EQ(Pixel(f.page.Canvas(), 300, 300), SkinTestPack::kBackgroundColor);
    // A new pack whose background covers only the top-left corner.
    const QImage small = SkinTestPack::Filled(100, 100, QColor(90, 90, 90));
    f.pack.bitmaps.RemoveAll();
    f.pack.bitmaps.EmplaceTail(SkinTestPack::kBackground, small);
    f.page.RenderPage();
    EXPECT_EQ(Pixel(f.page.Canvas(), 90, 90), QColor(90, 90, 90));
    EXPECT_EQ(Pixel(f.page.Canvas(), 300, 300), SkinTestPack::kBackgroundColor)
        << "uncovered areas keep the old";
}

TEST(BmpDialog, EveryRenderAppliesTheSkinAndInTestModeReportsIt)
{
    for (const bool testMode : {false, true}) {
        SCOPED_TRACE(testMode ? "test mode" : "normal");
        PageFixture f(SkinTestPack::kBackground, testMode);
        EXPECT_EQ(f.page.applySkinCalls, 1);
        EXPECT_EQ(f.page.next->size(), QSize(100, 40)) << "the Next item skinned the button";
        f.page.RenderPage();
        f.page.SetLanguage(QStringLiteral("Deutsch"));
        EXPECT_EQ(f.page.GetLanguage(), QStringLiteral("Deutsch"));
        EXPECT_EQ(f.page.applySkinCalls, 4);
        const auto rendered = std::count(f.frame.received.begin(), f.frame.received.end(), Request::Rendered);
        EXPECT_EQ(rendered, testMode ? 3 : 0);
    }
}

// Return and Enter press Next from a field (never Qt's default button); Escape and F1 are
// swallowed, so nothing cancels the page or the frame.
TEST(BmpDialog, ReturnPressesNextAndEscapeAndF1AreSwallowedInsideThePage)
{
    SkinnedDialog frame;
    TestPage page;
    page.CreateChild(&frame);
    page.show();
    frame.show();
    QSignalSpy rejected(&frame, &QDialog::rejected);
    QSignalSpy pageRejected(&page, &QDialog::rejected);
    QSignalSpy defaultClicked(page.pushButton, &QPushButton::clicked);
    QSignalSpy nextClicked(page.next, &QPushButton::clicked);

    for (QWidget* target : {static_cast<QWidget*>(page.edit), static_cast<QWidget*>(&page)}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_F1}) {
            SCOPED_TRACE(key);
            QTest::keyClick(target, key);
            EXPECT_TRUE(page.isVisible());
            EXPECT_TRUE(frame.isVisible());
        }
    }
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_EQ(pageRejected.count(), 0);
    EXPECT_EQ(defaultClicked.count(), 0);
    EXPECT_EQ(nextClicked.count(), 4);
    page.pushButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(page.pushButton, Qt::Key_Return);
    EXPECT_EQ(defaultClicked.count(), 1) << "a focused button is pressed itself";
    EXPECT_EQ(nextClicked.count(), 4);
    QTest::keyClicks(page.edit, QStringLiteral("ok"));
    EXPECT_EQ(page.edit->text(), QStringLiteral("ok")) << "other keys still reach the controls";
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
}

TEST(BmpDialog, OnlyPressesOnTheBackgroundStartADrag)
{
    PageFixture f;
    QTest::mouseClick(&f.page, Qt::LeftButton, {}, QPoint(10, 12));
    QTest::mouseClick(f.page.label, Qt::LeftButton, {}, QPoint(3, 4)); // static text is background
    QTest::mouseClick(&f.page, Qt::RightButton, {}, QPoint(10, 12));
    QTest::mouseClick(f.page.edit, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(f.page.pushButton, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(f.page.next, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.frame.drags, (std::vector<QPoint>{QPoint(10, 12), QPoint(203, 254)}));
}

TEST(BmpDialog, StandardButtonsNotifyTheFrame)
{
    struct Case
    {
        int id;
        Request request;
        bool later; // taken on the next turn of the event loop
    };
    const Case cases[] = {
        {IDC_NEXT, Request::Next, true},
        {IDC_BACK, Request::Back, true},
        {IDC_LOAD_SKIN, Request::ReloadLanguage, false},
        {IDC_CLOSE, Request::Close, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        PageFixture f;
        f.frame.received.clear();
        f.page.Command(c.id);
        EXPECT_EQ(f.frame.received.size(), c.later ? 0u : 1u) << "steps arrive later";
        QCoreApplication::processEvents();
        EXPECT_EQ(f.frame.received, std::vector<Request>{c.request});
    }
}

TEST(BmpDialog, StandardButtonsAfterTheFrameIsGoneDoNothing)
{
    SkinTestPack pack;
    QWidget host;
    TestPage page;
    auto frame = std::make_unique<FrameRecorder>();
    frame->Listen(page);
    page.CreateChild(&host);
    page.NotifyNext(); // queued for a frame that goes away before it arrives
    frame.reset();
    for (const int id : {IDC_NEXT, IDC_BACK, IDC_LOAD_SKIN, IDC_CLOSE})
        page.Command(id);
    QCoreApplication::processEvents();

    TestPage unset;
    unset.CreateChild(&host);
    FrameRecorder bystander;
    unset.Command(IDC_NEXT);
    QCoreApplication::processEvents();
    EXPECT_TRUE(bystander.received.empty());
}

TEST(BmpDialog, ShowMessageGoesThroughTheAnswerHook)
{
    PageFixture f;
    {
        MessageAnswer answer(1);
        answer.SetNextAnswer(3);
        EXPECT_EQ(f.page.ShowMessage(2, QStringLiteral("Save?"), QStringLiteral("Yes"), QStringLiteral("No"),
                                     QStringLiteral("Later")),
                  3);
        EXPECT_EQ(f.page.ShowMessage(1, QStringLiteral("Failed"), QStringLiteral("OK")), 1);
        ASSERT_EQ(answer.shown.size(), 2u);
        EXPECT_EQ(answer.shown[0], (SkinnedMessage{2, QStringLiteral("Save?"), QStringLiteral("Yes"),
                                                   QStringLiteral("No"), QStringLiteral("Later")}));
        EXPECT_EQ(answer.shown[1].kind, 1);
        EXPECT_TRUE(answer.shown[1].button2.isEmpty());
    }
    EXPECT_FALSE(SkinnedMessageHookInPlace()) << "the hook is gone with its scope";
}
