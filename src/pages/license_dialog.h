#pragma once
// CLicenseDialog: the licence agreement, read from "License.rtf" in the program's folder into a
// read-only rich text area each time the skin is applied. Without the file the area keeps what
// it showed (empty at first); Next and Back step the wizard without checks.
#include "pages/setting_page.h"

class QTextEdit;

class CLicenseDialog : public CSettingPage
{
    Q_OBJECT

public:
    static constexpr int IDD = 130;
    static constexpr int kBackgroundNumber = 121;
    static constexpr const char* kSection = "3_License";
    static constexpr int IDC_LICENSE_TEXT = 1011;
    static constexpr char kLicenseFile[] = "License.rtf";

    explicit CLicenseDialog(QWidget* parent = nullptr);

    QTextEdit* LicenseText() const;

protected:
    void ApplySkin() override;

private:
    void LoadLicenseText();
};
