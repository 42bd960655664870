#include "platform/net/ipv4_text.h"

#include "platform/net/windows/winsock_session.h"

#include <winsock2.h>
#include <ws2tcpip.h>

uint32_t InetAddrOf(const std::string& text)
{
    winsock::Started();
    return inet_addr(text.c_str());
}

std::optional<uint32_t> ParseDottedIpv4(const std::string& text)
{
    winsock::Started();
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1)
        return std::nullopt;
    return address.s_addr;
}
