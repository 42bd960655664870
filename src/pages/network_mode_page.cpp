#include "pages/network_mode_page.h"

#include "device/core/camera_record.h"
#include "pages/caption_radio_button.h"
#include "pages/core/setting_rules.h"
#include "pages/core/settings_change.h"
#include "pages/page_layout.h"

namespace {

// Each choice is its whole card of the page's art (caption and help, both the skin's), so a
// click anywhere on the card selects it. The indicator stays beside the caption's line.
constexpr QRect kFixedChoice{181, 95, 379, 61};
constexpr QRect kDhcpChoice{181, 167, 379, 61};
const QString kCardLook =
    QStringLiteral("QRadioButton { padding: 9px 0 0 7px; }"
                   "QRadioButton::indicator { subcontrol-origin: content; subcontrol-position: top left; }");

} // namespace

NetworkModePage::NetworkModePage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      fixed_(AddControl<CaptionRadioButton>(IDC_FIXED, kFixedChoice)),
      dhcp_(AddControl<CaptionRadioButton>(IDC_DHCP, kDhcpChoice))
{
    for (QRadioButton* card : {fixed_, dhcp_})
        card->setStyleSheet(kCardLook);
}

void NetworkModePage::LoadFromRecord(CameraRecord* record)
{
    SettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    // The fixed flag alone decides what shows; saving then writes both flags as opposites.
    (UsesFixedAddress(record->info) ? fixed_ : dhcp_)->setChecked(true);
}

void NetworkModePage::SaveToRecord()
{
    if (!fixed_->isChecked() && !dhcp_->isChecked())
        return;
    SettingsChange change;
    change.dhcp = dhcp_->isChecked();
    SaveChange(change);
}

bool NetworkModePage::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK)
        SaveToRecord();
    return SettingPage::OnCommand(id);
}
