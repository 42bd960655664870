// Planning a batch before anything is sent (every row's checks, the address check and the save
// order) for a file at the row limit against a full list of found cameras. Argument 0: no row
// names a found camera; 1: the first 10,000 rows each move a camera onto the address of the next
// one, a chain that reverses the save order.
#include "batch_rows.h"
#include "save_plan.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kCameras = 10000;
constexpr int kRows = 100000;

MacAddress CameraMac(int n)
{
    return {
        0x02, 0xca, 0, static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)};
}

Ipv4Address CameraAddress(int n)
{
    const int block = n / 250;
    return {10, static_cast<uint8_t>(block >> 8), static_cast<uint8_t>(block),
            static_cast<uint8_t>(n % 250 + 1)};
}

std::string Text(const MacAddress& mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2], mac[3], mac[4],
                  mac[5]);
    return text;
}

void FillCameras(FoundCameraList& found)
{
    MessageHeader header;
    header.command = CMD_QUERY_FULL;
    for (int n = 0; n < kCameras; ++n) {
        DeviceInfo info;
        info.Set(DeviceInfo::deviceType, 17);
        info.Set(DeviceInfo::macAddress, CameraMac(n));
        info.Set(DeviceInfo::cameraName, "Camera");
        info.Set(DeviceInfo::loginName, "admin");
        info.Set(DeviceInfo::loginPassword, "admin");
        info.Set(DeviceInfo::fixedIp, 1);
        info.Set(DeviceInfo::ipAddress, CameraAddress(n));
        info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 0, 0, 0});
        found.StoreReply(header, info);
    }
}

std::string BatchText(bool chain)
{
    std::string text = "mac,login,password,name,ip\n";
    for (int n = 0; n < kRows; ++n) {
        const bool moves = chain && n < kCameras;
        const MacAddress mac = moves ? CameraMac(n) : CameraMac(0x100000 + n);
        const Ipv4Address to = CameraAddress(n + 1);
        text += Text(mac) + ",admin,admin,Row-" + std::to_string(n) + ",";
        if (moves)
            text += std::to_string(to[0]) + "." + std::to_string(to[1]) + "." + std::to_string(to[2]) + "." +
                    std::to_string(to[3]);
        text += "\n";
    }
    return text;
}

void BM_PlanBatch(benchmark::State& state)
{
    FoundCameraList found;
    FillCameras(found);
    const BatchRows rows = BatchRowsOf(BatchText(state.range(0) != 0), "bench.csv");
    if (!rows.error.empty()) {
        state.SkipWithError(rows.error.c_str());
        return;
    }
    for (auto _ : state) {
        const SavePlan plan = PlanSaves(found, rows.cameras, {});
        if (plan.status != PlanStatus::Ok) {
            state.SkipWithError(plan.clash.c_str());
            return;
        }
        benchmark::DoNotOptimize(plan.order.data());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

} // namespace

BENCHMARK(BM_PlanBatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
