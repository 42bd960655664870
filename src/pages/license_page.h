#pragma once
// LicensePage: the licence agreement, read from "License.rtf" in the program's folder (or
// the folder the frame names) into a read-only rich text area each time the skin is applied. Without the file
// the area keeps what it showed (empty at first); Next and Back step the wizard without checks.
// A file beyond the reader's limits shows its beginning and a closing line saying the rest was
// left out.
#include "pages/setting_page.h"

class QTextEdit;

class LicensePage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 121;
    static constexpr const char* kSection = "3_License";
    static constexpr int IDC_LICENSE_TEXT = 1011;
    static constexpr char kLicenseFile[] = "License.rtf";
    // Closes a licence too long to show whole: the rest was left out.
    static constexpr int kTextLeftOut = 50840;

    explicit LicensePage(QWidget* parent = nullptr);

    QTextEdit* LicenseText() const;
    // Where "License.rtf" is read from, ending with "/"; empty: the program's folder.
    void SetLicenseFolder(const QString& folder) { licenseFolder_ = folder; }

protected:
    void ApplySkin() override;

private:
    void LoadLicenseText();

    QString licenseFolder_;
};
