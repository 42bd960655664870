// camtivo-cli end to end: the program runs inside the PC namespace (ip netns exec) against
// the simulator in the camera namespace.
#include "net_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace nettest;

namespace {

constexpr auto kCliLimit = std::chrono::seconds(20);

class Cli : public NetTest
{
protected:
    RunResult Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), CliPath());
        return pair.RunInPc(args, kCliLimit);
    }
};

} // namespace

TEST_F(Cli, SearchPrintsEveryCameraAsJson)
{
    auto camsim = StartCamsim({"--count", "2", "--variants", "enc", "--type", "18", "--name", "Porch",
                               "--firmware", "0x120", "--web-port", "8080", "--dhcp"});
    const RunResult run = Run({"search", "--json", "--seconds", "0.4"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray cameras = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    ASSERT_EQ(cameras.size(), 2);
    const QJsonObject first = cameras[0].toObject();
    EXPECT_EQ(first.value("mac").toString(), "02:ca:00:00:00:01");
    EXPECT_EQ(first.value("name").toString(), "Porch 1");
    EXPECT_EQ(first.value("ip").toString(), "10.77.0.2");
    EXPECT_EQ(first.value("mask").toString(), "255.255.255.0");
    EXPECT_EQ(first.value("deviceType").toInt(), 18);
    EXPECT_EQ(first.value("queryCommand").toInt(), 256);
    EXPECT_EQ(first.value("firmware").toString(), "V1.20");
    EXPECT_EQ(first.value("webPort").toInt(), 8080);
    EXPECT_TRUE(first.value("dhcp").toBool());
    for (const char* key : {"description", "gateway", "dns1", "dns2", "date", "time", "timezone"})
        EXPECT_TRUE(first.contains(key)) << key;
    EXPECT_EQ(cameras[1].toObject().value("mac").toString(), "02:ca:00:00:00:02");
}

TEST_F(Cli, SearchPrintsOneLinePerCamera)
{
    auto camsim = StartCamsim({"--variants", "full", "--firmware", "0x2500", "--name", "Attic"});
    const RunResult run = Run({"search", "--seconds", "0.4", "--all-product"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), "02:ca:00:00:00:01");
    EXPECT_NE(run.out.find("\tAttic\t10.77.0.2\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\tV1.1.4\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\t17\tfull\n"), std::string::npos) << run.out;
}

TEST_F(Cli, SaveWritesTheChangesAndExitsZeroOnlyWhenAcknowledged)
{
    auto camsim = StartCamsim({"--variants", "plain", "--login", "Operator", "--password", "pw"});
    const RunResult run = Run({"save",
                               "--mac",
                               "02:CA:00:00:00:01",
                               "--login",
                               "Operator",
                               "--password",
                               "pw",
                               "--name",
                               "Hall-2",
                               "--description",
                               "By the stairs",
                               "--dhcp",
                               "off",
                               "--ip",
                               "10.77.0.9",
                               "--mask",
                               "255.255.255.0",
                               "--gateway",
                               "10.77.0.254",
                               "--date",
                               "12/31/2030",
                               "--time",
                               "00:15",
                               "--timezone",
                               "4",
                               "--seconds",
                               "0.4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "saved 02:ca:00:00:00:01\n");
    const auto applied = camsim->Events("applied");
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].value("command").toInt(), CMD_SET);
    const QJsonObject settings = applied[0].value("settings").toObject();
    EXPECT_EQ(settings.value("cameraName").toString(), "Hall-2");
    EXPECT_EQ(settings.value("description").toString(), "By the stairs");
    EXPECT_EQ(settings.value("date").toString(), "12/31/2030");
    EXPECT_EQ(settings.value("time").toString(), "00:15:00");
    EXPECT_EQ(settings.value("timeZone").toInt(), 4);
    EXPECT_EQ(settings.value("fixedIp").toInt(), 1);
    EXPECT_EQ(settings.value("ipAddress").toString(), "10.77.0.9");
    EXPECT_EQ(settings.value("gateway").toString(), "10.77.0.254");
}

TEST_F(Cli, SaveFailuresAreOneLineAndExitOne)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> camsim;
        std::vector<std::string> options;
        const char* message;
    };
    const std::vector<std::string> login{"--login", "admin", "--password", "admin"};
    const Case cases[] = {
        {"not found", {}, {"--mac", "02:ca:00:00:00:99"}, "camera 02:ca:00:00:00:99 not found"},
        {"wrong login", {}, {"--login", "Admin", "--password", "admin"}, "wrong login name or password"},
        {"compact login is cut",
         {"--variants", "enc", "--password", "admin123456"},
         {"--login", "admin", "--password", "admin123456"},
         "wrong login name or password"},
        {"invalid day",
         {},
         {"--date", "02/30/2024"},
         "invalid value: day out of range (the month has 29 days)"},
        {"invalid name", {}, {"--name", "-cam"}, "invalid value: camera name"},
        {"octet too big", {}, {"--dhcp", "off", "--ip", "10.77.0.256"}, "invalid value: octet out of range"},
        {"address without fixed mode", {"--dhcp"}, {"--ip", "10.77.0.5"}, "need a fixed address"},
        {"refused", {"--status", "2"}, {"--name", "x"}, "refused the settings"},
        {"no answer", {"--drop-first", "9"}, {"--name", "x"}, "no answer from camera"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto camsim = StartCamsim(c.camsim, "camsim" + std::to_string(n++));
        std::vector<std::string> args{"save", "--seconds", "0.2"};
        if (std::find(c.options.begin(), c.options.end(), "--mac") == c.options.end())
            args.insert(args.end(), {"--mac", "02:ca:00:00:00:01"});
        if (std::find(c.options.begin(), c.options.end(), "--login") == c.options.end())
            args.insert(args.end(), login.begin(), login.end());
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(camsim->Events("applied").empty());
    }
}

TEST_F(Cli, UsageErrorsNeedNoNetwork)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"frobnicate"}, "unknown command"},
        {{"save", "--mac", "zz", "--login", "a", "--password", "b"}, "invalid value for --mac"},
        {{"save", "--login", "a", "--password", "b"}, "save needs --mac"},
        {{"search", "--seconds", "-1"}, "invalid value for --seconds"},
        {{"search", "--name", "x"}, "does not belong to search"},
        {{"save", "--mac", "02:ca:00:00:00:01", "--login", "a", "--password", "b", "--time", "24:00"},
         "invalid value for --time"},
    };
    for (const auto& [args, message] : cases) {
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("camtivo-cli search"), std::string::npos);
}
