// A PC with two network interfaces: the camera link of the namespace pair (10.77.0.0/24, the
// default route) and a second link into another camera namespace (172.20.0.0/24). A limited
// broadcast that followed the routing table would reach the first link only.
#include "device/core/camera_detail_text.h"
#include "net_test_support.h"
#include "platform/core/time_scale.h"
#include "platform/net/network_adapters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <map>

using namespace nettest;

namespace {

constexpr double kSearchScale = 0.02; // a 400 ms search
constexpr double kSaveScale = 0.005;  // set requests 300 ms apart
constexpr char kSecondPcAddress[] = "172.20.0.1";

std::string Mac(const CameraRecord& camera)
{
    return camera_text::MacText(camera.info.Get(DeviceInfo::macAddress));
}

class TwoLinks : public NetTest
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const LinkedNamespace link = pair.AddLinkedNamespace(
            "cam2", pair.Pc(), std::string(kSecondPcAddress) + "/24", "172.20.0.2/24");
        ASSERT_FALSE(link.ns.empty());
        second = link.ns;
        secondLink = link.nearEnd;
        secondEnd = link.farEnd;
        ASSERT_TRUE(NetnsPair::Shell("ip -n " + pair.Pc() + " route del 255.255.255.255/32"));
        ASSERT_TRUE(NetnsPair::Shell("ip -n " + pair.Pc() + " route add default via " + kCameraAddress));
    }

    // The second camera namespace answers from 192.168.0.100, outside the PC's 172.20.0.0/24.
    void MoveSecondCameraToAForeignNetwork()
    {
        const std::string cam = "ip -n " + second + " ";
        ASSERT_TRUE(NetnsPair::Shell(cam + "addr del 172.20.0.2/24 dev " + secondEnd + " && " + cam +
                                     "addr add 192.168.0.100/24 dev " + secondEnd + " && " + cam +
                                     "route add 172.20.0.0/24 dev " + secondEnd));
    }

    std::map<std::string, const CameraRecord*> ByMac(const Engine& engine) const
    {
        std::map<std::string, const CameraRecord*> cameras;
        for (const CameraRecord* camera : engine.action.Found().Records())
            cameras[Mac(*camera)] = camera;
        return cameras;
    }

    std::string second;     // the second camera namespace
    std::string secondLink; // the PC's end of the link to it
    std::string secondEnd;  // its end of that link
};

} // namespace

TEST_F(TwoLinks, OneSearchFindsTheCamerasOfBothLinksAndACameraOnBothOnce)
{
    // 02:ca:00:00:00:02 is on both links.
    auto first = StartCamsim({"--count", "2"}, "first");
    auto other = StartCamsim({"--count", "2", "--mac", "02:ca:00:00:00:02"}, "second", second);
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSearchScale);
    Engine engine;
    EXPECT_EQ(engine.runner.Search(kWaitLimitMs).end, ActionEnd::SearchDone);
    const auto cameras = ByMac(engine);
    ASSERT_EQ(cameras.size(), 3u);
    ASSERT_EQ(engine.action.Found().GetCount(), 3u);
    const CameraRecord& onFirst = *cameras.at("02:ca:00:00:00:01");
    const CameraRecord& onSecond = *cameras.at("02:ca:00:00:00:03");
    EXPECT_EQ(InterfaceName(onFirst.interfaceIndex), pair.PcLink());
    EXPECT_EQ(InterfaceName(onSecond.interfaceIndex), secondLink);
    EXPECT_EQ(onFirst.info.Get(DeviceInfo::ipAddress), (Ipv4Address{10, 77, 0, 2}));
    EXPECT_EQ(onSecond.info.Get(DeviceInfo::ipAddress), (Ipv4Address{172, 20, 0, 2}));
    // The record on both links keeps the interface its address came from.
    const CameraRecord& onBoth = *cameras.at("02:ca:00:00:00:02");
    const bool fromSecond = onBoth.info.Get(DeviceInfo::ipAddress)[0] == 172;
    EXPECT_EQ(InterfaceName(onBoth.interfaceIndex), fromSecond ? secondLink : pair.PcLink());
    EXPECT_EQ(first->Events("received").size(), 3u);
    EXPECT_EQ(other->Events("received").size(), 3u);
}

