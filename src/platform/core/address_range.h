#pragma once
// Address ranges a search sweeps: one address, a CIDR block ("10.20.0.0/22") or a dash range
// ("10.20.4.10-10.20.4.200") read from text, and a set of them merged so that each address is
// asked once. The set holds runs of addresses, never the addresses themselves.
#include "platform/core/net_address.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The most addresses one range, and all the ranges of a command together, may hold: a /16.
inline constexpr uint64_t kMaxRangeAddresses = 65536;

// An inclusive run of IPv4 addresses as host-order numbers.
struct AddressRange
{
    uint32_t first = 0;
    uint32_t last = 0;

    uint64_t Count() const { return uint64_t{last} - first + 1; }
    bool Holds(uint32_t address) const { return address >= first && address <= last; }
    friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

enum class RangeStatus
{
    Ok,
    NotAnAddress, // neither an address, a block nor a dash range
    BadPrefix,    // a block's length is not 0 to 32
    Reversed,     // a dash range that ends before it starts
    TooLarge      // more than kMaxRangeAddresses addresses
};

struct RangeParse
{
    RangeStatus status = RangeStatus::NotAnAddress;
    AddressRange range;
    bool single = false; // a plain address, written without "/" or "-"
};

// A block of /30 or larger leaves out its own first and last addresses (the network and its
// broadcast); /31 and /32 keep theirs. A block written with host bits set starts at its network.
RangeParse ParseAddressRange(std::string_view text);
// Why `text` was refused, as the end of "invalid value for --to: ".
std::string RangeRefusalText(RangeStatus status, std::string_view text);

uint32_t AddressNumber(const Ipv4Address& address);
Ipv4Address AddressOfNumber(uint32_t number);
// A range as the user wrote it, for the rows that report on it.
struct NamedRange
{
    std::string text;
    AddressRange range;
};

// "10.20.0.1-10.20.3.254", or the one address.
std::string RangeText(const AddressRange& range);

// Ranges merged into sorted, disjoint runs, walked by position.
class AddressSweep
{
public:
    // Adds the range unless the set would then hold more than kMaxRangeAddresses addresses.
    bool Add(const AddressRange& range);
    // The addresses held, each counted once.
    uint32_t Count() const { return count_; }
    // The address at `position` (below Count()) in ascending order.
    uint32_t At(uint32_t position) const;
    bool Holds(uint32_t address) const;
    bool Empty() const { return runs_.empty(); }
    const std::vector<AddressRange>& Runs() const { return runs_; }

private:
    void Recount();

    std::vector<AddressRange> runs_;
    std::vector<uint32_t> starts_; // the position of each run's first address
    uint32_t count_ = 0;
};
