// The search endpoint and the save endpoint each announce arrivals to their own handler. A call
// of the other kind can still be queued when the next action starts: it must not read, and so
// lose, the running action's datagram.
#include "device/core/camera_record.h"
#include "event_loop_wait.h"
#include "net_test_support.h"
#include "platform/core/time_scale.h"

#include <QCoreApplication>
#include <QEvent>

using namespace nettest;

namespace {

// Hands the action dialog a stray arrival of the other kind just before the first queued call the
// dialog is given, which is the arrival of the running action's reply: at that moment the
// reply waits in the endpoint, where the stray call could take it.
class StrayBeforeFirstArrival : public QObject
{
public:
    StrayBeforeFirstArrival(CameraActions& action, void (CameraActions::*stray)())
        : action_(action), stray_(stray)
    {
        action_.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!sent_ && event->type() == QEvent::MetaCall) {
            sent_ = true;
            (action_.*stray_)();
        }
        return false;
    }
    bool Sent() const { return sent_; }

private:
    CameraActions& action_;
    void (CameraActions::*stray_)();
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
    StrayBeforeFirstArrival stray(engine.action, &CameraActions::OnSaveReply);
    ASSERT_TRUE(engine.action.StartSearch());
    test_wait::SpinUntil([&] { return engine.action.Found().GetCount() > 0; }, 5000);
    EXPECT_TRUE(stray.Sent());
    EXPECT_EQ(engine.action.Found().GetCount(), 1u);
    engine.action.Stop();
}

TEST_F(StrayArrival, ASearchArrivalDuringASaveLeavesTheAnswerToTheSave)
{
    CameraRecord camera;
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
    StrayBeforeFirstArrival stray(engine.action, &CameraActions::OnSearchArrival);
    engine.action.StartSave(camera);
    test_wait::SpinUntil([&] { return !engine.ends.empty(); }, 5000);
    EXPECT_TRUE(stray.Sent());
    EXPECT_EQ(engine.ends, std::vector<ActionEnd>{ActionEnd::SaveDone});
    EXPECT_EQ(engine.action.LastSaveResult(), CameraActions::SaveResult::Saved);
    engine.action.Stop();
}
