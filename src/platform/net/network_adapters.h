#pragma once
// The machine's IPv4 network adapters, in the order the system lists them, each with its first
// IPv4 address and mask as dotted strings. Loopback and point-to-point (dial-up) interfaces are
// described as "PPP Adapter", the description the adapter choice skips.
#include "platform/core/network_adapter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Returns nothing when the system cannot list its interfaces.
std::optional<std::vector<NetworkAdapter>> ListNetworkAdapters();

// The name of the interface with the system's index, or "" when there is none.
std::string InterfaceName(uint32_t index);

// Every IPv4 address this machine holds on an interface that is up, loopback included, four
// bytes in network order each; empty when the system cannot list them.
std::vector<std::array<uint8_t, 4>> ListOwnAddresses();
