// Datagram bytes from the network through both receive checks, the record store, and the
// camera side's reading of set requests. Seeds carry sequence number 1000.
#include "camera_side/camera_side.h"
#include "device/core/found_camera_list.h"
#include "device/core/receive_path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> datagram(data, size);
    DeviceTypeFilter filter;
    filter.enabled = size % 2 == 1;
    filter.allowed = {17};
    const SearchReply reply = DecodeSearchReply(datagram, 1000, Ipv4Address{127, 0, 0, 1}, filter);
    if (reply.status == ReplyStatus::Accepted) {
        FoundCameraList found;
        const CameraRecord* record = found.StoreReply(reply.header, reply.info);
        // Every text of an accepted body ends within its width.
        if (record->info.Get(DeviceInfo::cameraName).size() > 16 ||
            record->info.Get(DeviceInfo::date).size() > 10)
            std::abort();
    } else if (reply.info != DeviceInfo{}) {
        std::abort();
    }
    CheckSaveReply(datagram, CMD_SET_FULL, 1000);
    for (const uint16_t deviceType : {17, 5}) {
        const SetRequest request = ReadSetRequest(datagram, deviceType);
        if (request.status == SetRequestStatus::Ok) {
            DeviceInfo camera;
            ApplySettings(request, camera);
        }
    }
    return 0;
}
