#include "pages/network_setting_dialog.h"

#include "device/core/camera_data.h"
#include "pages/caption_radio_button.h"
#include "pages/core/setting_rules.h"
#include "pages/page_layout.h"

namespace {

// Each choice is a row as wide as its caption; the help under the caption is the skin's.
constexpr QRect kFixedChoice{188, 101, 369, 22};
constexpr QRect kDhcpChoice{188, 173, 369, 22};

} // namespace

CNetworkSettingDialog::CNetworkSettingDialog(QWidget* parent)
    : CSettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      fixed_(AddControl<CCaptionRadioButton>(IDC_FIXED, kFixedChoice)),
      dhcp_(AddControl<CCaptionRadioButton>(IDC_DHCP, kDhcpChoice))
{
}

void CNetworkSettingDialog::LoadFromRecord(CCameraDataObj* record)
{
    CSettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    // The fixed flag alone decides what shows; saving then writes both flags as opposites.
    (UsesFixedAddress(record->info) ? fixed_ : dhcp_)->setChecked(true);
}

void CNetworkSettingDialog::SaveToRecord()
{
    CCameraDataObj* record = Record();
    if (record == nullptr || (!fixed_->isChecked() && !dhcp_->isChecked()))
        return;
    WriteNetworkMode(fixed_->isChecked(), record->info);
}

bool CNetworkSettingDialog::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK)
        SaveToRecord();
    return CSettingPage::OnCommand(id);
}
