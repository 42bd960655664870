// Renders pages, hover buttons and message boxes drawn from the English pack to PNG files in
// the build tree (png/), for people to look at, and checks what they show: the page size, the
// header band's colour, every button whole on its page with a hover look of its own, every
// message box inside the window with its buttons whole and its icon in its kind's colour. Falls
// back to the small in-memory pack when the English pack has not been built.
#include "app/language_pack.h"
#include "qt_test_support.h"
#include "skin/bitmap_button.h"
#include "skin/skinned_dialog.h"
#include "skin/skinned_message_box.h"
#include "skin_test_pack.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace qt_test;

namespace {

struct ButtonPlace
{
    const char* name;
    QPoint place;
};

// A point in every page's header band.
constexpr QPoint kHeaderPoint{300, 5};
const QColor kAccent{100, 122, 208};

struct PagePlan
{
    QString section;
    int background;
    QColor header; // at kHeaderPoint
    std::vector<ButtonPlace> buttons;
};

// A page of any section with its footer and close buttons placed as the pages place them.
class SectionPage : public SkinnedDialog
{
public:
    explicit SectionPage(const PagePlan& plan)
    {
        SetSkinSection(plan.section, plan.background);
        for (const auto& [name, place] : plan.buttons) {
            auto* button = new BitmapButton(this);
            button->move(place);
            button->hide();
            buttons.push_back({QString::fromLatin1(name), button});
        }
    }

    std::vector<std::pair<QString, BitmapButton*>> buttons;

protected:
    void ApplySkin() override
    {
        for (const auto& [name, button] : buttons) {
            ApplyPageButtonSkin(*button, name);
            button->setVisible(button->HasImage());
        }
    }
};

struct Pack
{
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    bool english = false;
    std::unique_ptr<SkinTestPack> fallback;

    Pack()
    {
        english = LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons) == 0;
        if (!english)
            fallback = std::make_unique<SkinTestPack>();
    }
    SkinStrings* Strings() { return english ? &strings : &fallback->strings; }
    SkinBitmaps* Bitmaps() { return english ? &bitmaps : &fallback->bitmaps; }
    SkinIcons* Icons() { return english ? &icons : &fallback->icons; }
    std::vector<PagePlan> Pages() const
    {
        const ButtonPlace close{"Close", QPoint(545, 12)};
        const ButtonPlace next{"Next", QPoint(465, 384)};
        if (!english)
            return {{QStringLiteral("T_Page"),
                     SkinTestPack::kBackground,
                     SkinTestPack::kBackgroundColor,
                     {next}}};
        return {
            {QStringLiteral("2_Main"), 111, kAccent, {close, {"Start", QPoint(210, 340)}}},
            {QStringLiteral("8_Search"),
             171,
             kAccent,
             {close, next, {"Back", QPoint(353, 384)}, {"Search", QPoint(184, 384)}}},
        };
    }
    // The colour of each message kind's icon, 1 to 4: error, notice, question, success.
    std::array<QColor, 4> KindColors() const
    {
        if (!english)
            return {SkinTestPack::kKindColors[0], SkinTestPack::kKindColors[1], SkinTestPack::kKindColors[2],
                    SkinTestPack::kKindColors[3]};
        return {QColor(214, 69, 69), QColor(232, 163, 61), kAccent, QColor(155, 206, 53)};
    }
};

void Hover(QWidget* widget, bool on)
{
    if (on) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
        QCoreApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &leave);
    }
}

// Normal, hover and pressed, each on the page's own background.
std::array<QImage, 3> ThreeStates(SectionPage& page, BitmapButton* button)
{
    const QRect area = button->geometry().adjusted(-8, -8, 8, 8);
    std::array<QImage, 3> states;
    for (int state = 0; state < 3; ++state) {
        Hover(button, state == 1);
        button->setDown(state == 2);
        states[static_cast<size_t>(state)] = page.grab(area).toImage().convertToFormat(QImage::Format_RGB888);
    }
    Hover(button, false);
    button->setDown(false);
    return states;
}

