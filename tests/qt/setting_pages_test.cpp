// The setting pages with the English pack: what they show of a record, how they refuse bad
// input (message, focus, record untouched) and what they write back and ask of the frame.
#include "app/language_pack.h"
#include "app/success_page.h"
#include "device/core/camera_record.h"
#include "page_input.h"
#include "pages/basic_settings_page.h"
#include "pages/ip_settings_page.h"
#include "pages/network_mode_page.h"
#include "pages/summary_page.h"
#include "pages/tooltip_combo_box.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"
#include "skin/skin_draw.h"
#include "skin/value_field.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace qt_test;

namespace {

CameraRecord SampleRecord()
{
    CameraRecord record;
    DeviceInfo& info = record.info;
    info.Set(DeviceInfo::deviceType, 17);
    info.Set(DeviceInfo::macAddress, {0x00, 0x0a, 0xb3, 0x04, 0xc5, 0x0f});
    info.Set(DeviceInfo::cameraName, "Lobby");
    info.Set(DeviceInfo::description, "Front desk");
    info.Set(DeviceInfo::timeZone, 22);
    info.Set(DeviceInfo::date, "01/05/2007");
    info.Set(DeviceInfo::time, "00:30:59");
    info.Set(DeviceInfo::ipAddress, {192, 168, 0, 3});
    info.Set(DeviceInfo::subnetMask, {255, 255, 255, 0});
    info.Set(DeviceInfo::gateway, {192, 168, 0, 1});
    info.Set(DeviceInfo::fixedIp, 0);
    info.Set(DeviceInfo::dhcpEnable, 0);
    info.Set(DeviceInfo::security, 0);
    info.Set(DeviceInfo::wepEnabled, 1);
    return record;
}

// One page of type P inside a stand-in frame, skinned from the English pack built with the
// program, holding a sample record. Every box is answered by `answers`.
template <class P> class PageTest : public testing::Test, protected PageHost
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadEnglish());
        Host(page);
        page.LoadFromRecord(&record);
    }

    QLineEdit* Edit(int id) const { return page.template Item<QLineEdit>(id); }
    void Type(int id, const QString& text) { test_input::Type(page, id, text); }
    void Click(int id) { test_input::Click(page, id); }
    std::vector<Request> Received()
    {
        QCoreApplication::processEvents();
        return frame.received;
    }

    CameraRecord record = SampleRecord();
    P page;
    MessageAnswer answers;
};

using BasicPage = PageTest<BasicSettingsPage>;
using NetworkPage = PageTest<NetworkModePage>;
using IpPage = PageTest<IpSettingsPage>;
using SummaryPageTest = PageTest<SummaryPage>;

} // namespace

TEST_F(BasicPage, ShowsTheRecordOnTheTwelveHourClockAndSavesItBack)
{
    using D = BasicSettingsPage;
    EXPECT_EQ(Edit(D::IDC_NAME)->text(), "Lobby");
    EXPECT_EQ(Edit(D::IDC_MONTH)->text(), "1");
    EXPECT_EQ(Edit(D::IDC_DAY)->text(), "5");
    EXPECT_EQ(Edit(D::IDC_YEAR)->text(), "2007");
    EXPECT_EQ(Edit(D::IDC_HOUR)->text(), "12");
    EXPECT_EQ(Edit(D::IDC_MINUTE)->text(), "30");
    EXPECT_EQ(page.Item<QComboBox>(D::IDC_HALF_DAY)->currentText(), "AM");
    // The pack's zone list, in its own order, with the record's zone chosen.
    TooltipComboBox* zones = page.TimeZoneList();
    ASSERT_GT(zones->count(), 60);
    EXPECT_TRUE(zones->itemText(0).startsWith("(GMT-12:00)"));
    EXPECT_TRUE(zones->itemText(zones->count() - 1).startsWith("(GMT+13:00)"));
    EXPECT_EQ(zones->currentIndex(), 22);

    Type(D::IDC_NAME, "Lobby-2");
    Type(D::IDC_HOUR, "1");
    page.Item<QComboBox>(D::IDC_HALF_DAY)->setCurrentIndex(1);
    Click(IDC_NEXT);
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_EQ(record.info.Get(DeviceInfo::cameraName), "Lobby-2");
    EXPECT_EQ(record.info.Get(DeviceInfo::date), "01/05/2007");
    EXPECT_EQ(record.info.Get(DeviceInfo::time), "13:30:00"); // seconds always 00
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Next}));
}

