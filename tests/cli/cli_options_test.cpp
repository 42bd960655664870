#include "change_refusal.h"
#include "cli_options.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Save(std::vector<std::string> settings)
{
    std::vector<std::string> args{"save",       "--mac", "00:50:c2:10:20:01", "--login", "admin",
                                  "--password", "pw"};
    args.insert(args.end(), settings.begin(), settings.end());
    return args;
}

} // namespace

// A wrong command line is one line saying what is wrong, before anything is sent.
TEST(CliOptions, WrongCommandLinesAreRefusedWithOneLine)
{
    struct Case
    {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"save", "--mac", "00:50:c2:10:20:0g"},
         "invalid value for --mac: '00:50:c2:10:20:0g' (six hexadecimal pairs like 00:11:22:aa:bb:cc)"},
        {{"save", "--mac", "00-50-c2:10:20:01"},
         "invalid value for --mac: '00-50-c2:10:20:01' (six hexadecimal pairs like 00:11:22:aa:bb:cc)"},
        {Save({"--ip", "300.1.1.1"}),
         "invalid value: --ip 300.1.1.1: Each part of an address must be a number from 0 to 255."},
        {Save({"--mask", "255.255.0"}),
         "invalid value for --mask: '255.255.0' is not an address like 192.168.0.20"},
        {Save({"--time", "24:00"}), "invalid value for --time: '24:00' (HH:MM, 00:00 to 23:59)"},
        {Save({"--date", "2024-02-03"}), "invalid value for --date: '2024-02-03' (MM/DD/YYYY)"},
        {{"search", "--to", "0.0.0.0"},
         "invalid value for --to: '0.0.0.0' is not an address like 192.168.0.20, a block like 10.20.0.0/22 "
         "or a range like "
         "10.20.4.10-10.20.4.200"},
        {{"search", "--to", "10.0.0.256"},
         "invalid value for --to: '10.0.0.256' is not an address like 192.168.0.20, a block like "
         "10.20.0.0/22 or a range like "
         "10.20.4.10-10.20.4.200"},
        {{"search", "--to", "10.20.0.0/15"},
         "invalid value for --to: '10.20.0.0/15' holds more than 65,536 addresses (a /16), the most one "
         "search asks"},
        {{"search", "--to", "10.20.0.0-10.20.127.255", "--to", "10.20.128.0-10.20.255.255", "--to",
          "10.21.0.0/31"},
         "invalid value for --to: '10.21.0.0/31': the ranges together hold more than 65,536 addresses (a "
         "/16), the "
         "most one search asks"},
        {{"search", "--rate", "2"}, "invalid value for --rate: '2' (datagrams a second, 3 to 100000)"},
        {{"save", "--mac", "00:50:c2:10:20:01", "--login", "admin"},
         "save needs --login and --password (or --password-file FILE, --password -, CAMTIVO_PASSWORD)"},
        {Save({"--password-file="}), "option --password-file needs a file name"},
        {Save({"--password", "-", "--security", "wpa", "--wpa-passphrase=-"}),
         "--password - and --wpa-passphrase - both read standard input; give one of them by file"},
        {{"save", "--batch", "f.csv", "--name", "Gate"},
         "--batch takes the cameras and their settings from the file; give them there"},
        {Save({"--wep-key", "0123456789"}), "--wep-key and --wep-passphrase need --security wep64 or wep128"},
        {Save({"--security", "wep64"}),
         "invalid value for --wep-key: a 64-bit WEP key has 10 hexadecimal digits"},
        {Save({"--security", "wep128", "--wep-passphrase", ""}),
         "invalid value for --wep-passphrase: a 128-bit WEP key has 26 hexadecimal digits"},
        {{"search", "--seconds", "0"},
         "invalid value for --seconds: '0' (a number of seconds from 1 to 3600)"},
        // A character a camera cannot store is refused, never saved as "?"; a secret is never shown.
        {Save({"--ssid", "Caf\xC3\xA9 \xE2\x98\x85"}),
         "invalid value for --ssid: 'Caf\xC3\xA9 \xE2\x98\x85' holds '\xE2\x98\x85' (U+2605), which a "
         "camera cannot store (Windows-1252 characters only)"},
        {Save({"--description", "\xF0\x9F\x93\xB7"}),
         "invalid value for --description: '\xF0\x9F\x93\xB7' holds '\xF0\x9F\x93\xB7' (U+1F4F7), which "
         "a camera cannot store (Windows-1252 characters only)"},
        {{"save", "--mac", "00:50:c2:10:20:01", "--login", "admin", "--password", "p\xC3\xA4\xCE\xA9x"},
         "invalid value for --password: its character 3 is one a camera cannot store (Windows-1252 "
         "characters only)"},
        {{"save", "--mac", "00:50:c2:10:20:01", "--login", "\xE2\x82\xAC\xF0\x9F\x93\xB7", "--password",
          "pw"},
         "invalid value for --login: its character 2 is one a camera cannot store (Windows-1252 "
         "characters only)"},
        {Save({"--security", "wpa", "--wpa-passphrase", "long \xE2\x98\x85 enough"}),
         "invalid value for --wpa-passphrase: its character 6 is one a camera cannot store (Windows-1252 "
         "characters only)"},
        // Control characters, as a batch cell refuses them, in plain texts and secrets alike.
        {Save({"--ssid", "Home\x01Net"}),
         "invalid value for --ssid: its character 5 is a control character (U+0001)"},
        {Save({"--name", "Gate\xC2\x85"}),
         "invalid value for --name: its character 5 is a control character (U+0085)"},
        // A zone by index within the list, or by a part of its name that names one zone.
        {Save({"--timezone", "66"}), "invalid value for --timezone: '66' (an index from 0 to 65, or a zone's "
                                     "name; camtivo-cli timezones lists them)"},
        {Save({"--timezone", "(gmt+01:00"}),
         "invalid value for --timezone: '(gmt+01:00' matches several zones: "
         "23 (GMT+01:00) Berlin, Rome; 24 (GMT+01:00) Madrid, Paris; 25 "
         "(GMT+01:00) Prague, Warsaw; 26 (GMT+01:00) Lagos, Kinshasa "
         "(give more of the name, or its index)"},
        {Save({"--clock", "now", "--time", "10:00"}),
         "--clock now sets the date and time; give it or --date and --time"},
        {{"save", "--mac", "00:50:c2:10:20:01", "--login", "admin", "--password", "p\x7fw"},
         "invalid value for --password: its character 2 is a control character (U+007F)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const CliParse parse = ParseCliOptions(c.args);
        EXPECT_FALSE(parse.options);
        EXPECT_EQ(parse.error, c.error);
    }
}

