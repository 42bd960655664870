#include "pages/ip_settings_page.h"

#include "device/core/camera_detail_text.h"
#include "device/core/camera_record.h"
#include "pages/address_part_keys.h"
#include "pages/core/settings_change.h"
#include "pages/page_controls.h"
#include "pages/page_layout.h"
#include "platform/core/code_page.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

#include <QLineEdit>

namespace {

constexpr int kOctetWidth = 48;
constexpr int kDotWidth = 12;

} // namespace

IpSettingsPage::IpSettingsPage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent)
{
    using namespace page_layout;
    for (size_t i = 0; i < kIpOctets; ++i) {
        const int row = static_cast<int>(i / 4);
        const int column = static_cast<int>(i % 4);
        const int x = column * (kOctetWidth + kDotWidth);
        octets_[i] = MakeDigitEdit(this, RowRect(row, x, kOctetWidth), 3, true);
        RegisterControl(kOctetIds[i], octets_[i]);
        if (column < 3)
            MakeSeparator(this, RowRect(row, x + kOctetWidth, kDotWidth), QStringLiteral("."));
        if (column == 3)
            new AddressPartKeys({octets_[i - 3], octets_[i - 2], octets_[i - 1], octets_[i]}, this);
    }
}

void IpSettingsPage::LoadStrings()
{
    GetSkinString(StringList(), kTextButton, buttonText_);
    for (size_t i = 0; i < messages_.size(); ++i)
        GetSkinString(StringList(), kFirstMessage + static_cast<int>(i), messages_[i]);
    GetSkinString(StringList(), kTextUsedByCamera, usedByCameraText_);
    GetSkinString(StringList(), kTextOwnAddress, ownAddressText_);
}

QString IpSettingsPage::MessageText(int message) const
{
    const auto index = static_cast<size_t>(message - kFirstMessage);
    if (index < messages_.size() && !messages_[index].isEmpty())
        return messages_[index];
    return QString::fromUtf8(IpMessageEnglish(message));
}

void IpSettingsPage::ApplySkin()
{
    LoadStrings();
    SettingPage::ApplySkin();
}

void IpSettingsPage::LoadFromRecord(CameraRecord* record)
{
    SettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    const IpOctetTexts texts = ReadIpSettings(record->info);
    for (size_t i = 0; i < kIpOctets; ++i)
        octets_[i]->setText(QString::fromStdU16String(texts[i]));
    ShowCameraLabel(QString::fromStdU16String(ToWide(record->info.Get(DeviceInfo::deviceText))));
}

IpOctetTexts IpSettingsPage::Texts() const
{
    IpOctetTexts texts;
    for (size_t i = 0; i < kIpOctets; ++i)
        texts[i] = octets_[i]->text().toStdU16String();
    return texts;
}

void IpSettingsPage::Refuse(int message, size_t octet)
{
    ShowMessage(kMessageError, MessageText(message), buttonText_);
    SelectAllAndFocus(octets_[octet]);
}

QString IpSettingsPage::ClashText(const AddressClash& clash) const
{
    const QString address = QString::fromStdString(camera_text::DottedQuad(clash.address));
    if (clash.kind == AddressClash::Kind::ThisComputer)
        return ownAddressText_.arg(address);
    const DeviceInfo& holder = clash.holder->info;
    return usedByCameraText_.arg(
        address, QString::fromStdU16String(ToWide(holder.Get(DeviceInfo::cameraName))),
        QString::fromStdString(camera_text::MacText(holder.Get(DeviceInfo::macAddress))));
}

bool IpSettingsPage::CheckAddressClash(const Ipv4Address& address)
{
    const CameraRecord* record = Record();
    if (!clashCheck_ || record == nullptr)
        return true;
    const AddressClash clash = clashCheck_(address, *record);
    if (!clash)
        return true;
    ShowMessage(kMessageError, ClashText(clash), buttonText_);
    SelectAllAndFocus(octets_[0]);
    return false;
}

bool IpSettingsPage::OnCommand(int id)
{
    if (id != IDC_NEXT && id != IDC_BACK)
        return SettingPage::OnCommand(id);
    // The edits are read once: the parts' check, the address rules, the clash and the record's
    // write all judge the same change.
    const IpOctetTexts texts = Texts();
    if (const IpCheck parts = CheckIpParts(texts); !parts.Passed()) {
        Refuse(parts.message, parts.octet);
        return true;
    }
    const SettingsChange change = AddressChangeOf(texts);
    // Back leaves the page with the address as typed: the user may be going to choose DHCP,
    // and Next judges the address whenever the page comes back.
    if (id == IDC_NEXT) {
        if (const SettingsCheck check = change.Check(); !check.Passed()) {
            Refuse(check.message, check.octet);
            return true;
        }
        if (!CheckAddressClash(*change.addresses[0]))
            return true;
    }
    SaveChange(change);
    return SettingPage::OnCommand(id);
}

void IpSettingsPage::ShowAllMessages()
{
    LoadStrings();
    const QString button = SkinString(StringList(), kSearchPageButton);
    for (int message = kFirstMessage; message < kFirstMessage + kMessageCount; ++message)
        ShowMessage(kMessageError, MessageText(message), button);
}
