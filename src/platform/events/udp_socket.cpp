#include "platform/events/udp_socket.h"

#include "platform/core/socket_errors.h"

#include <QSocketNotifier>
#include <algorithm>

UdpSocket::UdpSocket() = default;

UdpSocket::~UdpSocket()
{
    Close();
}

int UdpSocket::Fail(int wsaError)
{
    lastError_ = wsaError;
    return -1;
}

bool UdpSocket::Open()
{
    Close();
    if (!OpenSocket())
        return false;
    lastError_ = 0;
    return true;
}

void UdpSocket::Close()
{
    delete notifier_;
    notifier_ = nullptr;
    disconnect(arrivalConnection_);
    queue_.clear();
    if (socket_ != kNoSocket) {
        CloseSocket();
        socket_ = kNoSocket;
    }
}

void UdpSocket::SetReceiveLimit(size_t limit)
{
    receiveLimit_ = limit == 0 ? 1 : std::min(limit, kMaxDatagram);
}

bool UdpSocket::SelectRead(QObject* receiver, std::function<void()> onArrival)
{
    if (socket_ == kNoSocket) {
        Fail(WSAENOTSOCK);
        return false;
    }
    disconnect(arrivalConnection_);
    arrivalConnection_ =
        connect(this, &UdpSocket::datagramQueued, receiver, std::move(onArrival), Qt::QueuedConnection);
    ArmNotifier();
    return true;
}

void UdpSocket::ArmNotifier()
{
    if (notifier_ != nullptr)
        return;
    notifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &UdpSocket::ReadDry);
}

void UdpSocket::Arrived(Arrival arrival)
{
    queue_.push_back(std::move(arrival));
    emit datagramQueued();
}

int UdpSocket::ReceiveFrom(std::span<uint8_t> buffer, uint32_t& fromNetworkOrder, uint32_t* interfaceIndex)
{
    if (socket_ == kNoSocket)
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
