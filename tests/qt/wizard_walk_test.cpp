// A user's whole way through the wizard in test mode, by clicks and typing only: search, login,
// the setting pages, the save question, the success message; the camera file then holds what
// was typed. Each page is saved as a PNG on the way.
#include "device_ui/login_dialog.h"
#include "frame_fixture.h"
#include "page_input.h"
#include "skin/skin_draw.h"
#include "skin/value_field.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace frame_test;
using test_input::Click;
using test_input::Type;

namespace {

class WizardWalk : public FrameTest
{
protected:
    static bool WaitForStep(WizardFrame& wizard, int step)
    {
        return SpinUntil([&] { return wizard.ShownStep() == step; });
    }

    // Chooses a camera by name on the search page and logs in to it.
    static void LogInTo(WizardFrame& wizard, const QString& name, const QString& login,
                        const QString& password)
    {
        QTreeWidget* tree = wizard.Search().Tree();
        const QList<QTreeWidgetItem*> items = tree->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
        WhenModal<LoginDialog>([=](LoginDialog& dialog) {
            Type(dialog, LoginDialog::IDC_LOGIN_NAME, login);
            Type(dialog, LoginDialog::IDC_LOGIN_PASSWORD, password);
            Click(dialog, LoginDialog::IDC_LOGIN_OK);
        });
        Click(wizard.Search(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 2));
    }

    static void SavePage(WizardFrame& wizard, const char* name)
    {
        SavePng(wizard.grab().toImage(), QStringLiteral("wizard_%1.png").arg(QLatin1String(name)));
    }

    // The camera of that name as the camera file holds it now.
    const CameraRecord* SavedRecord(const char* name)
    {
        ReadTestFile(std::filesystem::path(u"Camtivo.tst"), saved);
        for (const CameraRecord* camera : saved) {
            if (camera->info.Get(DeviceInfo::cameraName) == name)
                return camera;
        }
        return nullptr;
    }

    CameraList saved;
};

} // namespace

TEST_F(WizardWalk, AFixedAddressIsTypedSavedAndWrittenToTheCameraFile)
{
    InstallPack();
    answers.SetNextAnswer(2); // the save question: save
    const int result = Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        LogInTo(wizard, "Warehouse", "operator", "lens42");
        BasicSettingsPage& basic = wizard.Basic();
        ASSERT_TRUE(basic.isVisible());
        Type(basic, BasicSettingsPage::IDC_NAME, "Warehouse-2");
        Type(basic, BasicSettingsPage::IDC_HOUR, "7");
        Type(basic, BasicSettingsPage::IDC_MINUTE, "05");
        basic.Item<QComboBox>(BasicSettingsPage::IDC_HALF_DAY)->setCurrentIndex(1);
        SavePage(wizard, "2_basic");
        Click(basic, IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        SavePage(wizard, "3_network");
        QTest::mouseClick(wizard.Network().Control(NetworkModePage::IDC_FIXED), Qt::LeftButton);
        Click(wizard.Network(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 4));
        const int address[] = {1074, 1075, 1078, 1080};
        const char* octets[] = {"10", "20", "30", "99"};
        for (int i = 0; i < 4; ++i)
            Type(wizard.Ip(), address[i], octets[i]);
        SavePage(wizard, "4_ip");
        Click(wizard.Ip(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        // Back from the summary of a fixed address returns to the address page, and on again.
        Click(wizard.Summary(), IDC_BACK);
        ASSERT_TRUE(WaitForStep(wizard, 4));
        Click(wizard.Ip(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        EXPECT_EQ(wizard.Summary().Field(SummaryPage::IDC_IP_ADDRESS)->text(), "10.20.30.99");
        SavePage(wizard, "5_summary");
        Click(wizard.Summary(), IDC_NEXT);
        SpinUntil([&] { return !wizard.isVisible(); });
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Kinds(), (std::vector<int>{3, 4})); // the question, then success
    const CameraRecord* camera = SavedRecord("Warehouse-2");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->info.Get(DeviceInfo::time), "19:05:00");
    EXPECT_EQ(camera->info.Get(DeviceInfo::ipAddress), (Ipv4Address{10, 20, 30, 99}));
    EXPECT_EQ(camera->info.Get(DeviceInfo::dhcpEnable), 0);
}

TEST_F(WizardWalk, DhcpPassesOverTheAddressPageBothWays)
{
    InstallPack();
    answers.SetNextAnswer(1); // the save question: cancel
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        LogInTo(wizard, "Front-Door", "admin", "qzpvm");
        // The page arrives with the focus in its first field, where Return is Next; the demo
        // camera's own values pass untouched.
        QWidget* name = wizard.Basic().Control(BasicSettingsPage::IDC_NAME);
        EXPECT_EQ(wizard.Basic().focusWidget(), name);
        QTest::keyClick(name, Qt::Key_Return);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        EXPECT_TRUE(wizard.Network().Item<QRadioButton>(NetworkModePage::IDC_DHCP)->isChecked());
        Click(wizard.Network(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        EXPECT_EQ(wizard.Summary().Field(SummaryPage::IDC_IP_ADDRESS)->text(),
                  SkinString(&wizard.PackStrings(), SummaryPage::kTextFromDhcp));
        Click(wizard.Summary(), IDC_NEXT); // asked, not saved: the page stays
        QCoreApplication::processEvents();
        EXPECT_EQ(wizard.ShownStep(), 5);
        Click(wizard.Summary(), IDC_BACK);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        EXPECT_TRUE(wizard.Network().isVisible());
        EXPECT_FALSE(wizard.Ip().isVisible());
    });
    EXPECT_EQ(Kinds(), (std::vector<int>{3}));
}
