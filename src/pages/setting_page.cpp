#include "pages/setting_page.h"

#include "device/core/camera_data.h"
#include "pages/core/settings_change.h"
#include "pages/flat_combo_look.h"
#include "pages/page_controls.h"
#include "pages/page_layout.h"
#include "platform/core/code_page.h"
#include "skin/hover_button_ex.h"
#include "skin/msg_button.h"
#include "skin/page_frame_layout.h"
#include "skin/value_field.h"

CSettingPage::CSettingPage(const QString& section, int backgroundNumber, QWidget* parent)
    : CBmpDialog(parent), next_(AddControl<CHoverButtonEx>(IDC_NEXT, page_frame_layout::kNextButton)),
      back_(AddControl<CHoverButtonEx>(IDC_BACK, page_frame_layout::kBackButton)),
      close_(AddControl<CHoverButtonEx>(IDC_CLOSE, page_frame_layout::kCloseButton)),
      loadSkin_(AddControl<CMsgButton>(IDC_LOAD_SKIN, page_frame_layout::kLoadSkinButton)),
      cameraLabel_(new CValueField(this, page_layout::kCameraLabel, CValueField::Kind::Elide))
{
    SetSkinSection(section, backgroundNumber);
    setStyleSheet(SettingPageStyleSheet());
    RegisterControl(IDC_CAMERA_LABEL, cameraLabel_);
    // Enter belongs to the page (it is swallowed), never to a default button.
    for (CHoverButtonEx* button : {next_, back_, close_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

bool CSettingPage::OnInitDialog()
{
    CBmpDialog::OnInitDialog();
    CFlatComboLook::Apply(this);
    loadSkin_->ApplyLoadSkinStyle(QStringLiteral("Load Skin"));
    loadSkin_->setVisible(IsTestMode());
    return true;
}

void CSettingPage::ApplySkin()
{
    ApplyPageButtonSkin(*close_, QStringLiteral("Close"));
    ApplyPageButtonSkin(*back_, QStringLiteral("Back"));
    ApplyPageButtonSkin(*next_, QStringLiteral("Next"));
}

void CSettingPage::SaveChange(const SettingsChange& change) const
{
    if (record_ != nullptr)
        change.Apply(record_->info);
}

void CSettingPage::LoadFromRecord(CCameraDataObj* record)
{
    record_ = record;
    if (record != nullptr)
        ShowCameraLabel(QString::fromStdU16String(ToWide(record->info.Get(DeviceInfo::cameraName))));
}

void CSettingPage::ShowCameraLabel(const QString& name)
{
    cameraLabel_->SetValue(name);
}
