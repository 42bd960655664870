#include "device/core/adapter_choice.h"

#include "platform/core/string_utils.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

std::optional<NetworkAdapter> ChooseCurrentAdapter(const std::vector<NetworkAdapter>& adapters)
{
    const std::string_view ppp(kPppAdapterDescription);
    for (const auto& adapter : adapters) {
        if (std::string_view(adapter.description).substr(0, ppp.size()) != ppp)
            return adapter;
    }
    return std::nullopt;
}

Ipv4Address ParseDottedLoosely(std::string_view dotted)
{
    Ipv4Address bytes{};
    for (size_t part = 0; part < bytes.size(); ++part) {
        const size_t dot = dotted.find('.');
        bytes[part] = static_cast<uint8_t>(ReadDecimal(dotted.substr(0, dot)) & 0xFF);
        if (dot == std::string_view::npos)
            break;
        dotted.remove_prefix(dot + 1);
    }
    return bytes;
}

bool SameSubnet(const std::optional<NetworkAdapter>& adapter, const Ipv4Address& address)
{
    if (!adapter)
        return false;
    const Ipv4Address own = ParseDottedLoosely(adapter->address);
    const Ipv4Address mask = ParseDottedLoosely(adapter->mask);
    for (size_t i = 0; i < own.size(); ++i) {
        if ((own[i] & mask[i]) != (address[i] & mask[i]))
            return false;
    }
    return true;
}

bool OutsideEveryNetwork(const std::vector<NetworkAdapter>& adapters, const Ipv4Address& address)
{
    return std::none_of(adapters.begin(), adapters.end(),
                        [&address](const NetworkAdapter& adapter) { return SameSubnet(adapter, address); });
}

bool IsSearchInterface(const NetworkAdapter& adapter)
{
    return adapter.canBroadcast && !adapter.loopback && adapter.index != 0 &&
           ParseDottedLoosely(adapter.address) != Ipv4Address{};
}

std::vector<NetworkAdapter> SearchInterfaces(const std::vector<NetworkAdapter>& adapters)
{
    std::vector<NetworkAdapter> usable;
    std::copy_if(adapters.begin(), adapters.end(), std::back_inserter(usable), IsSearchInterface);
    return usable;
}

SaveInterface ChooseSaveInterface(const std::vector<NetworkAdapter>& adapters, uint32_t answeredOn)
{
    if (answeredOn == 0)
        return {ChooseCurrentAdapter(adapters), 0};
    const auto it = std::find_if(adapters.begin(), adapters.end(),
                                 [answeredOn](const NetworkAdapter& a) { return a.index == answeredOn; });
    if (it == adapters.end() || !IsSearchInterface(*it))
        return {};
    return {*it, answeredOn};
}
