// The wizard on a screen of device pixel ratio 2 (ctest runs these with QT_SCALE_FACTOR=2;
// at ratio 1 they skip): the window keeps its 581 x 436 layout and is drawn with twice the
// pixels, its text sharper than the 1x page blown up.
#include "app/data_folders.h"
#include "app/language_pack.h"
#include "app/wizard_frame.h"
#include "demo_wizard.h"
#include "page_walk.h"
#include "platform/canvas.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"
#include "skin/skin_draw.h"
#include "skin/skinned_message_box.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qt_test;

namespace {

// The part of both pages that holds their title and first text items, in logical pixels.
const QRect kTextArea(20, 10, 260, 200);

// The page as a screen of ratio 1 shows it, its canvas drawn by the same skin functions,
// then enlarged to the ratio-2 size.
QImage OneXEnlarged(SkinnedDialog& page, Qt::TransformationMode mode)
{
    QImage canvas = CreateCanvasBitmap(SkinnedDialog::kCanvasHeight, SkinnedDialog::kCanvasWidth, 24);
    QPainter painter(&canvas);
    DrawSkinBitmap(page.BitmapList(), page.BackgroundNumber(), painter);
    DrawSkinTexts(page.StringList(), page.SectionName(), painter);
    painter.end();
    return canvas.scaled(canvas.size() * 2, Qt::IgnoreAspectRatio, mode)
        .convertToFormat(QImage::Format_RGB32);
}

// Share of the 2 x 2 pixel blocks that are not one colour: detail finer than a 1x pixel.
double FineDetail(const QImage& image, const QRect& area)
{
    int blocks = 0;
    int detailed = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2) {
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            ++blocks;
            detailed +=
                image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c;
        }
    }
    return blocks == 0 ? 0.0 : static_cast<double>(detailed) / blocks;
}

// Mean squared second difference of the grey level: how much of the picture is crisp edges
// rather than smooth ramps. Enlarging a picture smoothly lowers it.
double EdgeCrispness(const QImage& image, const QRect& area)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top() + 1; y < area.bottom(); ++y) {
        for (int x = area.left() + 1; x < area.right(); ++x) {
            const int centre = qGray(image.pixel(x, y));
            const int across = qGray(image.pixel(x - 1, y)) + qGray(image.pixel(x + 1, y)) - 2 * centre;
            const int down = qGray(image.pixel(x, y - 1)) + qGray(image.pixel(x, y + 1)) - 2 * centre;
            sum += double(across) * across + double(down) * down;
            ++count;
        }
    }
    return count == 0 ? 0.0 : sum / count;
}

void ExpectSharpAtRatio2(SkinnedDialog& page, const QString& png)
{
    const QImage shown = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    SavePng(shown, png);
    ASSERT_EQ(shown.size(), QSize(1162, 872));
    EXPECT_EQ(page.size(), QSize(581, 436)); // the layout stays in logical pixels
    const QRect area(kTextArea.topLeft() * 2, kTextArea.size() * 2);
    // Not a 1x picture with its pixels doubled, and crisper than one enlarged smoothly.
    const QImage doubled = OneXEnlarged(page, Qt::FastTransformation);
    const QImage smoothed = OneXEnlarged(page, Qt::SmoothTransformation);
    EXPECT_EQ(FineDetail(doubled, area), 0.0);
    EXPECT_GT(FineDetail(shown, area), 0.02);
    EXPECT_GT(EdgeCrispness(shown, area), 3 * EdgeCrispness(smoothed, area));
}

TEST(HiDpi, MainAndSearchPagesAreDrawnAtTheScreensResolution)
{
    if (qApp->devicePixelRatio() == 1.0)
        GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    DemoFolder demo;
    ASSERT_TRUE(demo.Ready() && demo.AddPack(EnglishPackPath()));
    ScopedDataFolders folders({demo.Path()});
    MessageAnswer answers;
    MessageBoxAnswer plainAnswers;
    WizardFrame frame(QStringLiteral("camtivo /testmode"));
    RunWizard(frame, [](WizardFrame& shown) {
        ExpectSharpAtRatio2(shown.Main(), QStringLiteral("main_page_ratio2.png"));
        StartSearch(shown);
        ExpectSharpAtRatio2(shown.Search(), QStringLiteral("search_page_ratio2.png"));
    });
}

TEST(HiDpi, MessageBoxesAreDrawnAtTheScreensResolution)
{
    if (qApp->devicePixelRatio() == 1.0)
        GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    ASSERT_EQ(LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons), 0);
    SkinnedMessageBox box;
    box.ReadKindSkin(&strings, &icons, 1);
    box.SetTexts(QStringLiteral("The network did not answer in time."), QStringLiteral("OK"), {}, {});
    box.Prepare();
    EXPECT_EQ(box.Canvas().size(), box.size() * 2);
    EXPECT_EQ(box.Canvas().devicePixelRatio(), 2.0);
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.size(), box.size() * 2);
    SavePng(shown, QStringLiteral("message_box_ratio2.png"));
}

