#include "platform/core/net_address.h"

#include <cctype>

namespace {

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

int HexValue(char c)
{
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

std::optional<Ipv4Address> ParseIpv4(std::string_view text)
{
    const auto parts = SplitDottedParts(text);
    if (!parts)
        return std::nullopt;
    Ipv4Address address{};
    for (size_t i = 0; i < address.size(); ++i) {
        unsigned value = 0;
        for (const char digit : (*parts)[i])
            value = value * 10 + static_cast<unsigned>(digit - '0');
        if (value > 255)
            return std::nullopt;
        address[i] = static_cast<uint8_t>(value);
    }
    return address;
}

std::optional<std::string> NormaliseMac(std::string_view text)
{
    constexpr size_t kPairs = 6;
    if (text.size() != kPairs * 3 - 1)
        return std::nullopt;
    const char separator = text.find('-') != std::string_view::npos ? '-' : ':';
    std::string mac;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool separatorPlace = i % 3 == 2;
        if (separatorPlace ? text[i] != separator : !IsHexDigit(text[i]))
            return std::nullopt;
        mac += separatorPlace ? ':' : Lower(text[i]);
    }
    return mac;
}

std::optional<MacAddress> ParseMac(std::string_view text)
{
    const std::optional<std::string> normal = NormaliseMac(text);
    if (!normal)
        return std::nullopt;
    MacAddress mac{};
    for (size_t i = 0; i < mac.size(); ++i)
        mac[i] = static_cast<uint8_t>(HexValue((*normal)[i * 3]) * 16 + HexValue((*normal)[i * 3 + 1]));
    return mac;
}
