#include "platform/net/datagram_port.h"
#include "platform/net/posix/pktinfo_message.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {
constexpr size_t kLargestDatagram = 65536;
}

DatagramPort::~DatagramPort()
{
    if (socket_ >= 0)
        ::close(static_cast<int>(socket_));
}

bool DatagramPort::Open(uint32_t address, uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = address;
    const bool ok = fd >= 0 && ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 &&
                    ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0 &&
                    ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    if (!ok) {
        error_ = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    socket_ = fd;
    return true;
}

bool DatagramPort::WaitReadable(std::chrono::milliseconds limit)
{
    pollfd pfd{static_cast<int>(socket_), POLLIN, 0};
    return ::poll(&pfd, 1, static_cast<int>(limit.count())) > 0 && (pfd.revents & POLLIN) != 0;
}

std::optional<Datagram> DatagramPort::Receive()
{
    Datagram datagram;
    datagram.bytes.resize(kLargestDatagram);
    sockaddr_in from{};
    PktinfoMessage message(from, datagram.bytes);
    const ssize_t n = ::recvmsg(static_cast<int>(socket_), &message.ForReceive(), 0);
    if (n < 0) {
        error_ = std::strerror(errno);
        return std::nullopt;
    }
    datagram.bytes.resize(static_cast<size_t>(n));
    datagram.from = from.sin_addr.s_addr;
    datagram.port = ntohs(from.sin_port);
    if (const std::optional<in_pktinfo> info = message.Arrival())
        datagram.to = info->ipi_addr.s_addr;
    return datagram;
}

std::string DatagramPort::Send(std::span<const uint8_t> bytes, uint32_t to, uint16_t port, uint32_t from)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = to;
    PktinfoMessage message(address, bytes);
    const msghdr& header = message.ForSend(0, from);
    if (::sendmsg(static_cast<int>(socket_), &header, 0) < 0)
        return std::strerror(errno);
    return {};
}

uint16_t DatagramPort::LocalPort() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (socket_ < 0 ||
        ::getsockname(static_cast<int>(socket_), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}
