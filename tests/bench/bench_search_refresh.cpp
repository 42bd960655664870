// The search page's refresh from the camera list, which the frame runs every 5 seconds while
// a search fills the list: names converted, sorted and put in the tree, first camera shown.
#include "device_ui/search_page.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void FillCameras(SearchPage::CameraList& cameras, int count)
{
    for (int i = 0; i < count; ++i) {
        auto camera = std::make_unique<CameraRecord>();
        char name[17];
        // Names in no particular order, so the sort has work to do.
        std::snprintf(name, sizeof name, "Cam %08x", static_cast<unsigned>(i) * 2654435761u);
        camera->info.Set(DeviceInfo::cameraName, name);
        camera->info.Set(DeviceInfo::macAddress,
                         {0, 0x50, 0xc2, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)});
        cameras.AddTail(std::move(camera));
    }
}

void BM_SearchPageRefresh(benchmark::State& state)
{
    SearchPage::CameraList cameras;
    FillCameras(cameras, static_cast<int>(state.range(0)));
    SearchPage page;
    page.SetCameraList(&cameras);
    page.resize(581, 436);
    page.show();
    for (auto _ : state) {
        page.RefreshFromCameraList();
        benchmark::DoNotOptimize(page.CurrentCamera());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchPageRefresh)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
