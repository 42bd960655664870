#include "pages/wireless_security_page.h"

#include "device/core/camera_record.h"
#include "pages/core/skin_list_block.h"
#include "pages/page_controls.h"
#include "pages/wireless_layout.h"
#include "platform/core/code_page.h"
#include "skin/core/message_kind.h"
#include "skin/hex_key_edit.h"
#include "skin/skin_draw.h"

#include "skin/reading_texts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

QString Wide(const std::string& narrow)
{
    return QString::fromStdU16String(ToWide(narrow));
}

} // namespace

WirelessSecurityPage::WirelessSecurityPage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      typeList_(AddControl<QComboBox>(IDC_SECURITY_TYPE, wireless_layout::kSecurityTypeList)),
      wepPassphrase_(
          MakeTextEdit(this, wireless_layout::kWepPassphraseEdit, static_cast<int>(kWep64PassphraseChars))),
      wepKey_(AddControl<HexKeyEdit>(IDC_WEP_KEY, wireless_layout::kWepKeyEdit)),
      wpaCipher_(AddControl<QComboBox>(IDC_WPA_CIPHER, wireless_layout::kWpaCipherList)),
      wpaPassphrase_(
          MakeTextEdit(this, wireless_layout::kWpaPassphraseEdit, static_cast<int>(kWpaPassphraseChars)))
{
    NameForReader(typeList_, kTextReadSecurity); // before its items: a reader's view is made once
    SetTextBlockName(QLatin1String(kWepTextBlock));
    RegisterControl(IDC_WEP_PASSPHRASE, wepPassphrase_);
    RegisterControl(IDC_WPA_PASSPHRASE, wpaPassphrase_);
    wpaCipher_->addItem(QStringLiteral("TKIP"));
    wpaCipher_->hide();
    wpaPassphrase_->hide();
    wepKey_->installEventFilter(this);
    connect(typeList_, &QComboBox::activated, this, [this] { OnSecurityTypeChanged(); });
    connect(wepPassphrase_, &QLineEdit::textChanged, this, [this] { OnWepPassphraseChanged(); });
}

SecurityType WirelessSecurityPage::CurrentType() const
{
    const int index = typeList_->currentIndex();
    return index >= 0 && index <= static_cast<int>(SecurityType::Wpa) ? static_cast<SecurityType>(index)
                                                                      : SecurityType::Unselected;
}

void WirelessSecurityPage::LoadStrings()
{
    for (int i = 0; i < 5; ++i)
        messages_[i] = SkinString(StringList(), kMsgSecurityButton + i);
}

void WirelessSecurityPage::ApplySkin()
{
    LoadStrings();
    SettingPage::ApplySkin();
    if (!reload_) {
        reload_ = true;
        return;
    }
    FillSecurityTypeList();
    LoadFromRecord(Record());
}

void WirelessSecurityPage::FillSecurityTypeList()
{
    const SkinListBlock block = ReadSecurityTypeBlock(StringList());
    if (!block.found)
        return;
    typeList_->clear();
    securityTypes_.clear();
    for (const std::u16string& line : block.lines) {
        typeList_->addItem(QString::fromStdU16String(line));
        securityTypes_.append(QString::fromStdU16String(line));
    }
}

void WirelessSecurityPage::LoadFromRecord(CameraRecord* record)
{
    SettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    DeviceInfo& info = record->info;
    const SecurityType type = SecurityTypeOf(info);
    typeList_->setCurrentIndex(static_cast<int>(type));
    OnSecurityTypeChanged();
    // The passphrase regenerates a key into the record; the camera's own key is put back.
    const auto keyArea = info.Get(DeviceInfo::wepKeys);
    const std::vector<uint8_t> storedKeys(keyArea.begin(), keyArea.end());
    wepPassphrase_->setText(Wide(info.Get(DeviceInfo::wepPassphrase)));
    std::ranges::copy(storedKeys, keyArea.begin());
    if (type == SecurityType::Wep64 || type == SecurityType::Wep128)
        ShowKey(Wide(StoredKeyText(type, info)));
    wpaPassphrase_->setText(Wide(info.Get(DeviceInfo::wpaPassphrase)));
}

