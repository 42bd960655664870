// Replies per second through the whole receive path: check, decipher, widen, patch and store
// by MAC into the found list, for each protocol variant, with a burst of distinct cameras.
#include "camera_side/camera_side.h"
#include "device/core/found_camera_list.h"
#include "device/core/receive_path.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {
constexpr uint16_t kSequence = 1000;

std::vector<std::vector<uint8_t>> Burst(uint16_t command, size_t cameras)
{
    std::vector<std::vector<uint8_t>> replies;
    for (size_t i = 0; i < cameras; ++i) {
        DeviceInfo info;
        info.Set(DeviceInfo::deviceType, 17);
        info.Set(DeviceInfo::macAddress, MacAddress{0x02, 0, 0, static_cast<uint8_t>(i >> 16),
                                                    static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)});
        info.Set(DeviceInfo::cameraName, "Camera");
        info.Set(DeviceInfo::loginName, "admin");
        replies.push_back(BuildQueryReply(command, kSequence, info));
    }
    return replies;
}

void ReceiveBurst(benchmark::State& state, uint16_t command)
{
    const auto replies = Burst(command, static_cast<size_t>(state.range(0)));
    const Ipv4Address source{192, 168, 0, 10};
    FoundCameraList found;
    for (auto _ : state) {
        for (const auto& datagram : replies) {
            const SearchReply reply = DecodeSearchReply(datagram, kSequence, source);
            if (reply.status == ReplyStatus::Accepted)
                found.StoreReply(reply.header, reply.info);
        }
        benchmark::DoNotOptimize(found.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK_CAPTURE(ReceiveBurst, plain_compact, CMD_QUERY)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(ReceiveBurst, enciphered_compact, CMD_QUERY_ENC)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(ReceiveBurst, enciphered_full, CMD_QUERY_FULL)->Arg(1000)->Arg(10000);
