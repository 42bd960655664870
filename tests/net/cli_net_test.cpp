// camtivo-cli end to end: the program runs inside the PC namespace (ip netns exec) against
// the simulator in the camera namespace.
#include "net_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <chrono>

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
    const RunResult run = Run({"search", "--json", "--seconds", "1"});
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

// The camera stores its name in Windows-1252 ("é" as the byte E9): it is printed as written.
TEST_F(Cli, SearchPrintsOneLinePerCamera)
{
    auto camsim = StartCamsim({"--variants", "full", "--firmware", "0x2500", "--name", "Café"});
    const RunResult run = Run({"search", "--seconds", "1", "--all-product"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), "02:ca:00:00:00:01");
    EXPECT_NE(run.out.find("\tCafé\t10.77.0.2\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\tV1.1.4\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\t17\tfull\t" + pair.PcLink() + "\n"), std::string::npos) << run.out;
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
                               "1"});
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

// A failure after the search is one line on standard error and, with --json, one object with
// the camera's result and the error. A value or login refused is exit 2 (nothing was sent),
// a camera that failed or was not found exit 1.
TEST_F(Cli, SaveFailuresAfterTheSearchAreOneLineAndOneObject)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> camsim;
        std::vector<std::string> options;
        const char* message;
        int status;
    };
    const std::vector<std::string> login{"--login", "admin", "--password", "admin"};
    const Case cases[] = {
        {"not found", {}, {"--mac", "02:ca:00:00:00:99"}, "camera 02:ca:00:00:00:99 not found", 1},
        {"wrong login", {}, {"--login", "Admin", "--password", "admin"}, "wrong login name or password", 2},
        {"compact login is cut",
         {"--variants", "enc", "--password", "admin123456"},
         {"--login", "admin", "--password", "admin123456"},
         "wrong login name or password",
         2},
        {"address without fixed mode", {"--dhcp"}, {"--ip", "10.77.0.5"}, "need a fixed address", 2},
        // Judged with the camera's own address and mask, once it has answered.
        {"gateway outside the camera's network",
         {},
         {"--gateway", "172.20.0.1"},
         "invalid value: --gateway 172.20.0.1: The default gateway must be a device in the camera's own "
         "network",
         2},
        {"refused", {"--status", "2"}, {"--name", "x"}, "refused the settings", 1},
        {"no answer", {"--drop-first", "9"}, {"--name", "x"}, "no answer from camera", 1},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto camsim = StartCamsim(c.camsim, "camsim" + std::to_string(n++));
        std::vector<std::string> args{"save", "--seconds", "1", "--json"};
        if (std::find(c.options.begin(), c.options.end(), "--mac") == c.options.end())
            args.insert(args.end(), {"--mac", "02:ca:00:00:00:01"});
        if (std::find(c.options.begin(), c.options.end(), "--login") == c.options.end())
            args.insert(args.end(), login.begin(), login.end());
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        const QJsonObject result = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        EXPECT_FALSE(result.value("result").toString().isEmpty()) << run.out;
        EXPECT_TRUE(result.value("error").toString().contains(c.message)) << run.out;
        if (c.options[1] == "02:ca:00:00:00:99") { // counted from the start, not from the save
            EXPECT_GE(result.value("seconds").toDouble(), 0.9) << run.out;
        }
        EXPECT_TRUE(camsim->Events("applied").empty());
    }
}