TEST_F(BasicPage, EachBadFieldIsReportedFocusedAndKeepsTheRecord)
{
    using D = BasicSettingsPage;
    const struct
    {
        int id;
        const char* text;
        int message;
    } cases[] = {
        {D::IDC_MONTH, "13", 50903},       {D::IDC_DAY, "29", 50904},
        {D::IDC_YEAR, "1989", 50908},      {D::IDC_YEAR, "", 50908},
        {D::IDC_HOUR, "0", 50910},         {D::IDC_HOUR, "", 50910},
        {D::IDC_MINUTE, "60", 50909},      {D::IDC_MINUTE, "", 50909},
        {D::IDC_NAME, "-lobby", 50911},    {D::IDC_NAME, "Lobby 2", 50911},
        {D::IDC_NAME, "Caf\u00e9", 50911}, {D::IDC_DESCRIPTION, "caf\u00e9", 50912},
    };
    const CameraRecord before = record;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " '" + c.text + "'");
        page.LoadFromRecord(&record);
        if (c.id == D::IDC_DAY || c.id == D::IDC_YEAR) {
            // 29 February: the day's range is known only once the year is.
            Type(D::IDC_MONTH, "2");
            Type(D::IDC_DAY, "29");
        }
        Edit(c.id)->setText(QString::fromUtf8(c.text));
        answers.shown.clear();
        for (int button : {IDC_NEXT, IDC_BACK}) {
            Click(button);
            ASSERT_EQ(answers.shown.size(), button == IDC_NEXT ? 1u : 2u);
            EXPECT_EQ(answers.shown.back().message, page.Text(c.message));
            EXPECT_EQ(answers.shown.back().button1, SkinString(&strings, 50901));
            EXPECT_EQ(page.focusWidget(), Edit(c.id));
            EXPECT_EQ(Edit(c.id)->selectedText(), Edit(c.id)->text());
        }
        EXPECT_TRUE(std::ranges::equal(record.info.Raw(), before.info.Raw()));
    }
    EXPECT_TRUE(Received().empty());
    for (int n = 50903; n <= 50912; ++n)
        EXPECT_FALSE(page.Text(n).isEmpty()) << n;
}

TEST_F(BasicPage, AZoneThePackCannotNameSurvivesASave)
{
    record.info.Set(DeviceInfo::timeZone, 200);
    page.LoadFromRecord(&record);
    EXPECT_EQ(page.TimeZoneList()->currentIndex(), -1);
    Click(IDC_BACK);
    EXPECT_EQ(record.info.Get(DeviceInfo::timeZone), 200);
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Back}));
}

TEST_F(NetworkPage, TheFixedFlagChoosesAndBothButtonsWriteTheFlags)
{
    auto* fixed = page.Item<QRadioButton>(NetworkModePage::IDC_FIXED);
    auto* dhcp = page.Item<QRadioButton>(NetworkModePage::IDC_DHCP);
    EXPECT_TRUE(dhcp->isChecked()); // fixedIp 0, whatever dhcpEnable says
    // A click on the caption beside the button chooses it too.
    QTest::mouseClick(fixed, Qt::LeftButton, {}, QPoint(fixed->width() - 20, 10));
    EXPECT_TRUE(fixed->isChecked());
    // So does a click anywhere on its card, such as on the help under the caption.
    for (auto [choice, help] : {std::pair{dhcp, QPoint(400, 212)}, std::pair{fixed, QPoint(400, 140)}}) {
        QWidget* under = page.childAt(help);
        ASSERT_EQ(under, choice);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(&page, help));
        EXPECT_TRUE(choice->isChecked());
    }
    Click(IDC_BACK);
    EXPECT_EQ(record.info.Get(DeviceInfo::fixedIp), 1);
    EXPECT_EQ(record.info.Get(DeviceInfo::dhcpEnable), 0);
    QTest::mouseClick(dhcp, Qt::LeftButton);
    Click(IDC_NEXT);
    EXPECT_EQ(record.info.Get(DeviceInfo::fixedIp), 0);
    EXPECT_EQ(record.info.Get(DeviceInfo::dhcpEnable), 1);
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Back, Request::Next}));
}

