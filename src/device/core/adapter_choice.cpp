#include "device/core/adapter_choice.h"

#include <algorithm>
#include <cstdint>

namespace {

// atoi: optional leading blanks and sign, then digits; saturates instead of overflowing.
int ReadInteger(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min<int64_t>(value * 10 + (text[at] - '0'), INT32_MAX);
    return static_cast<int>(negative ? -value : value);
}

} // namespace

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
        bytes[part] = static_cast<uint8_t>(ReadInteger(dotted.substr(0, dot)) & 0xFF);
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
