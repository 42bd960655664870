#include "pages/setting_page.h"

#include "device/core/camera_record.h"
#include "pages/core/settings_change.h"
#include "pages/flat_combo_look.h"
#include "pages/page_controls.h"
#include "pages/page_layout.h"
#include "platform/core/code_page.h"
#include "skin/bitmap_button.h"
#include "skin/page_frame_layout.h"
#include "skin/skin_draw.h"
#include "skin/text_button.h"
#include "skin/value_field.h"
#include "skin/window_accessible.h"

SettingPage::SettingPage(const QString& section, int backgroundNumber, QWidget* parent)
    : SkinnedDialog(parent), next_(AddControl<BitmapButton>(IDC_NEXT, page_frame_layout::kNextButton)),
      back_(AddControl<BitmapButton>(IDC_BACK, page_frame_layout::kBackButton)),
      close_(AddControl<BitmapButton>(IDC_CLOSE, page_frame_layout::kCloseButton)),
      loadSkin_(AddControl<TextButton>(IDC_LOAD_SKIN, page_frame_layout::kLoadSkinButton)),
      cameraLabel_(new ValueField(this, page_layout::kCameraLabel, ValueField::Kind::Elide))
{
    SetSkinSection(section, backgroundNumber);
    setStyleSheet(SettingPageStyleSheet());
    RegisterControl(IDC_CAMERA_LABEL, cameraLabel_);
    // Enter belongs to the page (it is swallowed), never to a default button.
    for (BitmapButton* button : {next_, back_, close_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

bool SettingPage::Initialise()
{
    SkinnedDialog::Initialise();
    FlatComboLook::Apply(this);
    loadSkin_->ApplyLoadSkinStyle(QStringLiteral("Load Skin"));
    loadSkin_->setVisible(IsTestMode());
    return true;
}

void SettingPage::ApplySkin()
{
    ApplyPageButtonSkin(*close_, QStringLiteral("Close"));
    ApplyPageButtonSkin(*back_, QStringLiteral("Back"));
    ApplyPageButtonSkin(*next_, QStringLiteral("Next"));
    for (const auto& [control, number] : readerNames_)
        window_accessible::NameControl(control, SkinString(StringList(), number));
}

void SettingPage::NameForReader(QWidget* control, int textNumber)
{
    window_accessible::KeepPageName(control);
    readerNames_.emplace_back(control, textNumber);
}

void SettingPage::SaveChange(const SettingsChange& change) const
{
    if (record_ != nullptr)
        change.Apply(record_->info);
}

void SettingPage::LoadFromRecord(CameraRecord* record)
{
    record_ = record;
    if (record != nullptr)
        ShowCameraLabel(QString::fromStdU16String(ToWide(record->info.Get(DeviceInfo::cameraName))));
}

void SettingPage::ShowCameraLabel(const QString& name)
{
    cameraLabel_->SetValue(name);
}
