#include "device/core/camera_clock.h"
#include "net_test_support.h"
#include "pages/core/setting_rules.h"
#include "pages/core/settings_change.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>

using namespace nettest;

namespace {

constexpr double kSearchScale = 0.02; // a 400 ms search
constexpr double kSaveScale = 0.005;  // set requests 300 ms apart, failure after 1.2 s

class Save : public NetTest
{
protected:
    // Searches with a normal simulator and returns the one camera found.
    CameraRecord FindCamera(const std::vector<std::string>& camsimArgs)
    {
        auto camsim = StartCamsim(camsimArgs, "finder" + std::to_string(finders_++));
        PcNamespaceScope pc(pair);
        EXPECT_TRUE(pc.Entered());
        if (!pc.Entered())
            return {};
        TimeScale::SetFactor(kSearchScale);
        Engine engine;
        engine.runner.Search(kWaitLimitMs);
        EXPECT_EQ(engine.action.Found().GetCount(), 1u);
        return engine.action.Found().IsEmpty() ? CameraRecord{} : *engine.action.Found().Records().GetHead();
    }

    // Set requests the simulator received (anything longer than a 29-byte query).
    static std::vector<QJsonObject> SetRequests(const Camsim& camsim)
    {
        std::vector<QJsonObject> requests;
        for (const auto& event : camsim.Events("received")) {
            if (event.value("size").toInt() > 29)
                requests.push_back(event);
        }
        return requests;
    }

    static void SpinFor(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

private:
    int finders_ = 0;
};

void ChangeSettings(CameraRecord& camera)
{
    BasicSettings basic = ReadBasicSettings(camera.info);
    basic.name = u"Attic";
    basic.description = u"Loft, north side";
    basic.month = u"2", basic.day = u"29", basic.year = u"2008";
    basic.hour = u"1", basic.minute = u"05", basic.pm = true;
    basic.timeZone = 7;
    ASSERT_TRUE(BasicChangeOf(basic).Check().Passed());
    BasicChangeOf(basic).Apply(camera.info);
    WriteNetworkMode(true, camera.info);
    IpOctetTexts octets = ReadIpSettings(camera.info);
    const char16_t* wanted[] = {u"10", u"77", u"0", u"50", u"255", u"255", u"0", u"0"};
    for (size_t i = 0; i < 8; ++i)
        octets[i] = wanted[i];
    AddressChangeOf(octets).Apply(camera.info);
}

} // namespace

TEST_F(Save, EachVariantIsWrittenInTheVariantTheCameraAnswered)
{
    struct Case
    {
        const char* variant;
        const char* type;
        int setCommand;
        int datagramSize;
    };
    const Case cases[] = {
        {"plain", "17", CMD_SET, 433},
        {"enc", "18", CMD_SET_ENC, 365},
        {"full", "17", CMD_SET_FULL, 433},
        {"full", "18", CMD_SET_FULL, 433},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variant) + " type " + c.type);
        const std::vector<std::string> args{"--variants", c.variant, "--type", c.type};
        CameraRecord camera = FindCamera(args);
        ChangeSettings(camera);
        auto camsim = StartCamsim(args, std::string("saver-") + c.variant + c.type);
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        TimeScale::SetFactor(kSaveScale);
        Engine engine;
        EXPECT_TRUE(engine.runner.Save(camera, kWaitLimitMs).Saved());
        EXPECT_EQ(engine.action.LastSaveResult(), CameraActions::SaveResult::Saved);
        EXPECT_EQ(engine.table.OpenCount(), 0);

        const auto requests = SetRequests(*camsim);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].value("size").toInt(), c.datagramSize);
        const auto applied = camsim->Events("applied");
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_EQ(applied[0].value("command").toInt(), c.setCommand);
        EXPECT_EQ(applied[0].value("mac").toString(), "02:ca:00:00:00:01");
        const QJsonObject settings = applied[0].value("settings").toObject();
        EXPECT_EQ(settings.value("cameraName").toString(), "Attic");
        EXPECT_EQ(settings.value("description").toString(), "Loft, north side");
        EXPECT_EQ(settings.value("date").toString(), "02/29/2008");
        EXPECT_EQ(settings.value("time").toString(), "13:05:00");
        EXPECT_EQ(settings.value("timeZone").toInt(), 7);
        EXPECT_EQ(settings.value("fixedIp").toInt(), 1);
        EXPECT_EQ(settings.value("dhcpEnable").toInt(), 0);
        EXPECT_EQ(settings.value("ipAddress").toString(), "10.77.0.50");
        EXPECT_EQ(settings.value("subnetMask").toString(), "255.255.0.0");
    }
}

