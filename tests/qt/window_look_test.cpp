// The wizard as a user judges it, on the search page drawn from the English pack: the focus
// can always be seen after keyboard moves (and not after clicks), no value is clipped, every
// box fits and sits centred on the wizard window, Escape cancels the login and a right-click
// anywhere on a page reaches the window's system menu. Writes the search page with three
// cameras of the same name to <build>/png/ for review.
#include "app/language_pack.h"
#include "device_ui/login_dialog.h"
#include "device_ui/progress_dialog.h"
#include "search_page_fixture.h"
#include "skin/bitmap_button.h"
#include "skin/program_look.h"
#include "skin/skinned_message_box.h"
#include "skin/text_button.h"
#include "skin/value_field.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QTest>

using namespace search_test;

namespace {

// Stands where the wizard frame stands and counts the right-clicks that reach it.
class MenuHost : public RecordingFrame
{
public:
    int menus = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        ++menus;
        event->accept();
    }
};

class WindowLookTest : public SearchPageTest
{
protected:
    void SetUp() override
    {
        if (!QFile::exists(EnglishPackPath()))
            GTEST_SKIP() << "English pack not built";
        SearchPageTest::SetUp();
        ASSERT_EQ(LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons), 0);
        page.SetTestMode(true);
        page.RenderPage();
        frame.move(120, 80);
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        Received();
        frame.received.clear(); // what rendering told the frame
    }

    // A pixel of `control` as the window shows it, with what lies under a control's clear parts.
    static QColor PixelOf(QWidget* control, QPoint at)
    {
        QWidget* window = control->window();
        return window->grab().toImage().pixelColor(control->mapTo(window, at));
    }

    // Moves the focus to `control` by Tab presses from the page's Close button.
    bool TabTo(QWidget* control)
    {
        page.Control(IDC_CLOSE)->setFocus(Qt::TabFocusReason);
        for (int presses = 0; presses < 12 && !control->hasFocus(); ++presses)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return control->hasFocus();
    }

    // A click that gives the focus as a click does. On a button the release falls outside,
    // so no command runs; on a list it selects the row.
    static void ClickForFocus(QWidget* target, QPoint at, bool releaseInside)
    {
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, releaseInside ? at : QPoint(-50, -50));
    }

    static QString Mac(uint8_t last)
    {
        return QStringLiteral("00:50:c2:10:20:%1").arg(last, 2, 16, QLatin1Char('0'));
    }
};

} // namespace

