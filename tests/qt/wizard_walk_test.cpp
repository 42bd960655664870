// A user's whole way through the wizard in test mode, by clicks and typing only: search, login,
// the setting pages, the save question, the success message; the camera file then holds what
// was typed. Each page is saved as a PNG on the way.
#include "device_ui/password_dialog.h"
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
    static bool WaitForStep(CCamtivoDlg& wizard, int step)
    {
        return SpinUntil([&] { return wizard.ShownStep() == step; });
    }

    // Chooses a camera by name on the search page and logs in to it.
    static void LogInTo(CCamtivoDlg& wizard, const QString& name, const QString& login,
                        const QString& password)
    {
        QTreeWidget* tree = wizard.SearchPage().Tree();
        const QList<QTreeWidgetItem*> items = tree->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
        WhenModal<CPassWordDialog>([=](CPassWordDialog& dialog) {
            Type(dialog, CPassWordDialog::IDC_LOGIN_NAME, login);
            Type(dialog, CPassWordDialog::IDC_LOGIN_PASSWORD, password);
            Click(dialog, CPassWordDialog::IDC_LOGIN_OK);
        });
        Click(wizard.SearchPage(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 2));
    }

    static void SavePage(CCamtivoDlg& wizard, const char* name)
    {
        SavePng(wizard.grab().toImage(), QStringLiteral("wizard_%1.png").arg(QLatin1String(name)));
    }

    // The camera of that name as the camera file holds it now.
    const CCameraDataObj* SavedRecord(const char* name)
    {
        ReadTestFile(std::filesystem::path(u"Camtivo.tst"), saved);
        for (const CCameraDataObj* camera : saved) {
            if (camera->info.Get(DeviceInfo::cameraName) == name)
                return camera;
        }
        return nullptr;
    }

    CCameraList saved;
};

} // namespace

TEST_F(WizardWalk, AFixedAddressIsTypedSavedAndWrittenToTheCameraFile)
{
    InstallPack();
    answers.SetNextAnswer(2); // the save question: save
    const int result = Run(QStringLiteral("camtivo /testmode"), [&](CCamtivoDlg& wizard) {
        StartSearch(wizard);
        LogInTo(wizard, "Warehouse", "operator", "lens42");
        CBasicSettingDialog& basic = wizard.BasicPage();
        ASSERT_TRUE(basic.isVisible());
        Type(basic, CBasicSettingDialog::IDC_NAME, "Warehouse-2");
        Type(basic, CBasicSettingDialog::IDC_HOUR, "7");
        Type(basic, CBasicSettingDialog::IDC_MINUTE, "05");
        basic.Item<QComboBox>(CBasicSettingDialog::IDC_HALF_DAY)->setCurrentIndex(1);
        SavePage(wizard, "2_basic");
        Click(basic, IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        SavePage(wizard, "3_network");
        QTest::mouseClick(wizard.NetworkPage().GetDlgItem(CNetworkSettingDialog::IDC_FIXED), Qt::LeftButton);
        Click(wizard.NetworkPage(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 4));
        const int address[] = {1074, 1075, 1078, 1080};
        const char* octets[] = {"10", "20", "30", "99"};
        for (int i = 0; i < 4; ++i)
            Type(wizard.IpPage(), address[i], octets[i]);
        SavePage(wizard, "4_ip");
        Click(wizard.IpPage(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        // Back from the summary of a fixed address returns to the address page, and on again.
        Click(wizard.SummaryPage(), IDC_BACK);
        ASSERT_TRUE(WaitForStep(wizard, 4));
        Click(wizard.IpPage(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        EXPECT_EQ(wizard.SummaryPage().Field(CNewSettingDialog::IDC_IP_ADDRESS)->text(), "10.20.30.99");
        SavePage(wizard, "5_summary");
        Click(wizard.SummaryPage(), IDC_NEXT);
        SpinUntil([&] { return !wizard.isVisible(); });
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Kinds(), (std::vector<int>{3, 4})); // the question, then success
    const CCameraDataObj* camera = SavedRecord("Warehouse-2");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->info.Get(DeviceInfo::time), "19:05:00");
    EXPECT_EQ(camera->info.Get(DeviceInfo::ipAddress), (Ipv4Address{10, 20, 30, 99}));
    EXPECT_EQ(camera->info.Get(DeviceInfo::dhcpEnable), 0);
}

TEST_F(WizardWalk, DhcpPassesOverTheAddressPageBothWays)
{
    InstallPack();
    answers.SetNextAnswer(1); // the save question: cancel
    Run(QStringLiteral("camtivo /testmode"), [&](CCamtivoDlg& wizard) {
        StartSearch(wizard);
        LogInTo(wizard, "Front-Door", "admin", "qzpvm");
        // The page arrives with the focus in its first field, where Return is Next; the demo
        // camera's own values pass untouched.
        QWidget* name = wizard.BasicPage().GetDlgItem(CBasicSettingDialog::IDC_NAME);
        EXPECT_EQ(wizard.BasicPage().focusWidget(), name);
        QTest::keyClick(name, Qt::Key_Return);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        EXPECT_TRUE(wizard.NetworkPage().Item<QRadioButton>(CNetworkSettingDialog::IDC_DHCP)->isChecked());
        Click(wizard.NetworkPage(), IDC_NEXT);
        ASSERT_TRUE(WaitForStep(wizard, 5));
        EXPECT_EQ(wizard.SummaryPage().Field(CNewSettingDialog::IDC_IP_ADDRESS)->text(),
                  SkinString(&wizard.PackStrings(), CNewSettingDialog::kTextFromDhcp));
        Click(wizard.SummaryPage(), IDC_NEXT); // asked, not saved: the page stays
        QCoreApplication::processEvents();
        EXPECT_EQ(wizard.ShownStep(), 5);
        Click(wizard.SummaryPage(), IDC_BACK);
        ASSERT_TRUE(WaitForStep(wizard, 3));
        EXPECT_TRUE(wizard.NetworkPage().isVisible());
        EXPECT_FALSE(wizard.IpPage().isVisible());
    });
    EXPECT_EQ(Kinds(), (std::vector<int>{3}));
}
