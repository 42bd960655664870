#pragma once
// SuccessPage: the closing page after the settings were written. It offers the same sibling
// tools as the main page and a link to the product registration; the frame hands it the camera
// found again after the save and whether it was found.
#include "app/launcher.h"
#include "pages/record_page.h"
#include "skin/skinned_dialog.h"

class SuccessPage : public SkinnedDialog, public RecordPage
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

    explicit SuccessPage(QWidget* parent = nullptr);

    void LoadFromRecord(CameraRecord* record) override { record_ = record; }
    CameraRecord* Record() const { return record_; }
    void SetFound(bool found) { found_ = found; }
    bool Found() const { return found_; }

    void ShowAllMessages() override;
    const LaunchTexts& Texts() const { return texts_; }

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    CameraRecord* record_ = nullptr;
    bool found_ = false;
    LaunchTexts texts_;
};