// Every mistake in the command line is reported before anything is sent (exit 2); finding no
// camera is a result (exit 0).
TEST_F(Cli, CommandLineIsCheckedBeforeAnythingIsSent)
{
    struct Case
    {
        std::vector<std::string> args;
        int status;
        const char* message; // on standard error, the one line; "" when none is expected
        const char* out = "";
    };
    const std::string mac = "02:ca:00:00:00:01";
    const auto save = [&mac](std::vector<std::string> more) {
        std::vector<std::string> args{"save", "--mac", mac, "--login", "a", "--password", "b"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"search", "--bogus"}, 2, "unknown option --bogus"},
        {{"search", "--json", "--bogus"},
         2,
         "unknown option --bogus",
         "{\"error\":\"unknown option --bogus\"}\n"},
        {{"search", "--name", "x"}, 2, "option --name does not belong to search"},
        {save({"--csv"}), 2, "option --csv does not belong to save"},
        {save({"--dhcp", "--seconds", "3"}), 2, "option --dhcp needs a value"},
        {save({"--name"}), 2, "option --name needs a value"},
        {{"search", "--seconds", "0.5"}, 2, "invalid value for --seconds: '0.5'"},
        {{"search", "--to", "300.1.1.1"}, 2, "invalid value for --to: '300.1.1.1'"},
        {{"search", "--json", "--csv"},
         2,
         "--json and --csv cannot be combined",
         "{\"error\":\"--json and --csv cannot be combined\"}\n"},
        {{"search", "--json=yes"}, 2, "option --json takes no value"},
        {{"save", "--login", "a", "--password", "b"}, 2, "save needs --mac"},
        {save({"--mac", "zz"}), 2, "invalid value for --mac"},
        {save({"--time", "23:99"}), 2, "invalid value: minute out of range (0 to 59)"},
        {save({"--time", "24:00"}), 2, "invalid value for --time"},
        {save({"--date", "02/30/2023"}), 2, "invalid value: day out of range (the month has 28 days)"},
        {save({"--dhcp", "off", "--ip", "300.1.1.1"}), 2,
         "invalid value: --ip 300.1.1.1: Each part of an address must be a number from 0 to 255."},
        // The wizard's rules and English words, for the values given, before any camera answered.
        {save({"--dhcp", "off", "--ip", "192.168.0.20", "--mask", "255.0.255.0", "--gateway", "172.20.0.1"}),
         2,
         "invalid value: --mask 255.0.255.0: The subnet mask must be ones followed by zeros, such as "
         "255.255.255.0 or 255.255.0.0."},
        {save({"--ip", "192.168.0.20", "--mask", "255.255.255.0", "--gateway", "172.20.0.1"}), 2,
         "invalid value: --gateway 172.20.0.1: The default gateway must be a device in the camera's own "
         "network"},
        {save({"--ip", "0.0.0.0"}), 2, "invalid value: --ip 0.0.0.0: The IP address cannot be 0.0.0.0"},
        {save({"--dns2", "224.0.0.251"}), 2, "invalid value: --dns2 224.0.0.251: A DNS server must be"},
        {save({"--name", "Front door"}), 2, "invalid value: camera name may hold only"},
        {save({"--dhcp", "on", "--ip", "10.77.0.5"}), 2, "need a fixed address (--dhcp off)"},
        {{"search", "--seconds=1", "--json"}, 0, "", "[]\n"},
        {{"search", "--seconds", "1"}, 0, "no camera answered"},
        {{"--version"}, 0, "", "camtivo-cli 1.0\n"},
    };
    // Hears every query and answers none.
    auto camsim = StartCamsim({"--silent"});
    size_t received = 0;
    for (const auto& c : cases) {
        std::string line;
        for (const auto& arg : c.args)
            line += arg + " ";
        SCOPED_TRACE(line);
        const RunResult run = Run(c.args);
        EXPECT_EQ(run.status, c.status);
        if (*c.message != '\0') {
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        } else {
            EXPECT_EQ(run.err, "");
        }
        EXPECT_EQ(run.out, c.out);
        const size_t now = camsim->Events("received").size();
        EXPECT_EQ(now > received, c.args[0] == "search" && c.status == 0) << "datagrams sent";
        received = now;
    }
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status:\n  0 "), std::string::npos);
}

