// The search endpoint announces arrivals with 1124, the save endpoint with 1125. A message of
// the other kind can still be queued when the next action starts: it must not read, and so
// lose, the running action's datagram.
#include "device/core/camera_data.h"
#include "net_test_support.h"
#include "platform/core/time_scale.h"
#include "platform/core/window_messages.h"

#include <chrono>
#include <thread>

using namespace nettest;

namespace {

constexpr double kSearchScale = 0.02;
constexpr double kSaveScale = 0.005;

class StrayArrival : public NetTest
{
protected:
    // Waits, without handling any message, until the simulator has answered `replies` times
    // and its answers lie in the PC's socket.
    static bool AnswersWaiting(const Camsim& camsim, size_t replies)
    {
        for (int i = 0; i < 200 && camsim.Events("sent").size() < replies; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return camsim.Events("sent").size() >= replies;
    }
};

} // namespace

TEST_F(StrayArrival, ASaveArrivalDuringASearchLeavesTheReplyToTheSearch)
{
    auto camsim = StartCamsim({"--variants", "plain"});
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSearchScale);
    Engine engine;
    ASSERT_TRUE(engine.action.StartSearch());
    ASSERT_TRUE(AnswersWaiting(*camsim, 1));
    engine.action.SendMessage(WM_DEVICE_SAVE_REPLY);
    engine.action.SendMessage(WM_DEVICE_SEARCH_REPLY);
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
        TimeScale::SetFactor(kSearchScale);
        Engine engine;
        engine.runner.Search(kWaitLimitMs);
        ASSERT_EQ(engine.action.Found().GetCount(), 1u);
        camera = *engine.action.Found().Records().GetHead();
    }
    auto camsim = StartCamsim({}, "saver");
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kSaveScale);
    Engine engine;
    engine.table.NetStartup();
    engine.action.StartSave(camera);
    ASSERT_TRUE(AnswersWaiting(*camsim, 1));
    engine.action.SendMessage(WM_DEVICE_SEARCH_REPLY);
    engine.action.SendMessage(WM_DEVICE_SAVE_REPLY);
    EXPECT_EQ(engine.action.LastSaveResult(), CActionDlg::SaveResult::Saved);
    engine.action.Stop();
}
