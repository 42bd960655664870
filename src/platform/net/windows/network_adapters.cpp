// The adapter list on Windows, from GetAdaptersAddresses: the same entries as on a POSIX
// system (down adapters and those without IPv4 left out; loopback, tunnels and dial-up
// described as "PPP Adapter"), each named by its friendly name in UTF-8.
#include "platform/net/network_adapters.h"

#include "platform/net/windows/winsock_session.h"

// Winsock 2 first: the headers after it build on it.
#include <winsock2.h>

#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kListAttempts = 3;

std::string Dotted(uint32_t addressNetworkOrder)
{
    in_addr address{};
    address.s_addr = addressNetworkOrder;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

std::string MaskOfPrefix(unsigned length)
{
    const uint32_t mask = length == 0 ? 0 : ~uint32_t{0} << (32 - std::min(length, 32u));
    return Dotted(htonl(mask));
}

std::string Utf8(const wchar_t* text)
{
    if (text == nullptr)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(size - 1)); // without the terminating null
    return utf8;
}

bool IsLinkWithoutCameras(const IP_ADAPTER_ADDRESSES& adapter)
{
    return adapter.IfType == IF_TYPE_SOFTWARE_LOOPBACK || adapter.IfType == IF_TYPE_TUNNEL ||
           adapter.IfType == IF_TYPE_PPP;
}

const SOCKET_ADDRESS* FirstIpv4(const IP_ADAPTER_ADDRESSES& adapter, unsigned& prefixLength)
{
    for (const IP_ADAPTER_UNICAST_ADDRESS* a = adapter.FirstUnicastAddress; a != nullptr; a = a->Next) {
        if (a->Address.lpSockaddr != nullptr && a->Address.lpSockaddr->sa_family == AF_INET) {
            prefixLength = a->OnLinkPrefixLength;
            return &a->Address;
        }
    }
    return nullptr;
}

// The system's table of adapters; it may grow between the size query and the read, so the read
// is tried again with the size the system asks for.
std::optional<std::vector<unsigned char>> ReadAdapterTable()
{
    constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> table;
    for (int attempt = 0; attempt < kListAttempts; ++attempt) {
        table.resize(size);
        const ULONG result = GetAdaptersAddresses(
            AF_INET, kFlags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(table.data()), &size);
        if (result == ERROR_SUCCESS)
            return table;
        if (result == ERROR_NO_DATA)
            return std::vector<unsigned char>();
        if (result != ERROR_BUFFER_OVERFLOW)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<NetworkAdapter>> ListNetworkAdapters()
{
    // The address texts are made by Winsock.
    if (!winsock::Started())
        return std::nullopt;
    const auto table = ReadAdapterTable();
    if (!table)
        return std::nullopt;
    std::vector<NetworkAdapter> adapters;
    if (table->empty())
        return adapters;
    for (const auto* entry = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(table->data()); entry != nullptr;
         entry = entry->Next) {
        unsigned prefixLength = 0;
        const SOCKET_ADDRESS* address = FirstIpv4(*entry, prefixLength);
        // Adapters without an IPv4 address, or down, are left out rather than listed with the
        // mask 0.0.0.0, which would put every address in their subnet.
        if (address == nullptr || entry->OperStatus != IfOperStatusUp)
            continue;
        const bool noCameras = IsLinkWithoutCameras(*entry);
        const std::string name = Utf8(entry->FriendlyName);
        NetworkAdapter adapter;
        adapter.name = name;
        adapter.description =
            noCameras ? std::string(kPppAdapterDescription) + " " + name : Utf8(entry->Description);
        adapter.address = Dotted(reinterpret_cast<const sockaddr_in*>(address->lpSockaddr)->sin_addr.s_addr);
        adapter.mask = MaskOfPrefix(prefixLength);
        adapter.index = entry->IfIndex;
        adapter.loopback = noCameras;
        adapter.canBroadcast = !noCameras;
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

std::string InterfaceName(uint32_t index)
{
    if (index == 0)
        return {};
    const auto adapters = ListNetworkAdapters();
    if (!adapters)
        return {};
    for (const NetworkAdapter& adapter : *adapters)
        if (adapter.index == index)
            return adapter.name;
    return {};
}

std::vector<std::array<uint8_t, 4>> ListOwnAddresses()
{
    const auto table = ReadAdapterTable();
    std::vector<std::array<uint8_t, 4>> addresses;
    if (!table || table->empty())
        return addresses;
    for (const auto* entry = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(table->data()); entry != nullptr;
         entry = entry->Next) {
        if (entry->OperStatus != IfOperStatusUp)
            continue;
        for (const IP_ADAPTER_UNICAST_ADDRESS* a = entry->FirstUnicastAddress; a != nullptr; a = a->Next) {
            if (a->Address.lpSockaddr == nullptr || a->Address.lpSockaddr->sa_family != AF_INET)
                continue;
            std::array<uint8_t, 4> address{};
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->Address.lpSockaddr);
            std::memcpy(address.data(), &in->sin_addr.s_addr, address.size());
            addresses.push_back(address);
        }
    }
    return addresses;
}
