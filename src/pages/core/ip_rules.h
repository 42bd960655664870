#pragma once
// What a fixed address may be: the rules the IP settings page and the command line both apply
// to the camera's address, subnet mask, gateway and DNS servers before anything is saved. A
// camera saved with an address nobody can reach is lost to its user, so every rule names the
// part to correct and a message of its own. The rules run as one ordered list and the first
// that fails is reported; each later rule may count on the earlier ones having passed.
#include "device/core/fixed_layout.h"
#include "pages/core/setting_rules.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The five rows of the page, in the order of their octets in IpOctetTexts.
enum class IpRow
{
    Address,
    Mask,
    Gateway,
    Dns1,
    Dns2
};

// A set of rows, one bit per row (bit 0 the address).
using IpRowSet = unsigned;
inline constexpr IpRowSet kAllIpRows = (1u << kIpRows) - 1;
constexpr IpRowSet RowBit(IpRow row)
{
    return 1u << static_cast<unsigned>(row);
}

// Language-pack strings of the address messages (kMsgOctetRange is the oldest of them).
inline constexpr int kMsgOctetEmpty = 51103;
inline constexpr int kMsgMaskGaps = 51104;
inline constexpr int kMsgMaskZero = 51105;
inline constexpr int kMsgAddressZero = 51106;
inline constexpr int kMsgAddressLoopback = 51107;
inline constexpr int kMsgAddressMulticast = 51108;
inline constexpr int kMsgAddressBroadcast = 51109;
inline constexpr int kMsgAddressIsNetwork = 51110;
inline constexpr int kMsgAddressIsSubnetBroadcast = 51111;
inline constexpr int kMsgGatewayOutside = 51112;
inline constexpr int kMsgDnsNotUnicast = 51113;
inline constexpr int kMsgMaskTooLong = 51114;
inline constexpr int kMsgGatewayIsAddress = 51115;
// The last of them: the numbers from kMsgOctetRange to this one are all address messages.
inline constexpr int kMsgLastIpMessage = kMsgGatewayIsAddress;

// The first failing check: the octet to focus (row by row, left to right) and its message.
struct IpCheck
{
    size_t octet = 0;
    int message = 0; // 0 when every check passed
    bool Passed() const { return message == 0; }
};

using IpAddresses = std::array<Ipv4Address, kIpRows>;

// One check on the five addresses, run once every part is filled in and within 0-255: the rows
// it reads and the check itself.
struct IpRule
{
    IpRowSet rows;
    IpCheck (*check)(const IpAddresses& addresses);
};

// The checks after the parts', in the order they run.
std::span<const IpRule> IpAddressRules();

// Every part must be filled in and at most 255 (in table order, the first bad part wins); then
// the address rules run, each only when all the rows it reads are in `known`: the command line
// checks the values it was given before a camera has answered, and the rest once it has.
IpCheck CheckIpSettings(const IpOctetTexts& octets, IpRowSet known = kAllIpRows);
// The parts alone: each filled in and at most 255.
IpCheck CheckIpParts(const IpOctetTexts& octets);
// The address rules alone, on addresses already within 0-255: each runs when all the rows it
// reads are in `known`.
IpCheck CheckAddresses(const IpAddresses& addresses, IpRowSet known = kAllIpRows);
// The five addresses of parts that passed their check.
IpAddresses AddressesOf(const IpOctetTexts& octets);

// The English text of an address message, as the English pack has it (empty for other numbers).
std::string_view IpMessageEnglish(int message);

// A whole dotted address typed or pasted into one part ("10.20.30.41", spaces around it
// allowed) as the texts of its four parts; nothing unless it has exactly four parts of one to
// three digits.
std::optional<std::array<std::u16string, 4>> SplitAddressParts(std::u16string_view text);