TEST_F(WindowLookTest, FocusMarkInTheAccentAfterTabAndNotAfterAClick)
{
    Add({"Attic", {10, 0, 0, 1}});
    ListAll();
    page.Control(IDC_LOAD_SKIN)->show(); // as in test mode
    const QColor accent = program_look::kAccent;
    struct Case
    {
        const char* name;
        QWidget* control;
        QWidget* pressOn; // what a click lands on
        QPoint pressAt;
        QPoint markPixel; // a pixel of the mark
        QColor mark;
    };
    auto* search = page.Item<BitmapButton>(SearchPage::IDC_SEARCH);
    auto* next = page.Item<BitmapButton>(IDC_NEXT);
    auto* loadSkin = page.Item<TextButton>(IDC_LOAD_SKIN);
    auto* close = page.Item<BitmapButton>(IDC_CLOSE);
    QTreeWidget* tree = page.Tree();
    const Case cases[] = {
        // An outlined button gets an accent ring inside its outline, a filled one a white ring.
        {"secondary hover button", search, search, {48, 16}, {4, 16}, accent},
        {"primary hover button", next, next, {48, 16}, {4, 16}, Qt::white},
        // A glyph on the accent band: the ring takes the band's colour, not the glyph's.
        {"close button", close, close, {12, 12}, {4, 12}, Qt::white},
        {"test-mode message button", loadSkin, loadSkin, {40, 10}, {1, 10}, accent},
        {"tree", tree, tree->viewport(), ItemCentre(0), {0, 140}, accent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* elsewhere = c.control == close ? static_cast<QWidget*>(next) : close;
        elsewhere->setFocus(Qt::TabFocusReason);
        ClickForFocus(c.pressOn, c.pressAt, c.control == tree);
        ASSERT_TRUE(c.control->hasFocus());
        EXPECT_NE(PixelOf(c.control, c.markPixel), c.mark) << "no mark after a click";

        elsewhere->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(TabTo(c.control));
        EXPECT_EQ(PixelOf(c.control, c.markPixel), c.mark) << "mark after Tab";
        SavePng(page.grab().toImage(),
                QStringLiteral("focus_%1.png").arg(QString::fromLatin1(c.name).replace(' ', '_')));

        elsewhere->setFocus(Qt::TabFocusReason);
        EXPECT_NE(PixelOf(c.control, c.markPixel), c.mark) << "no mark once the focus moved on";
    }
    EXPECT_EQ(Received(), std::vector<Request>{});
}

TEST_F(WindowLookTest, SelectedRowKeepsItsHighlightWhenTheListLosesTheFocus)
{
    Add({"Attic", {10, 0, 0, 1}});
    Add({"Garage", {10, 0, 0, 2}});
    ListAll();
    const QPoint row = ItemCentre(0) + QPoint(60, 0);                    // right of the name
    QTest::mouseClick(page.Tree()->viewport(), Qt::LeftButton, {}, row); // a refresh selects nothing
    const QColor focused = PixelOf(page.Tree()->viewport(), row);
    page.Item<BitmapButton>(IDC_NEXT)->setFocus(Qt::TabFocusReason);
    const QColor unfocused = PixelOf(page.Tree()->viewport(), row);
    EXPECT_EQ(focused, program_look::kAccentDark);
    EXPECT_EQ(unfocused, program_look::kAccentSoft) << "softer, still the accent's";
    EXPECT_EQ(PixelOf(page.Tree()->viewport(), ItemCentre(1) + QPoint(60, 0)), QColor(Qt::white));
}

TEST_F(WindowLookTest, LongestValuesFitWholeInTheirFieldsInThePrimaryColour)
{
    // The longest name a camera holds (16 of the widest letter) and the widest addresses.
    auto camera = MakeCamera({"WWWWWWWWWWWWWWWW", {255, 255, 255, 128}});
    camera->info.Set(DeviceInfo::subnetMask, {255, 255, 255, 128});
    camera->info.Set(DeviceInfo::gateway, {192, 168, 100, 123});
    camera->info.Set(DeviceInfo::macAddress, {0xdd, 0xdd, 0xdd, 0xdd, 0xdd, 0xdd});
    camera->info.Set(DeviceInfo::date, "2026/12/28");
    camera->info.Set(DeviceInfo::time, "23:58:58");
    cameras.AddTail(std::move(camera));
    ListAll();

    EXPECT_EQ(ClippedTexts(page), std::vector<std::string>{});
    for (const int id : {SearchPage::IDC_CAMERA_NAME, SearchPage::IDC_IP_ADDRESS, SearchPage::IDC_SUBNET_MASK,
                         SearchPage::IDC_GATEWAY, SearchPage::IDC_DATE, SearchPage::IDC_TIME,
                         SearchPage::IDC_MAC_ADDRESS, SearchPage::IDC_FIRMWARE}) {
        const ValueField* field = page.Field(id);
        SCOPED_TRACE(id);
        EXPECT_TRUE(field->isVisibleTo(&page));
        EXPECT_EQ(field->text(), field->Value()) << "shown whole";
        EXPECT_FALSE(field->text().isEmpty());
        if (field->FieldKind() == ValueField::Kind::Whole) {
            EXPECT_EQ(field->palette().color(QPalette::WindowText), program_look::kText);
        }
    }
    EXPECT_EQ(FieldText(SearchPage::IDC_MAC_ADDRESS), "dd:dd:dd:dd:dd:dd");

    // The check itself sees a value that lost its end.
    page.Field(SearchPage::IDC_IP_ADDRESS)->resize(60, 16);
    EXPECT_EQ(ClippedTexts(page).size(), 1u);
}

TEST_F(WindowLookTest, FreeTextElidesWithAnEllipsisAndKeepsTheWholeTextAsItsTip)
{
    ValueField field(&page, {356, 300, 120, 16}, ValueField::Kind::Elide);
    field.show();
    const QString ssid = QStringLiteral("A wireless network with a long name");
    field.SetValue(ssid);
    EXPECT_TRUE(field.text().endsWith(QChar(0x2026)));
    EXPECT_EQ(field.toolTip(), ssid);
    EXPECT_EQ(ClippedTexts(field), std::vector<std::string>{});
    field.SetValue(QStringLiteral("Home"));
    EXPECT_EQ(field.text(), "Home");
    EXPECT_TRUE(field.toolTip().isEmpty());
}

TEST_F(WindowLookTest, ThreeCamerasOfTheSameNameAreToldApartByMacAndFirmware)
{
    Add({"Lobby", {192, 168, 1, 21}, CMD_QUERY_FULL, 0x2500, "admin", "pw", 0x21});
    Add({"Lobby", {192, 168, 1, 22}, CMD_QUERY, 0x0120, "admin", "pw", 0x22});
    Add({"Lobby", {192, 168, 1, 23}, CMD_QUERY_ENC, 0x1234, "admin", "pw", 0x23});
    ListAll();
    std::vector<QString> macs;
    for (int row = 0; row < 3; ++row) {
        QTest::mouseClick(page.Tree()->viewport(), Qt::LeftButton, {}, ItemCentre(row));
        macs.push_back(FieldText(SearchPage::IDC_MAC_ADDRESS));
        if (row == 1)
            SavePng(page.grab().toImage(), QStringLiteral("search_page_twins.png"));
    }
    EXPECT_EQ(macs, (std::vector<QString>{Mac(0x21), Mac(0x22), Mac(0x23)}));
    EXPECT_EQ(ClippedTexts(page), std::vector<std::string>{});
}

TEST_F(WindowLookTest, BoxesNeverWiderThanTheWindowAndDialogsCentredOnIt)
{
    Add({"Attic", {10, 0, 0, 1}, CMD_QUERY_FULL, 0x2500, "admin", "secret"});
    ListAll();
    const SkinnedMessageHook answering = SetSkinnedMessageHook({}); // real boxes from here on
    const QPoint centre = frame.geometry().center();
    struct Seen
    {
        QString what;
        QRect geometry;
    };
    std::vector<Seen> seen;
    auto record = [&](QWidget& dialog, const QString& what) { seen.push_back({what, dialog.geometry()}); };

    // Every box the page shows, in the pack's own words (the longest is three lines).
    WhenModal<SkinnedMessageBox>([&](SkinnedMessageBox& box) {
        record(box, QStringLiteral("box"));
        // The box opens with the focus, and its mark, on the button Enter stands for (the
        // window system may activate the box a moment after it shows).
        SpinUntil([&] { return box.Button(1)->hasFocus(); }, 1000);
        EXPECT_TRUE(box.Button(1)->ShowsFocusMark());
        SavePng(box.grab().toImage(), QStringLiteral("message_no_camera.png"));
        box.Command(SkinnedMessageBox::kButton1);
    });
    page.ShowMessage(2, page.Text(SearchPage::kTextNoCamera), page.Text(SearchPage::kTextButton));

    WhenModal<LoginDialog>([&](LoginDialog& login) {
        record(login, QStringLiteral("login"));
        login.Command(LoginDialog::IDC_LOGIN_CANCEL);
    });
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);

    ProgressDialog progress(&page);
    progress.LoadFrames(EnglishPackPath(), ProgressDialog::kSave, &strings);
    QTimer::singleShot(50, &progress, [&] {
        record(progress, QStringLiteral("progress"));
        progress.Close();
    });
    progress.RunModal();
    SetSkinnedMessageHook(answering);

    ASSERT_EQ(seen.size(), 3u);
    for (const Seen& s : seen) {
        SCOPED_TRACE(s.what.toStdString());
        EXPECT_LE(s.geometry.width(), frame.width());
        EXPECT_LE((s.geometry.center() - centre).manhattanLength(), 2);
    }
}

