#include "app/language_pack.h"
#include "app/main_page.h"
#include "platform/shell.h"
#include "qt_test_support.h"
#include "skin/bitmap_button.h"
#include "skin/message_answer.h"
#include "skin/text_button.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace qt_test;

namespace {

class NothingStarts : public ShellLauncher
{
public:
    bool OpenUrl(const QUrl&) override { return false; }
    bool StartProgram(const QString&) override { return false; }
    bool HasHandler(const QString&) override { return false; }
};

class MainPageTest : public testing::Test, protected PageHost
{
protected:
    void SetUp() override
    {
        for (int n = 50201; n <= 50213; ++n)
            AddString(strings, n, QStringLiteral("text %1").arg(n));
        AddString(strings, 59999, QStringLiteral("generic"));
    }

    MainPage& Create(bool testMode)
    {
        page = std::make_unique<MainPage>();
        page->SetTestMode(testMode);
        Host(*page);
        return *page;
    }

    std::unique_ptr<MainPage> page;
    MessageAnswer answers;
};

} // namespace

TEST_F(MainPageTest, TestModeButtonsShowOnlyInTestModeAndLauncherButtonsNever)
{
    for (bool testMode : {false, true}) {
        MainPage& main = Create(testMode);
        SCOPED_TRACE(testMode);
        EXPECT_EQ(main.Control(MainPage::IDC_LOAD_SKIN_BUTTON)->isVisible(), testMode);
        EXPECT_EQ(main.Control(MainPage::IDC_SHOW_ALL)->isVisible(), testMode);
        if (testMode) {
            EXPECT_EQ(main.Item<TextButton>(MainPage::IDC_LOAD_SKIN_BUTTON)->Caption(), "Load Skin");
            EXPECT_EQ(main.Item<TextButton>(MainPage::IDC_SHOW_ALL)->Caption(), "Show All Message");
        }
        EXPECT_TRUE(main.Control(MainPage::IDC_START)->isVisible());
        EXPECT_TRUE(main.Control(MainPage::IDC_CLOSE_BUTTON)->isVisible());
        for (int id : {MainPage::IDC_INSTALL_UTILITY, MainPage::IDC_SETUP_VARNET, MainPage::IDC_USER_GUIDE,
                       MainPage::IDC_EXIT, MainPage::IDC_LANGUAGE})
            EXPECT_FALSE(main.Control(id)->isVisible()) << id;
    }
}

TEST_F(MainPageTest, ButtonsBecomeFrameMessages)
{
    MainPage& main = Create(true);
    Take(); // the renders of the creation
    const struct
    {
        int id;
        Request expected;
    } cases[] = {
        {MainPage::IDC_START, Request::Next},
        {MainPage::IDC_CLOSE_BUTTON, Request::Close},
        {MainPage::IDC_LOAD_SKIN_BUTTON, Request::ReloadLanguage},
        {MainPage::IDC_SHOW_ALL, Request::ShowAllMessages},
    };
    for (const auto& c : cases) {
        QTest::mouseClick(main.Control(c.id), Qt::LeftButton);
        EXPECT_EQ(Take(), std::vector<Request>{c.expected}) << c.id;
    }
    // The hidden ones still answer their commands.
    main.Command(MainPage::IDC_EXIT);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Close}));
    main.Command(MainPage::IDC_LANGUAGE);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Back}));
    // Start has the focus on arrival, and Return presses it.
    main.FocusOnArrival();
    ASSERT_EQ(main.focusWidget(), main.Control(MainPage::IDC_START));
    QTest::keyClick(main.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Next}));
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(MainPageTest, SetupVarnetEndsTheWizardEvenAfterItsFailureMessage)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    NothingStarts desktop;
    ScopedShellLauncher scope(desktop);
    MainPage& main = Create(false);

    main.Command(MainPage::IDC_SETUP_VARNET);
    QDir::setCurrent(previous);

    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0], (SkinnedMessage{1, "text 50207", "text 50202", "", ""}));
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Close}));
}

TEST_F(MainPageTest, ShowAllMessagesShowsTheTenBoxesInOrder)
{
    MainPage& main = Create(true);
    main.ShowAllMessages();
    const std::vector<SkinnedMessage> expected = {
        {3, "text 50204", "text 50201", "text 50202", ""}, {1, "text 50205", "text 50202", "", ""},
        {1, "text 50206", "text 50202", "", ""},           {1, "text 50207", "text 50202", "", ""},
        {1, "text 50208", "text 50202", "", ""},           {1, "text 50209", "text 50202", "", ""},
        {1, "text 50210", "text 50202", "", ""},           {3, "text 50211", "text 50201", "text 50202", ""},
        {1, "text 50212", "text 50202", "", ""},           {1, "text 50213", "text 50202", "", ""},
    };
    EXPECT_EQ(answers.shown, expected);
}

TEST_F(MainPageTest, RendersFromTheEnglishPack)
{
    ASSERT_EQ(LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons), 0)
        << EnglishPackPath().toStdString();
    MainPage& main = Create(true);
    EXPECT_TRUE(main.Item<BitmapButton>(MainPage::IDC_START)->HasImage());
    EXPECT_TRUE(main.Item<BitmapButton>(MainPage::IDC_CLOSE_BUTTON)->HasImage());
    EXPECT_FALSE(main.Texts().ok.isEmpty());
    // The canvas holds the background: its corners are not the unpainted black.
    EXPECT_NE(main.Canvas().pixelColor(300, 5), QColor(Qt::black));
    SavePng(main.grab().toImage(), QStringLiteral("main_page.png"));
}