TEST_F(IpPage, TheFirstOctetAbove255IsFocusedAndNothingIsSaved)
{
    EXPECT_EQ(page.Octet(0)->text(), "192");
    EXPECT_EQ(page.Octet(3)->text(), "3");
    // The gateway's 999 comes after the mask's 256 in the table: the mask's is reported.
    page.Octet(5)->setText("256");
    page.Octet(9)->setText("999");
    const CameraRecord before = record;
    for (int button : {IDC_NEXT, IDC_BACK}) {
        Click(button);
        EXPECT_EQ(page.focusWidget(), page.Octet(5));
    }
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].message, SkinString(&strings, 51102));
    EXPECT_EQ(answers.shown[0].button1, SkinString(&strings, 51101));
    EXPECT_TRUE(std::ranges::equal(record.info.Raw(), before.info.Raw()));
    EXPECT_TRUE(Received().empty());

    // Letters never get in; 007 is 7.
    Type(IpSettingsPage::kOctetIds[5], "25a5");
    EXPECT_EQ(page.Octet(5)->text(), "255");
    Type(IpSettingsPage::kOctetIds[9], "168");
    Type(IpSettingsPage::kOctetIds[12], "9");
    Type(IpSettingsPage::kOctetIds[13], "007");
    Click(IDC_NEXT);
    EXPECT_EQ(record.info.Get(DeviceInfo::subnetMask), (Ipv4Address{255, 255, 255, 0}));
    EXPECT_EQ(record.info.Get(DeviceInfo::gateway), (Ipv4Address{192, 168, 0, 1}));
    EXPECT_EQ(record.info.Get(DeviceInfo::primaryDns), (Ipv4Address{9, 7, 0, 0}));
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Next}));
}

// The values that lost a camera: an emptied address, a mask with a gap and a gateway of
// another network. Each is refused in turn with its own message, its part focused and selected,
// and the record is written only once all pass.
TEST_F(IpPage, AnAddressTheCameraCouldNotBeReachedAtIsRefusedPartByPart)
{
    const auto row = [this](size_t first, const char* dotted) {
        const QStringList parts = QString::fromLatin1(dotted).split('.');
        for (size_t i = 0; i < 4; ++i)
            page.Octet(first + i)->setText(parts[static_cast<qsizetype>(i)]);
    };
    row(0, "...");
    row(4, "255.0.255.0");
    row(8, "172.20.0.1");
    const CameraRecord before = record;
    const struct
    {
        size_t octet;
        int message;
        std::function<void()> mend;
    } steps[] = {
        {0, 51103, [&] { row(0, "192.168.0.255"); }}, {6, 51104, [&] { row(4, "255.255.255.254"); }},
        {7, 51114, [&] { row(4, "255.255.255.0"); }}, {3, 51111, [&] { row(0, "192.168.0.20"); }},
        {8, 51112, [&] { row(8, "192.168.0.20"); }},  {11, 51115, [&] { row(8, "192.168.0.1"); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.message);
        answers.shown.clear();
        Click(IDC_NEXT);
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].message, SkinString(&strings, step.message));
        EXPECT_FALSE(answers.shown[0].message.isEmpty());
        EXPECT_EQ(page.focusWidget(), page.Octet(step.octet));
        EXPECT_EQ(page.Octet(step.octet)->selectedText(), page.Octet(step.octet)->text());
        EXPECT_TRUE(std::ranges::equal(record.info.Raw(), before.info.Raw()));
        step.mend();
    }
    Click(IDC_NEXT);
    EXPECT_EQ(record.info.Get(DeviceInfo::ipAddress), (Ipv4Address{192, 168, 0, 20}));
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Next}));
}

