#pragma once
// IPv4 addresses read from text by the system's own reader, in network byte order (the one
// reading of the dotted form is ParseIpv4 in platform/core/net_address.h).
#include <cstdint>
#include <string>

// The address as inet_addr reads it: also the short and octal/hex forms ("10.1", "0x0a.1.2.3");
// 0xFFFFFFFF (255.255.255.255) for a text it cannot read.
uint32_t InetAddrOf(const std::string& text);
