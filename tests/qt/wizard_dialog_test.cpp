#include "platform/core/time_scale.h"
#include "platform/events/scaled_timer.h"
#include "platform/wizard_dialog.h"
#include "qt_test_support.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

using qt_test::SpinUntil;

namespace {

class RecordingDialog : public WizardDialog
{
public:
    std::vector<int> commands;

protected:
    bool OnCommand(int id) override
    {
        commands.push_back(id);
        return true;
    }
};

} // namespace

TEST(ScaledTimer, TheTimeScaleShortensPeriodsAndAStartRestarts)
{
    TimeScale::SetFactor(0.001);
    ScaledTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.Start(20000); // 20 s becomes 20 ms
    EXPECT_TRUE(SpinUntil([&] { return ticks > 0; }, 1000));
    TimeScale::SetFactor(1.0);
    timer.Start(60000); // restart with a long period: no more ticks soon
    ticks = 0;
    QTest::qWait(40);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(timer.isActive());
}

TEST(DialogModal, NestedLoopKeepsDispatchingAndReturnsResult)
{
    WizardDialog modal;
    QTimer owner;
    int ticks = 0;
    bool queuedCallRan = false;
    QObject::connect(&owner, &QTimer::timeout, [&ticks] { ++ticks; });
    owner.start(1);
    QTimer::singleShot(10, &modal, [&] {
        QMetaObject::invokeMethod(
            &modal, [&queuedCallRan] { queuedCallRan = true; }, Qt::QueuedConnection);
    });
    QTimer::singleShot(60, &modal, [&] { modal.Finish(IDOK); });
    EXPECT_EQ(modal.RunModal(), IDOK);
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(queuedCallRan);
}

TEST(DialogControls, ClickReachesDialogAsCommandWithControlNumber)
{
    RecordingDialog dialog;
    auto* button = new QPushButton("Next", &dialog);
    dialog.RegisterControl(1003, button);
    EXPECT_EQ(dialog.Control(1003), button);
    EXPECT_EQ(dialog.Item<QPushButton>(1003), button);
    EXPECT_EQ(dialog.Control(1009), nullptr);
    dialog.show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0], 1003);
}
