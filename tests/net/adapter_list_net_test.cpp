#include "net_test_support.h"
#include "platform/net/network_adapters.h"

#include <algorithm>

using namespace nettest;

namespace {

class AdapterList : public NetTest
{
};

} // namespace

// An adapter that is down, or up without an IPv4 address, could only be listed with the mask
// 0.0.0.0, which would put every address in its subnet: both are left out.
TEST_F(AdapterList, AdaptersDownOrWithoutIPv4AreNotListed)
{
    const std::string down = "cvd" + pair.Pc().substr(4, 10), bare = "cvb" + pair.Pc().substr(4, 10);
    const std::string in = "ip -n " + pair.Pc() + " ";
    ASSERT_TRUE(NetnsPair::Shell(in + "tuntap add dev " + down + " mode tun && " + in +
                                 "addr add 10.99.0.1/24 dev " + down + " && " + in + "tuntap add dev " +
                                 bare + " mode tun && " + in + "link set " + bare + " up"));
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    const auto adapters = ListNetworkAdapters();
    ASSERT_TRUE(adapters);
    std::vector<std::string> names;
    for (const NetworkAdapter& a : *adapters)
        names.push_back(a.name);
    EXPECT_EQ(names.size(), 2u) << "only lo and the veth end, which is up with 10.77.0.1";
    EXPECT_EQ(std::count(names.begin(), names.end(), down), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), bare), 0);
}
