#pragma once
// UdpSocket: an IPv4 datagram socket with broadcast enabled, unbound until its first send
// (the system then gives it an ephemeral port on all addresses). Arrivals are announced to a
// receiver with a queued call, once per datagram, on the UI thread. On each readiness
// the socket is read dry into a queue, so a burst of thousands of datagrams is not dropped by the
// kernel while the UI thread is busy; ReceiveFrom then takes one datagram from that queue.
// Each arrival keeps the interface it came in on, and a send can name the interface it leaves
// by (IP_PKTINFO both ways), so one socket serves every network interface without privileges.
// The queue and the announcements are here and in udp_socket.cpp; the system calls are in the
// system's folder (posix/, windows/).
#include "platform/core/win_types.h"

#include <QObject>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

class QSocketNotifier;

class UdpSocket : public QObject
{
    Q_OBJECT

public:
    // The largest datagram kept by default; a longer one is reported as too long.
    static constexpr size_t kMaxDatagram = 65507;

    UdpSocket();
    ~UdpSocket() override;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Creates the socket and sets SO_BROADCAST. Returns false with LastError() set on failure.
    bool Open();
    void Close();
    bool IsOpen() const { return socket_ != kNoSocket; }

    // Datagrams longer than `limit` bytes are lost and reported as WSAEMSGSIZE on receipt.
    void SetReceiveLimit(size_t limit);
    // Calls `onArrival` in `receiver`'s thread, queued, once for every datagram that arrives
    // from now on (while the receiver lives).
    bool SelectRead(QObject* receiver, std::function<void()> onArrival);

    // One datagram; returns the bytes sent, or -1 with LastError() set. With an interface index
    // the datagram leaves by that interface (a limited broadcast then reaches that link, whatever
    // the routing table says); with 0 the routing table chooses.
    int SendTo(std::span<const uint8_t> data, uint32_t addressNetworkOrder, uint16_t port,
               uint32_t interfaceIndex = 0);
    // Takes the oldest arrival: copies at most buffer.size() bytes and returns the datagram's
    // length, or -1 with LastError() set (WSAEWOULDBLOCK when nothing waits, WSAEMSGSIZE for a
    // datagram that was longer than the receive limit or the buffer; that datagram is gone).
    // `interfaceIndex`, when given, receives the index of the interface it arrived on (0 unknown).
    int ReceiveFrom(std::span<uint8_t> buffer, uint32_t& fromNetworkOrder,
                    uint32_t* interfaceIndex = nullptr);

    // Windows Sockets code of the last failed call on this socket.
    int LastError() const { return lastError_; }
    // Datagrams read from the socket and not yet taken.
    size_t Pending() const { return queue_.size(); }
    // Local port once bound (0 before the first send).
    uint16_t LocalPort() const;

signals:
    // One datagram (or the error of one) has been queued for ReceiveFrom.
    void datagramQueued();

private:
    // The system's socket handle (a descriptor, or a Windows SOCKET); kNoSocket when closed.
    using NativeSocket = qintptr;
    static constexpr NativeSocket kNoSocket = -1;

    struct Arrival
    {
        std::vector<uint8_t> bytes;
        uint32_t from = 0;
        uint32_t interfaceIndex = 0;
        int error = 0;
        size_t length = 0;
    };

    // System calls: create (false with lastError_ set), close, read every waiting datagram.
    bool OpenSocket();
    void CloseSocket();
    void ReadDry();
    // The ICMP errors waiting about datagrams sent (a system without such a queue has none).
    void ReadErrorQueue();
    // Queues one arrival and tells the receiver about it.
    void Arrived(Arrival arrival);
    void ArmNotifier();
    int Fail(int wsaError);

    NativeSocket socket_ = kNoSocket;
    int lastError_ = 0;
    size_t receiveLimit_ = kMaxDatagram;
    QSocketNotifier* notifier_ = nullptr;
    QMetaObject::Connection arrivalConnection_;
    std::deque<Arrival> queue_;
    std::vector<uint8_t> scratch_;
};
