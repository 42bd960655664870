// Planning a batch (every row's checks, the address check, the save order) for a file at the
// row limit against a full list of found cameras. Argument 0: no row names a found camera; 1:
// the first 10,000 rows each move a camera onto the next one's address, reversing the order.
#include "batch_rows.h"
#include "device/core/camera_detail_text.h"
#include "save_plan.h"

#include <benchmark/benchmark.h>

namespace {

MacAddress Mac(int n)
{
    return {
        0x02, 0xca, 0, static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)};
}

Ipv4Address Address(int n)
{
    return {10, static_cast<uint8_t>(n / 250 >> 8), static_cast<uint8_t>(n / 250),
            static_cast<uint8_t>(n % 250 + 1)};
}

void BM_PlanBatch(benchmark::State& state)
{
    FoundCameraList found;
    for (int n = 0; n < static_cast<int>(kMaxFoundCameras); ++n) {
        DeviceInfo info;
        info.Set(DeviceInfo::deviceType, 17);
        info.Set(DeviceInfo::macAddress, Mac(n));
        info.Set(DeviceInfo::loginName, "admin");
        info.Set(DeviceInfo::loginPassword, "admin");
        info.Set(DeviceInfo::fixedIp, 1);
        info.Set(DeviceInfo::ipAddress, Address(n));
        info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 0, 0, 0});
        found.StoreReply(MessageHeader{CMD_QUERY_FULL, 0, 0, 0}, info);
    }
    std::string text = "mac,login,password,name,ip\n";
    for (int n = 0; n < 100000; ++n) {
        const bool moves = state.range(0) != 0 && n < static_cast<int>(kMaxFoundCameras);
        text += camera_text::MacText(Mac(moves ? n : 0x100000 + n)) + ",admin,admin,Row-" +
                std::to_string(n) + "," + (moves ? camera_text::DottedQuad(Address(n + 1)) : "") + "\n";
    }
    const BatchRows rows = BatchRowsOf(text, "bench.csv");
    for (auto _ : state) {
        const SavePlan plan = PlanSaves(found, rows.cameras, {});
        if (!rows.error.empty() || plan.status != PlanStatus::Ok)
            state.SkipWithError((rows.error + plan.clash).c_str());
        benchmark::DoNotOptimize(plan.order.data());
    }
}

} // namespace

BENCHMARK(BM_PlanBatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
