// Renders the search page with cameras, the login dialog and the search and save animations
// with the English pack into <build>/png/ for review, and checks that the pack's frames and
// art reach the dialogs.
#include "app/language_pack.h"
#include "device_ui/login_dialog.h"
#include "device_ui/progress_dialog.h"
#include "search_page_fixture.h"

#include "skin/bitmap_button.h"
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

using namespace search_test;

namespace {

class SearchPngTest : public SearchPageTest
{
protected:
    void SetUp() override
    {
        SearchPageTest::SetUp();
        packLoaded = QFile::exists(EnglishPackPath()) &&
                     LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons) == 0;
        page.RenderPage();
    }
    bool packLoaded = false;
};

QImage Strip(const std::array<QImage, ProgressDialog::kFrameCount>& frames)
{
    const QSize size = frames[0].isNull() ? QSize(300, 160) : frames[0].size();
    QImage strip(size.width() * ProgressDialog::kFrameCount + 8 * 3, size.height(), QImage::Format_RGB888);
    strip.fill(QColor(0xE3, 0xE6, 0xEF));
    QPainter painter(&strip);
    for (int i = 0; i < ProgressDialog::kFrameCount; ++i)
        painter.drawImage(i * (size.width() + 8), 0, frames[static_cast<size_t>(i)]);
    return strip;
}

} // namespace

TEST_F(SearchPngTest, SearchPageWithCameras)
{
    Add({"Garage", {192, 168, 1, 20}, CMD_QUERY, 0x0120, "admin", "pw", 1});
    Add({"Attic", {192, 168, 1, 10}, CMD_QUERY_FULL, 0x2500, "admin", "pw", 2});
    Add({"Front door", {192, 168, 1, 31}, CMD_QUERY_ENC, 0x1234, "admin", "pw", 3});
    ListAll();
    frame.update();
    ASSERT_TRUE(page.grab().save(PngPath("search_page.png")));
    if (!packLoaded)
        GTEST_SKIP() << "English pack not built";
    // The page's background comes from the pack: the header band is the accent colour.
    EXPECT_EQ(page.Canvas().pixelColor(300, 5), QColor(100, 122, 208));
}

TEST_F(SearchPngTest, LoginDialog)
{
    Add({"Attic", {192, 168, 1, 10}});
    ListAll();
    QImage shot;
    WhenModal<LoginDialog>([&](LoginDialog& login) {
        QTest::keyClicks(login.NameEdit(), "admin");
        QTest::keyClicks(login.PasswordEdit(), "secret");
        shot = login.grab().toImage();
        QTest::mouseClick(login.CancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
    ASSERT_FALSE(shot.isNull());
    ASSERT_TRUE(shot.save(PngPath("login_dialog.png")));
    if (!packLoaded)
        GTEST_SKIP() << "English pack not built";
    EXPECT_EQ(shot.pixelColor(100, 5), QColor(100, 122, 208));
}

TEST_F(SearchPngTest, ProgressFrames)
{
    for (const auto& [kind, name] : {std::pair{ProgressDialog::kSave, "save_progress.png"}}) {
        ProgressDialog dialog;
        dialog.LoadFrames(EnglishPackPath(), kind, &strings);
        std::array<QImage, ProgressDialog::kFrameCount> frames;
        for (int i = 0; i < ProgressDialog::kFrameCount; ++i)
            frames[static_cast<size_t>(i)] = dialog.Frame(i);
        ASSERT_TRUE(Strip(frames).save(PngPath(QString::fromLatin1(name))));
        if (!packLoaded)
            continue;
        for (const QImage& frame : frames)
            EXPECT_FALSE(frame.isNull()) << name;
        // Consecutive frames differ: the animation moves.
        EXPECT_NE(frames[0], frames[1]) << name;
    }
    // A missing pack file leaves every frame empty.
    ProgressDialog missing;
    missing.LoadFrames(QStringLiteral(CAMTIVO_BUILD_DIR "/no-such-pack.dll"), ProgressDialog::kSave,
                       &strings);
    EXPECT_TRUE(missing.Frame(0).isNull());
}
