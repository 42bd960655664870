// Wireless pages 1 and 2: what Next and Back store for what the user chose or typed.
#include "pages/wireless_mode_page.h"
#include "pages/wireless_network_page.h"
#include "wireless_page_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace wireless_test;

namespace {

using WirelessPagesTest = PageTest;

} // namespace

TEST_F(WirelessPagesTest, ConnectionPageStoresWirelessUnlessWiredIsChecked)
{
    struct Case
    {
        int click; // 0: nothing checked
        int button;
        int mode;
    };
    const Case cases[] = {
        {0, IDC_NEXT, 1},
        {WirelessModePage::IDC_WIRED, IDC_NEXT, 0},
        {WirelessModePage::IDC_WIRELESS, IDC_BACK, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        camera.info.Set(DeviceInfo::wirelessMode, 7);
        auto& page = Create<WirelessModePage>();
        page.LoadFromRecord(&camera);
        EXPECT_FALSE(page.Item<QRadioButton>(WirelessModePage::IDC_WIRED)->isChecked());
        EXPECT_FALSE(page.Item<QRadioButton>(WirelessModePage::IDC_WIRELESS)->isChecked());
        if (c.click != 0)
            QTest::mouseClick(page.Control(c.click), Qt::LeftButton, {}, QPoint(8, 12));
        page.Command(c.button);
        EXPECT_EQ(camera.info.Get(DeviceInfo::wirelessMode), c.mode);
        EXPECT_EQ(Take(), std::vector<Request>{c.button == IDC_NEXT ? Request::Next : Request::Back});
    }
}

TEST_F(WirelessPagesTest, NetworkPageStoresNameAndChannel)
{
    auto& page = Create<WirelessNetworkPage>();
    page.LoadFromRecord(&camera);
    camera.info.Set(DeviceInfo::channel, 6);
    auto* ssid = page.Item<QLineEdit>(WirelessNetworkPage::IDC_SSID);
    auto* channel = page.Item<QComboBox>(WirelessNetworkPage::IDC_CHANNEL);
    EXPECT_EQ(channel->currentIndex(), -1);
    EXPECT_EQ(channel->count(), 11);

    // Nothing chosen: an empty name and channel 0.
    camera.info.Set(DeviceInfo::ssid, "old");
    page.Command(IDC_NEXT);
    EXPECT_EQ(camera.info.Get(DeviceInfo::ssid), "");
    EXPECT_EQ(camera.info.Get(DeviceInfo::channel), 0);

    QTest::keyClicks(ssid, QString(40, QLatin1Char('n')));
    EXPECT_EQ(ssid->text().size(), 32) << "the edit takes no more";
    channel->setFocus();
    QTest::keyClick(channel, Qt::Key_End);
    EXPECT_EQ(channel->currentText(), "11");
    page.Command(IDC_BACK);
    EXPECT_EQ(camera.info.Get(DeviceInfo::ssid), std::string(32, 'n'));
    EXPECT_EQ(camera.info.Get(DeviceInfo::channel), 11);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Next, Request::Back}));
}

TEST_F(WirelessPagesTest, WithoutARecordNextStillSteps)
{
    auto& page = Create<WirelessNetworkPage>();
    page.Command(IDC_NEXT);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Next}));
}
