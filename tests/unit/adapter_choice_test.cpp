#include "device/core/action_rules.h"
#include "device/core/adapter_choice.h"
#include "device/core/message_header.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(AdapterChoice, FirstAdapterThatIsNotDialUpIsCurrent)
{
    const NetworkAdapter ppp1{"ppp0", "PPP Adapter ppp0", "10.0.0.1", "255.255.255.255"};
    const NetworkAdapter ppp2{"lo", "PPP Adapter", "127.0.0.1", "255.0.0.0"};
    const NetworkAdapter eth{"eth0", "Ethernet adapter eth0", "192.168.1.5", "255.255.255.0"};
    const NetworkAdapter lowerCase{"x", "ppp adapter", "1.1.1.1", "255.0.0.0"};

    const auto current = ChooseCurrentAdapter({ppp1, ppp2, eth});
    ASSERT_TRUE(current);
    EXPECT_EQ(current->name, "eth0");
    EXPECT_FALSE(ChooseCurrentAdapter({ppp1, ppp2}));
    EXPECT_FALSE(ChooseCurrentAdapter({}));
    EXPECT_EQ(ChooseCurrentAdapter({lowerCase, eth})->name, "x"); // the comparison is case-sensitive
}

TEST(AdapterChoice, SubnetTestComparesNetworksAndFailsWithoutAnAdapter)
{
    const NetworkAdapter eth{"eth0", "Ethernet adapter eth0", "192.168.1.5", "255.255.255.0"};
    struct Case
    {
        std::optional<NetworkAdapter> adapter;
        Ipv4Address address;
        bool same;
    };
    const Case cases[] = {
        {eth, {192, 168, 1, 200}, true},
        {eth, {192, 168, 2, 200}, false},
        {eth, {255, 255, 255, 255}, false},
        {std::nullopt, {192, 168, 1, 200}, false},
        {NetworkAdapter{"a", "b", "10.1.2.3", "255.0.0.0"}, {10, 9, 9, 9}, true},
        {NetworkAdapter{"a", "b", "garbage", "0.0.0.0"}, {1, 2, 3, 4}, true}, // a zero mask matches all
    };
    for (const auto& c : cases)
        EXPECT_EQ(SameSubnet(c.adapter, c.address), c.same) << int(c.address[2]);
}

TEST(AdapterChoice, DottedTextIsReadPartByPartLikeAtoi)
{
    EXPECT_EQ(ParseDottedLoosely("192.168.0.3"), (Ipv4Address{192, 168, 0, 3}));
    EXPECT_EQ(ParseDottedLoosely("10.x.7"), (Ipv4Address{10, 0, 7, 0}));
    EXPECT_EQ(ParseDottedLoosely("256. 12.-1.99999999999"), (Ipv4Address{0, 12, 255, 255}));
    EXPECT_EQ(ParseDottedLoosely(""), (Ipv4Address{0, 0, 0, 0}));
}

TEST(ActionRules, SequenceWrapsWithinItsRangeAndSetCommandFollowsTheAnsweredVariant)
{
    EXPECT_EQ(NextSequence(0), 1000);
    EXPECT_EQ(NextSequence(1000), 1001);
    EXPECT_EQ(NextSequence(9999), 10000);
    EXPECT_EQ(NextSequence(10000), 1000);
    EXPECT_EQ(NextSequence(65535), 1000);
    EXPECT_EQ(SetCommandFor(CMD_QUERY), CMD_SET);
    EXPECT_EQ(SetCommandFor(CMD_QUERY_ENC), CMD_SET_ENC);
    EXPECT_EQ(SetCommandFor(CMD_QUERY_FULL), CMD_SET_FULL);
    EXPECT_EQ(SetCommandFor(0x7777), CMD_SET_FULL);
}

// Queries sent to addresses carry a number neither the broadcast's nor its neighbours', so a
// stale reply cannot pass for an answer to the other set; it stays within the range.
TEST(ActionRules, UnicastSequenceStaysInRangeAndFarFromTheBroadcast)
{
    for (const uint16_t broadcast :
         {uint16_t{0}, uint16_t{1000}, uint16_t{5500}, uint16_t{9999}, uint16_t{10000}}) {
        const uint16_t unicast = UnicastSequence(broadcast);
        EXPECT_GE(unicast, kFirstSequence) << broadcast;
        EXPECT_LE(unicast, kLastSequence) << broadcast;
        EXPECT_GT(std::abs(int(unicast) - int(NextSequence(broadcast))), 1000) << broadcast;
    }
}

