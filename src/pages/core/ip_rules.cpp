#include "pages/core/ip_rules.h"

#include "platform/core/net_address.h"

#include <bit>
#include <cstdint>

namespace {

// A longer mask leaves no room for a network and a broadcast address besides two hosts: with
// /31 the camera has a single neighbour and no broadcast, with /32 it can reach nobody.
constexpr int kLongestMask = 30;
constexpr size_t kLastPart = 3;

uint32_t Value(const Ipv4Address& address)
{
    return (uint32_t{address[0]} << 24) | (uint32_t{address[1]} << 16) | (uint32_t{address[2]} << 8) |
           address[3];
}

// The octet (0-3) that holds bit `bit` of an address, 31 being the highest.
size_t OctetOfBit(int bit)
{
    return static_cast<size_t>((31 - bit) / 8);
}

IpCheck Fail(IpRow row, size_t part, int message)
{
    return {static_cast<size_t>(row) * 4 + part, message};
}

const Ipv4Address& At(const IpAddresses& addresses, IpRow row)
{
    return addresses[static_cast<size_t>(row)];
}

IpCheck MaskIsContiguous(const IpAddresses& addresses)
{
    const uint32_t mask = Value(At(addresses, IpRow::Mask));
    if (mask == 0)
        return Fail(IpRow::Mask, 0, kMsgMaskZero);
    const uint32_t hosts = ~mask;
    if ((hosts & (hosts + 1)) == 0)
        return {};
    // The first one after the first zero is the bit that should not be set.
    const int firstZero = 31 - std::countl_one(mask);
    const uint32_t below = mask & ((uint32_t{1} << firstZero) - 1);
    return Fail(IpRow::Mask, OctetOfBit(31 - std::countl_zero(below)), kMsgMaskGaps);
}

IpCheck MaskLeavesRoomForHosts(const IpAddresses& addresses)
{
    if (std::popcount(Value(At(addresses, IpRow::Mask))) > kLongestMask)
        return Fail(IpRow::Mask, kLastPart, kMsgMaskTooLong);
    return {};
}

IpCheck AddressIsUsable(const IpAddresses& addresses)
{
    const Ipv4Address& address = At(addresses, IpRow::Address);
    if (address[0] == 0)
        return Fail(IpRow::Address, 0, kMsgAddressZero);
    if (Value(address) == UINT32_MAX)
        return Fail(IpRow::Address, 0, kMsgAddressBroadcast);
    if (address[0] == 127)
        return Fail(IpRow::Address, 0, kMsgAddressLoopback);
    if (address[0] >= 224)
        return Fail(IpRow::Address, 0, kMsgAddressMulticast);
    return {};
}

IpCheck AddressIsAHost(const IpAddresses& addresses)
{
    const uint32_t mask = Value(At(addresses, IpRow::Mask));
    const uint32_t host = Value(At(addresses, IpRow::Address)) & ~mask;
    if (host == 0)
        return Fail(IpRow::Address, kLastPart, kMsgAddressIsNetwork);
    if (host == ~mask)
        return Fail(IpRow::Address, kLastPart, kMsgAddressIsSubnetBroadcast);
    return {};
}

// 0.0.0.0 means no gateway; any other must be a host of the camera's own network.
IpCheck GatewayIsInTheNetwork(const IpAddresses& addresses)
{
    const uint32_t gateway = Value(At(addresses, IpRow::Gateway));
    if (gateway == 0)
        return {};
    const uint32_t mask = Value(At(addresses, IpRow::Mask));
    const uint32_t outside = (gateway ^ Value(At(addresses, IpRow::Address))) & mask;
    if (outside != 0)
        return Fail(IpRow::Gateway, OctetOfBit(31 - std::countl_zero(outside)), kMsgGatewayOutside);
    const uint32_t host = gateway & ~mask;
    if (host == 0 || host == ~mask)
        return Fail(IpRow::Gateway, kLastPart, kMsgGatewayOutside);
    return {};
}

// A camera that is its own gateway sends everything for other networks to itself.
IpCheck GatewayIsAnotherDevice(const IpAddresses& addresses)
{
    if (At(addresses, IpRow::Gateway) == At(addresses, IpRow::Address))
        return Fail(IpRow::Gateway, kLastPart, kMsgGatewayIsAddress);
    return {};
}

// 0.0.0.0 means no server; any other must be an address one host can send to.
IpCheck DnsIsUnicast(const IpAddresses& addresses, IpRow row)
{
    const Ipv4Address& dns = At(addresses, row);
    if (Value(dns) == 0)
        return {};
    if (dns[0] == 0 || dns[0] >= 224)
        return Fail(row, 0, kMsgDnsNotUnicast);
    return {};
}

constexpr IpRule kRules[] = {
    {RowBit(IpRow::Address), AddressIsUsable},
    {RowBit(IpRow::Mask), MaskIsContiguous},
    {RowBit(IpRow::Mask), MaskLeavesRoomForHosts},
    {RowBit(IpRow::Address) | RowBit(IpRow::Mask), AddressIsAHost},
    {RowBit(IpRow::Address) | RowBit(IpRow::Mask) | RowBit(IpRow::Gateway), GatewayIsInTheNetwork},
    {RowBit(IpRow::Address) | RowBit(IpRow::Gateway), GatewayIsAnotherDevice},
    {RowBit(IpRow::Dns1), [](const IpAddresses& a) { return DnsIsUnicast(a, IpRow::Dns1); }},
    {RowBit(IpRow::Dns2), [](const IpAddresses& a) { return DnsIsUnicast(a, IpRow::Dns2); }},
};

} // namespace

