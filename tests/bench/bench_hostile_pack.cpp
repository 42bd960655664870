// Loading packs built to be slow: each is about 1 MB and aims at one costly path of the
// resource reader, as LoadLanguagePack runs it at start-up and at every Load Skin.
#include "../unit/pe_test_builder.h"
#include "app/language_pack.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using test_pe::Bytes;
using test_pe::Put16;
using test_pe::Put32;

constexpr uint32_t kDirectoryFlag = 0x80000000u;
constexpr size_t kMostEntries = 65535;

// One string type whose 65,535 ids all share one language directory of 65,535 entries, none
// of which leads to data: a reader that walks the shared directory once per id does 4e9 steps.
Bytes SharedLanguageDirectory()
{
    const size_t typeTable = 24, languageTable = typeTable + 16 + 8 * kMostEntries;
    const size_t dataEntry = languageTable + 16 + 8 * kMostEntries;
    test_pe::BuiltPe pe = test_pe::BuildPe({{6, 1, Bytes(dataEntry + 16, 0)}});
    Bytes& b = pe.bytes;
    const size_t s = pe.sectionOffset;
    std::fill(b.begin() + static_cast<ptrdiff_t>(s + typeTable), b.end(), 0);
    Put16(b, s + typeTable + 14, static_cast<uint16_t>(kMostEntries));
    Put16(b, s + languageTable + 14, static_cast<uint16_t>(kMostEntries));
    for (size_t i = 0; i < kMostEntries; ++i) {
        Put32(b, s + typeTable + 16 + 8 * i, static_cast<uint32_t>(i + 1));
        Put32(b, s + typeTable + 20 + 8 * i, kDirectoryFlag | static_cast<uint32_t>(languageTable));
        Put32(b, s + languageTable + 16 + 8 * i, 0x409);
        Put32(b, s + languageTable + 20 + 8 * i, static_cast<uint32_t>(dataEntry));
    }
    Put32(b, s + dataEntry, 0xFFFFFF00u); // an address no section holds
    Put32(b, s + dataEntry + 4, 16);
    return b;
}

// One group icon listing 65,535 entries that all name the same 256 x 256 image whose mask is
// missing: the colour rows decode, then the image fails, 65,535 times over.
Bytes RepeatedBrokenIcon()
{
    Bytes group;
    test_pe::Append16(group, 0);
    test_pe::Append16(group, 1);
    test_pe::Append16(group, static_cast<uint16_t>(kMostEntries));
    for (size_t i = 0; i < kMostEntries; ++i) {
        const Bytes entry = {0, 0, 2, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0};
        group.insert(group.end(), entry.begin(), entry.end());
    }
    const Bytes image = test_pe::Dib(256, 512, 1, 0, {0xFF000000u, 0xFFFFFFFFu}, Bytes(256 * 32, 0x55));
    return test_pe::BuildPe({{14, 1, group}, {3, 1, image}}).bytes;
}

// 4,096 bitmaps whose entries all point at one run-length picture that claims 4096 x 4096
// pixels and ends after its first run: each decode fills 64 MB before it fails.
Bytes AliasedHugeBitmaps()
{
    const Bytes rle = test_pe::Dib(4096, 4096, 8, 1, {0xFF000000u}, Bytes{2, 0}, 1);
    std::vector<test_pe::Resource> resources;
    resources.push_back({2, 1, rle});
    for (uint16_t id = 2; id <= 4096; ++id)
        resources.push_back({2, id, Bytes(4, 0)});
    test_pe::BuiltPe pe = test_pe::BuildPe(resources);
    for (size_t e = 1; e < pe.dataEntries.size(); ++e)
        for (size_t i = 0; i < 8; ++i)
            pe.bytes[pe.dataEntries[e] + i] = pe.bytes[pe.dataEntries[0] + i];
    return pe.bytes;
}

void LoadHostile(benchmark::State& state, const Bytes& pack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Hostile.dll"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(pack.data()), static_cast<qint64>(pack.size())) !=
            static_cast<qint64>(pack.size())) {
        state.SkipWithError("cannot write the pack");
        return;
    }
    file.close();
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadLanguagePack(path, strings, bitmaps, icons));
    state.counters["bytes"] = static_cast<double>(pack.size());
}

void BM_SharedLanguageDirectory(benchmark::State& state)
{
    LoadHostile(state, SharedLanguageDirectory());
}
BENCHMARK(BM_SharedLanguageDirectory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RepeatedBrokenIcon(benchmark::State& state)
{
    LoadHostile(state, RepeatedBrokenIcon());
}
BENCHMARK(BM_RepeatedBrokenIcon)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AliasedHugeBitmaps(benchmark::State& state)
{
    LoadHostile(state, AliasedHugeBitmaps());
}
BENCHMARK(BM_AliasedHugeBitmaps)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
