#include "event_loop_wait.h"
#include "platform/core/socket_errors.h"
#include "platform/events/udp_socket.h"
#include "platform/net/datagram_port.h"
#include "platform/net/ipv4_text.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

const uint32_t kLoopback = InetAddrOf("127.0.0.1");

// Takes one datagram from the socket per arrival call, as the endpoint table does.
class Receiver : public QObject
{
public:
    explicit Receiver(UdpSocket& socket) : socket_(socket) {}
    std::vector<std::vector<uint8_t>> datagrams;
    std::vector<int> errors;
    int notifications = 0;
    size_t limit = 460;

    void OnArrival()
    {
        ++notifications;
        std::vector<uint8_t> buffer(limit);
        uint32_t from = 0;
        const int n = socket_.ReceiveFrom(buffer, from);
        if (n < 0) {
            errors.push_back(socket_.LastError());
            return;
        }
        EXPECT_EQ(from, kLoopback);
        buffer.resize(static_cast<size_t>(n));
        datagrams.push_back(std::move(buffer));
    }

private:
    UdpSocket& socket_;
};

// A plain socket on 127.0.0.1 that plays the far side.
class Peer
{
public:
    Peer() { EXPECT_TRUE(port_.Open(kLoopback, 0)) << port_.Error(); }
    uint16_t port() const { return port_.LocalPort(); }
    void SendTo(uint16_t port, const std::vector<uint8_t>& bytes) { port_.Send(bytes, kLoopback, port); }

private:
    DatagramPort port_;
};

// Opens `socket`, gives it a port by a first send to the peer (the socket is unbound until
// then) and starts the notifications.
uint16_t OpenBound(UdpSocket& socket, Receiver& receiver, Peer& peer)
{
    EXPECT_TRUE(socket.Open());
    EXPECT_EQ(socket.LocalPort(), 0);
    const std::vector<uint8_t> hello{1};
    EXPECT_EQ(socket.SendTo(hello, kLoopback, peer.port()), 1);
    EXPECT_TRUE(socket.SelectRead(&receiver, [&receiver] { receiver.OnArrival(); }));
    return socket.LocalPort();
}

} // namespace

TEST(UdpSocket, BurstArrivesCompleteInOrderWithOneNotificationEach)
{
    constexpr int kCount = 5000;
    UdpSocket socket;
    Receiver receiver(socket);
    Peer peer;
    const uint16_t port = OpenBound(socket, receiver, peer);
    ASSERT_NE(port, 0);

    std::thread sender([&] {
        for (int i = 0; i < kCount; ++i) {
            peer.SendTo(port, {static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8), 0xAB, 0xCD});
        }
    });
    const bool all = test_wait::SpinUntil([&] { return receiver.datagrams.size() >= kCount; }, 10000);
    sender.join();
    ASSERT_TRUE(all) << "received " << receiver.datagrams.size();
    QCoreApplication::processEvents(); // a stray extra notification would show up here
    EXPECT_EQ(receiver.notifications, kCount);
    EXPECT_TRUE(receiver.errors.empty());
    for (int i = 0; i < kCount; ++i) {
        const auto& d = receiver.datagrams[static_cast<size_t>(i)];
        ASSERT_EQ(d.size(), 4u);
        ASSERT_EQ(d[0] | (d[1] << 8), i) << "out of order at " << i;
    }
}

TEST(UdpSocket, OverLongDatagramIsReportedAsTooLongAndLost)
{
    UdpSocket socket;
    socket.SetReceiveLimit(460);
    Receiver receiver(socket);
    Peer peer;
    const uint16_t port = OpenBound(socket, receiver, peer);

    peer.SendTo(port, std::vector<uint8_t>(461, 0x11));
    peer.SendTo(port, std::vector<uint8_t>(460, 0x22));
    peer.SendTo(port, {0x33});
    ASSERT_TRUE(test_wait::SpinUntil([&] { return receiver.notifications >= 3; }, 10000));
    ASSERT_EQ(receiver.errors.size(), 1u);
    EXPECT_EQ(receiver.errors[0], WSAEMSGSIZE);
    ASSERT_EQ(receiver.datagrams.size(), 2u);
    EXPECT_EQ(receiver.datagrams[0], std::vector<uint8_t>(460, 0x22));
    EXPECT_EQ(receiver.datagrams[1], std::vector<uint8_t>{0x33});
}

TEST(UdpSocket, ReceiveWithNothingWaitingOrClosedSocketFails)
{
    UdpSocket socket;
    uint8_t buffer[8];
    uint32_t from = 0;
    EXPECT_EQ(socket.ReceiveFrom(buffer, from), -1);
    EXPECT_EQ(socket.LastError(), WSAENOTSOCK);
    ASSERT_TRUE(socket.Open());
    EXPECT_EQ(socket.ReceiveFrom(buffer, from), -1);
    EXPECT_EQ(socket.LastError(), WSAEWOULDBLOCK);
    const std::vector<uint8_t> hello{1};
    socket.Close();
    EXPECT_EQ(socket.SendTo(hello, kLoopback, 9), -1);
    EXPECT_EQ(socket.LastError(), WSAENOTSOCK);
}
