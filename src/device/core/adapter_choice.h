#pragma once
// Which network adapter a save compares camera addresses against, and the subnet test that
// decides whether a set request goes straight to the camera or to the broadcast address.
#include "device/core/fixed_layout.h"
#include "platform/core/network_adapter.h"

#include <optional>
#include <string_view>
#include <vector>

// The first adapter whose description does not begin with "PPP Adapter" (case-sensitive);
// nothing when every adapter is a dial-up one or the list is empty.
std::optional<NetworkAdapter> ChooseCurrentAdapter(const std::vector<NetworkAdapter>& adapters);

// Four bytes from a dotted string; each part is read as a decimal number the way atoi reads it
// (leading digits, anything else 0) and kept in its low byte. Missing parts are 0.
Ipv4Address ParseDottedLoosely(std::string_view dotted);

// Whether `address` lies in the adapter's network (address AND mask equal byte by byte).
// Without a usable adapter the test fails, so requests go to the broadcast address.
bool SameSubnet(const std::optional<NetworkAdapter>& adapter, const Ipv4Address& address);