TEST_F(WindowLookTest, EscapeCancelsTheLoginAndThePageStays)
{
    Add({"Attic", {10, 0, 0, 1}, CMD_QUERY_FULL, 0x2500, "admin", "secret"});
    ListAll();
    bool closedByEscape = false;
    WhenModal<LoginDialog>([&](LoginDialog& login) {
        QTest::keyClicks(login.NameEdit(), "admin");
        QTest::keyClick(login.NameEdit(), Qt::Key_Escape);
        closedByEscape = !login.isVisible();
        if (!closedByEscape)
            login.Command(LoginDialog::IDC_LOGIN_CANCEL);
    });
    QTest::mouseClick(page.Control(IDC_NEXT), Qt::LeftButton);
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(cameras.GetHead()->loginRequired, 1) << "cancelled, not logged in";
    EXPECT_EQ(Received(), std::vector<Request>{});

    // On the page itself Escape still does nothing.
    QTest::keyClick(page.Tree(), Qt::Key_Escape);
    EXPECT_TRUE(page.isVisible());
}

TEST(WindowLook, RightClickAnywhereOnAPageReachesTheWindowsSystemMenu)
{
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    SearchPage::CameraList cameras;
    cameras.AddTail(MakeCamera({"Attic", {10, 0, 0, 1}}));
    MenuHost host;
    SearchPage page;
    page.SetLists(&strings, &bitmaps, &icons);
    host.resize(581, 436);
    page.CreateChild(&host);
    ShowCameras(page, cameras);
    page.show();
    host.show();
    QWidget* const targets[] = {&page, page.Tree()->viewport(), page.Field(SearchPage::IDC_CAMERA_NAME),
                                page.Control(SearchPage::IDC_SEARCH)};
    for (QWidget* target : targets) {
        const int before = host.menus;
        const QPoint at = target->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        EXPECT_EQ(host.menus, before + 1) << target->metaObject()->className();
    }
    // Shift+F10 on the list opens it as the Menu key does.
    const int before = host.menus;
    QTest::keyClick(page.Tree(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(host.menus, before + 1);
}
