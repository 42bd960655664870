#include "pages/core/ip_rules.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// The five rows as dotted texts (a part may be empty), in the page's order.
IpOctetTexts Octets(std::initializer_list<std::u16string_view> rows)
{
    IpOctetTexts octets;
    size_t at = 0;
    for (std::u16string_view row : rows) {
        for (size_t i = 0; i < 4; ++i) {
            const size_t dot = row.find(u'.');
            octets[at++] = std::u16string(row.substr(0, dot));
            row = dot == row.npos ? std::u16string_view() : row.substr(dot + 1);
        }
    }
    return octets;
}

} // namespace

TEST(IpRules, TheFirstFailingRuleNamesItsPartAndMessage)
{
    struct Case
    {
        const char* what;
        std::initializer_list<std::u16string_view> rows; // address, mask, gateway, DNS 1, DNS 2
        size_t octet;
        int message; // 0: accepted
    };
    const Case cases[] = {
        {"usual", {u"192.168.0.20", u"255.255.255.0", u"192.168.0.1", u"8.8.8.8", u"0.0.0.0"}, 0, 0},
        {"no gateway, no DNS", {u"10.1.2.3", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 0, 0},
        {"007 is 7, 255 passes", {u"10.1.2.007", u"255.255.255.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 0, 0},
        // Parts: the first bad one in table order wins, empty or too big.
        {"the issue's case: address all empty",
         {u"...", u"255.0.255.0", u"172.20.0.1", u"0.0.0.0", u"0.0.0.0"},
         0,
         kMsgOctetEmpty},
        {"empty DNS part",
         {u"10.1.2.3", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"1.1..1"},
         18,
         kMsgOctetEmpty},
        {"256", {u"10.1.2.3", u"255.256.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 5, kMsgOctetRange},
        {"999 before a later 300",
         {u"10.1.2.3", u"255.0.0.999", u"300.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         7,
         kMsgOctetRange},
        {"range before a later empty part",
         {u"10.1.2.300", u"255.0..0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         3,
         kMsgOctetRange},
        // The address on its own.
        {"0.0.0.0", {u"0.0.0.0", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 0, kMsgAddressZero},
        {"0.1.2.3", {u"0.1.2.3", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 0, kMsgAddressZero},
        {"loopback",
         {u"127.0.0.5", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         0,
         kMsgAddressLoopback},
        {"multicast",
         {u"239.1.2.3", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         0,
         kMsgAddressMulticast},
        {"reserved",
         {u"240.1.2.3", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         0,
         kMsgAddressMulticast},
        {"all ones",
         {u"255.255.255.255", u"255.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         0,
         kMsgAddressBroadcast},
        // The mask: ones then zeros, not empty; the focus on the part that breaks it.
        {"the issue's mask",
         {u"192.168.0.20", u"255.0.255.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         6,
         kMsgMaskGaps},
        {"gap inside a part",
         {u"192.168.0.20", u"255.255.253.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         6,
         kMsgMaskGaps},
        {"zeros then ones",
         {u"192.168.0.20", u"0.0.0.255", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         7,
         kMsgMaskGaps},
        {"mask 0.0.0.0", {u"192.168.0.20", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"}, 4, kMsgMaskZero},
        {"/31: one neighbour, no broadcast",
         {u"10.0.0.0", u"255.255.255.254", u"10.0.0.1", u"0.0.0.0", u"0.0.0.0"},
         7,
         kMsgMaskTooLong},
        {"/32 reaches nobody",
         {u"10.1.2.3", u"255.255.255.255", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         7,
         kMsgMaskTooLong},
        // The address within its mask (up to /30).
        {"network address",
         {u"192.168.0.0", u"255.255.255.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         3,
         kMsgAddressIsNetwork},
        {"broadcast of /16",
         {u"10.20.255.255", u"255.255.0.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         3,
         kMsgAddressIsSubnetBroadcast},
        {"/30 broadcast",
         {u"10.0.0.3", u"255.255.255.252", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"},
         3,
         kMsgAddressIsSubnetBroadcast},
        // The gateway: in the network, a host of it, or 0.0.0.0.
        {"the issue's gateway",
         {u"192.168.0.20", u"255.255.255.0", u"172.20.0.1", u"0.0.0.0", u"0.0.0.0"},
         8,
         kMsgGatewayOutside},
        {"gateway differs in its third part",
         {u"192.168.0.20", u"255.255.255.0", u"192.168.1.1", u"0.0.0.0", u"0.0.0.0"},
         10,
         kMsgGatewayOutside},
        {"gateway is the camera itself",
         {u"192.168.0.20", u"255.255.255.0", u"192.168.0.20", u"0.0.0.0", u"0.0.0.0"},
         11,
         kMsgGatewayIsAddress},
        {"gateway is the broadcast",
         {u"192.168.0.20", u"255.255.255.0", u"192.168.0.255", u"0.0.0.0", u"0.0.0.0"},
         11,
         kMsgGatewayOutside},
        // DNS servers: one device, or none.
        {"DNS 1 multicast",
         {u"10.1.2.3", u"255.0.0.0", u"0.0.0.0", u"224.0.0.251", u"0.0.0.0"},
         12,
         kMsgDnsNotUnicast},
        {"DNS 2 broadcast",
         {u"10.1.2.3", u"255.0.0.0", u"0.0.0.0", u"8.8.8.8", u"255.255.255.255"},
         16,
         kMsgDnsNotUnicast},
        {"DNS elsewhere passes", {u"10.1.2.3", u"255.0.0.0", u"0.0.0.0", u"172.31.2.239", u"9.9.9.9"}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const IpCheck check = CheckIpSettings(Octets(c.rows));
        EXPECT_EQ(check.message, c.message);
        if (c.message != 0) {
            EXPECT_EQ(check.octet, c.octet);
        }
    }
}

// Before a camera has answered, only the rows given can be judged: a rule that reads another
// row waits for the camera's own values.
TEST(IpRules, RulesReadingUnknownRowsWait)
{
    const IpOctetTexts octets =
        Octets({u"192.168.0.20", u"255.255.255.0", u"172.20.0.1", u"0.0.0.0", u"0.0.0.0"});
    EXPECT_EQ(CheckIpSettings(octets, RowBit(IpRow::Gateway)).message, 0);
    EXPECT_EQ(CheckIpSettings(octets, kAllIpRows).message, kMsgGatewayOutside);
    const IpOctetTexts loopback =
        Octets({u"127.0.0.1", u"255.255.255.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"});
    EXPECT_EQ(CheckIpSettings(loopback, RowBit(IpRow::Address)).message, kMsgAddressLoopback);
    for (int message = kMsgOctetRange; message <= kMsgLastIpMessage; ++message)
        EXPECT_NE(IpMessageEnglish(message), "") << message;
}

TEST(IpRules, ADottedAddressSplitsIntoFourParts)
{
    using Parts = std::optional<std::array<std::u16string, 4>>;
    EXPECT_EQ(SplitAddressParts(u" 10.20.30.41\n"), (Parts{{u"10", u"20", u"30", u"41"}}));
    EXPECT_EQ(SplitAddressParts(u"192.168.000.7"), (Parts{{u"192", u"168", u"000", u"7"}}));
    for (const std::u16string_view bad : {u"10.20.30", u"10.20.30.41.5", u"10..30.41", u"10.20.30.",
                                          u"1000.2.3.4", u"a.b.c.d", u"10.20.30.4x", u"", u"."})
        EXPECT_EQ(SplitAddressParts(bad), std::nullopt) << std::string(bad.begin(), bad.end());
}
