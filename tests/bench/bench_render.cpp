// Rendering pages from the built English pack: one page's RenderPage (background, texts,
// button skins), and the re-render of every page that a skin reload does.
#include "app/language_pack.h"
#include "bench_qt_app.h"
#include "skin/bitmap_button.h"
#include "skin/skinned_dialog.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

struct Pack
{
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;

    bool loaded = false;

    Pack()
    {
        const QString path = QStringLiteral(CAMTIVO_BUILD_DIR "/packs/English/English.dll");
        loaded = LoadLanguagePack(path, strings, bitmaps, icons) == 0;
    }
};

// A page like the search page: its section, background and four skinned buttons.
class BenchPage : public SkinnedDialog
{
public:
    BenchPage()
    {
        SetSkinSection(QStringLiteral("8_Search"), 171);
        for (int i = 0; i < 4; ++i)
            buttons_[i] = new BitmapButton(this);
    }

protected:
    void ApplySkin() override
    {
        static const QString names[] = {QStringLiteral("Close"), QStringLiteral("Back"),
                                        QStringLiteral("Next"), QStringLiteral("Search")};
        for (int i = 0; i < 4; ++i)
            ApplyPageButtonSkin(*buttons_[i], names[i]);
    }

private:
    BitmapButton* buttons_[4] = {};
};

struct Wizard
{
    explicit Wizard(int pages)
    {
        host.resize(SkinnedDialog::kCanvasWidth, SkinnedDialog::kCanvasHeight);
        for (int i = 0; i < pages; ++i) {
            auto page = std::make_unique<BenchPage>();
            page->SetLists(&pack.strings, &pack.bitmaps, &pack.icons);
            page->CreateChild(&host);
            this->pages.push_back(std::move(page));
        }
    }

    Pack pack;
    QWidget host;
    std::vector<std::unique_ptr<BenchPage>> pages;
};

void BM_RenderOnePage(benchmark::State& state)
{
    BenchApplication<QApplication>();
    Wizard wizard(1);
    if (!wizard.pack.loaded)
        state.SkipWithError("the English pack is not built");
    for (auto _ : state) {
        wizard.pages.front()->RenderPage();
        benchmark::DoNotOptimize(wizard.pages.front()->Canvas().constBits());
    }
}
BENCHMARK(BM_RenderOnePage)->Unit(benchmark::kMillisecond);

// A skin reload re-renders every page of the wizard (sixteen pages and the login dialog).
void BM_RerenderAllPages(benchmark::State& state)
{
    BenchApplication<QApplication>();
    Wizard wizard(static_cast<int>(state.range(0)));
    if (!wizard.pack.loaded)
        state.SkipWithError("the English pack is not built");
    for (auto _ : state) {
        for (const auto& page : wizard.pages)
            page->SetLanguage(QStringLiteral("English"));
    }
    state.counters["pages"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RerenderAllPages)->Arg(17)->Unit(benchmark::kMillisecond);

} // namespace
