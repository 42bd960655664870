#pragma once
// CSettingPage: what every page of the setting steps shares: Back and Next in the footer, Close
// in the header band, Load Skin in test mode and the selected camera's name at the foot of the
// side panel. The frame hands the page the record when the page becomes current; the page
// fills its controls from it and writes them back only on Next or Back.
#include "pages/record_page.h"
#include "skin/bmp_dialog.h"

class CCameraDataObj;
struct SettingsChange;
class CHoverButtonEx;
class CMsgButton;
class CValueField;

class CSettingPage : public CBmpDialog, public CRecordPage
{
    Q_OBJECT

public:
    static constexpr int IDC_CAMERA_LABEL = 1023;

    CSettingPage(const QString& section, int backgroundNumber, QWidget* parent = nullptr);

    // Keeps the record and shows its name; pages extend it to fill their own controls.
    void LoadFromRecord(CCameraDataObj* record) override;
    CCameraDataObj* Record() const { return record_; }

protected:
    bool OnInitDialog() override;
    // Skins the Close, Back and Next buttons from the section's items of those names.
    void ApplySkin() override;
    // Writes a checked change into the record, when the page has one.
    void SaveChange(const SettingsChange& change) const;
    // Shows a name in the side panel's camera label.
    void ShowCameraLabel(const QString& name);

private:
    CCameraDataObj* record_ = nullptr;
    CHoverButtonEx* next_;
    CHoverButtonEx* back_;
    CHoverButtonEx* close_;
    CMsgButton* loadSkin_;
    CValueField* cameraLabel_;
};
