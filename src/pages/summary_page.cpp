#include "pages/summary_page.h"

#include "device/core/camera_detail_text.h"
#include "device/core/camera_record.h"
#include "pages/page_layout.h"
#include "platform/core/code_page.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"
#include "skin/value_field.h"

namespace {

struct FieldRow
{
    int id;
    int row;
    bool visible;
};
// Rows of the summary, top to bottom; the hidden fields follow the shown ones.
constexpr FieldRow kFieldRows[] = {
    {SummaryPage::IDC_NAME, 0, true},         {SummaryPage::IDC_IP_ADDRESS, 1, true},
    {SummaryPage::IDC_SUBNET_MASK, 2, true},  {SummaryPage::IDC_GATEWAY, 3, true},
    {SummaryPage::IDC_DATE, 4, true},         {SummaryPage::IDC_TIME, 5, true},
    {SummaryPage::IDC_MAC_ADDRESS, 6, false}, {SummaryPage::IDC_SECURITY, 6, false},
    {SummaryPage::IDC_SPARE1, 6, false},      {SummaryPage::IDC_SPARE2, 6, false},
};
constexpr int kSummaryPitch = 32;

} // namespace

SummaryPage::SummaryPage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent)
{
    using namespace page_layout;
    for (const FieldRow& place : kFieldRows) {
        const QRect rect(kControlLeft, kRowTop + place.row * kSummaryPitch, kControlRight - kControlLeft,
                         kControlHeight);
        // Only the security kind is free text; the rest are sized for their longest values.
        const auto kind = place.id == IDC_SECURITY ? ValueField::Kind::Elide : ValueField::Kind::Whole;
        auto* label = new ValueField(this, rect, kind);
        label->setVisible(place.visible);
        RegisterControl(place.id, label);
        fields_.emplace_back(place.id, label);
    }
}

ValueField* SummaryPage::Field(int id) const
{
    for (const auto& [fieldId, label] : fields_) {
        if (fieldId == id)
            return label;
    }
    return nullptr;
}

void SummaryPage::LoadStrings()
{
    for (size_t i = 0; i < texts_.size(); ++i)
        GetSkinString(StringList(), kTextSaveQuestion + static_cast<int>(i), texts_[i]);
    GetSkinString(StringList(), kTextFromDhcp, fromDhcpText_);
}

void SummaryPage::ApplySkin()
{
    LoadStrings();
    SettingPage::ApplySkin();
}

void SummaryPage::SetField(int id, const std::string& narrow)
{
    Field(id)->SetValue(QString::fromStdU16String(ToWide(narrow)));
}

void SummaryPage::LoadFromRecord(CameraRecord* record)
{
    SettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    const DeviceInfo& info = record->info;
    using namespace camera_text;
    SetField(IDC_NAME, info.Get(DeviceInfo::cameraName));
    // With DHCP the stored addresses are only the camera's last ones: they are not what it
    // will use, so the rows say where its addresses come from instead.
    if (info.Get(DeviceInfo::dhcpEnable) == 0) {
        SetField(IDC_IP_ADDRESS, DottedQuad(info.Get(DeviceInfo::ipAddress)));
        SetField(IDC_SUBNET_MASK, DottedQuad(info.Get(DeviceInfo::subnetMask)));
        SetField(IDC_GATEWAY, DottedQuad(info.Get(DeviceInfo::gateway)));
    } else {
        for (const int id : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY})
            Field(id)->SetValue(fromDhcpText_);
    }
    SetField(IDC_DATE, info.Get(DeviceInfo::date));
    SetField(IDC_TIME, info.Get(DeviceInfo::time));
    SetField(IDC_MAC_ADDRESS, MacText(info.Get(DeviceInfo::macAddress)));
    // The same security wording as the search page, so one camera reads alike on both.
    const auto security = static_cast<size_t>(
        SecurityKindIndex({info.Get(DeviceInfo::deviceType), info.Get(DeviceInfo::security),
                           info.Get(DeviceInfo::securityMode), info.Get(DeviceInfo::wepEnabled)}));
    if (security < securityTexts_.size())
        Field(IDC_SECURITY)->SetValue(securityTexts_[security]);
}

void SummaryPage::AskToSave()
{
    const int answer = ShowMessage(kMessageQuestion, texts_[0], SkinString(StringList(), kTextCancelSave),
                                   SkinString(StringList(), kTextSaveButton));
    if (answer == kAnswerSave)
        emit saveRequested();
}

bool SummaryPage::OnCommand(int id)
{
    if (id != IDC_NEXT)
        return SettingPage::OnCommand(id);
    AskToSave();
    return true;
}

void SummaryPage::ShowAllMessages()
{
    LoadStrings();
    const QString button = SkinString(StringList(), kTextOk);
    ShowMessage(kMessageQuestion, texts_[0], SkinString(StringList(), kTextCancelSave),
                SkinString(StringList(), kTextSaveButton));
    ShowMessage(kMessageSuccess, texts_[1], button);
    ShowMessage(kMessageError, texts_[2], button);
}
