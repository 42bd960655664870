#include "pages/wireless_network_page.h"

#include "pages/core/settings_change.h"
#include "pages/page_controls.h"
#include "pages/wireless_layout.h"
#include "skin/reading_texts.h"
#include "skin/skin_draw.h"

#include <QComboBox>
#include <QLineEdit>

WirelessNetworkPage::WirelessNetworkPage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent),
      ssid_(MakeTextEdit(this, wireless_layout::kSsidEdit, static_cast<int>(kSsidChars))),
      channel_(AddControl<QComboBox>(IDC_CHANNEL, wireless_layout::kChannelList))
{
    RegisterControl(IDC_SSID, ssid_);
    NameForReader(channel_, kTextReadChannel); // before its items: a reader's view is made once
    for (int i = 1; i <= kChannelCount; ++i)
        channel_->addItem(QString::number(i));
    channel_->setCurrentIndex(-1);
}

void WirelessNetworkPage::SaveToRecord()
{
    SettingsChange change;
    change.wireless.ssid = ssid_->text().toStdU16String();
    change.wireless.channel = channel_->currentIndex() + 1; // the list holds channels 1 to 11 in order
    SaveChange(change);
}

bool WirelessNetworkPage::OnCommand(int id)
{
    if (id == IDC_NEXT || id == IDC_BACK)
        SaveToRecord();
    return SettingPage::OnCommand(id);
}
