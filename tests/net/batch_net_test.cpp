// camtivo-cli save --batch and the early end of a save's search, end to end: the program runs
// inside the PC namespace against simulators in camera namespaces.
#include "net_test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

using namespace nettest;

namespace {

constexpr auto kCliLimit = std::chrono::seconds(40);

std::string Mac(int n)
{
    char text[18];
    std::snprintf(text, sizeof text, "02:ca:00:00:%02x:%02x", n >> 8, n & 0xFF);
    return text;
}

std::vector<QJsonObject> JsonLines(const std::string& out)
{
    std::vector<QJsonObject> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    return lines;
}

class Batch : public NetTest
{
protected:
    RunResult Run(std::vector<std::string> args, std::chrono::milliseconds limit = kCliLimit)
    {
        args.insert(args.begin(), CliPath());
        return pair.RunInPc(args, limit);
    }

    std::string WriteFile(const std::string& text)
    {
        const std::string path = pair.ScratchFile("cameras" + std::to_string(files_++) + ".csv");
        std::ofstream(path, std::ios::binary) << text;
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_write);
        return path;
    }

    // A camera namespace of its own on a new PC link (10.77.<subnet>.0/24), for a simulator
    // whose misbehaviour must not touch the other cameras; its end holds .2 and `more` hosts.
    std::string OwnLink(int subnet, const std::vector<int>& more = {})
    {
        const std::string net = "10.77." + std::to_string(subnet) + ".";
        const LinkedNamespace link =
            pair.AddLinkedNamespace("cam" + std::to_string(subnet), pair.Pc(), net + "1/24", net + "2/24");
        std::vector<std::string> hosts;
        for (const int host : more)
            hosts.push_back(net + std::to_string(host) + "/24");
        return !link.ns.empty() && NetnsPair::AddAddresses(link.ns, link.farEnd, hosts) ? link.ns : "";
    }

private:
    int files_ = 0;
};

} // namespace

// A hundred cameras renamed and re-addressed from one file; every camera's applied settings are
// its own row's, and the verifying search finds every one again.
TEST_F(Batch, HundredCamerasTakeTheirOwnRows)
{
    auto camsim = StartCamsim({"--count", "100", "--variants", "full"});
    std::string csv = "mac,login,password,name,description,dhcp,ip,mask,gateway,ssid,channel\n";
    for (int n = 1; n <= 100; ++n) {
        const bool dhcp = n % 10 == 0;
        const std::string ip = dhcp ? "" : "10.77.0." + std::to_string(100 + n);
        const std::string ssid = n % 3 == 0 ? "Site-" + std::to_string(n) : "";
        csv += Mac(n) + ",admin,admin,Cam-" + std::to_string(n) + ",\"Row " + std::to_string(n) +
               ", east\"," + (dhcp ? "on" : "off") + "," + ip + "," + (dhcp ? "" : "255.255.255.0") + "," +
               (dhcp ? "" : "10.77.0.1") + "," + ssid + "," + std::to_string(n % 11 + 1) + "\n";
    }
    const RunResult run = Run({"save", "--batch", WriteFile(csv), "--verify", "--json", "--seconds", "1"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const auto results = JsonLines(run.out);
    ASSERT_EQ(results.size(), 100u) << run.out;
    for (int n = 1; n <= 100; ++n) {
        const QJsonObject& result = results[static_cast<size_t>(n - 1)];
        EXPECT_EQ(result.value("mac").toString().toStdString(), Mac(n));
        EXPECT_EQ(result.value("result").toString(), "saved");
        EXPECT_EQ(result.value("verify").toString(), "answered");
        EXPECT_EQ(result.value("address").toString(), kCameraAddress);
    }
    std::map<std::string, QJsonObject> applied;
    for (const QJsonObject& event : camsim->Events("applied"))
        applied[event.value("mac").toString().toStdString()] = event.value("settings").toObject();
    ASSERT_EQ(applied.size(), 100u);
    for (int n = 1; n <= 100; ++n) {
        SCOPED_TRACE(Mac(n));
        const QJsonObject& settings = applied[Mac(n)];
        EXPECT_EQ(settings.value("cameraName").toString().toStdString(), "Cam-" + std::to_string(n));
        EXPECT_EQ(settings.value("description").toString().toStdString(),
                  "Row " + std::to_string(n) + ", east");
        EXPECT_EQ(settings.value("fixedIp").toInt(), n % 10 == 0 ? 0 : 1);
        if (n % 10 != 0) {
            EXPECT_EQ(settings.value("ipAddress").toString().toStdString(),
                      "10.77.0." + std::to_string(100 + n));
            EXPECT_EQ(settings.value("subnetMask").toString(), "255.255.255.0");
        }
        EXPECT_EQ(settings.value("ssid").toString().toStdString(),
                  n % 3 == 0 ? "Site-" + std::to_string(n) : "camsim");
        EXPECT_EQ(settings.value("channel").toInt(), n % 11 + 1);
    }
}

// Each camera gets its own result, in file order; one failure makes the exit status 1.
TEST_F(Batch, EveryCameraHasItsOwnResult)
{
    const std::string refusing = OwnLink(21);
    const std::string silent = OwnLink(22);
    ASSERT_FALSE(refusing.empty());
    ASSERT_FALSE(silent.empty());
    auto camsim = StartCamsim({"--count", "3"});
    auto refuser = StartCamsim({"--status", "2", "--mac", Mac(0x101)}, "refuser", refusing);
    auto mute = StartCamsim({"--drop-first", "9", "--mac", Mac(0x201)}, "mute", silent);
    // A new network needs its gateway too: the cameras' own (192.168.0.1) would lie outside it.
    const std::string csv = "mac,login,password,name,ip,gateway\n" + Mac(1) +
                            ",admin,admin,Hall,10.77.0.50,0.0.0.0\n" + Mac(2) +
                            ",admin,admin,Far,192.168.50.5,192.168.50.1\n" + Mac(3) +
                            ",admin,wrong,Nope,,\n" + Mac(0x101) + ",admin,admin,Refused,,\n" + Mac(0x201) +
                            ",admin,admin,Mute,,\n" + Mac(0x909) + ",admin,admin,Nobody,,\n";
    const RunResult run = Run({"save", "--batch", WriteFile(csv), "--verify", "--json", "--seconds", "1"});
    EXPECT_EQ(run.status, 1) << run.err;
    const auto results = JsonLines(run.out);
    ASSERT_EQ(results.size(), 6u) << run.out;
    const char* const expected[][3] = {
        {"saved", "answered", kCameraAddress},
        {"saved", "unreachable", ""},
        {"login wrong", "", ""},
        {"refused", "", ""},
        {"no answer", "", ""},
        {"not found", "", ""},
    };
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(results[i].value("result").toString(), expected[i][0]);
        EXPECT_EQ(results[i].value("verify").toString(), expected[i][1]);
        EXPECT_EQ(results[i].value("address").toString(), expected[i][2]);
        EXPECT_TRUE(results[i].contains("seconds"));
    }
    const auto applied = camsim->Events("applied");
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[0].value("mac").toString().toStdString(), Mac(1));
    EXPECT_EQ(refuser->Events("refused").size(), 1u);
    EXPECT_EQ(mute->Events("dropped").size(), 4u);
}

