#include "device/core/found_camera_list.h"

#include <memory>

CameraRecord* FoundCameraList::StoreReply(const MessageHeader& header, const DeviceInfo& body,
                                          uint32_t arrivedOn)
{
    const MacAddress mac = body.Get(DeviceInfo::macAddress);
    CameraRecord* record = FindByMac(mac);
    if (!record) {
        if (records_.GetCount() >= kMaxFoundCameras) {
            ++dropped_;
            return nullptr;
        }
        record = records_.EmplaceTail();
        byMac_.emplace(Key(mac), record);
    }
    record->FillFromReply(header, body, arrivedOn);
    return record;
}

CameraRecord* FoundCameraList::StoreCopy(const CameraRecord& camera)
{
    CameraRecord* record = StoreReply(camera.replyHeader, camera.info, camera.interfaceIndex);
    if (record == nullptr)
        return nullptr;
    const int32_t loginRequired = record->loginRequired;
    *record = camera;
    record->loginRequired = loginRequired;
    return record;
}

CameraRecord* FoundCameraList::FindByMac(const MacAddress& mac) const
{
    const auto it = byMac_.find(Key(mac));
    return it == byMac_.end() ? nullptr : it->second;
}

void FoundCameraList::RemoveAll()
{
    byMac_.clear();
    records_.RemoveAll();
    dropped_ = 0;
}

void FoundCameraList::CopyInto(OwnedList<CameraRecord>& destination) const
{
    destination.RemoveAll();
    for (const CameraRecord* record : records_)
        destination.AddTail(std::make_unique<CameraRecord>(*record));
}

uint64_t FoundCameraList::Key(const MacAddress& mac)
{
    uint64_t key = 0;
    for (uint8_t b : mac)
        key = (key << 8) | b;
    return key;
}
