#include "device/core/save_follow_up.h"

#include <algorithm>

std::vector<Ipv4Address> FollowUpAddresses(const Ipv4Address& answeredFrom,
                                           const std::vector<std::string>& given, const DeviceInfo& sent)
{
    std::vector<Ipv4Address> addresses;
    const auto add = [&addresses](const Ipv4Address& address) {
        if (address != Ipv4Address{} && std::ranges::find(addresses, address) == addresses.end())
            addresses.push_back(address);
    };
    add(answeredFrom);
    for (const std::string& text : given) {
        if (const auto address = ParseIpv4(text))
            add(*address);
    }
    if (sent.Get(DeviceInfo::fixedIp) != 0)
        add(sent.Get(DeviceInfo::ipAddress));
    return addresses;
}
