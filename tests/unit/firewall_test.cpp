#include "fake_firewall.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const std::u16string kPath = u"/opt/camtivo/camtivo";

class FirewallTest : public testing::Test
{
protected:
    FakeFirewallState state;
    FakeFirewallBackend backend{state};
    FirewallSettings firewall{backend};
};

} // namespace

TEST_F(FirewallTest, EveryOperationButOpenNeedsAnOpenWrapper)
{
    bool flag = true;
    const std::pair<const char*, std::function<FW_ERROR_CODE()>> operations[] = {
        {"IsOn", [&] { return firewall.FirewallIsOn(flag); }},
        {"ExceptionsBlocked", [&] { return firewall.FirewallExceptionsBlocked(flag); }},
        {"SetExceptionsBlocked", [&] { return firewall.FirewallSetExceptionsBlocked(false); }},
        {"AppIsEnabled", [&] { return firewall.FirewallAppIsEnabled(kPath, flag); }},
        {"AddApp", [&] { return firewall.FirewallAddApp(kPath); }},
        {"RemoveApp", [&] { return firewall.FirewallRemoveApp(kPath); }},
        {"AddApp without path", [&] { return firewall.FirewallAddApp(u""); }},
    };
    for (const auto& [name, operation] : operations)
        EXPECT_EQ(operation(), FW_ERR_WRONG_STATE) << name;
    EXPECT_TRUE(state.apps.empty());
    EXPECT_FALSE(state.exceptionsNotAllowed);

    ASSERT_EQ(firewall.FirewallOpen(), FW_OK);
    firewall.FirewallRelease();
    EXPECT_EQ(firewall.FirewallAddApp(kPath), FW_ERR_WRONG_STATE);
    EXPECT_EQ(state.profilesAlive, 0);
}

TEST_F(FirewallTest, OpeningTwiceKeepsTheFirstProfile)
{
    ASSERT_EQ(firewall.FirewallOpen(), FW_OK);
    EXPECT_EQ(firewall.FirewallOpen(), FW_ERR_WRONG_STATE);
    EXPECT_EQ(state.log, std::vector<std::string>{"open"});
    EXPECT_EQ(state.profilesAlive, 1);
    EXPECT_TRUE(firewall.IsOpen());
}

TEST_F(FirewallTest, AFailedOpenLeavesTheWrapperClosed)
{
    for (auto failure : {FW_ERR_CREATE_MANAGER, FW_ERR_LOCAL_POLICY, FW_ERR_CURRENT_PROFILE}) {
        state.openFailure = failure;
        EXPECT_EQ(firewall.FirewallOpen(), failure);
        EXPECT_FALSE(firewall.IsOpen());
    }
#ifndef _WIN32
    auto system = MakeSystemFirewallBackend();
    FirewallSettings none(*system);
    EXPECT_EQ(none.FirewallOpen(), FW_ERR_CREATE_MANAGER);
    EXPECT_FALSE(none.IsOpen());
#endif
}

TEST_F(FirewallTest, AddAndRemoveActOnlyOnTheEnabledState)
{
    struct Case
    {
        const char* name;
        bool listed;
        bool enabled;
        std::vector<std::string> addLog;    // after FirewallAddApp
        std::vector<std::string> removeLog; // after FirewallRemoveApp on a fresh state
    };
    const Case cases[] = {
        {"not listed", false, false, {"open", "add"}, {"open"}},
        {"listed and enabled", true, true, {"open"}, {"open", "remove"}},
        {"listed but disabled", true, false, {"open", "add"}, {"open"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool add : {true, false}) {
            FakeFirewallState s;
            if (c.listed)
                s.apps[kPath] = {u"Other", c.enabled};
            FakeFirewallBackend b(s);
            FirewallSettings fw(b);
            ASSERT_EQ(fw.FirewallOpen(), FW_OK);
            EXPECT_EQ(add ? fw.FirewallAddApp(kPath) : fw.FirewallRemoveApp(kPath), FW_OK);
            EXPECT_EQ(s.log, add ? c.addLog : c.removeLog);
        }
    }
    // A new entry carries the program's name.
    ASSERT_EQ(firewall.FirewallOpen(), FW_OK);
    ASSERT_EQ(firewall.FirewallAddApp(kPath), FW_OK);
    EXPECT_EQ(state.apps.at(kPath).name, u"Camtivo");
}

TEST_F(FirewallTest, FailuresAreReturnedAndLeaveTheWrapperOpen)
{
    ASSERT_EQ(firewall.FirewallOpen(), FW_OK);
    bool flag = false;
    EXPECT_EQ(firewall.FirewallAddApp(u""), FW_ERR_NO_PATH);
    EXPECT_EQ(firewall.FirewallRemoveApp(u""), FW_ERR_NO_PATH);
    EXPECT_EQ(firewall.FirewallAppIsEnabled(u"", flag), FW_ERR_NO_PATH);

    state.failures["find"] = FW_ERR_APP_COLLECTION;
    EXPECT_EQ(firewall.FirewallAddApp(kPath), FW_ERR_APP_COLLECTION);
    EXPECT_TRUE(state.apps.empty()) << "a failed look-up must not add";
    state.failures.clear();

    state.failures["add"] = FW_ERR_ADD_APP;
    EXPECT_EQ(firewall.FirewallAddApp(kPath), FW_ERR_ADD_APP);
    state.failures["enabled"] = FW_ERR_READ_ENABLED;
    EXPECT_EQ(firewall.FirewallIsOn(flag), FW_ERR_READ_ENABLED);
    state.failures["set-exceptions"] = FW_ERR_EXCEPTIONS_SETTING;
    EXPECT_EQ(firewall.FirewallSetExceptionsBlocked(true), FW_ERR_EXCEPTIONS_SETTING);
    EXPECT_TRUE(firewall.IsOpen());
}
