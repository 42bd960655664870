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

namespace {

const std::u16string kProgram = u"/opt/camtivo/camtivo";
using Log = std::vector<std::string>;

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
    bool firewallOn;
    bool exceptionsBlocked;
    Entry entry;
    std::map<std::string, FW_ERROR_CODE> failures;
    Log startLog;
    Log exitLog;
    bool listedAfterExit;
};

const OsVersion kVista{6, 0, u""};

} // namespace

TEST(StartupFirewall, ChangesAtStartUpAreUndoneAtExitAndNothingElse)
{
    const StartupCase cases[] = {
        {"listed and removed",
         kVista,
         true,
         false,
         Entry::None,
         {},
         {"open", "add"},
         {"open", "remove"},
         false},
        {"exceptions unblocked and blocked again",
         kVista,
         true,
         true,
         Entry::None,
         {},
         {"open", "set-blocked=0", "add"},
         {"open", "remove", "set-blocked=1"},
         false},
        {"firewall off: exit untouched", kVista, false, true, Entry::None, {}, {"open"}, {}, false},
        {"XP SP2",
         OsVersion{5, 1, u"Service Pack 2"},
         true,
         false,
         Entry::None,
         {},
         {"open", "add"},
         {"open", "remove"},
         false},
        {"XP SP1",
         OsVersion{5, 1, u"Service Pack 1"},
         true,
         false,
         Entry::None,
         {},
         {"open", "add"},
         {"open", "remove"},
         false},
        {"XP SP3 skipped", OsVersion{5, 1, u"Service Pack 3"}, true, true, Entry::None, {}, {}, {}, false},
        {"XP without service pack skipped", OsVersion{5, 1, u""}, true, true, Entry::None, {}, {}, {}, false},
        {"5.2 skipped", OsVersion{5, 2, u"Service Pack 2"}, true, true, Entry::None, {}, {}, {}, false},
        {"not Windows skipped", std::nullopt, true, true, Entry::None, {}, {}, {}, false},
        {"an entry listed before start-up is removed too",
         kVista,
         true,
         false,
         Entry::Enabled,
         {},
         {"open"},
         {"open", "remove"},
         false},
        {"a disabled entry is replaced, then removed",
         kVista,
         true,
         false,
         Entry::Disabled,
         {},
         {"open", "add"},
         {"open", "remove"},
         false},
        {"adding fails",
         kVista,
         true,
         false,
         Entry::None,
         {{"add", FW_ERR_ADD_APP}},
         {"open"},
         {"open"},
         false},
        {"unblocking fails: exit blocks again all the same",
         kVista,
         true,
         true,
         Entry::None,
         {{"set-exceptions", FW_ERR_EXCEPTIONS_SETTING}},
         {"open", "add"},
         {"open", "remove", "set-blocked=1"},
         false},
        {"state unreadable: treated as off",
         kVista,
         true,
         true,
         Entry::None,
         {{"enabled", FW_ERR_READ_ENABLED}},
         {"open"},
         {},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFirewallState state;
        state.enabled = c.firewallOn;
        state.exceptionsNotAllowed = c.exceptionsBlocked;
        if (c.entry != Entry::None)
            state.apps[kProgram] = {u"Mine", c.entry == Entry::Enabled};
        state.failures = c.failures;
        FakeFirewallBackend backend(state);
        CStartupFirewall startup(backend);

        startup.Register(c.version, kProgram);
        EXPECT_EQ(state.log, c.startLog);
        EXPECT_EQ(state.profilesAlive, 0) << "start-up must release the profile";
        state.log.clear();
        state.failures.clear();

        startup.Unregister();
        EXPECT_EQ(state.log, c.exitLog);
        EXPECT_EQ(state.profilesAlive, 0);
        EXPECT_EQ(state.apps.count(kProgram) == 1, c.listedAfterExit);
        EXPECT_EQ(state.exceptionsNotAllowed, c.exceptionsBlocked);
    }
}

#ifndef _WIN32
TEST(StartupFirewall, WithoutAFirewallNothingIsTouched)
{
    CStartupFirewall startup;
    startup.Register(kVista, kProgram);
    EXPECT_FALSE(startup.FirewallTouched());
    startup.Register(kProgram);
    EXPECT_FALSE(startup.FirewallTouched());
    startup.Unregister();
}
#endif
