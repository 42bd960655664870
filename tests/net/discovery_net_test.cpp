#include "device/core/adapter_choice.h"
#include "device/core/camera_detail_text.h"
#include "net_test_support.h"
#include "platform/core/socket_errors.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"
#include "platform/net/network_adapters.h"

#include <QElapsedTimer>
#include <map>

using namespace nettest;

namespace {

// A 20-second search takes 400 ms.
constexpr double kSearchScale = 0.02;

std::string Mac(const CameraRecord& camera)
{
    return camera_text::MacText(camera.info.Get(DeviceInfo::macAddress));
}

class Discovery : public NetTest
{
protected:
    // One search from the PC namespace with the product filter as the wizard sets it.
    ActionOutcome Search(Engine& engine, bool productFilter = true)
    {
        engine.action.SetAllowedTypes(productFilter ? DeviceTypeFilter{true, {17, 18}} : DeviceTypeFilter{});
        return engine.runner.Search(kWaitLimitMs);
    }
};

} // namespace

TEST_F(Discovery, CameraIsFoundInEachVariantAndDeviceType)
{
    struct Case
    {
        const char* variant;
        const char* type;
        uint16_t answered;
    };
    const Case cases[] = {
        {"plain", "17", CMD_QUERY}, {"enc", "17", CMD_QUERY_ENC}, {"full", "17", CMD_QUERY_FULL},
        {"plain", "18", CMD_QUERY}, {"enc", "18", CMD_QUERY_ENC}, {"full", "18", CMD_QUERY_FULL},
    };
    TimeScale::SetFactor(kSearchScale);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variant) + " type " + c.type);
        auto camsim = StartCamsim({"--variants", c.variant, "--type", c.type, "--name", "Garage", "--ip",
                                   "192.168.9.9", "--login", "operator", "--password", "secret"},
                                  std::string("camsim-") + c.variant + c.type);
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        Engine engine;
        const ActionOutcome outcome = Search(engine);
        EXPECT_EQ(outcome.end, ActionEnd::SearchDone);
        ASSERT_EQ(engine.action.Found().GetCount(), 1u);
        const CameraRecord& camera = *engine.action.Found().Records().GetHead();
        EXPECT_EQ(Mac(camera), "02:ca:00:00:00:01");
        EXPECT_EQ(camera.AnsweredCommand(), c.answered);
        EXPECT_EQ(camera.info.Get(DeviceInfo::queryCommand), c.answered);
        EXPECT_EQ(camera.info.Get(DeviceInfo::deviceType), std::stoi(c.type));
        EXPECT_EQ(camera.info.Get(DeviceInfo::cameraName), "Garage");
        // The address the reply came from, not the one the camera wrote into it.
        EXPECT_EQ(camera.info.Get(DeviceInfo::ipAddress), (Ipv4Address{10, 77, 0, 2}));
        EXPECT_EQ(camera.identity.Get(CameraIdentity::ipAddress), (Ipv4Address{10, 77, 0, 2}));
        EXPECT_EQ(camera.info.Get(DeviceInfo::loginName), "operator");
        EXPECT_EQ(camera.loginRequired, 1);
        EXPECT_EQ(engine.table.OpenCount(), 0); // the endpoint is closed at the end
    }
}

TEST_F(Discovery, RepliesToAllThreeQueriesAndDuplicatesGiveOneRecord)
{
    TimeScale::SetFactor(kSearchScale);
    auto camsim = StartCamsim({"--duplicate", "--count", "2"});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    Engine engine;
    Search(engine);
    ASSERT_EQ(engine.action.Found().GetCount(), 2u);
    EXPECT_EQ(Mac(*engine.action.Found().Records().GetAt(0)), "02:ca:00:00:00:01");
    EXPECT_EQ(Mac(*engine.action.Found().Records().GetAt(1)), "02:ca:00:00:00:02");
    EXPECT_EQ(camsim->Events("sent").size(), 12u); // 2 cameras x 3 variants x 2 copies
}

TEST_F(Discovery, JunkIsIgnoredAndTheRealReplyAfterItCounts)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> args;
        bool productFilter;
        size_t records;
    };
    const Case cases[] = {
        {"all junk, filter on", {"--junk", "all"}, true, 1},
        {"all junk, filter off", {"--junk", "all"}, false, 1}, // type 16 stays out without the filter
        {"over-long first", {"--junk", "long"}, true, 1},
        {"failed status", {"--query-status", "3"}, true, 0},
        {"device type 16", {"--type", "16"}, false, 0},
    };
    TimeScale::SetFactor(kSearchScale);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto camsim = StartCamsim(c.args, "camsim" + std::to_string(n++));
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        Engine engine;
        Search(engine, c.productFilter);
        ASSERT_EQ(engine.action.Found().GetCount(), c.records);
        if (c.records == 1) {
            EXPECT_EQ(Mac(*engine.action.Found().Records().GetHead()), "02:ca:00:00:00:01");
        }
    }
}