// Back is the way to DHCP: it refuses only a part the record cannot hold and writes the rest as
// typed, whatever Next would say of it.
TEST_F(IpPage, BackRefusesOnlyWhatTheRecordCannotHold)
{
    page.Octet(5)->setText("0");   // mask 255.0.255.0
    page.Octet(8)->setText("172"); // a gateway outside the network
    page.Octet(12)->clear();
    Click(IDC_BACK);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].message, SkinString(&strings, 51103));
    EXPECT_EQ(page.focusWidget(), page.Octet(12));
    page.Octet(12)->setText("8");
    Click(IDC_BACK);
    EXPECT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(record.info.Get(DeviceInfo::subnetMask), (Ipv4Address{255, 0, 255, 0}));
    EXPECT_EQ(record.info.Get(DeviceInfo::gateway), (Ipv4Address{172, 168, 0, 1}));
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Back}));
}

TEST_F(IpPage, DotMovesToTheNextPartAndAPastedAddressFillsItsRow)
{
    for (size_t i = 0; i < 4; ++i)
        page.Octet(i)->clear();
    page.Octet(0)->setFocus(Qt::TabFocusReason);
    // Typed where the focus is, as a user types: "." in an empty part stays put.
    for (const QChar c : QStringLiteral(".10.20..30.41."))
        QTest::keyClick(page.focusWidget(), c.toLatin1());
    EXPECT_EQ(page.Octet(0)->text(), "10");
    EXPECT_EQ(page.Octet(1)->text(), "20");
    EXPECT_EQ(page.Octet(2)->text(), "30");
    EXPECT_EQ(page.Octet(3)->text(), "41");
    EXPECT_EQ(page.focusWidget(), page.Octet(3));

    QGuiApplication::clipboard()->setText(QStringLiteral(" 255.255.0.0\n"));
    QTest::keyClick(page.Octet(6), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.Octet(4)->text(), "255");
    EXPECT_EQ(page.Octet(5)->text(), "255");
    EXPECT_EQ(page.Octet(6)->text(), "0");
    EXPECT_EQ(page.Octet(7)->text(), "0");
    EXPECT_EQ(page.Octet(8)->text(), "192") << "the next row is left alone";
    // Anything but a whole address pastes as before: digits only, into the one part.
    QGuiApplication::clipboard()->setText(QStringLiteral("1.2.3"));
    QTest::keyClick(page.Octet(8), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.Octet(8)->text(), "192");
}

// camtivo-cli prints the same words the wizard shows in English.
TEST_F(IpPage, TheCommandLinesTextsAreTheEnglishPacks)
{
    for (int n = kMsgOctetRange; n <= kMsgLastIpMessage; ++n)
        EXPECT_EQ(SkinString(&strings, n).toStdString(), IpMessageEnglish(n)) << n;
}

TEST_F(IpPage, TheSidePanelShowsTheRecordsDeviceText)
{
    record.info.Set(DeviceInfo::deviceText, "IPCam 2.0");
    page.LoadFromRecord(&record);
    EXPECT_EQ(page.Item<ValueField>(SettingPage::IDC_CAMERA_LABEL)->text(), "IPCam 2.0");
}

