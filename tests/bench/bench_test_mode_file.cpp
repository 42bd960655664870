// Reading and writing the test-mode camera file with many cameras: the section search must
// stay close to linear in the file's length.
#include "app/core/test_mode_file.h"

#include <benchmark/benchmark.h>

namespace {

CameraList Cameras(int64_t count)
{
    CameraList cameras;
    for (int64_t n = 1; n <= count; ++n)
        cameras.EmplaceTail(CameraFromSection(
            u"<Camera Name>Bench</Camera Name><IP Address>10.0.0.9</IP Address>", static_cast<uint32_t>(n)));
    return cameras;
}

void BM_ParseTestFile(benchmark::State& state)
{
    std::u16string text = FormatTestFileText(Cameras(state.range(0)));
    for (auto _ : state) {
        CameraList cameras;
        ParseTestFileText(text, cameras);
        benchmark::DoNotOptimize(cameras.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size() * 2));
}

void BM_FormatTestFile(benchmark::State& state)
{
    CameraList cameras = Cameras(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeTestFileText(FormatTestFileText(cameras)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_ParseTestFile)->Arg(3)->Arg(100)->Arg(2000);
BENCHMARK(BM_FormatTestFile)->Arg(3)->Arg(100)->Arg(2000);