// An extra address with no route is counted against that address; the broadcast still finds
// the camera, and the error is named in the system's words.
TEST_F(Cli, AnUnroutableExtraAddressIsCountedNotFatal)
{
    auto camsim = StartCamsim({});
    const RunResult run = Run({"search", "--seconds", "1", "--diagnose", "--to", "10.99.0.5"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("02:ca:00:00:00:01\t", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("address 10.99.0.5\n  queries sent: 0\n  send error: network unreachable\n"),
              std::string::npos)
        << run.out;
}

// A text a spreadsheet would run as a formula is written with a leading apostrophe.
TEST_F(Cli, CsvHasAHeaderRowAndTheJsonFields)
{
    auto camsim = StartCamsim(
        {"--count", "2", "--name", "Dock, \"east\"", "--description", "=HYPERLINK(x)", "--variants", "full"});
    const RunResult run = Run({"search", "--csv", "--seconds", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1),
              "mac,name,description,ip,mask,gateway,dns1,dns2,dhcp,date,time,timezone,firmware,deviceType,"
              "queryCommand,webPort,interface\r\n");
    const size_t row =
        run.out.find("\r\n02:ca:00:00:00:01,\"Dock, \"\"east\"\" 1\",'=HYPERLINK(x),10.77.0.2,");
    ASSERT_NE(row, std::string::npos) << run.out;
    const std::string first = run.out.substr(row + 2, run.out.find('\n', row + 2) - row - 2);
    EXPECT_EQ(first.substr(first.find(",17,")), ",17,260,80," + pair.PcLink() + "\r") << first;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
}

// A camera's name may carry terminal control sequences (C0 ESC, or a C1 byte that Windows-1252
// leaves undefined); none reaches the terminal as a control character.
TEST_F(Cli, CameraTextsCannotDriveTheTerminal)
{
    auto camsim = StartCamsim({"--name",
                               "A\x1b[2J\xc2\x9d"
                               "B",
                               "--description", "x\xc2\x81y"});
    const RunResult line = Run({"search", "--seconds", "1"});
    ASSERT_EQ(line.status, 0) << line.err;
    EXPECT_NE(line.out.find("\tA [2J B\t"), std::string::npos) << line.out;
    const RunResult json = Run({"search", "--json", "--seconds", "1"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"name\": \"A\\u001b[2J\\u009dB\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"description\": \"x\\u0081y\""), std::string::npos) << json.out;
    const QJsonArray cameras = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(cameras.size(), 1);
    EXPECT_EQ(cameras[0].toObject().value("name").toString(), QString::fromUtf8("A\x1b[2J\xc2\x9d"
                                                                                "B"));
}

// Every answer to a set request is lost on its way back (a rule on the PC's link drops them;
// queries and their answers pass): the camera applied the settings, and asked once more it
// says so. A camera that truly did not apply them is still "no answer" (see the failures above).
TEST_F(Cli, ASaveWhoseAnswersAreLostIsAskedAgainAndReportedTruthfully)
{
    auto camsim = StartCamsim({"--variants", "plain"});
    ASSERT_TRUE(LoseSetAnswers());
    const RunResult run = Run({"save", "--mac", "02:ca:00:00:00:01", "--login", "admin", "--password",
                               "admin", "--name", "Hall-3", "--seconds", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "saved 02:ca:00:00:00:01 (its acknowledgement was lost)\n");
    EXPECT_FALSE(camsim->Events("applied").empty());
}

// A flood of replies from more cameras than the list holds: the first 10,000 are listed, the
// replies of the rest are counted in the diagnosis, and the user is told.
TEST_F(Cli, AFloodOfCamerasStopsAtTheListLimitAndSaysSo)
{
    auto camsim = StartCamsim({"--count", "12000", "--variants", "plain"});
    const RunResult text = Run({"search", "--diagnose", "--seconds", "2"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.err.find("more cameras answered than the list holds: the first 10000 are kept"),
              std::string::npos)
        << text.err;
    EXPECT_NE(text.out.find("\n  cameras found: 10000\n"), std::string::npos);
    const size_t listFull = text.out.find(", list full ");
    ASSERT_NE(listFull, std::string::npos);
    EXPECT_GT(std::atoi(text.out.c_str() + listFull + 12), 0);
    const RunResult json = Run({"search", "--json", "--seconds", "2"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array().size(), 10000);
}

// Ctrl+C during a save whose camera drops it: the camera is asked once more and the line says how
// the save ended, without the minutes of its tries; a stop is never a save.
TEST_F(Cli, CtrlCStopsASaveAndSaysHowItEnded)
{
    auto camsim = StartCamsim({"--variants", "full", "--drop-first", "4"});
    const auto start = std::chrono::steady_clock::now();
    const RunResult run =
        pair.RunInPc({"timeout", "--preserve-status", "-s", "INT", "2", CliPath(), "save", "--mac",
                      "02:ca:00:00:00:01", "--login", "admin", "--password", "admin", "--name", "Attic"},
                     std::chrono::seconds(20));
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("was stopped; the camera does not hold the settings"), std::string::npos)
        << run.err;
    EXPECT_LT(seconds, 6.0);
    EXPECT_TRUE(camsim->Events("applied").empty());
}
