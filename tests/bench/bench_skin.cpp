// Reading and drawing the skin of one page out of a pack-sized skin text: nineteen sections,
// each with eight text items and four buttons, and the page asked for last in the text.
#include "bench_qt_app.h"
#include "platform/canvas.h"
#include "skin/button_skin.h"
#include "skin/core/skin_text_items.h"
#include "skin/skin_draw.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <string>

namespace {

std::u16string Number(int n)
{
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

SkinStrings PackSkin()
{
    SkinStrings lines;
    int number = 1;
    auto add = [&](std::u16string text) { lines.EmplaceTail(number++, std::move(text)); };
    for (int page = 1; page <= 19; ++page) {
        const std::u16string section = Number(page) + u"_Page";
        add(u"<" + section + u">");
        add(u"<TEXT>");
        for (int item = 0; item < 8; ++item) {
            add(u"text=Caption " + Number(item) + u" of the page\nwith a second line");
            add(u"position=(184," + Number(88 + item * 34) + u")");
            add(u"color=rgb(43,47,58)");
            add(u"fontsize=(0,-13)");
            add(u"fontname=DejaVu Sans");
            add(u"weight=400");
            add(u"gap=0");
            add(u"linepitch=2");
        }
        add(u"</TEXT>");
        add(u"<BUTTON>");
        for (const std::u16string button : {u"Close", u"Back", u"Next", u"Extra"}) {
            add(u"<" + button + u">");
            add(u"image=300");
            add(u"text=" + button);
            add(u"fontname=DejaVu Sans");
            add(u"fontsize=(0,-13)");
            add(u"nfontweight=700");
            add(u"activecolor=rgb(255,255,255)");
            add(u"noactivecolor=rgb(100,122,208)");
            add(u"clickoffset=(1,1)");
            add(u"</" + button + u">");
        }
        add(u"</BUTTON>");
        add(u"</" + section + u">");
    }
    return lines;
}

void BM_ReadSectionTexts(benchmark::State& state)
{
    const SkinStrings lines = PackSkin();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSkinTextItems(&lines, u"19_Page"));
    state.counters["lines"] = static_cast<double>(lines.GetCount());
}
BENCHMARK(BM_ReadSectionTexts);

void BM_ReadButtonSkin(benchmark::State& state)
{
    BenchApplication<QGuiApplication>();
    const SkinStrings lines = PackSkin();
    SkinBitmaps bitmaps;
    bitmaps.EmplaceTail(300, QImage(288, 32, QImage::Format_RGB888));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ReadButtonSkin(&lines, &bitmaps, QStringLiteral("19_Page"), QStringLiteral("Next")));
}
BENCHMARK(BM_ReadButtonSkin);

void BM_DrawSectionTexts(benchmark::State& state)
{
    BenchApplication<QGuiApplication>();
    const SkinStrings lines = PackSkin();
    QImage canvas = CreateCanvasBitmap(436, 581, 24);
    QPainter painter(&canvas);
    for (auto _ : state)
        DrawSkinTexts(&lines, QStringLiteral("19_Page"), painter);
}
BENCHMARK(BM_DrawSectionTexts)->Unit(benchmark::kMicrosecond);

} // namespace
