#pragma once
// The project's address types and the one reading of each from text.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using MacAddress = std::array<uint8_t, 6>;
// IPv4 address as four bytes, first octet first (network order).
using Ipv4Address = std::array<uint8_t, 4>;

// "192.168.0.20": exactly four parts of one to three decimal digits, each 0 to 255.
std::optional<Ipv4Address> ParseIpv4(std::string_view text);

// "00:11:22:aa:bb:cc" or "00-11-22-AA-BB-CC" (one separator throughout) as lower-case,
// colon-separated text; nothing for any other text.
std::optional<std::string> NormaliseMac(std::string_view text);
