#include "device/action_dlg.h"
#include "platform/message_box.h"

#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(PlainMessageBox, HookAnswersAndSeesTextCaptionAndType)
{
    {
        CMessageBoxAnswer answer(IDNO);
        EXPECT_EQ(PlainMessageBox(nullptr, "Overwrite?", "Files", MB_YESNO | MB_ICONQUESTION), IDNO);
        ASSERT_EQ(answer.shown.size(), 1u);
        EXPECT_EQ(answer.shown[0].caption, "Files");
        EXPECT_EQ(answer.shown[0].type, MB_YESNO | MB_ICONQUESTION);
        {
            CMessageBoxAnswer inner(IDOK); // hooks nest and unwind in order
            EXPECT_EQ(PlainMessageBox(nullptr, "x"), IDOK);
        }
        EXPECT_EQ(PlainMessageBox(nullptr, "y"), IDNO);
        EXPECT_EQ(answer.shown.size(), 2u);
    }
}

TEST(PlainMessageBox, ButtonSetsAndIconsFollowTheType)
{
    struct Case
    {
        UINT type;
        int buttons;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {MB_OK, 1, QMessageBox::NoIcon},
        {MB_OKCANCEL | MB_ICONINFORMATION, 2, QMessageBox::Information},
        {MB_YESNOCANCEL | MB_ICONQUESTION, 3, QMessageBox::Question},
        {MB_RETRYCANCEL | MB_ICONERROR, 2, QMessageBox::Critical},
        {MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION, 3, QMessageBox::Warning},
    };
    for (const auto& c : cases) {
        const auto box = MakePlainMessageBox({nullptr, "text", "caption", c.type});
        EXPECT_EQ(static_cast<int>(box->buttons().size()), c.buttons) << c.type;
        EXPECT_EQ(box->icon(), c.icon) << c.type;
    }
}

TEST(PlainMessageBox, CommunicationErrorBoxIsRenderedToPng)
{
    const auto box =
        MakePlainMessageBox({nullptr, CActionDlg::kCommunicationErrorText, "Camtivo", MB_ICONEXCLAMATION});
    box->adjustSize();
    const QString dir = QString(CAMTIVO_BUILD_DIR) + "/png";
    QDir().mkpath(dir);
    const QPixmap picture = box->grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(dir + "/plain_message_box.png"));
}
