// Cameras behind a router (10.88.0.0/24, one hop past the camera namespace), which no broadcast
// reaches: found by --to, saved by their address, found again at their new address; and the
// address checks that refuse a save before any setting is sent.
#include "device/core/message_header.h"
#include "net_test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <fstream>
#include <sstream>

using namespace nettest;

namespace {

constexpr auto kCliLimit = std::chrono::seconds(30);
constexpr char kFarCamera[] = "10.88.0.2";

QJsonObject LastJsonLine(const std::string& out)
{
    std::istringstream in(out);
    std::string last;
    for (std::string line; std::getline(in, line);)
        last = line.empty() ? last : line;
    return QJsonDocument::fromJson(QByteArray::fromStdString(last)).object();
}

class BehindRouter : public NetTest
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        lab = BuildRouterLab(pair);
        ASSERT_FALSE(lab.far.empty());
    }

    RunResult Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), CliPath());
        return pair.RunInPc(args, kCliLimit);
    }

    RouterLab lab;
};

} // namespace

// Each variant is saved with its own set command, every request goes to the camera's address
// (a lost first one is repeated there), and the verifying search finds it at its new address.
TEST_F(BehindRouter, FoundByAddressSavedByAddressAndFoundAgainAtItsNewAddress)
{
    ASSERT_TRUE(lab.AddAddresses({"10.88.0.21", "10.88.0.22", "10.88.0.23", "10.88.0.24"}));
    struct Case
    {
        const char* variant;
        int setCommand;
        int dropFirst; // set requests the camera ignores
    };
    const Case cases[] = {
        {"plain", CMD_SET, 0}, {"enc", CMD_SET_ENC, 0}, {"full", CMD_SET_FULL, 0}, {"full", CMD_SET_FULL, 1}};
    int next = 21;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.variant) + " dropping " + std::to_string(c.dropFirst));
        const std::string to = "10.88.0." + std::to_string(next++);
        auto camsim = StartCamsim({"--own-address", "--ip", kFarCamera, "--variants", c.variant,
                                   "--drop-first", std::to_string(c.dropFirst)},
                                  "far" + std::to_string(next), lab.far);
        const RunResult run =
            Cli({"save", "--mac", "02:ca:00:00:00:01", "--login", "admin", "--password", "admin", "--ip", to,
                 "--gateway", "10.88.0.1", "--to", kFarCamera, "--verify", "--json", "--seconds", "2"});
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        const QJsonObject result = LastJsonLine(run.out);
        EXPECT_EQ(result.value("result").toString(), "saved");
        EXPECT_EQ(result.value("verify").toString(), "answered");
        EXPECT_EQ(result.value("address").toString().toStdString(), to);
        const auto applied = camsim->Events("applied");
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_EQ(applied[0].value("command").toInt(), c.setCommand);
        EXPECT_EQ(applied[0].value("settings").toObject().value("ipAddress").toString().toStdString(), to);
        // No broadcast crosses the router: every request that arrived went to the camera's address.
        EXPECT_EQ(SetRequestsReceived(*camsim), static_cast<size_t>(c.dropFirst + 1));
    }
}

// Every answer to the set requests is lost on the way back while the camera behind the router
// moves to a new address: asked again at its batch row's address and at the new one, it proves
// the save.
TEST_F(BehindRouter, AMovedCameraWhoseAnswersAreLostIsAskedAtItsNewAddress)
{
    ASSERT_TRUE(lab.AddAddresses({"10.88.0.31"}));
    auto camsim = StartCamsim({"--own-address", "--ip", kFarCamera, "--variants", "plain"}, "far", lab.far);
    ASSERT_TRUE(LoseSetAnswers());
    const std::string file = pair.ScratchFile("moved.csv");
    std::ofstream(file, std::ios::binary) << "mac,login,password,ip,gateway,to\n"
                                             "02:ca:00:00:00:01,admin,admin,10.88.0.31,10.88.0.1,10.88.0.2\n";
    const RunResult run = Cli({"save", "--batch", file, "--json", "--seconds", "1"});
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_EQ(LastJsonLine(run.out).value("acknowledgementLost").toBool(), true) << run.out;
    EXPECT_FALSE(camsim->Events("applied").empty());
}

