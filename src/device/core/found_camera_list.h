#pragma once
// The cameras found by a search, in the order they first answered, one record per MAC
// address. An index by MAC sits beside the ordered list so that a burst of thousands of
// replies is not a walk each; order and results are those of walking the list.
#include "device/core/camera_record.h"
#include "platform/core/owned_list.h"

#include <cstdint>
#include <unordered_map>

// Far more cameras than any real network holds: a flood of replies from made-up MAC addresses
// must not fill memory, so replies from further cameras are counted and left out.
inline constexpr size_t kMaxFoundCameras = 10000;

class FoundCameraList
{
public:
    // Refreshes the record with the reply's MAC address, or appends a new one with
    // loginRequired 1. The record keeps the interface of its latest reply, which is also the one
    // its address came from. Returns the record, or nothing when the reply is from a new camera
    // and the list already holds kMaxFoundCameras: the reply is then only counted.
    CameraRecord* StoreReply(const MessageHeader& header, const DeviceInfo& body, uint32_t arrivedOn = 0);
    // Keeps a copy of a record another list holds: a new camera is appended, a known one takes
    // the record's values and keeps its own login state. Nothing when the list is full.
    CameraRecord* StoreCopy(const CameraRecord& camera);
    CameraRecord* FindByMac(const MacAddress& mac) const;
    void RemoveAll();
    // Empties the destination, then appends a copy of every record in order.
    void CopyInto(OwnedList<CameraRecord>& destination) const;

    const OwnedList<CameraRecord>& Records() const { return records_; }
    size_t GetCount() const { return records_.GetCount(); }
    bool IsEmpty() const { return records_.IsEmpty(); }
    // Replies left out since the list was last emptied, because it was full.
    size_t Dropped() const { return dropped_; }

private:
    static uint64_t Key(const MacAddress& mac);

    OwnedList<CameraRecord> records_;
    std::unordered_map<uint64_t, CameraRecord*> byMac_;
    size_t dropped_ = 0;
};
