#pragma once
// One network adapter as the adapter list gives it: names, its first IPv4 address and mask in
// dotted form ("0.0.0.0" when it has none), the system's index for it and what kind of link it is.
#include <cstdint>
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
    uint32_t index = 0;        // the system's interface index; 0 when unknown
    bool loopback = false;     // loopback or point-to-point: no camera link
    bool canBroadcast = false; // the link carries broadcasts
};
