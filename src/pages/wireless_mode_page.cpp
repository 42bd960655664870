#include "pages/wireless_mode_page.h"

#include "pages/caption_radio_button.h"
#include "pages/core/settings_change.h"
#include "pages/wireless_layout.h"

WirelessModePage::WirelessModePage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      wireless_(AddControl<CaptionRadioButton>(IDC_WIRELESS, wireless_layout::kWirelessChoice)),
      wired_(AddControl<CaptionRadioButton>(IDC_WIRED, wireless_layout::kWiredChoice))
{
}

void WirelessModePage::SaveToRecord()
{
    SettingsChange change;
    change.wireless.wireless = !wired_->isChecked();
    SaveChange(change);
}

bool WirelessModePage::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK)
        SaveToRecord();
    return SettingPage::OnCommand(id);
}