// Next refuses an address another camera of the search or this computer holds, naming it, with
// the focus on the address; the camera's own address passes, and Back is never held up.
TEST_F(IpPage, AnAddressAnotherDeviceHoldsIsRefusedOnNextWithTheFocusOnIt)
{
    OwnedList<CameraRecord> found;
    CameraRecord* garden = found.EmplaceTail();
    garden->info.Set(DeviceInfo::macAddress, {0x00, 0x50, 0xc2, 0x10, 0x20, 0x02});
    garden->info.Set(DeviceInfo::cameraName, "Garden");
    garden->info.Set(DeviceInfo::ipAddress, {192, 168, 0, 21});
    record.identity.FillFrom(record.info); // it answered from 192.168.0.3
    page.SetClashCheck([&found](const Ipv4Address& wanted, const CameraRecord& camera) {
        return FindAddressClash(wanted, camera, found, {{192, 168, 0, 5}});
    });
    const CameraRecord before = record;
    const std::pair<const char*, const char*> refused[] = {
        {"21", "192.168.0.21 is used by Garden, 00:50:c2:10:20:02"},
        {"5", "192.168.0.5 is an address of this computer"},
    };
    for (const auto& [last, message] : refused) {
        page.Octet(3)->setText(QString::fromLatin1(last));
        page.Octet(12)->setFocus();
        Click(IDC_NEXT);
        ASSERT_FALSE(answers.shown.empty());
        EXPECT_EQ(answers.shown.back().message, QString::fromLatin1(message));
        EXPECT_EQ(answers.shown.back().button1, SkinString(&strings, 51101));
        EXPECT_EQ(page.focusWidget(), page.Octet(0));
    }
    EXPECT_TRUE(std::ranges::equal(record.info.Raw(), before.info.Raw()));
    EXPECT_TRUE(Received().empty());
    Click(IDC_BACK);
    page.Octet(3)->setText("3");
    Click(IDC_NEXT);
    EXPECT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Back, Request::Next}));
}

TEST_F(SummaryPageTest, ShowsTheRecordAndSavesOnlyWhenTheSecondButtonIsChosen)
{
    using D = SummaryPage;
    page.SetSecurityTexts({"None", "WEP 64", "WEP 128", "WPA"});
    page.LoadFromRecord(&record);
    EXPECT_EQ(page.Field(D::IDC_NAME)->text(), "Lobby");
    EXPECT_EQ(page.Field(D::IDC_IP_ADDRESS)->text(), "192.168.0.3");
    EXPECT_EQ(page.Field(D::IDC_GATEWAY)->text(), "192.168.0.1");
    // With DHCP the old fixed addresses are not what will be used.
    record.info.Set(DeviceInfo::dhcpEnable, 1);
    page.LoadFromRecord(&record);
    for (const int id : {D::IDC_IP_ADDRESS, D::IDC_SUBNET_MASK, D::IDC_GATEWAY})
        EXPECT_EQ(page.Field(id)->text(), SkinString(&strings, D::kTextFromDhcp)) << id;
    EXPECT_FALSE(SkinString(&strings, D::kTextFromDhcp).isEmpty());
    EXPECT_EQ(ClippedTexts(page), std::vector<std::string>{});
    SavePng(page.grab().toImage(), QStringLiteral("page_summary_dhcp.png"));
    EXPECT_EQ(page.Field(D::IDC_TIME)->text(), "00:30:59");
    EXPECT_EQ(page.Field(D::IDC_MAC_ADDRESS)->text(), "00:0a:b3:04:c5:0f");
    EXPECT_EQ(page.Field(D::IDC_SECURITY)->text(), "WEP 64");

    // First button, then Escape (0): nothing; the second button asks the frame to save.
    answers.SetNextAnswer(1);
    answers.SetNextAnswer(0);
    answers.SetNextAnswer(2);
    for (int i = 0; i < 3; ++i)
        Click(IDC_NEXT);
    ASSERT_EQ(answers.shown.size(), 3u);
    EXPECT_EQ(answers.shown[0].kind, 3);
    EXPECT_EQ(answers.shown[0].message, SkinString(&strings, 51201));
    EXPECT_EQ(answers.shown[0].button1, SkinString(&strings, 51221)) << "Cancel";
    EXPECT_EQ(answers.shown[0].button2, SkinString(&strings, 51220)) << "Save";
    EXPECT_EQ(Received(), (std::vector<Request>{Request::Save}));
}

