#include "platform/net/ipv4_text.h"

#include <arpa/inet.h>

uint32_t InetAddrOf(const std::string& text)
{
    return inet_addr(text.c_str());
}
