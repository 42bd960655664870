#include "platform/core/time_scale.h"
#include "platform/dialog.h"
#include "qt_test_support.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

using qt_test::SpinUntil;

namespace {

struct Seen
{
    UINT message;
    WPARAM wParam;
};

class RecordingDialog : public CDialog
{
public:
    std::vector<Seen> seen;
    std::vector<UINT_PTR> ticks;
    std::vector<int> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back({message, wParam});
        return static_cast<LRESULT>(wParam) + lParam;
    }
    void OnTimer(UINT_PTR id) override { ticks.push_back(id); }
    bool OnCommand(int id) override
    {
        commands.push_back(id);
        return true;
    }
};

} // namespace

TEST(DialogMessages, PostedMessageIsHandledAfterASentOneThatFollowsIt)
{
    RecordingDialog dialog;
    dialog.PostMessage(0xB400, 1);
    EXPECT_EQ(dialog.SendMessage(0xB403, 40, 2), 42);
    ASSERT_EQ(dialog.seen.size(), 1u);
    EXPECT_EQ(dialog.seen[0].message, 0xB403u);
    QCoreApplication::processEvents();
    ASSERT_EQ(dialog.seen.size(), 2u);
    EXPECT_EQ(dialog.seen[1].message, 0xB400u);
    EXPECT_EQ(dialog.seen[1].wParam, 1u);
}

TEST(DialogMessages, PostedMessageToADestroyedWindowIsDropped)
{
    auto* dialog = new RecordingDialog;
    dialog->PostMessage(0xB400);
    delete dialog;
    QCoreApplication::processEvents(); // must not touch the freed window
    SUCCEED();
}

TEST(DialogTimers, FireByNumberRestartAndStop)
{
    RecordingDialog dialog;
    dialog.SetTimer(0x1401, 5);
    dialog.SetTimer(100, 5);
    ASSERT_TRUE(SpinUntil([&] { return dialog.ticks.size() >= 4; }));
    EXPECT_NE(std::find(dialog.ticks.begin(), dialog.ticks.end(), 0x1401u), dialog.ticks.end());
    EXPECT_NE(std::find(dialog.ticks.begin(), dialog.ticks.end(), 100u), dialog.ticks.end());

    EXPECT_TRUE(dialog.KillTimer(0x1401));
    EXPECT_FALSE(dialog.KillTimer(0x1401));
    dialog.SetTimer(100, 60000); // restart with a long period: no more ticks soon
    dialog.ticks.clear();
    QTest::qWait(40);
    EXPECT_TRUE(dialog.ticks.empty());
    EXPECT_TRUE(dialog.HasTimer(100));
    EXPECT_FALSE(dialog.HasTimer(0x1401));
}

TEST(DialogTimers, TimeScaleShortensPeriods)
{
    TimeScale::SetFactor(0.001);
    RecordingDialog dialog;
    dialog.SetTimer(41986, 20000); // 20 s becomes 20 ms
    EXPECT_TRUE(SpinUntil([&] { return !dialog.ticks.empty(); }, 1000));
    TimeScale::SetFactor(1.0);
}

TEST(DialogModal, NestedLoopKeepsDispatchingAndReturnsResult)
{
    RecordingDialog owner;
    CDialog modal;
    owner.SetTimer(7, 1);
    QTimer::singleShot(10, &modal, [&] { owner.PostMessage(0xE400, 0xE401); });
    QTimer::singleShot(60, &modal, [&] { modal.EndDialog(IDOK); });
    EXPECT_EQ(modal.DoModal(), IDOK);
    EXPECT_FALSE(owner.ticks.empty());
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.back().message, 0xE400u);
}

TEST(DialogControls, ClickReachesDialogAsCommandWithControlNumber)
{
    RecordingDialog dialog;
    auto* button = new QPushButton("Next", &dialog);
    dialog.RegisterControl(1003, button);
    EXPECT_EQ(dialog.GetDlgItem(1003), button);
    EXPECT_EQ(dialog.Item<QPushButton>(1003), button);
    EXPECT_EQ(dialog.GetDlgItem(1009), nullptr);
    dialog.show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0], 1003);
}
