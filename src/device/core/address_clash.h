#pragma once
// Whether the fixed address about to be written to a camera already belongs to another device:
// another camera of the last search (another MAC address), or this computer. Two devices with
// one address make one of them drop off the network. A camera keeping the address it answered
// from is never a clash.
#include "device/core/camera_record.h"
#include "platform/core/owned_list.h"

#include <set>
#include <vector>

struct AddressClash
{
    enum class Kind
    {
        None,
        ThisComputer,
        OtherCamera
    };
    Kind kind = Kind::None;
    Ipv4Address address{};
    const CameraRecord* holder = nullptr; // the other camera, for OtherCamera

    explicit operator bool() const { return kind != Kind::None; }
};

// `camera` is the record being saved (its identity holds the address it answered from),
// `cameras` the last search's records, `own` this computer's addresses, and `leaving` the MAC
// addresses of cameras that the same run gives other addresses, so that they do not keep theirs.
AddressClash FindAddressClash(const Ipv4Address& wanted, const CameraRecord& camera,
                              const OwnedList<CameraRecord>& cameras, const std::vector<Ipv4Address>& own,
                              const std::set<MacAddress>& leaving = {});
