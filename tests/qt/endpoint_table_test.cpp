#include "device/action_runner.h"
#include "device/camera_actions.h"
#include "device/endpoint_table.h"
#include "event_loop_wait.h"
#include "platform/core/socket_errors.h"
#include "platform/events/message_box_hook.h"
#include "platform/net/datagram_port.h"
#include "platform/net/ipv4_text.h"
#include "platform/net/network_adapters.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr Ipv4Address kLoopback{127, 0, 0, 1};

// Counts the arrivals announced to it.
struct Window : QObject
{
    int arrivals = 0;
    std::function<void()> Counter()
    {
        return [this] { ++arrivals; };
    }
};

// Records how the engine's actions end and shows the boxes it asks for, as the frame does.
struct Listener
{
    explicit Listener(CameraActions& action) : runner(action)
    {
        runner.onEnd = [this](const ActionOutcome& outcome) { ends.push_back(outcome.end); };
    }
    ActionRunner runner;
    std::vector<ActionEnd> ends;
};

void SendFromLoopback(uint16_t port, const std::vector<uint8_t>& bytes)
{
    DatagramPort peer;
    const uint32_t loopback = InetAddrOf("127.0.0.1");
    ASSERT_TRUE(peer.Open(loopback, 0)) << peer.Error();
    peer.Send(bytes, loopback, port);
}

// The system's index of the loopback interface, as the adapter list gives it.
uint32_t LoopbackIndex()
{
    for (const NetworkAdapter& adapter : ListNetworkAdapters().value_or(std::vector<NetworkAdapter>{}))
        if (adapter.address == "127.0.0.1")
            return adapter.index;
    return 0;
}

void FillTable(EndpointTable& table, Window& window)
{
    for (int i = 1; i <= kEndpointSlots; ++i)
        ASSERT_EQ(table.OpenEndpoint(&window, window.Counter()), i);
}

} // namespace

TEST(EndpointTable, EveryOperationOnASlotNeverOpenedFailsWithBadSlot)
{
    EndpointTable table;
    Ipv4Address sender{};
    uint8_t buffer[16];
    const std::vector<std::pair<const char*, bool>> results = {
        {"close", !table.CloseEndpoint(1)},
        {"target", !table.SetEndpointTarget(1, kBroadcastAddress)},
        {"sender", !table.GetLastSender(1, sender)},
        {"send", table.SendDatagram(1, std::vector<uint8_t>{1}) == 0},
        {"receive", table.ReceiveDatagram(1, buffer) == 0},
    };
    for (const auto& [what, failed] : results)
        EXPECT_TRUE(failed) << what;
    EXPECT_EQ(table.LastNetError(), kNetBadSlot);
}

TEST(EndpointTable, SixteenSlotsThenFullAndTheLowestFreeSlotIsReused)
{
    EndpointTable table;
    Window window;
    FillTable(table, window);
    EXPECT_EQ(table.OpenEndpoint(&window, window.Counter()), 0);
    EXPECT_EQ(table.LastNetError(), kNetTableFull);

    EXPECT_TRUE(table.CloseEndpoint(1));
    EXPECT_TRUE(table.CloseEndpoint(2));
    EXPECT_EQ(table.OpenEndpoint(&window, window.Counter()), 1);
    for (const int slot : {0, 17, -1, 2}) {
        EXPECT_FALSE(table.CloseEndpoint(slot)) << slot;
        EXPECT_EQ(table.LastNetError(), kNetBadSlot) << slot;
    }
    EXPECT_EQ(table.OpenCount(), 15);
}