TEST_F(Discovery, EverySearchQueriesOnceAndEndsAfterTwentySeconds)
{
    TimeScale::SetFactor(kSearchScale);
    auto camsim = StartCamsim({});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    Engine engine;
    for (int search = 1; search <= 3; ++search) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(Search(engine).end, ActionEnd::SearchDone);
        // 20 s scaled is 400 ms. The bound is loose so a loaded machine passes; a search that
        // ignores the time scale or never ends does not. A growing target list, which would
        // lengthen each later search, shows in the target count.
        EXPECT_LT(clock.elapsed(), 3000) << "search " << search;
        EXPECT_EQ(engine.action.TargetCount(), 1u);
        EXPECT_EQ(engine.action.Found().GetCount(), 1u);
    }
    EXPECT_EQ(camsim->Events("received").size(), 9u); // three queries per search
}

TEST_F(Discovery, UnsendableQueryReportsTheSocketError)
{
    // Without an interface list the plain broadcast follows the routing table, which has no way.
    ASSERT_TRUE(NetnsPair::Shell("ip -n " + pair.Pc() + " route del 255.255.255.255/32"));
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    Engine engine;
    engine.action.SetAdapterSource([] { return std::nullopt; });
    const ActionOutcome outcome = engine.runner.Search(kWaitLimitMs);
    EXPECT_EQ(outcome.end, ActionEnd::SendFailed);
    EXPECT_EQ(outcome.socketError, WSAENETUNREACH);
    EXPECT_EQ(engine.ends.size(), 1u);
    EXPECT_FALSE(engine.action.IsTicking());
    EXPECT_EQ(engine.table.OpenCount(), 0); // the runner closes it as the frame does
}

TEST_F(Discovery, FailedThirdQueryIsReportedLikeTheFirstTwo)
{
    TimeScale::SetFactor(kSearchScale);
    auto camsim = StartCamsim({});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    for (int failing = 1; failing <= 3; ++failing) {
        SCOPED_TRACE("failing send " + std::to_string(failing));
        Engine engine;
        int sends = 0;
        engine.table.fault = [&] { return ++sends == failing ? WSAEHOSTUNREACH : 0; };
        const ActionOutcome outcome = engine.runner.Search(kWaitLimitMs);
        EXPECT_EQ(outcome.end, ActionEnd::SendFailed);
        EXPECT_EQ(outcome.socketError, WSAEHOSTUNREACH);
        EXPECT_EQ(engine.ends.size(), 1u);
        EXPECT_EQ(sends, failing); // nothing is sent after the failure
    }
}

// A thousand cameras must all be kept; of 10,000 (30,000 replies) the count kept is reported,
// not checked, since it depends on the machine.
TEST_F(Discovery, BurstsOfCamerasAreKept)
{
    TimeScale::SetFactor(0.1); // a 2-second search
    for (const size_t count : {1000u, 10000u}) {
        SCOPED_TRACE(count);
        auto camsim = StartCamsim({"--count", std::to_string(count)}, "burst" + std::to_string(count));
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        Engine engine;
        QElapsedTimer clock;
        clock.start();
        Search(engine);
        const size_t found = engine.action.Found().GetCount();
        if (count == 1000) {
            EXPECT_EQ(found, count);
        } else {
            RecordProperty("records", static_cast<int>(found));
            std::printf("[ measured ] %zu cameras: %zu records in one %lld ms search\n", count, found,
                        static_cast<long long>(clock.elapsed()));
            EXPECT_GT(found, 0u);
        }
    }
}

TEST_F(Discovery, AdaptersOfThePcNamespaceAndTheCurrentOne)
{
    const std::string tun = "cvt" + pair.Pc().substr(4, 10);
    ASSERT_TRUE(NetnsPair::Shell("ip -n " + pair.Pc() + " tuntap add dev " + tun + " mode tun && ip -n " +
                                 pair.Pc() + " addr add 10.88.0.1 peer 10.88.0.2 dev " + tun + " && ip -n " +
                                 pair.Pc() + " link set " + tun + " up"));
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    const auto adapters = ListNetworkAdapters();
    ASSERT_TRUE(adapters);
    std::map<std::string, NetworkAdapter> byName;
    for (const auto& adapter : *adapters)
        byName[adapter.name] = adapter;
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName["lo"].description.rfind("PPP Adapter", 0), 0u); // loopback counts as dial-up
    EXPECT_EQ(byName[tun].description.rfind("PPP Adapter", 0), 0u);  // so does point-to-point
    const auto searched = SearchInterfaces(*adapters);
    ASSERT_EQ(searched.size(), 1u); // neither loopback nor the point-to-point link
    EXPECT_EQ(searched[0].name, pair.PcLink());
    const auto current = ChooseCurrentAdapter(*adapters);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->address, kPcAddress);
    EXPECT_EQ(current->mask, "255.255.255.0");
    EXPECT_TRUE(SameSubnet(current, Ipv4Address{10, 77, 0, 2}));
}
