// Renders pages, hover buttons and message boxes drawn from the English pack to PNG files in
// the build tree (png/), for people to look at. Falls back to the small in-memory pack when
// the English pack has not been built.
#include "app/language_pack.h"
#include "qt_test_support.h"
#include "skin/bmp_dialog.h"
#include "skin/hover_button_ex.h"
#include "skin/message_dialog.h"
#include "skin_test_pack.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
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

struct PagePlan
{
    QString section;
    int background;
    std::vector<ButtonPlace> buttons;
};

// A page of any section with its footer and close buttons placed as the pages place them.
class SectionPage : public CBmpDialog
{
public:
    explicit SectionPage(const PagePlan& plan)
    {
        SetSkinSection(plan.section, plan.background);
        for (const auto& [name, place] : plan.buttons) {
            auto* button = new CHoverButtonEx(this);
            button->move(place);
            button->hide();
            buttons.push_back({QString::fromLatin1(name), button});
        }
    }

    std::vector<std::pair<QString, CHoverButtonEx*>> buttons;

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
    CStringList strings;
    CBmpList bitmaps;
    CIconList icons;
    bool english = false;
    std::unique_ptr<SkinTestPack> fallback;

    Pack()
    {
        english = LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons) == 0;
        if (!english)
            fallback = std::make_unique<SkinTestPack>();
    }
    CStringList* Strings() { return english ? &strings : &fallback->strings; }
    CBmpList* Bitmaps() { return english ? &bitmaps : &fallback->bitmaps; }
    CIconList* Icons() { return english ? &icons : &fallback->icons; }
    std::vector<PagePlan> Pages() const
    {
        const ButtonPlace close{"Close", QPoint(545, 12)};
        const ButtonPlace next{"Next", QPoint(465, 384)};
        if (!english)
            return {{QStringLiteral("T_Page"), SkinTestPack::kBackground, {next}}};
        return {
            {QStringLiteral("2_Main"), 111, {close, {"Start", QPoint(210, 340)}}},
            {QStringLiteral("8_Search"),
             171,
             {close, next, {"Back", QPoint(353, 384)}, {"Search", QPoint(184, 384)}}},
        };
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

// Normal, hover and pressed side by side on the page's own background.
QImage ThreeStates(SectionPage& page, CHoverButtonEx* button)
{
    const QRect area = button->geometry().adjusted(-8, -8, 8, 8);
    QImage row(area.width() * 3, area.height(), QImage::Format_RGB888);
    QPainter painter(&row);
    for (int state = 0; state < 3; ++state) {
        Hover(button, state == 1);
        button->setDown(state == 2);
        painter.drawPixmap(state * area.width(), 0, page.grab(area));
    }
    Hover(button, false);
    button->setDown(false);
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
    host.resize(CBmpDialog::kCanvasWidth, CBmpDialog::kCanvasHeight);
    for (const PagePlan& plan : pack.Pages()) {
        SCOPED_TRACE(plan.section.toStdString());
        SectionPage page(plan);
        page.SetLists(pack.Strings(), pack.Bitmaps(), pack.Icons());
        page.CreateChild(&host);
        page.show();
        host.show();
        const QString name = plan.section.toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
        SavePng(page.Canvas(), QStringLiteral("canvas_%1.png").arg(name));
        SavePng(page.grab().toImage(), QStringLiteral("page_%1.png").arg(name));
        for (const auto& [buttonName, button] : page.buttons) {
            if (!button->HasImage())
                continue;
            SavePng(ThreeStates(page, button),
                    QStringLiteral("button_%1_%2.png").arg(name, buttonName.toLower()));
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
        CMessageDialog box;
        box.ReadKindSkin(pack.Strings(), pack.Icons(), plan.kind);
        box.SetNearCursor(false);
        box.SetTexts(plan.message, plan.button1, plan.button2, plan.button3);
        box.Prepare();
        box.show();
        SavePng(box.grab().toImage(), QStringLiteral("message_kind%1.png").arg(plan.kind));
    }
}
