// The whole wizard frame against the camera simulator: the search started by the first visit
// of the search page finds the camera, a save writes it back, and the verification that
// follows finds it again before the wizard ends.
#include "app/camtivo_dlg.h"
#include "event_loop_wait.h"
#include "net_test_support.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"
#include "skin/message_answer.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace nettest;
using test_wait::SpinUntil;

namespace {

constexpr double kFrameScale = 0.02; // a 400 ms search, verification ticks 20 ms apart

class FrameNet : public NetTest
{
};

} // namespace

TEST_F(FrameNet, StartFindsTheCameraAndASaveEndsTheWizardAfterFindingItAgain)
{
    auto camsim = StartCamsim({"--variants", "full", "--type", "17", "--name", "Garage"}, "frame-camsim");
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kFrameScale);
    CMessageAnswer answers;
    CMessageBoxAnswer plainAnswers;

    CCamtivoDlg frame(QStringLiteral("camtivo"));
    QTimer::singleShot(0, &frame, [&] {
        ASSERT_TRUE(SpinUntil([&] { return frame.PagesReady(); }, kWaitLimitMs));
        QTest::mouseClick(frame.MainPage().GetDlgItem(CMainDialog::IDC_START), Qt::LeftButton);
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 1 && frame.Busy() == 0; }, kWaitLimitMs));
        QCoreApplication::processEvents();
        QTreeWidget* tree = frame.SearchPage().Tree();
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->topLevelItem(0)->text(0), "Garage");
        EXPECT_EQ(frame.CameraList().GetCount(), 1u);

        // Past the login (the page's own business) to the first setting step, then save.
        frame.SendMessage(WM_WIZARD_NAVIGATE, NAV_NEXT);
        ASSERT_NE(frame.SelectedCamera(), nullptr);
        frame.SelectedCamera()->info.Set(DeviceInfo::cameraName, "Attic");
        frame.SendMessage(WM_WIZARD_ACTION, ACTION_SAVE);
        EXPECT_EQ(frame.SaveOk(), 1);
        EXPECT_TRUE(SpinUntil([&] { return !frame.HasTimer(CCamtivoDlg::TIMER_VERIFY); }, kWaitLimitMs));
        ASSERT_NE(frame.SelectedCamera(), nullptr);
        EXPECT_EQ(frame.SelectedCamera()->info.Get(DeviceInfo::macAddress),
                  frame.SavedCamera().info.Get(DeviceInfo::macAddress));
        frame.SendMessage(WM_WIZARD_CLOSE);
    });
    EXPECT_EQ(frame.DoModal(), IDOK);

    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].kind, 4);
    EXPECT_TRUE(plainAnswers.shown.empty());
    const auto applied = camsim->Events("applied");
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].value("settings").toObject().value("cameraName").toString(), "Attic");
}

TEST_F(FrameNet, ASilentNetworkGivesTheNoCameraMessage)
{
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    TimeScale::SetFactor(kFrameScale);
    CMessageAnswer answers;
    CCamtivoDlg frame(QStringLiteral("camtivo /all-product"));
    QTimer::singleShot(0, &frame, [&] {
        ASSERT_TRUE(SpinUntil([&] { return frame.PagesReady(); }, kWaitLimitMs));
        EXPECT_FALSE(frame.ProductFilterOn());
        QTest::mouseClick(frame.MainPage().GetDlgItem(CMainDialog::IDC_START), Qt::LeftButton);
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 1 && frame.Busy() == 0; }, kWaitLimitMs));
        QCoreApplication::processEvents();
        frame.SendMessage(WM_WIZARD_CLOSE);
    });
    frame.DoModal();
    EXPECT_TRUE(frame.CameraList().IsEmpty());
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].kind, 2);
}