// A bad row anywhere stops the whole file before anything is sent (exit 2, its line named).
TEST_F(Batch, FileIsCheckedBeforeAnythingIsSent)
{
    struct Case
    {
        std::string csv;
        std::string message;
    };
    const std::string header = "mac,login,password,name\n";
    const std::string good = Mac(1) + ",admin,admin,Door\n";
    const Case cases[] = {
        {header + good + Mac(2) + ",admin,admin,Front door\n",
         "line 3: invalid value: camera name may hold only"},
        {header + good + Mac(2) + ",admin,admin,Kamera-\xCE\xA9\n",
         "line 3: column 'name': 'Kamera-\xCE\xA9' holds"},
        {"mac,login,password,colour\n" + good, "line 1: unknown column 'colour'"},
        {"mac,login,password,seconds\n" + good, "line 1: unknown column 'seconds'"},
        {"mac,login,name\n" + good, "line 1: the header has no 'password' column"},
        {header + good + Mac(1) + ",admin,admin,Other\n", "line 3: camera " + Mac(1) + " already has a row"},
        {"mac,login,password,dhcp\n" + Mac(1) + ",a,b,maybe\n", "line 2: invalid value for --dhcp: 'maybe'"},
        {"mac,login,password,dhcp,ip\n" + Mac(1) + ",a,b,on,10.77.0.5\n", "line 2: invalid value: --ip"},
        {"mac,login,password,dhcp,ip,mask,gateway\n" + Mac(1) +
             ",a,b,off,192.168.0.20,255.0.255.0,172.20.0.1\n",
         "line 2: invalid value: --mask 255.0.255.0: The subnet mask must be ones followed by zeros"},
        {header, "no camera"},
        {"mac,login,password,ip\n" + Mac(1) + ",a,b,10.77.0.5\n" + Mac(2) + ",a,b,10.77.0.5\n",
         "lines 2 and 3 both give the address 10.77.0.5"},
        {"", ".csv: the file is empty"},
        {header + Mac(1) + ",admin,ad" + std::string(1, '\0') + "min,Door\n",
         "line 2: column 'password' holds a control character"},
        {header + Mac(1) + ",admin," + std::string(300, 'p') + ",Door\n",
         "line 2: a field is longer than 256 bytes"},
        {"mac,login,password" + std::string(300, ',') + "\n" + good,
         "line 1: the header names more than 256 columns"},
    };
    auto camsim = StartCamsim({"--silent"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const RunResult run = Run({"save", "--batch", WriteFile(c.csv), "--seconds", "1"});
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // A file beyond the limit is refused without being read whole.
    const std::string huge = WriteFile("");
    ASSERT_EQ(::truncate(huge.c_str(), 64 * 1024 * 1024 + 1), 0);
    const RunResult large = Run({"save", "--batch", huge, "--seconds", "1"});
    EXPECT_EQ(large.status, 2);
    EXPECT_NE(large.err.find(": the file is larger than 64 MB"), std::string::npos) << large.err;
    EXPECT_TRUE(camsim->Events("received").empty());
    const RunResult mixed = Run({"save", "--batch", WriteFile(header + good), "--mac", Mac(1)});
    EXPECT_EQ(mixed.status, 2);
    EXPECT_NE(mixed.err.find("--batch takes the cameras"), std::string::npos) << mixed.err;
}

// A save's search ends once its camera has answered: with a 20-second search, the camera hears
// the broadcast and the direct queries (--to, sent with the broadcast) once, then the set
// request, then the same queries of the verifying search.
TEST_F(Batch, SaveSearchEndsWhenTheCameraAnswers)
{
    auto camsim = StartCamsim({"--count", "2"});
    const RunResult run = Run({"save", "--mac", Mac(1), "--login", "admin", "--password", "admin", "--name",
                               "Quick", "--to", kCameraAddress, "--verify"},
                              std::chrono::seconds(9));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "saved " + Mac(1) + "\n" + Mac(1) + " answers at " + kCameraAddress + "\n");
    // Queries of the search, the set request, the verifying search's queries.
    EXPECT_EQ(camsim->Events("received").size(), 6u + 1u + 6u);
    EXPECT_EQ(SetRequestsReceived(*camsim), 1u);
    EXPECT_EQ(camsim->Events("applied").size(), 1u);
}

// A row taking the address another row's camera leaves is saved after that row, whatever the
// file's order; when that save fails the taker is skipped, so no two cameras share an address.
TEST_F(Batch, TakerWaitsForTheCameraLeavingItsAddress)
{
    const struct
    {
        std::string password;                  // of camera 02's row
        std::vector<std::string> misbehaviour; // of camera 02
        int status;
        std::string first, second; // the cameras' results
    } cases[] = {
        {"wrong", {}, 1, "skipped", "login wrong"},
        {"admin", {"--status", "2"}, 1, "skipped", "refused"},
        {"admin", {"--drop-first", "9"}, 1, "skipped", "no answer"},
        {"admin", {}, 0, "saved", "saved"},
    };
    int link = 30;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        const std::string net = "10.77." + std::to_string(++link) + ".";
        const std::string ns = OwnLink(link, {9});
        ASSERT_FALSE(ns.empty());
        auto first = StartCamsim({"--own-address", "--ip", kCameraAddress}, "first" + std::to_string(link));
        std::vector<std::string> args{"--own-address", "--ip", net + "2", "--mac", Mac(2)};
        args.insert(args.end(), c.misbehaviour.begin(), c.misbehaviour.end());
        auto second = StartCamsim(args, "second" + std::to_string(link), ns);
        const std::string csv = "mac,login,password,ip,gateway\n" + Mac(1) + ",admin,admin," + net +
                                "2,0.0.0.0\n" + Mac(2) + ",admin," + c.password + "," + net + "9,0.0.0.0\n";
        const RunResult run = Run({"save", "--batch", WriteFile(csv), "--seconds", "1"});
        EXPECT_EQ(run.status, c.status) << run.err << run.out;
        EXPECT_EQ(SetRequestsReceived(*first), c.first == "saved" ? 1u : 0u);
        const std::string skipped =
            c.first == "skipped" ? " (" + net + "2 is still used by " + Mac(2) + ")" : "";
        EXPECT_EQ(run.out.rfind(Mac(1) + "\t" + c.first + skipped + "\t", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("\n" + Mac(2) + "\t" + c.second + "\t"), std::string::npos) << run.out;
    }
}

// A save giving a fixed address waits for the cameras to go quiet: a camera answering late from
// that address is seen, and the save is refused.
TEST_F(Batch, FixedAddressSaveSeesALateCamera)
{
    const std::string slow = OwnLink(40);
    ASSERT_FALSE(slow.empty());
    auto camsim = StartCamsim({"--own-address", "--ip", kCameraAddress});
    auto late = StartCamsim({"--own-address", "--ip", "10.77.40.2", "--mac", Mac(0x401), "--delay-ms", "800"},
                            "late", slow);
    const RunResult run = Run({"save", "--mac", Mac(1), "--login", "admin", "--password", "admin", "--ip",
                               "10.77.40.2", "--gateway", "0.0.0.0"});
    EXPECT_EQ(run.status, 2) << run.err << run.out;
    EXPECT_NE(run.err.find("10.77.40.2 is used by Camera, " + Mac(0x401)), std::string::npos) << run.err;
    EXPECT_EQ(SetRequestsReceived(*camsim), 0u);
}
