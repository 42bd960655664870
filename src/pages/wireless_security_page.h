#pragma once
// WirelessSecurityPage: the camera's wireless security. The type list (texts from the skin's
// "SECURITY TYPE" block) switches between the WEP passphrase and key edits and the WPA cipher
// and passphrase edits, and the captions between the "WEP TEXT" and "WPA TEXT" blocks. A WEP
// passphrase generates the key into the record as it is typed and locks the key edit; Next and
// Back check the key and passphrase, then save. Loading a record never changes its key: a
// passphrase stored cut to 16 characters may make another key than the one the camera uses.
#include "pages/core/wireless_rules.h"
#include "pages/setting_page.h"

#include <QStringList>

class HexKeyEdit;
class QComboBox;
class QLineEdit;

class WirelessSecurityPage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 241;
    static constexpr const char* kSection = "14_Wireless3 Setting";
    static constexpr int IDC_SECURITY_TYPE = 1119;
    static constexpr int IDC_WEP_PASSPHRASE = 1121;
    static constexpr int IDC_WEP_KEY = 1125;
    static constexpr int IDC_WPA_PASSPHRASE = 1126;
    static constexpr int IDC_WPA_CIPHER = 1134;

    explicit WirelessSecurityPage(QWidget* parent = nullptr);

    // Keeps the record and shows its security settings; nothing is shown without a record.
    void LoadFromRecord(CameraRecord* record) override;
    // Shows the page's three length messages one after another.
    void ShowAllMessages() override;

    // The security-type texts of the skin, in list order (the search page shows them too).
    const QStringList& SecurityTypeTexts() const { return securityTypes_; }
    bool IsKeyLocked() const { return keyLocked_; }
    SecurityType CurrentType() const;

protected:
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillSecurityTypeList();
    void OnSecurityTypeChanged();
    void OnWepPassphraseChanged();
    void ShowWepEdits(bool shown);
    void SwitchTextBlock(SecurityType type);
    // The length check of Next and Back; shows the message and focuses the field on failure.
    bool CheckFields();
    SecurityTexts Texts() const;
    void SaveToRecord();

    QComboBox* typeList_;
    QLineEdit* wepPassphrase_;
    HexKeyEdit* wepKey_;
    QComboBox* wpaCipher_;
    QLineEdit* wpaPassphrase_;
    bool keyLocked_ = false;
    bool reload_ = true;
    QStringList securityTypes_;
    // Shows a key the program made (loaded or generated) whole, whatever the edit's limit.
    void ShowKey(const QString& key);

    QString messages_[5]; // strings 51401 to 51405
};
