#pragma once
// IpSettingsPage: the page on which the user enters the camera's fixed address, subnet mask,
// default gateway and two DNS servers, four decimal octets each. Next runs the address rules
// (ip_rules.h): the first that fails is shown and its part focused, and nothing is saved. Next
// then refuses an address that another camera of the last search or this computer already
// holds. Back, the way to DHCP, refuses only a part the record cannot hold (empty or above 255).
// "." moves to an address's next part and a pasted dotted address fills its four parts. The side
// panel shows the record's device text.
#include "device/core/address_clash.h"
#include "pages/core/ip_rules.h"
#include "pages/setting_page.h"
#include "skin/core/message_kind.h"

#include <QString>
#include <array>
#include <functional>

class QLineEdit;

class IpSettingsPage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 211;
    static constexpr const char* kSection = "11_IP Setting";

    // The twenty octet edits, row by row (address, mask, gateway, DNS 1, DNS 2), left to right.
    static constexpr std::array<int, kIpOctets> kOctetIds{
        1074, 1075, 1078, 1080, 1082, 1083, 1084, 1085, 1088, 1090,
        1093, 1095, 1126, 1127, 1128, 1129, 1130, 1131, 1132, 1133,
    };

    static constexpr int kTextButton = 51101;
    // The messages of the address rules, kMsgOctetRange to kMsgLastIpMessage.
    static constexpr int kFirstMessage = kMsgOctetRange;
    static constexpr int kMessageCount = kMsgLastIpMessage - kMsgOctetRange + 1;
    static constexpr int kSearchPageButton = kTextMessageOk; // the search page's, for ShowAllMessages
    static constexpr int kTextUsedByCamera = 51130;          // "%1 is used by %2, %3"
    static constexpr int kTextOwnAddress = 51131;            // "%1 is an address of this computer"

    // Whether giving the camera the address clashes with another device; the frame answers from
    // the last search's cameras and this computer's addresses. Without one nothing is checked.
    using ClashCheck = std::function<AddressClash(const Ipv4Address& wanted, const CameraRecord& camera)>;
    void SetClashCheck(ClashCheck check) { clashCheck_ = std::move(check); }

    explicit IpSettingsPage(QWidget* parent = nullptr);

    void LoadFromRecord(CameraRecord* record) override;
    void ShowAllMessages() override;
    QLineEdit* Octet(size_t index) const { return octets_[index]; }

protected:
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    IpOctetTexts Texts() const;
    // Shows a rule's message with the focus on the part to correct.
    void Refuse(int message, size_t octet);
    // Refuses an address another device holds, naming it, with the focus on the address.
    bool CheckAddressClash(const Ipv4Address& address);
    QString ClashText(const AddressClash& clash) const;

    // The pack's text of a rule's message; the English one where the pack has none.
    QString MessageText(int message) const;

    QString buttonText_;
    std::array<QString, kMessageCount> messages_;
    QString usedByCameraText_;
    QString ownAddressText_;
    ClashCheck clashCheck_;
    std::array<QLineEdit*, kIpOctets> octets_{};
};
