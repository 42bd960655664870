#include "platform/net/ipv4_text.h"

#include "platform/net/windows/winsock_session.h"

#include <winsock2.h>

uint32_t InetAddrOf(const std::string& text)
{
    winsock::Started();
    return inet_addr(text.c_str());
}
