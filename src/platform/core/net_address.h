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

// The four parts of a dotted address ("192.168.0.20"): one to three decimal digits each, of any
// value (a part above 255 is the caller's to refuse, with its own message); nothing for any
// other text.
template <class Char>
std::optional<std::array<std::basic_string_view<Char>, 4>> SplitDottedParts(std::basic_string_view<Char> text)
{
    std::array<std::basic_string_view<Char>, 4> parts;
    for (size_t part = 0; part < parts.size(); ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        size_t digits = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == 0 || digits > 3)
            return std::nullopt;
        parts[part] = text.substr(0, digits);
        text.remove_prefix(digits);
    }
    if (!text.empty())
        return std::nullopt;
    return parts;
}

// A dotted address whose four parts are each 0 to 255.
std::optional<Ipv4Address> ParseIpv4(std::string_view text);

// "00:11:22:aa:bb:cc" or "00-11-22-AA-BB-CC" (one separator throughout) as lower-case,
// colon-separated text; nothing for any other text.
std::optional<std::string> NormaliseMac(std::string_view text);
// The same text as the address's six bytes.
std::optional<MacAddress> ParseMac(std::string_view text);
