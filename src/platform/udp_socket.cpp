#include "platform/udp_socket.h"

#include "platform/core/socket_errors.h"
#include "platform/dialog.h"

#include <QSocketNotifier>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A large receive buffer lets the kernel hold a burst of replies between two readiness events.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

} // namespace

CUdpSocket::CUdpSocket() = default;

CUdpSocket::~CUdpSocket()
{
    Close();
}

int CUdpSocket::Fail(int wsaError)
{
    lastError_ = wsaError;
    return -1;
}

bool CUdpSocket::Open()
{
    Close();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Fail(WsaErrorFromErrno(errno));
        return false;
    }
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        Fail(WsaErrorFromErrno(errno));
        ::close(fd);
        return false;
    }
    // The arrival interface of every datagram, and the departure interface of a send.
    if (::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0) {
        Fail(WsaErrorFromErrno(errno));
        ::close(fd);
        return false;
    }
    // Best effort: beyond the system's cap only a privileged process may go (SO_RCVBUFFORCE);
    // otherwise the kernel caps SO_RCVBUF, which still leaves a larger buffer than the default.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &kReceiveBufferBytes, sizeof kReceiveBufferBytes) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBufferBytes, sizeof kReceiveBufferBytes);
    fd_ = fd;
    lastError_ = 0;
    return true;
}

void CUdpSocket::Close()
{
    delete notifier_;
    notifier_ = nullptr;
    window_ = nullptr;
    queue_.clear();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void CUdpSocket::SetReceiveLimit(size_t limit)
{
    receiveLimit_ = limit == 0 ? 1 : std::min(limit, kMaxDatagram);
}

bool CUdpSocket::SelectRead(CDialog* window, UINT message)
{
    if (fd_ < 0) {
        Fail(WSAENOTSOCK);
        return false;
    }
    window_ = window;
    message_ = message;
    ArmNotifier();
    return true;
}

void CUdpSocket::ArmNotifier()
{
    if (notifier_ != nullptr)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CUdpSocket::ReadDry);
}

namespace {

// The interface index carried by an IP_PKTINFO control message, 0 when there is none.
uint32_t ArrivalInterface(msghdr& header)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&header); c != nullptr; c = CMSG_NXTHDR(&header, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            return static_cast<uint32_t>(info.ipi_ifindex);
        }
    }
    return 0;
}

} // namespace

void CUdpSocket::ReadDry()
{
    // MSG_TRUNC makes recvmsg return the real length of a datagram longer than the buffer.
    scratch_.resize(receiveLimit_);
    for (;;) {
        sockaddr_in from{};
        iovec data{scratch_.data(), scratch_.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
        msghdr header{};
        header.msg_name = &from;
        header.msg_namelen = sizeof from;
        header.msg_iov = &data;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(fd_, &header, MSG_TRUNC);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            // A pending error (such as a refused port) is reported once, as an arrival of its own.
            queue_.push_back({{}, 0, 0, WsaErrorFromErrno(errno), 0});
            if (window_)
                window_->PostMessage(message_, static_cast<WPARAM>(fd_), 0);
            break;
        } else {
            Arrival arrival;
            arrival.from = from.sin_addr.s_addr;
            arrival.interfaceIndex = ArrivalInterface(header);
            arrival.length = static_cast<size_t>(n);
            if (arrival.length > receiveLimit_)
                arrival.error = WSAEMSGSIZE;
            else
                arrival.bytes.assign(scratch_.begin(), scratch_.begin() + n);
            queue_.push_back(std::move(arrival));
        }
        if (window_)
            window_->PostMessage(message_, static_cast<WPARAM>(fd_), 0);
    }
}

int CUdpSocket::SendTo(std::span<const uint8_t> data, uint32_t addressNetworkOrder, uint16_t port,
                       uint32_t interfaceIndex)
{
    if (fd_ < 0)
        return Fail(WSAENOTSOCK);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = addressNetworkOrder;
    iovec bytes{const_cast<uint8_t*>(data.data()), data.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr header{};
    header.msg_name = &to;
    header.msg_namelen = sizeof to;
    header.msg_iov = &bytes;
    header.msg_iovlen = 1;
    if (interfaceIndex != 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = static_cast<int>(interfaceIndex);
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    for (;;) {
        const ssize_t n = ::sendmsg(fd_, &header, 0);
        if (n >= 0)
            return static_cast<int>(n);
        if (errno != EINTR)
            return Fail(WsaErrorFromErrno(errno));
    }
}

int CUdpSocket::ReceiveFrom(std::span<uint8_t> buffer, uint32_t& fromNetworkOrder, uint32_t* interfaceIndex)
{
    if (fd_ < 0)
        return Fail(WSAENOTSOCK);
    if (queue_.empty())
        return Fail(WSAEWOULDBLOCK);
    Arrival arrival = std::move(queue_.front());
    queue_.pop_front();
    fromNetworkOrder = arrival.from;
    if (interfaceIndex != nullptr)
        *interfaceIndex = arrival.interfaceIndex;
    if (arrival.error != 0)
        return Fail(arrival.error);
    // copy_n, not memcpy: a zero-length datagram has no bytes, and memcpy may not be handed
    // the null pointer of an empty buffer even for a count of zero.
    if (arrival.length > buffer.size()) {
        std::copy_n(arrival.bytes.begin(), buffer.size(), buffer.begin());
        return Fail(WSAEMSGSIZE);
    }
    std::copy_n(arrival.bytes.begin(), arrival.length, buffer.begin());
    return static_cast<int>(arrival.length);
}

uint16_t CUdpSocket::LocalPort() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}