void WirelessSecurityPage::ShowKey(const QString& key)
{
    if (key.size() > wepKey_->maxLength())
        wepKey_->setMaxLength(static_cast<int>(key.size()));
    wepKey_->setText(key);
}

void WirelessSecurityPage::ShowWepEdits(bool shown)
{
    wepPassphrase_->setVisible(shown);
    wepKey_->setVisible(shown);
    wpaCipher_->setVisible(!shown);
    wpaPassphrase_->setVisible(!shown);
}

void WirelessSecurityPage::OnSecurityTypeChanged()
{
    const SecurityType type = CurrentType();
    const SecurityLimits limits = LimitsOf(type);
    switch (type) {
    case SecurityType::None:
        ShowWepEdits(true);
        wepPassphrase_->setEnabled(false);
        wepKey_->setEnabled(false);
        break;
    case SecurityType::Wep64:
    case SecurityType::Wep128:
        ShowWepEdits(true);
        wepPassphrase_->setEnabled(true);
        wepKey_->setEnabled(true);
        wepPassphrase_->clear(); // runs the generator with an empty passphrase: unlocks the key
        wepKey_->clear();
        wepPassphrase_->setMaxLength(static_cast<int>(limits.passphraseChars));
        wepKey_->setMaxLength(static_cast<int>(limits.keyChars));
        break;
    case SecurityType::Wpa:
        ShowWepEdits(false);
        wpaCipher_->setCurrentIndex(0);
        wpaPassphrase_->clear();
        wpaPassphrase_->setMaxLength(static_cast<int>(limits.passphraseChars));
        break;
    case SecurityType::Unselected:
        break;
    }
    SwitchTextBlock(type);
}

void WirelessSecurityPage::SwitchTextBlock(SecurityType type)
{
    const QString block = QLatin1String(TextBlockOf(type));
    if (block == TextBlockName())
        return;
    SetTextBlockName(block);
    reload_ = false; // the render's skin pass must not reload the list and the record
    RenderPage();
    update();
    emit rendered();
}

void WirelessSecurityPage::OnWepPassphraseChanged()
{
    DeviceInfo scratch; // without a record the key is still shown, but stored nowhere
    DeviceInfo& info = Record() != nullptr ? Record()->info : scratch;
    const auto key = GenerateWepKey(CurrentType(), ToU16View(wepPassphrase_->text()), info);
    keyLocked_ = key.has_value();
    if (key)
        ShowKey(QString::fromStdString(*key));
}

bool WirelessSecurityPage::eventFilter(QObject* watched, QEvent* event)
{
    // A generated key cannot be edited: only the caret moves, and Tab and Shift+Tab move the
    // focus on as from any other field.
    if (watched == wepKey_ && keyLocked_ && event->type() == QEvent::KeyPress) {
        static constexpr int kPassing[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab, Qt::Key_Backtab};
        const int key = static_cast<QKeyEvent*>(event)->key();
        return std::find(std::begin(kPassing), std::end(kPassing), key) == std::end(kPassing);
    }
    return SettingPage::eventFilter(watched, event);
}

SecurityTexts WirelessSecurityPage::Texts() const
{
    return {wepKey_->text().toStdU16String(), wepPassphrase_->text().toStdU16String(),
            wpaPassphrase_->text().toStdU16String()};
}

bool WirelessSecurityPage::CheckFields()
{
    const SecurityCheck check = CheckSecurityFields(CurrentType(), Texts());
    if (check.Passed())
        return true;
    ShowMessage(kMessageError, messages_[check.message - kMsgSecurityButton], messages_[0]);
    SelectAllAndFocus(check.field == SecurityField::Key ? static_cast<QLineEdit*>(wepKey_) : wpaPassphrase_);
    return false;
}

void WirelessSecurityPage::SaveToRecord()
{
    if (CameraRecord* record = Record())
        WriteSecurityFields(CurrentType(), Texts(), record->info);
}

bool WirelessSecurityPage::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK) {
        if (!CheckFields())
            return true;
        SaveToRecord();
    }
    return SettingPage::OnCommand(id);
}

void WirelessSecurityPage::ShowAllMessages()
{
    for (int i = 1; i < 5; ++i)
        ShowMessage(kMessageError, messages_[i], messages_[0]);
}