IpCheck CheckIpParts(const IpOctetTexts& octets)
{
    for (size_t i = 0; i < octets.size(); ++i) {
        if (octets[i].empty())
            return {i, kMsgOctetEmpty};
        if (ReadLeadingNumber(octets[i]) > 255)
            return {i, kMsgOctetRange};
    }
    return {};
}

namespace {

struct EnglishMessage
{
    int number;
    std::string_view text;
};

constexpr EnglishMessage kEnglish[] = {
    {kMsgOctetRange, "Each part of an address must be a number from 0 to 255."},
    {kMsgOctetEmpty, "Each part of an address must be filled in with a number from 0 to 255."},
    {kMsgMaskGaps, "The subnet mask must be ones followed by zeros, such as 255.255.255.0 or 255.255.0.0."},
    {kMsgMaskZero, "The subnet mask cannot be 0.0.0.0."},
    {kMsgAddressZero, "The IP address cannot be 0.0.0.0 or begin with 0."},
    {kMsgAddressLoopback, "The IP address cannot begin with 127: those addresses never leave a device."},
    {kMsgAddressMulticast, "The IP address cannot begin with a number from 224 to 255: those addresses "
                           "are for groups and special uses, not for one camera."},
    {kMsgAddressBroadcast, "The IP address cannot be 255.255.255.255, the address of every device at once."},
    {kMsgAddressIsNetwork, "The IP address cannot be the first address of its network (the network's own "
                           "address with this subnet mask)."},
    {kMsgAddressIsSubnetBroadcast, "The IP address cannot be the last address of its network (the "
                                   "broadcast address with this subnet mask)."},
    {kMsgGatewayOutside, "The default gateway must be a device in the camera's own network (the IP "
                         "address with this subnet mask), or 0.0.0.0 for none."},
    {kMsgDnsNotUnicast, "A DNS server must be the address of one device, below 224.0.0.0, or 0.0.0.0 for "
                        "none."},
    {kMsgMaskTooLong, "The subnet mask cannot be 255.255.255.254 or 255.255.255.255: the camera's network "
                      "would be too small to reach other devices. The longest mask is 255.255.255.252."},
    {kMsgGatewayIsAddress, "The default gateway cannot be the camera's own IP address: it must be another "
                           "device, or 0.0.0.0 for none."},
};

std::u16string_view Trimmed(std::u16string_view text)
{
    const auto space = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::span<const IpRule> IpAddressRules()
{
    return kRules;
}

IpCheck CheckIpSettings(const IpOctetTexts& octets, IpRowSet known)
{
    if (const IpCheck parts = CheckIpParts(octets); !parts.Passed())
        return parts;
    return CheckAddresses(AddressesOf(octets), known);
}

IpCheck CheckAddresses(const IpAddresses& addresses, IpRowSet known)
{
    for (const IpRule& rule : IpAddressRules()) {
        if ((rule.rows & known) != rule.rows)
            continue;
        if (const IpCheck check = rule.check(addresses); !check.Passed())
            return check;
    }
    return {};
}

IpAddresses AddressesOf(const IpOctetTexts& octets)
{
    IpAddresses addresses{};
    for (size_t i = 0; i < octets.size(); ++i)
        addresses[i / 4][i % 4] = static_cast<uint8_t>(ReadLeadingNumber(octets[i]) & 0xFF);
    return addresses;
}

std::string_view IpMessageEnglish(int message)
{
    for (const EnglishMessage& entry : kEnglish) {
        if (entry.number == message)
            return entry.text;
    }
    return {};
}

std::optional<std::array<std::u16string, 4>> SplitAddressParts(std::u16string_view text)
{
    const auto parts = SplitDottedParts(Trimmed(text));
    if (!parts)
        return std::nullopt;
    std::array<std::u16string, 4> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = std::u16string((*parts)[i]);
    return texts;
}
