#include "device_ui/login_dialog.h"
#include "device_ui/search_status_strip.h"
#include "platform/shell.h"
#include "search_page_fixture.h"
#include "skin/bitmap_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace search_test;

namespace {

class FakeLauncher : public ShellLauncher
{
public:
    bool browser = true;
    std::vector<QString> opened;
    bool OpenUrl(const QUrl& url) override
    {
        opened.push_back(url.toString());
        return true;
    }
    bool StartProgram(const QString&) override { return false; }
    bool HasHandler(const QString&) override { return browser; }
};

// Types into the login dialog's edits and presses a key or a button.
void TypeLogin(LoginDialog& login, const QString& name, const QString& password)
{
    login.NameEdit()->clear();
    login.PasswordEdit()->clear();
    QTest::keyClicks(login.NameEdit(), name);
    QTest::keyClicks(login.PasswordEdit(), password);
}

// The sequence a real double-click delivers: press, release, double-click, release.
void DoubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

TEST_F(SearchPageTest, CamerasAreListedByNameAndTheFirstOnesDetailsShown)
{
    Add({"Garage", {192, 168, 1, 20}, CMD_QUERY, 0x0120, "admin", "pw", 1});
    Add({"Attic", {192, 168, 1, 10}, CMD_QUERY_FULL, 0, "admin", "pw", 2});
    Add({"basement", {192, 168, 1, 30}, CMD_QUERY_ENC, 0x1234, "admin", "pw", 3});
    ListAll();

    EXPECT_EQ(TreeNames(), (std::vector<QString>{"Attic", "basement", "Garage"}));
    ASSERT_EQ(page.CurrentCamera(), cameras.GetAt(1));
    EXPECT_EQ(FieldText(SearchPage::IDC_CAMERA_NAME), "Attic");
    EXPECT_EQ(FieldText(SearchPage::IDC_IP_ADDRESS), "192.168.1.10");
    EXPECT_EQ(FieldText(SearchPage::IDC_SUBNET_MASK), "255.255.255.0");
    EXPECT_EQ(FieldText(SearchPage::IDC_GATEWAY), "192.168.1.1");
    EXPECT_EQ(FieldText(SearchPage::IDC_DATE), "12/07/2026");
    EXPECT_EQ(FieldText(SearchPage::IDC_TIME), "09:15:00");
    EXPECT_EQ(FieldText(SearchPage::IDC_FIRMWARE), "0.00");
    EXPECT_EQ(FieldText(SearchPage::IDC_MAC_ADDRESS), "00:50:c2:10:20:02");
    // The camera shown is the one highlighted.
    EXPECT_EQ(page.Tree()->selectedItems(), QList{page.Tree()->topLevelItem(0)});

    // Clicking another name shows that camera, in the version format of its variant.
    QTest::mouseClick(page.Tree()->viewport(), Qt::LeftButton, {}, ItemCentre(2));
    EXPECT_EQ(page.CurrentCamera(), cameras.GetAt(0));
    EXPECT_EQ(FieldText(SearchPage::IDC_CAMERA_NAME), "Garage");
    EXPECT_EQ(FieldText(SearchPage::IDC_FIRMWARE), "V1.20");
    QTest::mouseClick(page.Tree()->viewport(), Qt::LeftButton, {}, ItemCentre(1));
    EXPECT_EQ(FieldText(SearchPage::IDC_FIRMWARE), "V1.23");
    // A click on the list's empty space keeps the camera highlighted, shown and chosen.
    QTest::mouseClick(page.Tree()->viewport(), Qt::LeftButton, {},
                      QPoint(20, page.Tree()->viewport()->height() - 5));
    EXPECT_EQ(page.Tree()->selectedItems(), QList{page.Tree()->topLevelItem(1)});
    EXPECT_EQ(page.CurrentCamera(), cameras.GetAt(2));
    EXPECT_EQ(FieldText(SearchPage::IDC_FIRMWARE), "V1.23");

    // Security text comes from the list the frame hands over; past its end it is empty.
    page.SetSecurityTexts({"None", "WEP 64-bit"});
    ListAll();
    EXPECT_EQ(FieldText(SearchPage::IDC_SECURITY), "None");
    page.SetSecurityTexts({});
    ListAll();
    EXPECT_EQ(FieldText(SearchPage::IDC_SECURITY), "");
}

TEST_F(SearchPageTest, ARefreshAfterTheListWasReplacedPointsOnlyIntoTheNewList)
{
    Add({"Attic", {10, 0, 0, 1}});
    ListAll();
    ASSERT_NE(page.CurrentCamera(), nullptr);

    page.ForgetCameraList();
    EXPECT_EQ(page.CurrentCamera(), nullptr);
    EXPECT_EQ(page.Tree()->topLevelItemCount(), 0);
    EXPECT_EQ(FieldText(SearchPage::IDC_CAMERA_NAME), "");
    cameras.RemoveAll();
    Add({"Porch", {10, 0, 0, 2}});
    ListAll();
    EXPECT_EQ(page.CurrentCamera(), cameras.GetHead());
    EXPECT_EQ(FieldText(SearchPage::IDC_CAMERA_NAME), "Porch");

    cameras.RemoveAll();
    ListAll();
    EXPECT_EQ(page.CurrentCamera(), nullptr);
    EXPECT_TRUE(TreeNames().empty());
}

TEST_F(SearchPageTest, ReturnGoesOnWithTheHighlightedCameraAndTheSearchButtonStopsARunningSearch)
{
    Add({"Attic", {10, 0, 0, 1}, CMD_QUERY_FULL, 0x2500, "admin", "secret", 1});
    Add({"Barn", {10, 0, 0, 2}, CMD_QUERY_FULL, 0x2500, "admin", "secret", 2});
    for (CameraRecord* camera : cameras)
        camera->loginRequired = 0;
    ListAll();
    QTest::keyClick(page.Tree(), Qt::Key_Escape);
    EXPECT_TRUE(Received().empty());
    EXPECT_TRUE(page.isVisible());
    QTest::keyClick(page.Tree(), Qt::Key_Down);
    QTest::keyClick(page.Tree(), Qt::Key_Return);
    EXPECT_EQ(page.CurrentCamera(), cameras.GetAt(1));
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Next}));

    QTest::mouseClick(page.Control(SearchPage::IDC_SEARCH), Qt::LeftButton);
    EXPECT_EQ(Received().back(), (Request::Search));

    // While a search runs the button stops it instead; Next without a camera does nothing.
    int stops = 0;
    QObject::connect(&page, &SearchPage::stopRequested, [&stops] { ++stops; });
    page.SearchStarted();
    QTest::mouseClick(page.Control(SearchPage::IDC_SEARCH), Qt::LeftButton);
    EXPECT_EQ(stops, 1);
    page.ForgetCameraList();
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(Received().size(), 2u);
}