// --diagnose names each address asked, with its queries and the answers they got.
TEST_F(BehindRouter, DiagnoseCountsQueriesAndAnswersPerAddress)
{
    auto camsim = StartCamsim({"--own-address", "--ip", kFarCamera}, "far", lab.far);
    const RunResult run =
        Cli({"search", "--diagnose", "--json", "--seconds", "1", "--to", kFarCamera, "--to", "10.88.0.99"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(all.value("cameras").toArray().size(), 1);
    const QJsonArray addresses = all.value("addresses").toArray();
    ASSERT_EQ(addresses.size(), 2) << run.out;
    const int expected[][3] = {{3, 3, 1}, {3, 0, 0}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject row = addresses[i].toObject();
        EXPECT_EQ(row.value("address").toString(), i == 0 ? kFarCamera : "10.88.0.99");
        EXPECT_EQ(row.value("queriesSent").toInt(), expected[i][0]);
        EXPECT_EQ(row.value("answers").toInt(), expected[i][1]);
        EXPECT_EQ(row.value("camerasFound").toInt(), expected[i][2]);
    }
    const RunResult text = Cli({"search", "--diagnose", "--seconds", "1", "--to", kFarCamera});
    EXPECT_NE(text.out.find("address 10.88.0.2\n  queries sent: 3\n  answers: 3, cameras found: 1\n"),
              std::string::npos)
        << text.out;
}

// A fixed address another camera keeps, or this computer's own, is refused before any setting
// is sent, naming the holder, and so are rows taking each other's addresses; a camera keeping
// its own address, or taking one another camera of the same batch leaves, is saved, and a batch
// row's "to" reaches a camera behind the router.
TEST_F(BehindRouter, AddressClashesAreRefusedBeforeAnySettingIsSent)
{
    ASSERT_TRUE(NetnsPair::AddAddresses(pair.Camera(), pair.CameraLink(), {"10.77.0.3/24", "10.77.0.9/24"}));
    ASSERT_TRUE(lab.AddAddresses({"10.88.0.3"}));
    auto near =
        StartCamsim({"--own-address", "--count", "2", "--ip", kCameraAddress, "--name", "Garden"}, "near");
    auto far = StartCamsim(
        {"--own-address", "--ip", kFarCamera, "--mac", "02:cb:00:00:00:01", "--name", "Far"}, "far", lab.far);
    const std::string csv = pair.ScratchFile("rows.csv");
    struct Case
    {
        std::vector<std::string> args;
        std::string rows; // a batch file's rows after its header, when not empty
        int status;
        std::string message;
    };
    // The simulated cameras keep the gateway 192.168.0.1, outside these networks: no gateway.
    const std::string header = "mac,login,password,ip,gateway,to\n";
    const std::string one = "02:ca:00:00:00:01,admin,admin,";
    const std::string two = "02:ca:00:00:00:02,admin,admin,";
    const std::string three = "02:cb:00:00:00:01,admin,admin,";
    const Case cases[] = {
        {{"--ip", "10.77.0.3", "--gateway", "0.0.0.0"},
         "",
         2,
         "camtivo-cli: invalid value: 10.77.0.3 is used by Garden 2, 02:ca:00:00:00:02\n"},
        {{"--ip", kPcAddress, "--gateway", "0.0.0.0"},
         "",
         2,
         "camtivo-cli: invalid value: 10.77.0.1 is an address of this computer\n"},
        {{"--ip", kFarCamera, "--gateway", "0.0.0.0", "--to", kFarCamera},
         "",
         2,
         "camtivo-cli: invalid value: 10.88.0.2 is used by Far, 02:cb:00:00:00:01\n"},
        {{},
         one + "10.77.0.50,0.0.0.0,\n" + two + "10.77.0.50,0.0.0.0,\n",
         2,
         "lines 2 and 3 both give the address 10.77.0.50\n"},
        {{},
         one + "10.77.0.9,0.0.0.0,\n" + three + "10.77.0.3,0.0.0.0," + kFarCamera + "\n",
         2,
         "line 3: 10.77.0.3 is used by Garden 2, 02:ca:00:00:00:02\n"},
        {{},
         one + "10.77.0.3,0.0.0.0,\n" + two + "10.77.0.2,0.0.0.0,\n",
         2,
         "lines 2 and 3 take each other's addresses: move one of these cameras to a free address first\n"},
        {{"--ip", kCameraAddress, "--gateway", "0.0.0.0"}, "", 0, ""},
        {{},
         one + "10.77.0.3,0.0.0.0,\n" + two + "10.77.0.9,0.0.0.0,\n" + three + "10.88.0.3,0.0.0.0," +
             kFarCamera + "\n",
         0,
         ""},
    };
    size_t applied = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.empty() ? "accepted" : c.message);
        std::vector<std::string> args{"save", "--seconds", "1"};
        if (c.rows.empty()) {
            args.insert(args.end(),
                        {"--json", "--mac", "02:ca:00:00:00:01", "--login", "admin", "--password", "admin"});
            args.insert(args.end(), c.args.begin(), c.args.end());
        } else {
            std::ofstream(csv, std::ios::binary) << header + c.rows;
            args.insert(args.end(), {"--batch", csv});
        }
        const RunResult run = Cli(args);
        EXPECT_EQ(run.status, c.status) << run.err << run.out;
        const bool endsWithMessage =
            run.err.size() >= c.message.size() &&
            run.err.compare(run.err.size() - c.message.size(), c.message.size(), c.message) == 0;
        EXPECT_TRUE(endsWithMessage) << run.err;
        // A refusal decided after the search is the camera's result with --json too.
        if (c.rows.empty()) {
            EXPECT_NE(run.out.find(c.status == 0 ? "\"result\":\"saved\"" : "\"result\":\"invalid value\""),
                      std::string::npos)
                << run.out;
        }
        applied += c.status == 0 ? (c.rows.empty() ? 1 : 2) : 0;
        EXPECT_EQ(SetRequestsReceived(*near), applied);
        EXPECT_EQ(SetRequestsReceived(*far), c.rows.empty() ? 0u : static_cast<size_t>(run.status == 0));
    }
}