TEST_F(TwoLinks, SaveGoesOutOnTheInterfaceTheCameraAnsweredOn)
{
    auto first = StartCamsim({}, "first");
    auto other = StartCamsim({"--mac", "02:cb:00:00:00:01"}, "second", second);
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSearchScale);
    Engine finder;
    finder.runner.Search(kWaitLimitMs);
    const auto cameras = ByMac(finder);
    ASSERT_EQ(cameras.size(), 2u);
    struct Case
    {
        const char* mac;
        const Camsim* camsim;
        Ipv4Address address; // off the link's network every request is a broadcast
    };
    const Case cases[] = {
        {"02:ca:00:00:00:01", first.get(), {10, 77, 0, 2}},
        {"02:cb:00:00:00:01", other.get(), {172, 20, 0, 2}},
        {"02:ca:00:00:00:01", first.get(), {192, 168, 5, 5}},
        {"02:cb:00:00:00:01", other.get(), {192, 168, 5, 5}},
    };
    size_t applied[2] = {0, 0};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mac) + " at " + camera_text::DottedQuad(c.address));
        CameraRecord camera = *cameras.at(c.mac);
        camera.identity.Set(CameraIdentity::ipAddress, c.address);
        TimeScale::SetFactor(kSaveScale);
        Engine engine;
        EXPECT_TRUE(engine.runner.Save(camera, kWaitLimitMs).Saved());
        const size_t which = c.camsim == first.get() ? 0 : 1;
        EXPECT_EQ(c.camsim->Events("applied").size(), ++applied[which]);
        ASSERT_TRUE(engine.action.CurrentAdapter());
        EXPECT_EQ(engine.action.CurrentAdapter()->address, which == 0 ? kPcAddress : kSecondPcAddress);
    }
}

TEST_F(TwoLinks, WithoutAUsableInterfaceTheSearchFallsBackToThePlainBroadcast)
{
    auto first = StartCamsim({}, "first");
    auto other = StartCamsim({"--mac", "02:cb:00:00:00:01"}, "second", second);
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSearchScale);
    struct Case
    {
        const char* what;
        std::optional<std::vector<NetworkAdapter>> adapters;
    };
    NetworkAdapter loopback{"lo", "PPP Adapter lo", "127.0.0.1", "255.0.0.0"};
    loopback.loopback = true;
    const Case cases[] = {
        {"the list cannot be read", std::nullopt},
        {"no usable interface", std::vector<NetworkAdapter>{loopback}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Engine engine;
        engine.action.SetAdapterSource([&c] { return c.adapters; });
        EXPECT_EQ(engine.runner.Search(kWaitLimitMs).end, ActionEnd::SearchDone);
        // The routing table sends it to the default route's link only.
        ASSERT_EQ(engine.action.Found().GetCount(), 1u);
        EXPECT_EQ(Mac(*engine.action.Found().Records().GetHead()), "02:ca:00:00:00:01");
    }
    EXPECT_TRUE(other->Events("received").empty());
}