TEST_F(SearchPageTest, LoginRefusesWrongNamesThenAcceptsAndASecondNextSkipsIt)
{
    Add({"Attic", {10, 0, 0, 1}, CMD_QUERY_FULL, 0x2500, "Operator", "Pa55word"});
    ListAll();
    answers.SetDefaultAnswer(1);

    struct Try
    {
        QString name;
        QString password;
    };
    const std::vector<Try> wrong = {{"operator", "Pa55word"}, {"Operator", "pa55word"}, {"", "Pa55word"}};
    int dialogs = 0;
    std::vector<bool> stayedOpen;
    WhenModal<LoginDialog>([&](LoginDialog& login) {
        ++dialogs;
        for (const Try& attempt : wrong) {
            TypeLogin(login, attempt.name, attempt.password);
            QTest::mouseClick(login.OkButton(), Qt::LeftButton);
            // After a refusal the password is selected, in the focus, for the next try.
            stayedOpen.push_back(login.isVisible() && login.focusWidget() == login.PasswordEdit() &&
                                 login.PasswordEdit()->selectedText() == attempt.password);
        }
        TypeLogin(login, "Operator", "Pa55word");
        QTest::keyClick(login.PasswordEdit(), Qt::Key_Return);
    });
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);

    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(stayedOpen, (std::vector<bool>{true, true, true}));
    ASSERT_EQ(answers.shown.size(), wrong.size());
    EXPECT_EQ(answers.shown[0], (SkinnedMessage{1, "The login name or password is wrong.", "OK", {}, {}}));
    EXPECT_EQ(cameras.GetHead()->loginRequired, 0);
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Next}));

    // Back on the page, Next goes on without asking again.
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
    EXPECT_EQ(Received().size(), 2u);
    EXPECT_EQ(answers.shown.size(), wrong.size());
}

