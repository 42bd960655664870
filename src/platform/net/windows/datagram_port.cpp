#include "platform/net/datagram_port.h"

#include "platform/net/windows/winsock_session.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

constexpr size_t kLargestDatagram = 65536;

std::string Reason(int error)
{
    return "Windows Sockets error " + std::to_string(error);
}

SOCKET Native(intptr_t socket)
{
    return static_cast<SOCKET>(socket);
}

bool SetOption(SOCKET s, int name)
{
    const BOOL on = TRUE;
    return setsockopt(s, SOL_SOCKET, name, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

} // namespace

DatagramPort::~DatagramPort()
{
    if (socket_ != -1)
        closesocket(Native(socket_));
}

bool DatagramPort::Open(uint32_t address, uint16_t port)
{
    if (!winsock::Started()) {
        error_ = Reason(winsock::StartupError());
        return false;
    }
    const SOCKET s = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = address;
    const bool ok = s != INVALID_SOCKET && SetOption(s, SO_REUSEADDR) && SetOption(s, SO_BROADCAST) &&
                    bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    if (!ok) {
        error_ = Reason(WSAGetLastError());
        if (s != INVALID_SOCKET)
            closesocket(s);
        return false;
    }
    socket_ = static_cast<intptr_t>(s);
    return true;
}

bool DatagramPort::WaitReadable(std::chrono::milliseconds limit)
{
    WSAPOLLFD pfd{Native(socket_), POLLRDNORM, 0};
    return WSAPoll(&pfd, 1, static_cast<INT>(limit.count())) > 0 && (pfd.revents & POLLRDNORM) != 0;
}

std::optional<Datagram> DatagramPort::Receive()
{
    Datagram datagram;
    datagram.bytes.resize(kLargestDatagram);
    sockaddr_in from{};
    int fromSize = sizeof from;
    const int n =
        recvfrom(Native(socket_), reinterpret_cast<char*>(datagram.bytes.data()),
                 static_cast<int>(datagram.bytes.size()), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n == SOCKET_ERROR) {
        error_ = Reason(WSAGetLastError());
        return std::nullopt;
    }
    datagram.bytes.resize(static_cast<size_t>(n));
    datagram.from = from.sin_addr.s_addr;
    datagram.port = ntohs(from.sin_port);
    return datagram;
}

// Here the system chooses the source address, and Receive leaves a datagram's destination as the
// broadcast: a simulated camera that answers only at its own address needs the POSIX port.
std::string DatagramPort::Send(std::span<const uint8_t> bytes, uint32_t to, uint16_t port, uint32_t)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = to;
    if (sendto(Native(socket_), reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
               0, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR)
        return Reason(WSAGetLastError());
    return {};
}

uint16_t DatagramPort::LocalPort() const
{
    sockaddr_in local{};
    int length = sizeof local;
    if (socket_ == -1 || getsockname(Native(socket_), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}
