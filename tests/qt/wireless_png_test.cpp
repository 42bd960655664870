// Renders the licence, information and wireless pages with the English pack into <build>/png/
// for review, the security page once per security type.
#include "pages/info_pages.h"
#include "pages/license_page.h"
#include "pages/wireless_mode_page.h"
#include "pages/wireless_network_page.h"
#include "pages/wireless_security_page.h"
#include "wireless_page_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace wireless_test;

namespace {

class PagePngTest : public PageTest
{
protected:
    template <class Page> Page& Shoot(const QString& name)
    {
        Page& page = Create<Page>(true);
        Save(page, name);
        return page;
    }
    void Save(SkinnedDialog& page, const QString& name)
    {
        QCoreApplication::processEvents();
        const QImage shot = page.grab().toImage();
        SavePng(shot, name);
        // The pack's art is under the page: the header band is the accent colour.
        EXPECT_EQ(page.Canvas().pixelColor(300, 5), QColor(100, 122, 208)) << name.toStdString();
        EXPECT_EQ(page.Canvas().pixelColor(80, 80), QColor(0xF4, 0xF6, 0xFB)) << name.toStdString();
    }
};

} // namespace

TEST_F(PagePngTest, LicenceAndInformationPages)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(DemoDir());
    Shoot<LicensePage>(QStringLiteral("license_page.png"));
    QDir::setCurrent(previous);
    Shoot<BeforeYouStartPage>(QStringLiteral("info1_page.png"));
    Shoot<WhatChangesPage>(QStringLiteral("info2_page.png"));
    Shoot<CameraMissingPage>(QStringLiteral("info3_page.png"));
    Shoot<AfterSavingPage>(QStringLiteral("info4_page.png"));
}

TEST_F(PagePngTest, WirelessPages)
{
    auto& connection = Create<WirelessModePage>(true);
    QTest::mouseClick(connection.Control(WirelessModePage::IDC_WIRELESS), Qt::LeftButton, {}, QPoint(8, 12));
    Save(connection, QStringLiteral("wireless1_page.png"));

    auto& network = Create<WirelessNetworkPage>(true);
    QTest::keyClicks(network.Item<QLineEdit>(WirelessNetworkPage::IDC_SSID), "Home network");
    network.Item<QComboBox>(WirelessNetworkPage::IDC_CHANNEL)->setCurrentIndex(5);
    Save(network, QStringLiteral("wireless2_page.png"));
}

TEST_F(PagePngTest, SecurityPageInEachType)
{
    camera.info.Set(DeviceInfo::security, 1);
    auto& page = Create<WirelessSecurityPage>(true);
    page.LoadFromRecord(&camera);
    auto* list = page.Item<QComboBox>(WirelessSecurityPage::IDC_SECURITY_TYPE);
    const char* names[] = {"none", "wep64", "wep128", "wpa"};
    for (int index = 0; index < 4; ++index) {
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        if (index == 1)
            QTest::keyClicks(page.Item<QLineEdit>(WirelessSecurityPage::IDC_WEP_PASSPHRASE), "secret");
        if (index == 2)
            QTest::keyClicks(page.Item<QLineEdit>(WirelessSecurityPage::IDC_WEP_KEY),
                             "00112233445566778899aabbcc");
        if (index == 3)
            QTest::keyClicks(page.Item<QLineEdit>(WirelessSecurityPage::IDC_WPA_PASSPHRASE), "correct horse");
        Save(page, QStringLiteral("wireless3_page_%1.png").arg(QLatin1String(names[index])));
    }
}
