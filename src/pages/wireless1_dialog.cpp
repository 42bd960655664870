#include "pages/wireless1_dialog.h"

#include "pages/caption_radio_button.h"
#include "pages/core/settings_change.h"
#include "pages/wireless_layout.h"

CWireless1Dialog::CWireless1Dialog(QWidget* parent)
    : CSettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      wireless_(AddControl<CCaptionRadioButton>(IDC_WIRELESS, wireless_layout::kWirelessChoice)),
      wired_(AddControl<CCaptionRadioButton>(IDC_WIRED, wireless_layout::kWiredChoice))
{
}

void CWireless1Dialog::SaveToRecord()
{
    SettingsChange change;
    change.wireless.wireless = !wired_->isChecked();
    SaveChange(change);
}

bool CWireless1Dialog::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK)
        SaveToRecord();
    return CSettingPage::OnCommand(id);
}
