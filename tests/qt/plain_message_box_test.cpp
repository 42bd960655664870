#include "device/camera_actions.h"
#include "platform/message_box.h"
#include "qt_test_support.h"

#include <QMessageBox>
#include <QPixmap>
#include <gtest/gtest.h>

TEST(PlainMessageBox, HookAnswersAndSeesTextCaptionAndType)
{
    {
        MessageBoxAnswer answer(IDNO);
        EXPECT_EQ(PlainMessageBox(nullptr, "Overwrite?", "Files", MB_YESNO | MB_ICONQUESTION), IDNO);
        ASSERT_EQ(answer.shown.size(), 1u);
        EXPECT_EQ(answer.shown[0].caption, "Files");
        EXPECT_EQ(answer.shown[0].type, MB_YESNO | MB_ICONQUESTION);
        {
            MessageBoxAnswer inner(IDOK); // hooks nest and unwind in order
            EXPECT_EQ(PlainMessageBox(nullptr, "x"), IDOK);
        }
        EXPECT_EQ(PlainMessageBox(nullptr, "y"), IDNO);
        EXPECT_EQ(answer.shown.size(), 2u);
    }
}

TEST(PlainMessageBox, CommunicationErrorBoxIsRenderedToPng)
{
    const auto box =
        MakePlainMessageBox({nullptr, CameraActions::kCommunicationErrorText, "Camtivo", MB_ICONEXCLAMATION});
    box->adjustSize();
    const QPixmap picture = box->grab();
    EXPECT_FALSE(picture.isNull());
    qt_test::SavePng(picture.toImage(), QStringLiteral("plain_message_box.png"));
}