// The states side by side.
QImage SideBySide(const std::array<QImage, 3>& states)
{
    const QSize one = states[0].size() / states[0].devicePixelRatio();
    QImage row(one.width() * 3, one.height(), QImage::Format_RGB888);
    QPainter painter(&row);
    for (size_t state = 0; state < states.size(); ++state)
        painter.drawImage(QRect(QPoint(static_cast<int>(state) * one.width(), 0), one), states[state]);
    return row;
}

struct BoxPlan
{
    int kind;
    QString message;
    QString button1, button2, button3;
};

} // namespace

TEST(SkinPng, PagesAndTheirButtonsInEveryState)
{
    Pack pack;
    QWidget host;
    host.resize(SkinnedDialog::kCanvasWidth, SkinnedDialog::kCanvasHeight);
    for (const PagePlan& plan : pack.Pages()) {
        SCOPED_TRACE(plan.section.toStdString());
        SectionPage page(plan);
        page.SetLists(pack.Strings(), pack.Bitmaps(), pack.Icons());
        page.CreateChild(&host);
        page.show();
        host.show();
        const QString name = plan.section.toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
        SavePng(page.Canvas(), QStringLiteral("canvas_%1.png").arg(name));
        const QImage shown = page.grab().toImage();
        SavePng(shown, QStringLiteral("page_%1.png").arg(name));
        EXPECT_EQ(page.size(), QSize(SkinnedDialog::kCanvasWidth, SkinnedDialog::kCanvasHeight));
        EXPECT_EQ(shown.pixelColor(kHeaderPoint * shown.devicePixelRatio()), plan.header);
        for (const auto& [buttonName, button] : page.buttons) {
            SCOPED_TRACE(buttonName.toStdString());
            // Every button the page places has its picture in the pack, whole on the page.
            ASSERT_TRUE(button->HasImage());
            EXPECT_TRUE(page.rect().contains(button->geometry())) << "clipped by the page's edge";
            const std::array<QImage, 3> states = ThreeStates(page, button);
            EXPECT_NE(states[0], states[1]) << "the pointer over it changes nothing";
            SavePng(SideBySide(states), QStringLiteral("button_%1_%2.png").arg(name, buttonName.toLower()));
        }
    }
}

TEST(SkinPng, MessageBoxOfEachKind)
{
    Pack pack;
    const BoxPlan boxes[] = {
        {1,
         QStringLiteral(
             "The network could not be used.\nCheck this computer's network connection and try again."),
         QStringLiteral("OK"),
         {},
         {}},
        {2,
         QStringLiteral("No camera was found.\nCheck that the camera is switched on and connected."),
         QStringLiteral("OK"),
         {},
         {}},
        {3, QStringLiteral("Save these settings to the camera?"), QStringLiteral("Save"),
         QStringLiteral("Back"), QStringLiteral("Cancel")},
        {4, QStringLiteral("The settings were saved to the camera."), QStringLiteral("Finish"), {}, {}},
    };
    for (const BoxPlan& plan : boxes) {
        SCOPED_TRACE(plan.kind);
        SkinnedMessageBox box;
        box.ReadKindSkin(pack.Strings(), pack.Icons(), plan.kind);
        box.SetNearCursor(false);
        box.SetTexts(plan.message, plan.button1, plan.button2, plan.button3);
        box.Prepare();
        box.show();
        const QImage shown = box.grab().toImage();
        SavePng(shown, QStringLiteral("message_kind%1.png").arg(plan.kind));
        EXPECT_LE(box.width(), SkinnedMessageBox::kMaxWidth);
        for (int number = 1; number <= 3; ++number) {
            const TextButton* button = box.Button(number);
            if (button->isVisible()) {
                EXPECT_TRUE(box.rect().contains(button->geometry())) << "button " << number << " clipped";
            }
        }
        // Left of the icon's glyph, inside its disc.
        const QPoint inIcon = box.IconPosition() + QPoint(4, 16);
        EXPECT_EQ(shown.pixelColor(inIcon * shown.devicePixelRatio()),
                  pack.KindColors()[static_cast<size_t>(plan.kind - 1)]);
    }
}
