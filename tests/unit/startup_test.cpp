#include "app/core/command_line.h"
#include "app/core/startup_firewall.h"
#include "fake_firewall.h"

#include <gtest/gtest.h>

TEST(CommandLine, SwitchesAreCaseInsensitiveSubstringsAnywhere)
{
    struct Case
    {
        std::u16string line;
        CommandLineSwitches expected;
    };
    const Case cases[] = {
        {u"/usr/bin/camtivo", {0, 1}},
        {u"/usr/bin/camtivo /testmode", {1, 1}},
        {u"camtivo /TESTMODE", {1, 1}},
        {u"camtivo /TestMode", {1, 1}},
        {u"camtivo \"C:\\data\\x/testmodes\"", {1, 1}},
        {u"camtivo /all-product", {0, 0}},
        {u"camtivo /testmode/ALL-Product /testmode", {1, 0}},
        {u"/opt/testmode/camtivo", {1, 1}}, // the program path counts too
        {u"camtivo /test mode -testmode /all_product", {0, 1}},
        {u"", {0, 1}},
    };
    for (const auto& c : cases) {
        std::string narrow(c.line.begin(), c.line.end());
        EXPECT_EQ(ParseCommandLine(c.line), c.expected) << narrow;
    }
    EXPECT_EQ(ParseCommandLine(std::vector<std::u16string>{u"camtivo", u"/all-", u"product"}),
              (CommandLineSwitches{0, 1}));
    EXPECT_EQ(ParseCommandLine(std::vector<std::u16string>{u"camtivo", u"/TESTMODE", u"/all-product"}),
              (CommandLineSwitches{1, 0}));
}

TEST(CommandLine, ToNamesAddressesInEachSpellingAndRefusesAnythingElse)
{
    struct Case
    {
        std::vector<std::u16string> arguments;
        std::vector<std::string> addresses;
        std::string refused;
    };
    const Case cases[] = {
        {{u"/to:10.88.0.2", u"/TO:10.88.0.3", u"--to", u"10.88.0.4", u"--to=10.88.0.5"},
         {"10.88.0.2", "10.88.0.3", "10.88.0.4", "10.88.0.5"},
         ""},
        {{u"/testmode", u"--to", u"300.1.1.1", u"--to", u"10.88.0.2"}, {"10.88.0.2"}, "300.1.1.1"},
        {{u"--to=0.0.0.0"}, {}, "0.0.0.0"},
        {{u"--to=10.88.0"}, {}, "10.88.0"},
        {{u"--to=10.88.0.1.5"}, {}, "10.88.0.1.5"},
        {{u"/to:"}, {}, "(nothing)"},
        {{u"--to"}, {}, "(nothing)"},
        {{u"--tomorrow", u"/top"}, {}, ""},
        {{u"/to:10.20.0.0/22", u"--to", u"10.20.4.10-10.20.4.200", u"--to=10.20.0.9"}, {"10.20.0.9"}, ""},
        {{u"/to:10.20.0.0/15"}, {}, "10.20.0.0/15"},
        {{u"--to=10.20.4.200-10.20.4.10"}, {}, "10.20.4.200-10.20.4.10"},
        {{u"/to:Cámara★\U0001F4F7"}, {}, "Cámara★\U0001F4F7"}, // the value as typed, in UTF-8
    };
    for (const Case& c : cases) {
        const UnicastTargets targets = ParseUnicastTargets(c.arguments);
        EXPECT_EQ(targets.addresses, c.addresses);
        EXPECT_EQ(targets.refused, c.refused);
    }
    EXPECT_EQ(ParseUnicastTargets(u"camtivo /to:10.20.0.0/22 --to=10.20.4.10-10.20.4.200").ranges.size(), 2u);
    EXPECT_EQ(ParseUnicastTargets(u"camtivo  /testmode --to 10.88.0.2\t/to:10.88.0.9").addresses,
              (std::vector<std::string>{"10.88.0.2", "10.88.0.9"}));
}