// A save that leaves the clock alone writes the camera's running clock as it reads when the
// request goes out, not as the search found it seconds before.
TEST_F(Save, AClockLeftAloneIsCarriedForward)
{
    auto camsim = StartCamsim({});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSearchScale);
    Engine engine;
    engine.runner.Search(kWaitLimitMs);
    ASSERT_EQ(engine.action.Found().GetCount(), 1u);
    CameraRecord camera = *engine.action.Found().Records().GetHead();
    camera.info.Set(DeviceInfo::description, "Porch");
    SpinFor(2500);
    TimeScale::SetFactor(kSaveScale);
    ASSERT_TRUE(engine.runner.Save(camera, kWaitLimitMs).Saved());
    const auto applied = camsim->Events("applied");
    ASSERT_EQ(applied.size(), 1u);
    const QJsonObject settings = applied[0].value("settings").toObject();
    const ClockTexts written{settings.value("date").toString().toStdString(),
                             settings.value("time").toString().toStdString()};
    const QStringList was = applied[0].value("clockWas").toString().split(' ');
    const ClockTexts running{was.value(0).toStdString(), was.value(1).toStdString()};
    EXPECT_TRUE(written == running || written == AdvanceClock(running, std::chrono::seconds(-1)))
        << written.time << " written, the camera's clock read " << running.time;
}

// An acceptance or a refusal ends the save at the first answer: one request, one notification.
TEST_F(Save, TheFirstAnswerCountsAndADuplicateIsIgnored)
{
    for (const char* status : {"0", "5"}) {
        SCOPED_TRACE(std::string("status ") + status);
        CameraRecord camera = FindCamera({});
        auto camsim = StartCamsim({"--duplicate", "--status", status}, std::string("duplicator") + status);
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        TimeScale::SetFactor(kSaveScale);
        Engine engine;
        engine.action.StartSave(camera);
        // A refusal leaves the endpoint open, so the duplicate does arrive and must not count.
        SpinFor(250);
        ASSERT_EQ(engine.ends.size(), 1u);
        const bool saved = status[0] == '0';
        EXPECT_EQ(engine.ends[0], ActionEnd::SaveDone);
        EXPECT_EQ(engine.action.LastSaveResult(),
                  saved ? CameraActions::SaveResult::Saved : CameraActions::SaveResult::Refused);
        EXPECT_EQ(SetRequests(*camsim).size(), 1u);
        EXPECT_EQ(camsim->Events("sent").size(), 2u);
        EXPECT_EQ(engine.action.Sequence(), 0);
        engine.action.Stop();
    }
}

TEST_F(Save, SilentCameraGetsFourRequestsOddOnesDirectWhenOnTheSubnet)
{
    struct Case
    {
        const char* what;
        const char* bind; // a socket bound to the camera's own address hears no broadcasts
        Ipv4Address cameraAddress;
        size_t requests;
    };
    const Case cases[] = {
        {"all four arrive", "0.0.0.0", {10, 77, 0, 2}, 4},
        {"first and third go to the camera", "10.77.0.2", {10, 77, 0, 2}, 2},
        {"off the subnet every request is broadcast", "10.77.0.2", {192, 168, 5, 5}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CameraRecord camera = FindCamera({});
        camera.identity.Set(CameraIdentity::ipAddress, c.cameraAddress);
        auto camsim = StartCamsim({"--silent", "--bind", c.bind}, std::string("silent-") + c.bind);
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        TimeScale::SetFactor(kSaveScale);
        Engine engine;
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(engine.runner.Save(camera, kWaitLimitMs).Saved());
        EXPECT_GE(clock.elapsed(), 1200 - 50); // given up at the fourth tick, 240 s scaled
        EXPECT_EQ(engine.action.LastSaveResult(), CameraActions::SaveResult::NoAnswer);
        EXPECT_EQ(SetRequests(*camsim).size(), c.requests);
        EXPECT_EQ(engine.ends.size(), 1u);
    }
}

TEST_F(Save, UnsendableRequestShowsTheCommunicationErrorAndIsRetried)
{
    CameraRecord camera = FindCamera({});
    camera.identity.Set(CameraIdentity::ipAddress, Ipv4Address{192, 168, 5, 5}); // always broadcast
    // Its interface gone, the broadcast follows the routing table, which has no way for it.
    ASSERT_TRUE(NetnsPair::Shell("ip -n " + pair.Pc() + " route del 255.255.255.255/32"));
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSaveScale);
    MessageBoxAnswer boxes;
    Engine engine;
    engine.action.SetAdapterSource([] { return std::vector<NetworkAdapter>{}; });
    EXPECT_FALSE(engine.runner.Save(camera, kWaitLimitMs).Saved());
    ASSERT_EQ(boxes.shown.size(), 4u);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.text, CameraActions::kCommunicationErrorText);
        EXPECT_EQ(box.type & 0xF0, MB_ICONEXCLAMATION);
    }
}
