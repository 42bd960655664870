#include "device/core/address_clash.h"

#include <algorithm>

AddressClash FindAddressClash(const Ipv4Address& wanted, const CameraRecord& camera,
                              const OwnedList<CameraRecord>& cameras, const std::vector<Ipv4Address>& own,
                              const std::set<MacAddress>& leaving)
{
    if (wanted == camera.identity.Get(CameraIdentity::ipAddress))
        return {};
    if (std::find(own.begin(), own.end(), wanted) != own.end())
        return {AddressClash::Kind::ThisComputer, wanted, nullptr};
    const MacAddress mac = camera.info.Get(DeviceInfo::macAddress);
    for (const CameraRecord* other : cameras) {
        const MacAddress otherMac = other->info.Get(DeviceInfo::macAddress);
        if (otherMac != mac && other->info.Get(DeviceInfo::ipAddress) == wanted &&
            leaving.count(otherMac) == 0)
            return {AddressClash::Kind::OtherCamera, wanted, other};
    }
    return {};
}
