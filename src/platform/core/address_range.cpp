#include "platform/core/address_range.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kAddressBits = 32;
// From this length on a block has no network or broadcast address of its own.
constexpr int kPointToPointPrefix = 31;

std::optional<uint32_t> NumberOf(std::string_view text)
{
    const std::optional<Ipv4Address> address = ParseIpv4(text);
    if (!address)
        return std::nullopt;
    return AddressNumber(*address);
}

RangeParse Refused(RangeStatus status)
{
    return RangeParse{status, {}, false};
}

RangeParse Checked(AddressRange range, bool single = false)
{
    if (range.Count() > kMaxRangeAddresses)
        return Refused(RangeStatus::TooLarge);
    return RangeParse{RangeStatus::Ok, range, single};
}

RangeParse ParseBlock(std::string_view address, std::string_view length)
{
    const std::optional<uint32_t> base = NumberOf(address);
    if (!base)
        return Refused(RangeStatus::NotAnAddress);
    int prefix = -1;
    const auto [end, error] = std::from_chars(length.data(), length.data() + length.size(), prefix);
    if (length.empty() || length.size() > 2 || error != std::errc() || end != length.data() + length.size() ||
        prefix < 0 || prefix > kAddressBits)
        return Refused(RangeStatus::BadPrefix);
    const uint32_t hostMask = prefix == 0 ? ~0u : (prefix == kAddressBits ? 0u : ~0u >> prefix);
    AddressRange range{*base & ~hostMask, *base | hostMask};
    if (range.Count() > kMaxRangeAddresses)
        return Refused(RangeStatus::TooLarge);
    if (prefix < kPointToPointPrefix)
        range = AddressRange{range.first + 1, range.last - 1};
    return Checked(range);
}

RangeParse ParseDash(std::string_view from, std::string_view to)
{
    const std::optional<uint32_t> first = NumberOf(from);
    const std::optional<uint32_t> last = NumberOf(to);
    if (!first || !last)
        return Refused(RangeStatus::NotAnAddress);
    if (*last < *first)
        return Refused(RangeStatus::Reversed);
    return Checked(AddressRange{*first, *last});
}

} // namespace

uint32_t AddressNumber(const Ipv4Address& address)
{
    return uint32_t{address[0]} << 24 | uint32_t{address[1]} << 16 | uint32_t{address[2]} << 8 | address[3];
}

Ipv4Address AddressOfNumber(uint32_t number)
{
    return {static_cast<uint8_t>(number >> 24), static_cast<uint8_t>(number >> 16),
            static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)};
}

RangeParse ParseAddressRange(std::string_view text)
{
    if (const size_t slash = text.find('/'); slash != std::string_view::npos)
        return ParseBlock(text.substr(0, slash), text.substr(slash + 1));
    if (const size_t dash = text.find('-'); dash != std::string_view::npos)
        return ParseDash(text.substr(0, dash), text.substr(dash + 1));
    const std::optional<uint32_t> single = NumberOf(text);
    if (!single)
        return Refused(RangeStatus::NotAnAddress);
    return Checked(AddressRange{*single, *single}, true);
}

std::string RangeRefusalText(RangeStatus status, std::string_view text)
{
    const std::string quoted = "'" + std::string(text) + "'";
    switch (status) {
    case RangeStatus::BadPrefix:
        return quoted + " has a block length outside 0 to 32";
    case RangeStatus::Reversed:
        return quoted + " ends before it starts: write the lower address first";
    case RangeStatus::TooLarge:
        return quoted + " holds more than 65,536 addresses (a /16), the most one search asks";
    default:
        return quoted + " is not an address like 192.168.0.20, a block like 10.20.0.0/22 or a range like "
                        "10.20.4.10-10.20.4.200";
    }
}

std::string RangeText(const AddressRange& range)
{
    const auto dotted = [](uint32_t number) {
        const Ipv4Address a = AddressOfNumber(number);
        return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
               std::to_string(a[3]);
    };
    return range.first == range.last ? dotted(range.first) : dotted(range.first) + "-" + dotted(range.last);
}

bool AddressSweep::Add(const AddressRange& range)
{
    std::vector<AddressRange> runs = runs_;
    runs.push_back(range);
    std::sort(runs.begin(), runs.end(),
              [](const AddressRange& a, const AddressRange& b) { return a.first < b.first; });
    std::vector<AddressRange> merged;
    uint64_t count = 0;
    for (const AddressRange& run : runs) {
        // Touching runs merge too: 64-bit so that a run ending at 255.255.255.255 does not wrap.
        if (!merged.empty() && uint64_t{merged.back().last} + 1 >= run.first)
            merged.back().last = std::max(merged.back().last, run.last);
        else
            merged.push_back(run);
    }
    for (const AddressRange& run : merged)
        count += run.Count();
    if (count > kMaxRangeAddresses)
        return false;
    runs_ = std::move(merged);
    Recount();
    return true;
}

void AddressSweep::Recount()
{
    starts_.clear();
    count_ = 0;
    for (const AddressRange& run : runs_) {
        starts_.push_back(count_);
        count_ += static_cast<uint32_t>(run.Count());
    }
}

uint32_t AddressSweep::At(uint32_t position) const
{
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
    const size_t run = static_cast<size_t>(after - starts_.begin()) - 1;
    return runs_[run].first + (position - starts_[run]);
}

bool AddressSweep::Holds(uint32_t address) const
{
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), address,
                         [](uint32_t value, const AddressRange& run) { return value < run.first; });
    return after != runs_.begin() && std::prev(after)->Holds(address);
}