TEST_F(TwoLinks, DiagnoseCountsEveryDatagramPerInterfaceAndPointsOutAForeignCamera)
{
    MoveSecondCameraToAForeignNetwork();
    auto first = StartCamsim({"--junk", "all"}, "first");
    auto other = StartCamsim({"--mac", "02:cb:00:00:00:01"}, "second", second);
    const RunResult run = pair.RunInPc({CliPath(), "search", "--diagnose", "--json", "--seconds", "1"},
                                       std::chrono::seconds(10));
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(all.value("cameras").toArray().size(), 2);
    std::map<std::string, QJsonObject> rows;
    for (const auto& row : all.value("interfaces").toArray())
        rows[row.toObject().value("name").toString().toStdString()] = row.toObject();
    ASSERT_EQ(rows.size(), 2u) << run.out;

    // Three queries, each answered by the camera and the four kinds of junk.
    const QJsonObject junk = rows[pair.PcLink()];
    EXPECT_EQ(junk.value("address").toString(), kPcAddress);
    EXPECT_EQ(junk.value("queriesSent").toInt(), 3);
    EXPECT_EQ(junk.value("received").toInt(), 15);
    EXPECT_EQ(junk.value("accepted").toInt(), 3);
    const QJsonObject rejected = junk.value("rejected").toObject();
    for (const char* reason : {"tooLong", "markedDropped", "wrongSequence", "deviceTypeNotWanted"})
        EXPECT_EQ(rejected.value(reason).toInt(), 3) << reason;
    for (const char* reason : {"tooShort", "notAQueryReply", "nonZeroStatus", "undecodable"})
        EXPECT_EQ(rejected.value(reason).toInt(), 0) << reason;
    EXPECT_EQ(junk.value("camerasFound").toInt(), 1);
    EXPECT_TRUE(junk.value("outsideSubnet").toArray().isEmpty());

    const QJsonObject foreign = rows[secondLink];
    EXPECT_EQ(foreign.value("received").toInt(), 3);
    EXPECT_EQ(foreign.value("camerasFound").toInt(), 1);
    const QJsonArray outside = foreign.value("outsideSubnet").toArray();
    ASSERT_EQ(outside.size(), 1);
    EXPECT_EQ(outside[0].toObject().value("mac").toString(), "02:cb:00:00:00:01");
    EXPECT_EQ(outside[0].toObject().value("ip").toString(), "192.168.0.100");

    const RunResult text =
        pair.RunInPc({CliPath(), "search", "--diagnose", "--seconds", "1"}, std::chrono::seconds(10));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("interface " + secondLink + " 172.20.0.1/255.255.255.0\n"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("  camera 02:cb:00:00:00:01 answered from 192.168.0.100, outside "
                            "172.20.0.1/255.255.255.0: its web page cannot be reached from this PC\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("rejected: too short 0, too long 3, marked dropped 3"), std::string::npos)
        << text.out;
}

TEST_F(TwoLinks, AThousandCamerasSplitOverTwoInterfacesGiveAThousandRecords)
{
    TimeScale::SetFactor(0.1); // a 2-second search
    auto first = StartCamsim({"--count", "500"}, "first");
    auto other = StartCamsim({"--count", "500", "--mac", "02:cb:00:00:00:01"}, "second", second);
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    Engine engine;
    engine.runner.Search(kWaitLimitMs);
    const auto found = engine.action.Found().GetCount();
    std::printf("[ measured ] 1000 cameras over two interfaces (3000 replies): %zu records\n", found);
    EXPECT_EQ(found, 1000u);
}

// A camera two hops away, behind a router namespace: no broadcast reaches it, a query sent to
// its address does.
TEST_F(NetTest, CameraBehindARouterIsFoundOnlyWhenAskedByAddress)
{
    const RouterLab lab = BuildRouterLab(pair);
    ASSERT_FALSE(lab.far.empty());
    auto camsim = StartCamsim({"--name", "Far"}, "far", lab.far);

    const auto search = [this](std::vector<std::string> extra) {
        std::vector<std::string> args{CliPath(), "search", "--json", "--seconds", "1"};
        args.insert(args.end(), extra.begin(), extra.end());
        const RunResult run = pair.RunInPc(args, std::chrono::seconds(10));
        EXPECT_EQ(run.status, 0) << run.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    };
    EXPECT_TRUE(search({}).isEmpty());
    const QJsonArray found = search({"--to", "10.88.0.2"});
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].toObject().value("ip").toString(), "10.88.0.2");
    EXPECT_EQ(found[0].toObject().value("name").toString(), "Far");
    EXPECT_EQ(found[0].toObject().value("interface").toString().toStdString(), pair.PcLink());
}
