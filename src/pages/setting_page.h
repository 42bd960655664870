#pragma once
// SettingPage: what every page of the setting steps shares: Back and Next in the footer, Close
// in the header band, Load Skin in test mode and the selected camera's name at the foot of the
// side panel. The frame hands the page the record when the page becomes current; the page
// fills its controls from it and writes them back only on Next or Back.
#include "pages/record_page.h"
#include "skin/skinned_dialog.h"

#include <utility>
#include <vector>

class CameraRecord;
struct SettingsChange;
class BitmapButton;
class TextButton;
class ValueField;

class SettingPage : public SkinnedDialog, public RecordPage
{
    Q_OBJECT

public:
    static constexpr int IDC_CAMERA_LABEL = 1023;

    SettingPage(const QString& section, int backgroundNumber, QWidget* parent = nullptr);

    // Keeps the record and shows its name; pages extend it to fill their own controls.
    void LoadFromRecord(CameraRecord* record) override;
    CameraRecord* Record() const { return record_; }

protected:
    bool Initialise() override;
    // Skins the Close, Back and Next buttons from the section's items of those names.
    void ApplySkin() override;
    // Writes a checked change into the record, when the page has one.
    void SaveChange(const SettingsChange& change) const;
    // Shows a name in the side panel's camera label.
    void ShowCameraLabel(const QString& name);
    // A screen reader names `control` by the pack's string `textNumber`, not by the text beside it.
    void NameForReader(QWidget* control, int textNumber);

private:
    CameraRecord* record_ = nullptr;
    BitmapButton* next_;
    BitmapButton* back_;
    BitmapButton* close_;
    TextButton* loadSkin_;
    ValueField* cameraLabel_;
    std::vector<std::pair<QWidget*, int>> readerNames_;
};