// Cancel by a click, or by Return while Cancel has the focus: Return presses the focused button.
TEST_F(SearchPageTest, CancelledLoginStaysAndKeepsTheCameraLocked)
{
    Add({"Attic", {10, 0, 0, 1}});
    ListAll();
    for (const bool byReturn : {false, true}) {
        WhenModal<LoginDialog>([byReturn](LoginDialog& login) {
            TypeLogin(login, "admin", "secret");
            if (byReturn) {
                login.CancelButton()->setFocus(Qt::TabFocusReason);
                QTest::keyClick(login.CancelButton(), Qt::Key_Return);
            } else {
                QTest::mouseClick(login.CancelButton(), Qt::LeftButton);
            }
        });
        QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
        EXPECT_EQ(cameras.GetHead()->loginRequired, 1) << byReturn;
        EXPECT_TRUE(Received().empty()) << byReturn;
    }
}

TEST_F(SearchPageTest, ALoginAcceptedAfterTheListWasReplacedDoesNotReachTheOldRecord)
{
    Add({"Attic", {10, 0, 0, 1}});
    ListAll();
    WhenModal<LoginDialog>([this](LoginDialog& login) {
        // A refresh tick of the frame replaces the list while the dialog is up.
        page.ForgetCameraList();
        cameras.RemoveAll();
        Add({"Attic", {10, 0, 0, 1}});
        ListAll();
        TypeLogin(login, "admin", "secret");
        QTest::keyClick(login.NameEdit(), Qt::Key_Enter);
    });
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(cameras.GetHead()->loginRequired, 1);
}

TEST_F(SearchPageTest, CompactVariantsLimitTheLoginFieldsAndCompareOnlyWhatTheyCarry)
{
    struct Case
    {
        uint16_t answered;
        int nameChars;
        int passwordChars;
    };
    for (const Case& c : {Case{CMD_QUERY, 20, 8}, Case{CMD_QUERY_ENC, 20, 8}, Case{CMD_QUERY_FULL, 32, 64}}) {
        cameras.RemoveAll();
        // The record holds a 24-character name and a 12-character password.
        Add({"Attic", {10, 0, 0, 1}, c.answered, 0, "abcdefghijklmnopqrstuvwx", "password1234"});
        ListAll();
        const QString longText(70, QLatin1Char('a'));
        int nameLength = 0;
        int passwordLength = 0;
        WhenModal<LoginDialog>([&](LoginDialog& login) {
            TypeLogin(login, longText, longText);
            nameLength = int(login.NameEdit()->text().size());
            passwordLength = int(login.PasswordEdit()->text().size());
            // Only the part the variant carries takes part in the comparison.
            const bool compact = c.answered != CMD_QUERY_FULL;
            TypeLogin(login, compact ? "abcdefghijklmnopqrst" : "abcdefghijklmnopqrstuvwx",
                      compact ? "password" : "password1234");
            QTest::keyClick(login.NameEdit(), Qt::Key_Return);
        });
        QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
        EXPECT_EQ(nameLength, c.nameChars) << c.answered;
        EXPECT_EQ(passwordLength, c.passwordChars) << c.answered;
        EXPECT_EQ(cameras.GetHead()->loginRequired, 0) << c.answered;
        EXPECT_TRUE(answers.shown.empty()) << c.answered;
    }
}

