#include "platform/net/network_adapters.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <ifaddrs.h>
#include <memory>
#include <net/if.h>
#include <netinet/in.h>

namespace {

std::string Dotted(const sockaddr* address)
{
    if (address == nullptr || address->sa_family != AF_INET)
        return "0.0.0.0";
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    return text;
}

std::string Describe(const ifaddrs& entry)
{
    if ((entry.ifa_flags & (IFF_LOOPBACK | IFF_POINTOPOINT)) != 0)
        return std::string(kPppAdapterDescription) + " " + entry.ifa_name;
    return std::string("Ethernet adapter ") + entry.ifa_name;
}

} // namespace

std::optional<std::vector<NetworkAdapter>> ListNetworkAdapters()
{
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return std::nullopt;
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, &freeifaddrs);

    std::vector<NetworkAdapter> adapters;
    for (const ifaddrs* entry = raw; entry != nullptr; entry = entry->ifa_next) {
        // Adapters without an IPv4 address, or down, are left out rather than listed with the
        // mask 0.0.0.0, which would put every address in their subnet.
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        if ((entry->ifa_flags & IFF_UP) == 0)
            continue;
        // An interface with several addresses is listed once, with its first address.
        const bool known = std::any_of(adapters.begin(), adapters.end(),
                                       [&](const NetworkAdapter& a) { return a.name == entry->ifa_name; });
        if (known)
            continue;
        NetworkAdapter adapter{entry->ifa_name, Describe(*entry), Dotted(entry->ifa_addr),
                               Dotted(entry->ifa_netmask)};
        adapter.index = if_nametoindex(entry->ifa_name);
        adapter.loopback = (entry->ifa_flags & (IFF_LOOPBACK | IFF_POINTOPOINT)) != 0;
        adapter.canBroadcast = (entry->ifa_flags & IFF_BROADCAST) != 0;
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

std::vector<std::array<uint8_t, 4>> ListOwnAddresses()
{
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return {};
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, &freeifaddrs);
    std::vector<std::array<uint8_t, 4>> addresses;
    for (const ifaddrs* entry = raw; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
            (entry->ifa_flags & IFF_UP) == 0)
            continue;
        std::array<uint8_t, 4> address{};
        const auto* in = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        std::memcpy(address.data(), &in->sin_addr.s_addr, address.size());
        addresses.push_back(address);
    }
    return addresses;
}

std::string InterfaceName(uint32_t index)
{
    char name[IF_NAMESIZE] = {};
    if (index == 0 || if_indextoname(index, name) == nullptr)
        return {};
    return name;
}