// Return presses the focused button; from any other control it presses Next; Escape and a
// held key's repeats press nothing.
TEST_F(NetworkPage, ReturnPressesTheFocusedButtonOrElseNext)
{
    QWidget* back = page.Control(IDC_BACK);
    back->setFocus(Qt::TabFocusReason);
    QTest::keyClick(page.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Back}));
    page.FocusOnArrival();
    ASSERT_EQ(page.focusWidget(), page.Control(NetworkModePage::IDC_DHCP)) << "the checked choice";
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(page.focusWidget(), &repeat);
    QTest::keyClick(page.focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(Take().empty());
    QTest::keyClick(page.focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Next}));
    EXPECT_TRUE(page.isVisible());
}

TEST_F(BasicPage, ArrivingFocusesTheFirstFieldAndReturnThereChecksAndGoesOn)
{
    page.FocusOnArrival();
    ASSERT_EQ(page.focusWidget(), Edit(BasicSettingsPage::IDC_NAME));
    Edit(BasicSettingsPage::IDC_MINUTE)->clear();
    QTest::keyClick(page.focusWidget(), Qt::Key_Return);
    ASSERT_EQ(answers.shown.size(), 1u) << "Next's check ran";
    EXPECT_EQ(page.focusWidget(), Edit(BasicSettingsPage::IDC_MINUTE));
    EXPECT_TRUE(Take().empty());
}

// The save question over the summary: Tab from Cancel to OK and Return saves.
TEST_F(SummaryPageTest, ReturnAnswersTheSaveQuestionWithTheFocusedButton)
{
    page.FocusOnArrival();
    ASSERT_EQ(page.focusWidget(), page.Control(IDC_NEXT)) << "a page without fields focuses Next";
    const SkinnedMessageHook answering = SetSkinnedMessageHook({}); // the real box
    int boxes = 0;
    QTimer::singleShot(0, &page, [&boxes] {
        QWidget* box = QApplication::activeModalWidget();
        boxes += box != nullptr;
        box->activateWindow(); // the focus starts on Cancel, the first button
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(box->focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(page.focusWidget(), Qt::Key_Return);
    SetSkinnedMessageHook(answering);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Save}));
}

namespace {

// The longest values the record's fields hold, in wide letters where a user would type them.
CameraRecord LongestRecord()
{
    CameraRecord record = SampleRecord();
    DeviceInfo& info = record.info;
    info.Set(DeviceInfo::cameraName, "Warehouse-North7");
    info.Set(DeviceInfo::description, "Loading bay, north wall, door 12");
    info.Set(DeviceInfo::timeZone, 24);
    info.Set(DeviceInfo::date, "12/28/2099");
    info.Set(DeviceInfo::time, "23:58:00");
    for (auto field : {DeviceInfo::ipAddress, DeviceInfo::subnetMask, DeviceInfo::gateway,
                       DeviceInfo::primaryDns, DeviceInfo::secondaryDns})
        info.Set(field, {255, 255, 255, 128});
    return record;
}

template <class P> void ExpectLongestValuesFit(const char* png)
{
    PageHost host;
    ASSERT_TRUE(host.LoadEnglish());
    P page;
    page.SetTestMode(true);
    host.Host(page);
    CameraRecord record = LongestRecord();
    page.LoadFromRecord(&record);
    EXPECT_EQ(ClippedTexts(page), std::vector<std::string>{});
    SavePng(page.grab().toImage(), QString::fromLatin1(png));
}

} // namespace

TEST(SettingPagesLook, TheLongestValuesFitOnEveryPage)
{
    ExpectLongestValuesFit<BasicSettingsPage>("page_basic_settings.png");
    ExpectLongestValuesFit<NetworkModePage>("page_network_settings.png");
    ExpectLongestValuesFit<IpSettingsPage>("page_ip_settings.png");
    ExpectLongestValuesFit<SummaryPage>("page_summary.png");
    ExpectLongestValuesFit<SuccessPage>("page_success.png");
}
