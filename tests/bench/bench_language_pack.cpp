// Loading the English pack: the whole LoadLanguagePack a start-up or a skin reload runs, and
// its parts (reading the library's directory and strings, decoding the bitmaps).
#include "app/language_pack.h"
#include "platform/core/pe_resources.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const QString kEnglishPack = QStringLiteral(CAMTIVO_BUILD_DIR "/packs/English/English.dll");

std::vector<uint8_t> PackBytes()
{
    QFile file(kEnglishPack);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

void BM_LoadLanguagePack(benchmark::State& state)
{
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    for (auto _ : state) {
        if (LoadLanguagePack(kEnglishPack, strings, bitmaps, icons) != 0) {
            state.SkipWithError("English.dll is not built");
            return;
        }
        benchmark::DoNotOptimize(strings.GetCount());
    }
    state.counters["strings"] = static_cast<double>(strings.GetCount());
    state.counters["bitmaps"] = static_cast<double>(bitmaps.GetCount());
}
BENCHMARK(BM_LoadLanguagePack)->Unit(benchmark::kMillisecond);

void BM_ReadDirectoryAndStrings(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = PackBytes();
    for (auto _ : state) {
        const pe::PeParseResult parsed = pe::ParsePeResources(bytes);
        benchmark::DoNotOptimize(parsed.file.Strings().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadDirectoryAndStrings)->Unit(benchmark::kMicrosecond);

void BM_DecodeBitmaps(benchmark::State& state)
{
    const pe::PeParseResult parsed = pe::ParsePeResources(PackBytes());
    int64_t pixels = 0;
    for (auto _ : state)
        for (const pe::ResourceEntry& e : parsed.file.Bitmaps())
            pixels += static_cast<int64_t>(parsed.file.DecodeBitmap(e.id).image.pixels.size());
    state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeBitmaps)->Unit(benchmark::kMillisecond);

} // namespace