TEST_F(SearchPageTest, DoubleClickOpensTheCamerasWebPageOrSaysThereIsNoBrowser)
{
    FakeLauncher launcher;
    ScopedShellLauncher scoped(launcher);
    Add({"Attic", {192, 168, 1, 10}});
    Add({"Garage", {192, 168, 1, 20}, CMD_QUERY, 0, "a", "b", 2});
    cameras.GetAt(1)->info.Set(DeviceInfo::webPortSet, 1);
    cameras.GetAt(1)->info.Set(DeviceInfo::webPort, 8080);
    ListAll();

    DoubleClick(page.Tree()->viewport(), ItemCentre(0));
    DoubleClick(page.Tree()->viewport(), ItemCentre(1));
    EXPECT_EQ(launcher.opened, (std::vector<QString>{"http://192.168.1.10", "http://192.168.1.20:8080"}));

    launcher.browser = false;
    DoubleClick(page.Tree()->viewport(), ItemCentre(0));
    EXPECT_EQ(launcher.opened.size(), 2u);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0], (SkinnedMessage{1, "No web browser is set up.", "OK", {}, {}}));
}

TEST_F(SearchPageTest, ShowAllMessagesShowsEveryBoxOfThePageInOrder)
{
    page.ShowAllMessages();
    std::vector<QString> texts;
    for (const SkinnedMessage& shown : answers.shown) {
        texts.push_back(shown.message);
        EXPECT_EQ(shown.button1, "OK");
    }
    EXPECT_EQ(texts,
              (std::vector<QString>{"No web browser is set up.", "No camera was found.", "Socket error 50805",
                                    "Socket error 50806", "Socket error 50807", "Socket error 50808",
                                    "Socket error 50809", "The login name or password is wrong."}));
    EXPECT_EQ(page.Text(50804), "No camera was found.");
    EXPECT_EQ(page.Text(50811), "");
}

// Cameras arriving in bursts go in sorted, and never move the row the user chose, the focus or
// the first row in view; the reader hears the count at most once a second, and the end at once.
TEST_F(SearchPageTest, ArrivingRowsLeaveTheUsersRowWhereItIsAndTheReaderHearsTheCountPaced)
{
    static const char* const names[] = {"M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8",
                                        "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8"};
    for (uint8_t n = 0; n < 16; ++n)
        Add({names[n],
             {10, 0, 0, uint8_t(n + 1)},
             CMD_QUERY_FULL,
             0x2500,
             "admin",
             "secret",
             uint8_t(n + 1)});
    page.SearchStarted();
    for (size_t n = 0; n < 8; ++n)
        page.CameraListed(cameras.GetAt(n));
    QTest::qWait(3 * SearchPage::kRowBatchMs);
    QTreeWidget* tree = page.Tree();
    tree->setFocus();
    for (int n = 0; n < 5; ++n)
        QTest::keyClick(tree, Qt::Key_Down);
    tree->scrollToItem(tree->topLevelItem(2), QAbstractItemView::PositionAtTop);
    CameraRecord* chosen = page.CurrentCamera();
    ASSERT_EQ(chosen, cameras.GetAt(5));
    const QTreeWidgetItem* top = tree->itemAt(0, 0);
    const QString heard = page.StatusLine();
    EXPECT_EQ(heard, "Searching for cameras... 0 found"); // told at the start, then paced

    for (size_t n = 8; n < 16; ++n)
        page.CameraListed(cameras.GetAt(n));
    QTest::qWait(3 * SearchPage::kRowBatchMs);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "A1");
    EXPECT_EQ(page.CurrentCamera(), chosen);
    EXPECT_EQ(tree->selectedItems(), QList{tree->currentItem()});
    EXPECT_EQ(tree->currentItem()->text(0), "M6");
    EXPECT_EQ(tree->itemAt(0, 0), top);
    EXPECT_TRUE(tree->hasFocus() || !page.isActiveWindow());
    EXPECT_EQ(page.StatusStrip()->Text(), "Searching for cameras... 16 found");
    EXPECT_EQ(page.StatusLine(), heard);
    EXPECT_TRUE(SpinUntil([&] { return page.StatusLine() != heard; }, 3 * SearchPage::kReaderCountMs));
    EXPECT_EQ(page.StatusLine(), "Searching for cameras... 16 found");
    page.SearchEnded();
    EXPECT_EQ(page.StatusLine(), "16 cameras found");
}
