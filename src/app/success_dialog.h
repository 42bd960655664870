#pragma once
// CSuccessDialog: the closing page after the settings were written. It offers the same sibling
// tools as the main page and a link to the product registration; the frame hands it the camera
// found again after the save and whether it was found.
#include "app/launcher.h"
#include "pages/record_page.h"
#include "skin/bmp_dialog.h"

class CSuccessDialog : public CBmpDialog, public CRecordPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 261;
    static constexpr const char* kSection = "16_Success";

    static constexpr int IDC_INSTALL_UTILITY = 1003;
    static constexpr int IDC_EXIT = 1008;
    static constexpr int IDC_CLOSE_BUTTON = 1014;
    static constexpr int IDC_LOAD_SKIN_BUTTON = IDC_LOAD_SKIN_MAIN;
    static constexpr int IDC_SETUP_VARNET = 1006;
    static constexpr int IDC_REGISTRATION = 1017;

    static constexpr char kRegistrationAddress[] = "https://www.example.com/camtivo/register";

    explicit CSuccessDialog(QWidget* parent = nullptr);

    void LoadFromRecord(CCameraDataObj* record) override { record_ = record; }
    CCameraDataObj* Record() const { return record_; }
    void SetFound(bool found) { found_ = found; }
    bool Found() const { return found_; }

    void ShowAllMessages() override;
    const LaunchTexts& Texts() const { return texts_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    CCameraDataObj* record_ = nullptr;
    bool found_ = false;
    LaunchTexts texts_;
};
