#pragma once
// Which interfaces a search broadcasts on, which network adapter a save compares camera
// addresses against and sends on, and the subnet test that decides whether a set request goes
// straight to the camera or to the broadcast address.
#include "device/core/fixed_layout.h"
#include "platform/core/network_adapter.h"

#include <cstdint>
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

// Whether no adapter's network holds `address` (true for an empty list): a camera there is
// reached only through a router.
bool OutsideEveryNetwork(const std::vector<NetworkAdapter>& adapters, const Ipv4Address& address);

// Whether a search broadcasts on the adapter: a link that carries broadcasts, neither loopback
// nor point-to-point, known by its index and holding an IPv4 address.
bool IsSearchInterface(const NetworkAdapter& adapter);
// The adapters a search broadcasts on, in list order.
std::vector<NetworkAdapter> SearchInterfaces(const std::vector<NetworkAdapter>& adapters);

struct SaveInterface
{
    std::optional<NetworkAdapter> adapter; // compared against; nothing: every request is broadcast
    uint32_t sendIndex = 0;                // interface the requests leave by; 0: the routing table's
};

// For a camera whose reply arrived on interface `answeredOn`: that interface, when it is still
// there (nothing when it is gone). A camera not found by a search (`answeredOn` 0) is compared
// against the current adapter and reached through the routing table.
SaveInterface ChooseSaveInterface(const std::vector<NetworkAdapter>& adapters, uint32_t answeredOn);