TEST(EndpointTable, ReceiveDropsStatusFFFFAndLosesOverLongDatagrams)
{
    EndpointTable table;
    Window window;
    const int slot = table.OpenEndpoint(&window, window.Counter());
    ASSERT_EQ(slot, 1);
    // The socket is bound at its first send; nothing listens on this loopback port.
    ASSERT_TRUE(table.SetEndpointTarget(slot, kLoopback));
    ASSERT_EQ(table.SendDatagram(slot, std::vector<uint8_t>(29, 0)), 29);
    const uint16_t port = table.LocalPort(slot);
    ASSERT_NE(port, 0);

    SendFromLoopback(port, {0, 0, 0xFF, 0xFF, 1, 2, 3, 4, 5});
    SendFromLoopback(port, std::vector<uint8_t>(461, 0));
    SendFromLoopback(port, {4, 0, 0, 0, 9, 9, 0, 0});
    // Linux reports the port unreachable that the first datagram met, after the datagrams read.
#ifdef _WIN32
    constexpr int kIcmpReports = 0;
#else
    constexpr int kIcmpReports = 1;
#endif
    ASSERT_TRUE(test_wait::SpinUntil([&] { return window.arrivals == 3 + kIcmpReports; }, 5000));

    std::array<uint8_t, 1031> buffer{};
    Ipv4Address sender{};
    DatagramArrival arrival;
    const uint32_t loopbackIndex = LoopbackIndex();
    EXPECT_EQ(table.ReceiveDatagram(slot, buffer, &arrival), 0); // status 0xFFFF: consumed, no trace
    ASSERT_TRUE(table.GetLastSender(slot, sender));
    EXPECT_EQ(sender, Ipv4Address{});
    EXPECT_EQ(table.SlotError(slot), 0);
    EXPECT_EQ(arrival.kind, DatagramArrival::Kind::Dropped);
    EXPECT_EQ(arrival.interfaceIndex, loopbackIndex);

    EXPECT_EQ(table.ReceiveDatagram(slot, buffer, &arrival), 0); // 461 bytes: too long, lost
    EXPECT_EQ(table.SlotError(slot), WSAEMSGSIZE);
    EXPECT_EQ(arrival.kind, DatagramArrival::Kind::TooLong);
    EXPECT_EQ(arrival.interfaceIndex, loopbackIndex);

    EXPECT_EQ(table.ReceiveDatagram(slot, buffer, &arrival), 8);
    ASSERT_TRUE(table.GetLastSender(slot, sender));
    EXPECT_EQ(sender, kLoopback);
    EXPECT_EQ(arrival.kind, DatagramArrival::Kind::Datagram);
    EXPECT_EQ(arrival.from, kLoopback);
    EXPECT_EQ(arrival.interfaceIndex, loopbackIndex);

    if (kIcmpReports > 0) {
        EXPECT_EQ(table.ReceiveDatagram(slot, buffer, &arrival), 0);
        EXPECT_EQ(arrival.kind, DatagramArrival::Kind::Failed);
        EXPECT_EQ(arrival.from, kLoopback); // the destination the report is about
        EXPECT_EQ(table.SlotError(slot), WSAECONNRESET);
    }
    EXPECT_EQ(table.ReceiveDatagram(slot, buffer, &arrival), 0); // nothing left
    EXPECT_EQ(table.SlotError(slot), WSAEWOULDBLOCK);
    EXPECT_EQ(arrival.kind, DatagramArrival::Kind::Nothing);

    // An empty datagram is nothing received; the slot keeps the socket's error, not 0.
    SendFromLoopback(port, {});
    ASSERT_TRUE(test_wait::SpinUntil([&] { return window.arrivals == 4 + kIcmpReports; }, 5000));
    EXPECT_EQ(table.ReceiveDatagram(slot, buffer), 0);
    EXPECT_EQ(table.SlotError(slot), WSAEWOULDBLOCK);
}

TEST(ActionDialog, SearchWithoutAFreeEndpointShowsTheCommunicationErrorAndDoesNotStart)
{
    EndpointTable table;
    Window window;
    FillTable(table, window);
    CameraActions action(table);
    Listener listener(action);
    action.SetAdapterSource([] { return std::vector<NetworkAdapter>{}; });
    MessageBoxAnswer boxes;
    EXPECT_FALSE(action.StartSearch());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "communication error!\nPlease check your TCP/IP setting ");
    EXPECT_EQ(boxes.shown[0].type & 0xF0, MB_ICONEXCLAMATION);
    EXPECT_TRUE(listener.ends.empty());
    EXPECT_FALSE(action.IsTicking());
}

TEST(ActionDialog, SaveWithoutAFreeEndpointShowsTheBoxAndReportsFailure)
{
    EndpointTable table;
    Window window;
    FillTable(table, window);
    CameraActions action(table);
    Listener listener(action);
    int listings = 0;
    action.SetAdapterSource([&]() -> std::optional<std::vector<NetworkAdapter>> {
        if (listings++ == 0)
            return std::vector<NetworkAdapter>{{"eth0", "Ethernet adapter eth0", "10.0.0.2", "255.0.0.0"}};
        return std::nullopt; // the second listing fails
    });
    MessageBoxAnswer boxes;
    CameraRecord camera;
    action.StartSave(camera);
    EXPECT_TRUE(action.CurrentAdapter().has_value());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "DSOpenSession() fails");
    EXPECT_EQ(listener.ends, std::vector<ActionEnd>{ActionEnd::SaveDone});
    EXPECT_EQ(action.LastSaveResult(), CameraActions::SaveResult::NotOpened);
    EXPECT_FALSE(action.IsTicking());

    action.StartSave(camera);
    EXPECT_FALSE(action.CurrentAdapter().has_value()); // not the adapter of the earlier listing
}
