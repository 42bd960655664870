#include "../unit/fake_firewall.h"
#include "app/camtivo_app.h"
#include "app/wizard_frame.h"
#include "qt_test_support.h"

#include <QCoreApplication>
#include <QTimer>

using namespace qt_test;

namespace {

// Closes the wizard as soon as it runs, noting what the firewall looked like meanwhile.
void CloseTheWizardWhenUp(FakeFirewallState& state, bool& listedWhileRunning, QString& commandLineTestMode)
{
    WhenModal<WizardFrame>([&](WizardFrame& frame) {
        listedWhileRunning = state.apps.count(QCoreApplication::applicationFilePath().toStdU16String()) == 1;
        commandLineTestMode = frame.TestMode() ? "test" : "normal";
        frame.Finish(IDOK);
    });
}

} // namespace

TEST(Application, ListsItselfWithTheFirewallOnlyWhileTheWizardRuns)
{
    const struct
    {
        std::optional<OsVersion> version;
        bool firewallOn;
        bool blocked;
        bool listedWhileRunning;
        std::vector<std::string> log;
    } cases[] = {
        // Not a system with the firewall interface: nothing is touched.
        {std::nullopt, true, false, false, {}},
        {OsVersion{5, 2, u"Service Pack 2"}, true, false, false, {}},
        {OsVersion{5, 1, u"Service Pack 3"}, true, false, false, {}},
        // Firewall off: looked at, not changed, and left alone at exit.
        {OsVersion{6, 0, u""}, false, false, false, {"open"}},
        {OsVersion{5, 1, u"Service Pack 2"}, true, false, true, {"open", "add", "open", "remove"}},
        // Exceptions were blocked: allowed for the run, blocked again at exit.
        {OsVersion{6, 1, u""},
         true,
         true,
         true,
         {"open", "set-blocked=0", "add", "open", "remove", "set-blocked=1"}},
    };
    for (const auto& c : cases) {
        FakeFirewallState state;
        state.enabled = c.firewallOn;
        state.exceptionsNotAllowed = c.blocked;
        FakeFirewallBackend backend(state);
        bool listed = false;
        QString mode;
        CloseTheWizardWhenUp(state, listed, mode);
        CamtivoApp app({QStringLiteral("camtivo"), QStringLiteral("/TESTMODE")}, backend, c.version);

        EXPECT_EQ(app.Run(), 0);

        SCOPED_TRACE(testing::Message() << "version " << (c.version ? c.version->major : 0) << "."
                                        << (c.version ? c.version->minor : 0) << " on " << c.firewallOn);
        EXPECT_EQ(mode, "test");
        EXPECT_EQ(listed, c.listedWhileRunning);
        EXPECT_EQ(state.log, c.log);
        EXPECT_TRUE(state.apps.empty());
        EXPECT_EQ(state.exceptionsNotAllowed, c.blocked);
        EXPECT_EQ(state.profilesAlive, 0);
    }
}