// Where the 2x art has detail finer than a 1x pixel (a 2 x 2 block that is not one colour)
// and nothing covers it, how many such blocks `shown` draws otherwise than the 2x art does.
// A 1x picture enlarged, its pixels doubled or interpolated, misses them. `covered` is in
// logical pixels.
struct ArtDetail
{
    int detailed = 0;
    int missed = 0;
};

bool Flat(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return image.pixel(x + 1, y) == c && image.pixel(x, y + 1) == c && image.pixel(x + 1, y + 1) == c;
}

bool Near(QRgb a, QRgb b)
{
    constexpr int kTolerance = 16;
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

bool SameBlock(const QImage& a, const QImage& b, int x, int y)
{
    return Near(a.pixel(x, y), b.pixel(x, y)) && Near(a.pixel(x + 1, y), b.pixel(x + 1, y)) &&
           Near(a.pixel(x, y + 1), b.pixel(x, y + 1)) && Near(a.pixel(x + 1, y + 1), b.pixel(x + 1, y + 1));
}

ArtDetail CompareWithArt(const QImage& shown, const QImage& art2x, const QRegion& covered = {})
{
    ArtDetail detail;
    const QImage art = art2x.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(shown.width(), art.width());
    const int height = std::min(shown.height(), art.height());
    for (int y = 0; y + 1 < height; y += 2) {
        for (int x = 0; x + 1 < width; x += 2) {
            if (Flat(art, x, y) || covered.contains(QPoint(x / 2, y / 2)))
                continue;
            ++detail.detailed;
            detail.missed += !SameBlock(shown, art, x, y);
        }
    }
    return detail;
}

void ExpectArtAsSharpAsText(const ArtDetail& detail, const std::string& what)
{
    EXPECT_GT(detail.detailed, 20) << what << ": the 2x art has detail to show";
    EXPECT_LE(detail.missed, detail.detailed / 50)
        << what << ": " << detail.missed << " of " << detail.detailed << " detailed blocks unlike the 2x art";
}

void ExpectButtonsSharp(QWidget* window, const std::string& where)
{
    for (BitmapButton* button : window->findChildren<BitmapButton*>()) {
        if (button->isHidden() || !button->HasImage())
            continue;
        ASSERT_FALSE(button->Strip2x().isNull()) << where << ": a button without 2x art";
        const QImage frame =
            button->Strip2x().copy(0, 0, button->FrameWidth() * 2, button->FrameHeight() * 2);
        const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ExpectArtAsSharpAsText(CompareWithArt(shown, frame),
                               where + " button " + button->text().toStdString());
    }
}

void ExpectIconSharp(SkinnedMessageBox& box, const std::string& where)
{
    QImage icon2x;
    for (const SkinIcon* entry : *qobject_cast<WizardFrame*>(box.parentWidget())->IconList())
        icon2x = entry->number == box.Kind() ? entry->image2x : icon2x;
    ASSERT_EQ(icon2x.size(), QSize(64, 64)) << where;
    QImage onPanel(icon2x.size(), QImage::Format_RGB32);
    onPanel.fill(Qt::white);
    QPainter painter(&onPanel);
    painter.drawImage(0, 0, icon2x);
    painter.end();
    const QImage shown = box.grab()
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32)
                             .copy(QRect(box.IconPosition() * 2, QSize(64, 64)));
    ExpectArtAsSharpAsText(CompareWithArt(shown, onPanel), where + " icon");
}

TEST(HiDpi, EveryPageAndBoxDrawsItsArtAtTheScreensResolution)
{
    if (qApp->devicePixelRatio() == 1.0)
        GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    for (const auto& [pack, language] : {std::pair{EnglishPackPath(), QStringLiteral("en")},
                                         std::pair{SpanishPackPath(), QStringLiteral("es")}}) {
        int pages = 0;
        page_walk::Walk(pack, language, [&](const page_walk::Shown& shown) {
            const std::string where = (language + QLatin1Char(' ') + shown.name).toStdString();
            EXPECT_EQ(shown.image.size(), shown.window->size() * 2) << where;
            ExpectButtonsSharp(shown.window, where);
            if (auto* box = qobject_cast<SkinnedMessageBox*>(shown.window))
                ExpectIconSharp(*box, where);
            auto* page = qobject_cast<SkinnedDialog*>(shown.window);
            const QImage art2x =
                page ? FindSkinBitmap2x(page->BitmapList(), page->BackgroundNumber()) : QImage();
            if (art2x.isNull())
                return;
            QRegion covered;
            for (QWidget* child : page->findChildren<QWidget*>())
                if (!child->isHidden() && !child->isWindow())
                    covered += QRect(child->mapTo(page, QPoint(0, 0)), child->size());
            ExpectArtAsSharpAsText(CompareWithArt(shown.image, art2x, covered), where);
            ++pages;
        });
        EXPECT_GE(pages, 15) << "every page has 2x art";
    }
}

} // namespace
