// The search endpoint announces arrivals with 1124, the save endpoint with 1125. A message of
// the other kind can still be queued when the next action starts: it must not read, and so
// lose, the running action's datagram.
#include "device/core/camera_data.h"
#include "event_loop_wait.h"
#include "net_test_support.h"
#include "platform/core/time_scale.h"
#include "platform/core/window_messages.h"

#include <QCoreApplication>
#include <QEvent>

using namespace nettest;

namespace {

// Hands the action dialog a stray arrival message just before the first window message the
// dialog is given, which is the arrival of the running action's reply: at that moment the
// reply waits in the endpoint, where the stray message could take it.
class StrayBeforeFirstArrival : public QObject
{
public:
    StrayBeforeFirstArrival(CActionDlg& action, UINT stray) : action_(action), stray_(stray)
    {
        action_.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!sent_ && event->type() >= QEvent::User) {
            sent_ = true;
            action_.SendMessage(stray_);
        }
        return false;
    }
    bool Sent() const { return sent_; }

private:
    CActionDlg& action_;
    UINT stray_;
    bool sent_ = false;
};

class StrayArrival : public NetTest
{
};

} // namespace

TEST_F(StrayArrival, ASaveArrivalDuringASearchLeavesTheReplyToTheSearch)
{
    auto camsim = StartCamsim({"--variants", "plain"});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(1.0); // no second query within the test: one reply only
    Engine engine;
    StrayBeforeFirstArrival stray(engine.action, WM_DEVICE_SAVE_REPLY);
    ASSERT_TRUE(engine.action.StartSearch());
    test_wait::SpinUntil([&] { return engine.action.Found().GetCount() > 0; }, 5000);
    EXPECT_TRUE(stray.Sent());
    EXPECT_EQ(engine.action.Found().GetCount(), 1u);
    engine.action.Stop();
}

TEST_F(StrayArrival, ASearchArrivalDuringASaveLeavesTheAnswerToTheSave)
{
    CCameraDataObj camera;
    {
        auto finder = StartCamsim({}, "finder");
        PcNamespaceScope pc(pair);
        ASSERT_TRUE(pc.Entered());
        TimeScale::SetFactor(0.02);
        Engine engine;
        engine.runner.Search(kWaitLimitMs);
        ASSERT_EQ(engine.action.Found().GetCount(), 1u);
        camera = *engine.action.Found().Records().GetHead();
    }
    auto camsim = StartCamsim({}, "saver");
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(1.0); // no second set request within the test: one answer only
    Engine engine;
    engine.table.NetStartup();
    engine.action.SetNotification(&engine.runner);
    StrayBeforeFirstArrival stray(engine.action, WM_DEVICE_SEARCH_REPLY);
    engine.action.StartSave(camera);
    test_wait::SpinUntil([&] { return !engine.notifications.empty(); }, 5000);
    EXPECT_TRUE(stray.Sent());
    EXPECT_EQ(engine.notifications, std::vector<WPARAM>{NOTIFY_SAVE_OK});
    EXPECT_EQ(engine.action.LastSaveResult(), CActionDlg::SaveResult::Saved);
    engine.action.Stop();
}
