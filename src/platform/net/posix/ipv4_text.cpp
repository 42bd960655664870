#include "platform/net/ipv4_text.h"

#include <arpa/inet.h>

uint32_t InetAddrOf(const std::string& text)
{
    return inet_addr(text.c_str());
}

std::optional<uint32_t> ParseDottedIpv4(const std::string& text)
{
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1)
        return std::nullopt;
    return address.s_addr;
}
