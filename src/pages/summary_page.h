#pragma once
// SummaryPage: the summary page. It shows the settings about to be written to the camera
// and, when the user confirms, asks the frame to save them. It never changes the record.
#include "pages/setting_page.h"
#include "skin/core/message_kind.h"

#include <QString>
#include <array>
#include <vector>

class ValueField;

class SummaryPage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 251;
    static constexpr const char* kSection = "15_New Setting";

    static constexpr int IDC_NAME = 1051;
    static constexpr int IDC_IP_ADDRESS = 1116;
    static constexpr int IDC_SUBNET_MASK = 1020;
    static constexpr int IDC_GATEWAY = 1019;
    static constexpr int IDC_DATE = 1021;
    static constexpr int IDC_TIME = 1022;
    static constexpr int IDC_MAC_ADDRESS = 1129;
    static constexpr int IDC_SECURITY = 1061;
    static constexpr int IDC_SPARE1 = 1131;
    static constexpr int IDC_SPARE2 = 1132;

    static constexpr int kTextSaveQuestion = 51201;
    static constexpr int kTextSaved = 51202;
    static constexpr int kTextNotSaved = 51203;
    // Shown for the address, mask and gateway of a camera that takes them from DHCP.
    static constexpr int kTextFromDhcp = 51209;
    // The search page's captions of the question's buttons: the second one saves.
    static constexpr int kTextCancel = 50802;
    static constexpr int kTextSaveButton = 51220; // the save question's buttons
    static constexpr int kTextCancelSave = 51221;
    static constexpr int kTextOk = kTextMessageOk;
    static constexpr int kAnswerSave = 2;

    explicit SummaryPage(QWidget* parent = nullptr);

    void LoadFromRecord(CameraRecord* record) override;
    void ShowAllMessages() override;
    // Texts of the security kinds: none, WEP 64-bit, WEP 128-bit, WPA.
    void SetSecurityTexts(std::vector<QString> texts) { securityTexts_ = std::move(texts); }
    ValueField* Field(int id) const;

protected:
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    void SetField(int id, const std::string& narrow);
    void AskToSave();

    std::array<QString, 3> texts_;
    QString fromDhcpText_;
    std::vector<QString> securityTexts_;
    std::vector<std::pair<int, ValueField*>> fields_;
};
