#pragma once
// One network adapter as the adapter list gives it: names and its first IPv4 address and mask
// in dotted form ("0.0.0.0" when it has none).
#include <string>

// Description given to loopback and point-to-point interfaces; adapters so described are skipped
// when the wizard picks the adapter it compares camera addresses against.
inline constexpr char kPppAdapterDescription[] = "PPP Adapter";

struct NetworkAdapter
{
    std::string name;
    std::string description;
    std::string address = "0.0.0.0";
    std::string mask = "0.0.0.0";
};