// CAMTIVO_ROUTER_FIGURES=1: at the product's own timing, one save through the router (and a
// local one beside it) and a batch of 20 cameras behind the router with --verify.
TEST_F(BehindRouter, Figures)
{
    if (qEnvironmentVariableIsEmpty("CAMTIVO_ROUTER_FIGURES"))
        GTEST_SKIP() << "set CAMTIVO_ROUTER_FIGURES=1 to measure saves through the router";
    std::vector<std::string> addresses;
    std::string csv = "mac,login,password,name,ip,to\n";
    for (int n = 0; n < 20; ++n) {
        const std::string from = "10.88.0." + std::to_string(2 + n);
        const std::string to = "10.88.0." + std::to_string(102 + n);
        if (n > 0)
            addresses.push_back(from);
        addresses.push_back(to);
        char mac[18];
        std::snprintf(mac, sizeof mac, "02:cb:00:00:00:%02x", n + 1);
        csv += std::string(mac) + ",admin,admin,Far-" + std::to_string(n + 1) + "," + to + "," + from + "\n";
    }
    ASSERT_TRUE(lab.AddAddresses(addresses));
    auto far = StartCamsim(
        {"--own-address", "--count", "20", "--ip", kFarCamera, "--mac", "02:cb:00:00:00:01"}, "far", lab.far);
    auto near = StartCamsim({}, "near");
    const auto timed = [this](std::vector<std::string> args) {
        const auto start = std::chrono::steady_clock::now();
        const RunResult run = Cli(std::move(args));
        EXPECT_EQ(run.status, 0) << run.err << run.out;
        return std::make_pair(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                              LastJsonLine(run.out).value("seconds").toDouble());
    };
    const std::vector<std::string> one{"save",  "--login", "admin", "--password",
                                       "admin", "--name",  "Moved", "--json"};
    auto routed = one;
    routed.insert(routed.end(), {"--mac", "02:cb:00:00:00:01", "--to", kFarCamera});
    auto local = one;
    local.insert(local.end(), {"--mac", "02:ca:00:00:00:01"});
    const auto [routedRun, routedSave] = timed(routed);
    const auto [localRun, localSave] = timed(local);
    const std::string file = pair.ScratchFile("twenty.csv");
    std::ofstream(file, std::ios::binary) << csv;
    const auto [batchRun, lastSave] = timed({"save", "--batch", file, "--verify", "--json"});
    std::printf("[ measured ] one save through the router: %.3f s (its set request and answer %.2f s); "
                "a local save: %.3f s (%.2f s)\n",
                routedRun, routedSave, localRun, localSave);
    std::printf("[ measured ] 20 cameras behind the router, --batch --verify: %.3f s (last save %.2f s)\n",
                batchRun, lastSave);
    EXPECT_EQ(far->Events("applied").size(), 21u);
}