namespace {

const std::u16string kProgram = u"/opt/camtivo/camtivo";
const OsVersion kVista{6, 0, u""};

enum class Firewall
{
    Off,
    On,
    OnExceptionsBlocked,
};

enum class Entry
{
    None,
    Enabled,
    Disabled,
};

struct StartupCase
{
    const char* name;
    std::optional<OsVersion> version;
    Firewall firewall;
    Entry entry;
    std::map<std::string, FW_ERROR_CODE> failures;
    std::string startLog; // the backend calls, space-separated
    std::string exitLog;
};

std::string Joined(const std::vector<std::string>& log)
{
    std::string text;
    for (const std::string& call : log)
        text += (text.empty() ? "" : " ") + call;
    return text;
}

} // namespace

TEST(StartupFirewall, ChangesAtStartUpAreUndoneAtExitAndNothingElse)
{
    const auto on = Firewall::On;
    const auto blocked = Firewall::OnExceptionsBlocked;
    const Entry none = Entry::None;
    using Failures = std::map<std::string, FW_ERROR_CODE>;
    const Failures ok, addFails{{"add", FW_ERR_ADD_APP}},
        openFails{{"set-exceptions", FW_ERR_EXCEPTIONS_SETTING}},
        stateUnread{{"enabled", FW_ERR_READ_ENABLED}};
    const StartupCase cases[] = {
        {"listed and removed", kVista, on, none, ok, "open add", "open remove"},
        {"exceptions opened, closed again", kVista, blocked, none, ok, "open set-blocked=0 add",
         "open remove set-blocked=1"},
        {"firewall off: exit untouched", kVista, Firewall::Off, none, ok, "open", ""},
        {"XP SP2", OsVersion{5, 1, u"Service Pack 2"}, on, none, ok, "open add", "open remove"},
        {"XP SP1", OsVersion{5, 1, u"Service Pack 1"}, on, none, ok, "open add", "open remove"},
        {"XP SP3 skipped", OsVersion{5, 1, u"Service Pack 3"}, blocked, none, ok, "", ""},
        {"XP without service pack skipped", OsVersion{5, 1, u""}, blocked, none, ok, "", ""},
        {"5.2 skipped", OsVersion{5, 2, u"Service Pack 2"}, blocked, none, ok, "", ""},
        {"not Windows skipped", std::nullopt, blocked, none, ok, "", ""},
        {"listed before start-up: removed too", kVista, on, Entry::Enabled, ok, "open", "open remove"},
        {"disabled entry replaced, then removed", kVista, on, Entry::Disabled, ok, "open add", "open remove"},
        {"adding fails", kVista, on, none, addFails, "open", "open"},
        {"opening fails: exit closes all the same", kVista, blocked, none, openFails, "open add",
         "open remove set-blocked=1"},
        {"state unreadable: treated as off", kVista, blocked, none, stateUnread, "open", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFirewallState state;
        state.enabled = c.firewall != Firewall::Off;
        state.exceptionsNotAllowed = c.firewall == Firewall::OnExceptionsBlocked;
        if (c.entry != Entry::None)
            state.apps[kProgram] = {u"Mine", c.entry == Entry::Enabled};
        state.failures = c.failures;
        FakeFirewallBackend backend(state);
        StartupFirewall startup(backend);

        startup.Register(c.version, kProgram);
        EXPECT_EQ(Joined(state.log), c.startLog);
        EXPECT_EQ(state.profilesAlive, 0) << "start-up must release the profile";
        state.log.clear();
        state.failures.clear();

        startup.Unregister();
        EXPECT_EQ(Joined(state.log), c.exitLog);
        EXPECT_EQ(state.profilesAlive, 0);
        EXPECT_EQ(state.apps.count(kProgram), 0u);
        EXPECT_EQ(state.exceptionsNotAllowed, c.firewall == Firewall::OnExceptionsBlocked);
    }
}

#ifndef _WIN32
TEST(StartupFirewall, WithoutAFirewallNothingIsTouched)
{
    StartupFirewall startup;
    startup.Register(kVista, kProgram);
    EXPECT_FALSE(startup.FirewallTouched());
    startup.Register(kProgram);
    EXPECT_FALSE(startup.FirewallTouched());
    startup.Unregister();
}
#endif
