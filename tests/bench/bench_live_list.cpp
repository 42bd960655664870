// The search page taking a burst of cameras as a search lists them: every record handed over at
// once, as a flood of replies would, then the event loop run until the list holds them all. A
// 5 ms heartbeat timer runs beside it; the longest gap between its ticks is the longest stall a
// user would see. Counters: stall_ms, and the cameras per second listed.
#include "device_ui/search_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void FillCameras(SearchPage::CameraList& cameras, int count)
{
    for (int i = 0; i < count; ++i) {
        auto camera = std::make_unique<CameraRecord>();
        char name[17];
        // Names in no particular order, so that every row has to find its place.
        std::snprintf(name, sizeof name, "Cam %08x", static_cast<unsigned>(i) * 2654435761u);
        camera->info.Set(DeviceInfo::cameraName, name);
        camera->info.Set(DeviceInfo::macAddress,
                         {0, 0x50, 0xc2, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)});
        camera->info.Set(DeviceInfo::ipAddress, {10, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)});
        cameras.AddTail(std::move(camera));
    }
}

void BM_LiveListBurst(benchmark::State& state)
{
    SearchPage::CameraList cameras;
    FillCameras(cameras, static_cast<int>(state.range(0)));
    SearchPage page;
    page.resize(581, 436);
    page.show();
    int64_t longestStall = 0;
    for (auto _ : state) {
        page.ForgetCameraList();
        page.SearchStarted();
        QElapsedTimer sinceTick;
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout,
                         [&] { longestStall = std::max<int64_t>(longestStall, sinceTick.restart()); });
        for (const CameraRecord* camera : cameras)
            page.CameraListed(camera);
        sinceTick.start();
        heartbeat.start(5);
        while (page.RowsWaiting() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        longestStall = std::max<int64_t>(longestStall, sinceTick.elapsed());
        page.SearchEnded();
        benchmark::DoNotOptimize(page.Tree()->topLevelItemCount());
    }
    state.counters["stall_ms"] = static_cast<double>(longestStall);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LiveListBurst)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
