#pragma once
// IPv4 addresses read from text by the system's own readers, in network byte order.
#include <cstdint>
#include <optional>
#include <string>

// The address as inet_addr reads it: also the short and octal/hex forms ("10.1", "0x0a.1.2.3");
// 0xFFFFFFFF (255.255.255.255) for a text it cannot read.
uint32_t InetAddrOf(const std::string& text);

// Only the four-decimal dotted form ("192.168.0.1"), as inet_pton reads it.
std::optional<uint32_t> ParseDottedIpv4(const std::string& text);