// Options become the values of one settings change: the time stays on the 24-hour clock.
TEST(CliOptions, SettingsAreReadAsValues)
{
    const CliParse parse = ParseCliOptions({"save",
                                            "--mac",
                                            "00-50-C2-10-20-0A",
                                            "--login",
                                            "admin",
                                            "--password=--pw",
                                            "--time",
                                            "00:07",
                                            "--date",
                                            "02/29/2024",
                                            "--dhcp",
                                            "off",
                                            "--gateway",
                                            "010.0.0.1",
                                            "--ssid",
                                            "Caf\xC3\xA9",
                                            "--security",
                                            "wpa",
                                            "--wpa-passphrase",
                                            "long enough",
                                            "--timezone",
                                            "berlin"});
    ASSERT_TRUE(parse.options) << parse.error;
    const CliOptions& o = *parse.options;
    EXPECT_EQ(o.mac, "00:50:c2:10:20:0a");
    EXPECT_EQ(o.password, "--pw");
    const SettingsChange& c = o.change;
    ASSERT_TRUE(c.time && c.date);
    EXPECT_EQ(c.time->hour, 0);
    EXPECT_EQ(c.time->minute, 7);
    EXPECT_EQ(c.date->day, 29);
    EXPECT_EQ(c.dhcp, false);
    EXPECT_EQ(c.addresses[2], (Ipv4Address{10, 0, 0, 1}));
    EXPECT_FALSE(c.addresses[0]);
    EXPECT_EQ(c.wireless.ssid, u"Caf\u00e9");
    EXPECT_EQ(c.wireless.security, SecurityType::Wpa);
    EXPECT_EQ(c.timeZone, 23);
}

// Values are checked on their own before the search; the message names the value as typed.
TEST(CliOptions, GivenValuesAreCheckedBeforeTheSearch)
{
    struct Case
    {
        std::vector<std::string> settings;
        std::string refusal;
    };
    const Case cases[] = {
        {{"--name", "Gate", "--time", "23:15", "--ip", "192.168.0.21"}, ""},
        {{"--name", "Front door"}, "camera name may hold only"},
        {{"--name", "Seventeen-chars-x"}, "camera name is longer than 16 characters"},
        {{"--time", "23:99"}, "minute out of range (0 to 59)"},
        {{"--date", "02/29/2023"}, "day out of range (the month has 28 days)"},
        {{"--dhcp", "on", "--ip", "10.0.0.5"},
         "--ip, --mask, --gateway, --dns1 and --dns2 need a fixed address (--dhcp off)"},
        {{"--ip", "10.0.0.5", "--mask", "255.255.255.0", "--gateway", "010.0.1.1"},
         "--gateway 010.0.1.1: The default gateway must be a device in the camera's own network"},
        {{"--dns2", "224.0.0.1"}, "--dns2 224.0.0.1: A DNS server must be the address of one device"},
        {{"--mask", "255.255.255.254"}, "--mask 255.255.255.254: The subnet mask cannot be 255.255.255.254"},
        {{"--ip", "10.0.0.5", "--gateway", "10.0.0.5"},
         "--gateway 10.0.0.5: The default gateway cannot be the camera's own IP address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        const CliParse parse = ParseCliOptions(Save(c.settings));
        ASSERT_TRUE(parse.options) << parse.error;
        const std::string refusal = ChangeRefusal(*parse.options);
        EXPECT_EQ(refusal.substr(0, c.refusal.size()), c.refusal);
        EXPECT_EQ(refusal.empty(), c.refusal.empty());
    }
}
