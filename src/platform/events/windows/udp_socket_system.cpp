// UdpSocket's system calls on Windows: a non-blocking Winsock 2 socket, WSARecvMsg/WSASendMsg
// with IP_PKTINFO for the arrival and departure interface. Winsock's own error codes are the
// codes the rest of the program uses.
#include "platform/events/udp_socket.h"

#include "platform/net/windows/winsock_session.h"

// Winsock 2 first: the headers after it build on it.
#include <winsock2.h>

#include <mswsock.h>
#include <ws2tcpip.h>

#include <cstring>

namespace {

// A large receive buffer lets the system hold a burst of replies between two readiness events.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

SOCKET Native(qintptr socket)
{
    return static_cast<SOCKET>(socket);
}

// WSARecvMsg is an extension function: its address is asked of the socket's provider.
LPFN_WSARECVMSG RecvMsgFunction(SOCKET s)
{
    LPFN_WSARECVMSG function = nullptr;
    GUID id = WSAID_WSARECVMSG;
    DWORD bytes = 0;
    if (WSAIoctl(s, SIO_GET_EXTENSION_FUNCTION_POINTER, &id, sizeof id, &function, sizeof function, &bytes,
                 nullptr, nullptr) != 0)
        return nullptr;
    return function;
}

bool SetOption(SOCKET s, int level, int name, int value)
{
    return setsockopt(s, level, name, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

// The interface index carried by an IP_PKTINFO control message, 0 when there is none.
uint32_t ArrivalInterface(WSAMSG& message)
{
    for (WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&message); c != nullptr; c = WSA_CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            IN_PKTINFO info{};
            std::memcpy(&info, WSA_CMSG_DATA(c), sizeof info);
            return static_cast<uint32_t>(info.ipi_ifindex);
        }
    }
    return 0;
}

} // namespace

bool UdpSocket::OpenSocket()
{
    if (!winsock::Started()) {
        Fail(winsock::StartupError());
        return false;
    }
    const SOCKET s = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET) {
        Fail(WSAGetLastError());
        return false;
    }
    u_long nonBlocking = 1;
    // Broadcasts allowed; the arrival interface of every datagram, and the departure interface
    // of a send.
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0 || !SetOption(s, SOL_SOCKET, SO_BROADCAST, 1) ||
        !SetOption(s, IPPROTO_IP, IP_PKTINFO, 1) || RecvMsgFunction(s) == nullptr) {
        Fail(WSAGetLastError());
        closesocket(s);
        return false;
    }
    SetOption(s, SOL_SOCKET, SO_RCVBUF, kReceiveBufferBytes);
    // One socket serves every camera: a port-unreachable answer to one send must not come back
    // as an error on a later receive (Windows' default for datagram sockets; POSIX systems do
    // not report it on an unconnected socket either). Best effort.
    BOOL report = FALSE;
    DWORD bytes = 0;
    WSAIoctl(s, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &bytes, nullptr, nullptr);
    socket_ = static_cast<NativeSocket>(s);
    return true;
}

void UdpSocket::CloseSocket()
{
    closesocket(Native(socket_));
}

void UdpSocket::ReadDry()
{
    const SOCKET s = Native(socket_);
    const LPFN_WSARECVMSG receive = RecvMsgFunction(s);
    // One byte more than the limit: a datagram that fills it was longer than the limit.
    scratch_.resize(receiveLimit_ + 1);
    for (;;) {
        sockaddr_in from{};
        WSABUF data{static_cast<ULONG>(scratch_.size()), reinterpret_cast<char*>(scratch_.data())};
        alignas(WSACMSGHDR) char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
        WSAMSG message{};
        message.name = reinterpret_cast<sockaddr*>(&from);
        message.namelen = sizeof from;
        message.lpBuffers = &data;
        message.dwBufferCount = 1;
        message.Control = {sizeof control, control};
        DWORD received = 0;
        Arrival arrival;
        if (receive == nullptr || receive(s, &message, &received, nullptr, nullptr) != 0) {
            const int error = receive == nullptr ? WSAENOTSOCK : WSAGetLastError();
            if (error == WSAEINTR)
                continue;
            if (error == WSAEWOULDBLOCK)
                break;
            // A datagram longer than the buffer is gone; anything else (such as a refused port)
            // is reported once, as an arrival of its own.
            arrival.error = error;
            if (error == WSAEMSGSIZE) {
                arrival.from = from.sin_addr.s_addr;
                arrival.interfaceIndex = ArrivalInterface(message);
                Arrived(std::move(arrival));
                continue;
            }
            Arrived(std::move(arrival));
            break;
        }
        arrival.from = from.sin_addr.s_addr;
        arrival.interfaceIndex = ArrivalInterface(message);
        arrival.length = received;
        if (arrival.length > receiveLimit_ || (message.dwFlags & MSG_TRUNC) != 0)
            arrival.error = WSAEMSGSIZE;
        else
            arrival.bytes.assign(scratch_.begin(), scratch_.begin() + received);
        Arrived(std::move(arrival));
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
    WSABUF bytes{static_cast<ULONG>(data.size()), reinterpret_cast<char*>(const_cast<uint8_t*>(data.data()))};
    alignas(WSACMSGHDR) char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
    WSAMSG message{};
    message.name = reinterpret_cast<sockaddr*>(&to);
    message.namelen = sizeof to;
    message.lpBuffers = &bytes;
    message.dwBufferCount = 1;
    if (interfaceIndex != 0) {
        message.Control = {sizeof control, control};
        WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&message);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = WSA_CMSG_LEN(sizeof(IN_PKTINFO));
        IN_PKTINFO info{};
        info.ipi_ifindex = interfaceIndex;
        std::memcpy(WSA_CMSG_DATA(c), &info, sizeof info);
    }
    // The packet information names the interface for Windows; the socket's outgoing interface
    // is set as well, for the limited broadcast (and for systems that ignore the former), and
    // cleared again so that the socket serves every interface.
    const bool pinned = interfaceIndex != 0 && SetOption(Native(socket_), IPPROTO_IP, IP_UNICAST_IF,
                                                         static_cast<int>(htonl(interfaceIndex)));
    DWORD sent = 0;
    int error = 0;
    do {
        error =
            WSASendMsg(Native(socket_), &message, 0, &sent, nullptr, nullptr) == 0 ? 0 : WSAGetLastError();
    } while (error == WSAEINTR);
    if (pinned)
        SetOption(Native(socket_), IPPROTO_IP, IP_UNICAST_IF, 0);
    return error == 0 ? static_cast<int>(sent) : Fail(error);
}

uint16_t UdpSocket::LocalPort() const
{
    sockaddr_in local{};
    int length = sizeof local;
    if (socket_ == kNoSocket ||
        getsockname(Native(socket_), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}
