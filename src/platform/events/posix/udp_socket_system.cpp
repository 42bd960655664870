// UdpSocket's system calls on a POSIX system: a non-blocking descriptor, recvmsg/sendmsg with
// IP_PKTINFO, errno mapped to the Windows Sockets codes. With IP_RECVERR each ICMP error about a
// datagram this socket sent (no such host, or a host without the service) is kept in the
// socket's error queue with the datagram's destination, and read out as an arrival of its own.
#include "platform/core/socket_errors.h"
#include "platform/events/udp_socket.h"
#include "platform/net/posix/pktinfo_message.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/errqueue.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

// A large receive buffer lets the kernel hold a burst of replies between two readiness events.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

// The errors an ICMP report leaves on the socket: the next call of any kind fails with it once,
// whatever datagram it is about.
bool IsIcmpReport(int error)
{
    return error == ECONNREFUSED || error == EHOSTUNREACH || error == ENETUNREACH || error == EHOSTDOWN;
}

// The ICMP error of one message of the error queue, or 0 when it holds none.
int IcmpErrorOf(msghdr& message)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_RECVERR)
            continue;
        sock_extended_err report{};
        std::memcpy(&report, CMSG_DATA(c), sizeof report);
        return report.ee_origin == SO_EE_ORIGIN_ICMP ? static_cast<int>(report.ee_errno) : 0;
    }
    return 0;
}

} // namespace

bool UdpSocket::OpenSocket()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Fail(WsaErrorFromErrno(errno));
        return false;
    }
    const int on = 1;
    // Broadcasts allowed; the arrival interface of every datagram, and the departure interface
    // of a send.
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0 ||
        ::setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) != 0) {
        Fail(WsaErrorFromErrno(errno));
        ::close(fd);
        return false;
    }
    // Best effort: beyond the system's cap only a privileged process may go (SO_RCVBUFFORCE);
    // otherwise the kernel caps SO_RCVBUF, which still leaves a larger buffer than the default.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &kReceiveBufferBytes, sizeof kReceiveBufferBytes) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBufferBytes, sizeof kReceiveBufferBytes);
    socket_ = fd;
    return true;
}

void UdpSocket::CloseSocket()
{
    ::close(static_cast<int>(socket_));
}

void UdpSocket::ReadDry()
{
    const int fd = static_cast<int>(socket_);
    // MSG_TRUNC makes recvmsg return the real length of a datagram longer than the buffer.
    scratch_.resize(receiveLimit_);
    for (;;) {
        sockaddr_in from{};
        PktinfoMessage message(from, scratch_);
        const ssize_t n = ::recvmsg(fd, &message.ForReceive(), MSG_TRUNC);
        if (n < 0) {
            if (errno == EINTR || IsIcmpReport(errno))
                continue; // an ICMP report: the error queue below says which datagram it was about
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                Arrived({{}, 0, 0, WsaErrorFromErrno(errno), 0});
            break;
        }
        Arrival arrival;
        arrival.from = from.sin_addr.s_addr;
        const std::optional<in_pktinfo> info = message.Arrival();
        arrival.interfaceIndex = info ? static_cast<uint32_t>(info->ipi_ifindex) : 0;
        arrival.length = static_cast<size_t>(n);
        if (arrival.length > receiveLimit_)
            arrival.error = WSAEMSGSIZE;
        else
            arrival.bytes.assign(scratch_.begin(), scratch_.begin() + n);
        Arrived(std::move(arrival));
    }
    ReadErrorQueue();
}

// Every ICMP error waiting, each an arrival "from" the destination it is about. The queue is
// read out whenever the socket is, so a waiting report never keeps the socket ready.
void UdpSocket::ReadErrorQueue()
{
    for (;;) {
        sockaddr_in about{};
        std::array<uint8_t, 512> control{};
        iovec content{scratch_.data(), scratch_.size()};
        msghdr message{};
        message.msg_name = &about;
        message.msg_namelen = sizeof about;
        message.msg_iov = &content;
        message.msg_iovlen = 1;
        message.msg_control = control.data();
        message.msg_controllen = control.size();
        if (::recvmsg(static_cast<int>(socket_), &message, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (const int error = IcmpErrorOf(message))
            Arrived({{}, about.sin_addr.s_addr, 0, WsaErrorFromErrno(error), 0});
    }
}

int UdpSocket::SendTo(std::span<const uint8_t> data, uint32_t addressNetworkOrder, uint16_t port,
                      uint32_t interfaceIndex)
{
    if (socket_ == kNoSocket)
        return Fail(WSAENOTSOCK);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = addressNetworkOrder;
    PktinfoMessage message(to, data);
    const msghdr& header = message.ForSend(interfaceIndex, 0);
    // An ICMP report about an earlier datagram fails the first send after it without sending:
    // that send is tried once more, and fails again only when the error is its own.
    bool reportTaken = false;
    for (;;) {
        const ssize_t n = ::sendmsg(static_cast<int>(socket_), &header, 0);
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR || (IsIcmpReport(errno) && !std::exchange(reportTaken, true)))
            continue;
        return Fail(WsaErrorFromErrno(errno));
    }
}

uint16_t UdpSocket::LocalPort() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (socket_ == kNoSocket ||
        ::getsockname(static_cast<int>(socket_), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}
