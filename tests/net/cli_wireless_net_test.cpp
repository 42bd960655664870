// camtivo-cli's wireless options end to end: what the simulator applied must be the wireless
// fields the security page would have written for the same input, key bytes included. The
// expected keys were computed apart from the program (Python's hashlib and its own generator).
#include "net_test_support.h"
#include "repeat_text.h"

using namespace nettest;

using test_text::Repeat;

namespace {

constexpr auto kCliLimit = std::chrono::seconds(20);

class CliWireless : public NetTest
{
protected:
    RunResult Save(const std::vector<std::string>& options)
    {
        std::vector<std::string> args{CliPath(),           "save",    "--seconds", "1",          "--mac",
                                      "02:ca:00:00:00:01", "--login", "admin",     "--password", "admin"};
        args.insert(args.end(), options.begin(), options.end());
        return pair.RunInPc(args, kCliLimit);
    }
};

} // namespace

TEST_F(CliWireless, SavedFieldsAreWhatThePageWouldWrite)
{
    struct Applied
    {
        int wirelessMode;
        const char* ssid;
        int channel;
        int security, secMode, bWep;
        std::string keyStart; // the key area in hex; zeros fill the rest
        const char* wepPassphrase;
        const char* wpaPassphrase;
    };
    struct Case
    {
        const char* what;
        std::vector<std::string> options;
        Applied applied;
    };
    // The simulator's cameras start wired on "camsim", channel 6, without security.
    const Case cases[] = {
        // All 31 characters make the key; only the first 16 are stored, and keys 2-4 are not.
        {"64-bit from a long passphrase",
         {"--wireless", "on", "--ssid", "Caf\u00e9 Nord", "--channel", "11", "--security", "wep64",
          "--wep-passphrase", "Wireless camera 2026 passphrase"},
         {1, "Caf\u00e9 Nord", 11, 0, 0, 1, "9bed95bb1d", "Wireless camera ", ""}},
        {"128-bit from a passphrase",
         {"--security", "wep128", "--wep-passphrase", "secret"},
         {0, "camsim", 6, 0, 0, 2, "1c064922046d6517dfef3b7ef3", "secret", ""}},
        {"128-bit typed key",
         {"--security", "wep128", "--wep-key", "00112233445566778899AABBCC"},
         {0, "camsim", 6, 0, 0, 2, "00112233445566778899aabbcc", "", ""}},
        // No key is given, so the camera's stored key (zeros) stays.
        {"wpa",
         {"--security", "wpa", "--wpa-passphrase", "correct horse"},
         {0, "camsim", 6, 0, 1, 2, "", "", "correct horse"}},
        {"name only", {"--ssid", "Attic"}, {0, "Attic", 6, 1, 0, 0, "", "", ""}},
    };
    int n = 0;
    for (const auto& [what, options, want] : cases) {
        SCOPED_TRACE(what);
        auto camsim = StartCamsim({}, "camsim" + std::to_string(n++));
        const RunResult run = Save(options);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto applied = camsim->Events("applied");
        ASSERT_EQ(applied.size(), 1u);
        const QJsonObject s = applied[0].value("settings").toObject();
        EXPECT_EQ(s.value("wirelessMode").toInt(), want.wirelessMode);
        EXPECT_EQ(s.value("ssid").toString(), QString::fromUtf8(want.ssid));
        EXPECT_EQ(s.value("channel").toInt(), want.channel);
        EXPECT_EQ(s.value("security").toInt(), want.security);
        EXPECT_EQ(s.value("SecMode").toInt(), want.secMode);
        EXPECT_EQ(s.value("bWep").toInt(), want.bWep);
        EXPECT_EQ(s.value("bWepKey").toString().toStdString(),
                  want.keyStart + Repeat("00", 52 - want.keyStart.size() / 2));
        EXPECT_EQ(s.value("WepPassphrase").toString(), QString::fromUtf8(want.wepPassphrase));
        EXPECT_EQ(s.value("WpaPassphrase").toString(), QString::fromUtf8(want.wpaPassphrase));
    }
}

TEST_F(CliWireless, RefusalsAreOneLineAndNothingIsSent)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--security", "wep64", "--wep-key", "123456789"},
         "--wep-key: a 64-bit WEP key has 10 hexadecimal digits"},
        {{"--security", "wep128", "--wep-key", "0011223344"}, "a 128-bit WEP key has 26 hexadecimal digits"},
        {{"--security", "wep64", "--wep-key", "01234567zz"}, "hexadecimal digits only"},
        {{"--security", "wep128", "--wep-passphrase", "seventeen chars!!"}, "longer than 16 characters"},
        {{"--security", "wep64"}, "a 64-bit WEP key has 10 hexadecimal digits"},
        {{"--security", "wpa", "--wpa-passphrase", "seven77"}, "a WPA passphrase has 8 to 63 characters"},
        {{"--security", "wpa", "--wpa-passphrase", std::string(64, 'p')}, "8 to 63 characters"},
        {{"--wpa-passphrase", "long enough"}, "--wpa-passphrase needs --security wpa"},
        {{"--security", "wep64", "--wep-key", "0123456789", "--wep-passphrase", "x"}, "not both"},
        {{"--security", "wep"}, "invalid value for --security"},
        {{"--channel", "12"}, "a channel from 1 to 11"},
        {{"--ssid", std::string(33, 's')}, "at most 32 characters"},
        {{"--wireless", "maybe"}, "on or off"},
        {{"--ssid", "Caf\xC3\xA9 \xE2\x98\x85"},
         "holds '\xE2\x98\x85' (U+2605), which a camera cannot store"},
    };
    auto camsim = StartCamsim({});
    for (const auto& [options, message] : cases) {
        SCOPED_TRACE(message);
        const RunResult run = Save(options);
        EXPECT_EQ(run.status, 2); // a usage error
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(camsim->Events("received").empty());
}