TEST(AdapterChoice, OutsideEveryNetworkOnlyWhenNoAdapterHoldsTheAddress)
{
    NetworkAdapter home{"eth0", "Ethernet adapter eth0", "10.77.0.1", "255.255.255.0"};
    NetworkAdapter lab{"eth1", "Ethernet adapter eth1", "172.20.0.1", "255.255.0.0"};
    EXPECT_FALSE(OutsideEveryNetwork({home, lab}, Ipv4Address{10, 77, 0, 9}));
    EXPECT_FALSE(OutsideEveryNetwork({home, lab}, Ipv4Address{172, 20, 9, 9}));
    EXPECT_TRUE(OutsideEveryNetwork({home, lab}, Ipv4Address{10, 88, 0, 2}));
    EXPECT_TRUE(OutsideEveryNetwork({}, Ipv4Address{10, 77, 0, 9}));
}

namespace {
NetworkAdapter Link(const char* name, uint32_t index, const char* address, const char* mask)
{
    NetworkAdapter adapter{name, std::string("Ethernet adapter ") + name, address, mask};
    adapter.index = index;
    adapter.canBroadcast = true;
    return adapter;
}

// Loopback and point-to-point links, described as the listing describes them.
NetworkAdapter NoCameraLink(const char* name, uint32_t index, const char* address, const char* mask)
{
    NetworkAdapter adapter = Link(name, index, address, mask);
    adapter.description = std::string(kPppAdapterDescription) + " " + name;
    adapter.loopback = true;
    return adapter;
}
} // namespace

TEST(AdapterChoice, SearchBroadcastsOnEveryLinkThatCarriesBroadcastsWithAnAddress)
{
    const NetworkAdapter loopback = NoCameraLink("lo", 1, "127.0.0.1", "255.0.0.0");
    NetworkAdapter tunnel = NoCameraLink("tun0", 2, "10.88.0.1", "255.255.255.255");
    tunnel.canBroadcast = false;
    NetworkAdapter noBroadcast = Link("wg0", 3, "10.9.0.1", "255.255.255.0");
    noBroadcast.canBroadcast = false;
    const NetworkAdapter noAddress = Link("eth2", 4, "0.0.0.0", "0.0.0.0");
    const NetworkAdapter noIndex = Link("gone", 0, "10.5.0.1", "255.255.0.0");
    const NetworkAdapter wired = Link("eth0", 5, "10.77.0.1", "255.255.255.0");
    const NetworkAdapter wireless = Link("wlan0", 6, "172.20.0.1", "255.255.255.0");

    const auto usable =
        SearchInterfaces({loopback, tunnel, wired, noBroadcast, noAddress, noIndex, wireless});
    ASSERT_EQ(usable.size(), 2u);
    EXPECT_EQ(usable[0].name, "eth0");
    EXPECT_EQ(usable[1].name, "wlan0");
    EXPECT_TRUE(SearchInterfaces({loopback, tunnel}).empty());
}

TEST(AdapterChoice, SaveComparesAndSendsOnTheInterfaceTheCameraAnsweredOn)
{
    const NetworkAdapter wired = Link("eth0", 5, "10.77.0.1", "255.255.255.0");
    const NetworkAdapter wireless = Link("wlan0", 6, "172.20.0.1", "255.255.255.0");
    const NetworkAdapter loopback = NoCameraLink("lo", 1, "127.0.0.1", "255.0.0.0");
    const std::vector<NetworkAdapter> adapters{loopback, wired, wireless};
    struct Case
    {
        const char* what;
        uint32_t answeredOn;
        const char* adapter; // nullptr: none, every request broadcast
        uint32_t sendIndex;
        Ipv4Address camera;
        bool direct;
    };
    const Case cases[] = {
        {"second interface, its subnet", 6, "wlan0", 6, {172, 20, 0, 9}, true},
        {"second interface, the first's subnet", 6, "wlan0", 6, {10, 77, 0, 9}, false},
        {"first interface", 5, "eth0", 5, {10, 77, 0, 9}, true},
        {"interface gone", 9, nullptr, 0, {10, 77, 0, 9}, false},
        {"answered over loopback", 1, nullptr, 0, {127, 0, 0, 1}, false},
        {"not from a search: the current adapter", 0, "eth0", 0, {10, 77, 0, 9}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SaveInterface choice = ChooseSaveInterface(adapters, c.answeredOn);
        EXPECT_EQ(choice.adapter ? choice.adapter->name : "", c.adapter ? c.adapter : "");
        EXPECT_EQ(choice.sendIndex, c.sendIndex);
        EXPECT_EQ(SameSubnet(choice.adapter, c.camera), c.direct);
    }
    EXPECT_FALSE(ChooseSaveInterface({}, 0).adapter);
}
