#include "platform/core/net_address.h"

#include <cctype>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

std::optional<Ipv4Address> ParseIpv4(std::string_view text)
{
    Ipv4Address address{};
    for (size_t part = 0; part < address.size(); ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        size_t digits = 0;
        unsigned value = 0;
        while (digits < text.size() && IsDigit(text[digits]) && digits < 4)
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        address[part] = static_cast<uint8_t>(value);
        text.remove_prefix(digits);
    }
    if (!text.empty())
        return std::nullopt;
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
