#pragma once
// WizardFrame: the wizard frame. The one top-level window of the program: it owns the language
// pack's lists, every page and the window's use of the device actions (WizardActions); pages ask
// it for steps and actions with signals, and it decides which page shows, starts searches and
// saves, shows the boxes they ask for, and hands the record being edited to the page shown.
#include "app/wizard_actions.h"
#include "app/wizard_pages.h"
#include "device/core/camera_record.h"
#include "platform/events/scaled_timer.h"
#include "skin/skinned_dialog.h"

#include <QPoint>
#include <array>
#include <tuple>

class WizardFrame : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr int64_t kCreatePagesMs = 100;
    static constexpr UINT kDragBits = 0x0401;
    static constexpr UINT kDragClearMask = 0x03FF;
    static constexpr int ID_ABOUT_FIRST = 16;
    static constexpr int ID_ABOUT_LAST = 31;

    // `commandLine` is the process's whole command line, read once while initialising.
    explicit WizardFrame(QString commandLine = {}, QWidget* parent = nullptr);
    ~WizardFrame() override;

    // Step handling.
    void TakeStep(Navigation direction);
    void ShowPage(int step);
    void RunSearch();
    // Saves the edited record behind the save's progress box, then says how it went.
    void RunSave();
    void ReloadLanguage();
    // Shows every message box of every page, one after the other (test mode's Show All).
    void ShowAllMessages() override;

    // The system menu's About box (identifiers 16 to 31); other identifiers do nothing.
    void OnSysCommand(int id);

    // State, for the program's own checks and for tests.
    int Step() const { return step_; }
    int ShownStep() const { return shownStep_; }
    bool PagesReady() const { return pagesReady_; }
    bool TestMode() const { return testMode_; }
    bool ProductFilterOn() const { return productFilterOn_; }
    bool FirstSearch() const { return firstSearch_; }
    UINT DragFlags() const { return dragFlags_; }
    const QString& PackPath() const { return packPath_; }
    // Where the packs were found at initialisation: beside the program or in its share folder.
    const QString& PackFolder() const { return packFolder_; }
    // The record the setting pages edit, or null before a camera was chosen.
    CameraRecord* SelectedCamera() { return actions_.Edited(); }
    SkinStrings& PackStrings() { return packStrings_; }
    SkinBitmaps& PackBitmaps() { return packBitmaps_; }
    SkinIcons& PackIcons() { return packIcons_; }
    WizardActions& Actions() { return actions_; }
    LanguagePage& Language() { return languagePage_; }
    // The page objects by role; naming a role whose object is of another class does not compile.
    template <WizardPage P> auto& PageObject() { return std::get<static_cast<size_t>(P)>(pageObjects_); }
    template <WizardPage P> const auto& PageObject() const
    {
        return std::get<static_cast<size_t>(P)>(pageObjects_);
    }
    MainPage& Main() { return PageObject<WizardPage::Main>(); }
    SearchPage& Search() { return PageObject<WizardPage::Search>(); }
    BasicSettingsPage& Basic() { return PageObject<WizardPage::BasicSettings>(); }
    NetworkModePage& Network() { return PageObject<WizardPage::NetworkMode>(); }
    IpSettingsPage& Ip() { return PageObject<WizardPage::IpSettings>(); }
    SummaryPage& Summary() { return PageObject<WizardPage::Summary>(); }
    SuccessPage& Success() { return PageObject<WizardPage::Success>(); }
    WirelessSecurityPage& WirelessSecurity() { return PageObject<WizardPage::WirelessSecurity>(); }
    // The page of a step, or null when the step has none.
    SkinnedDialog* StepPage(int step) const;
    // Every page but the language page, in the order of WizardPage: the order in which they
    // are created, skinned again on a reload and asked for their messages.
    const std::array<SkinnedDialog*, kPageCount>& Pages() const { return pages_; }

protected:
    bool Initialise() override;
    void FocusAfterMessage() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ParseCommandLine();
    // Loads the language's pack and returns the language now shown. A pack that cannot be read
    // is named in a message, and English is loaded in its place when its pack can be read.
    QString LoadPack(const QString& language);
    void PreparePage(SkinnedDialog& page);
    void CreatePages();
    // What the actions tell the search page, and the boxes they ask for.
    void ListenToActions();
    void ListenTo(SkinnedDialog& page);
    void OnDragStart(QPoint pagePoint);
    void RefreshWindow();
    // The texts of the security kinds from the pack: none, WEP 64-bit, WEP 128-bit, WPA.
    std::vector<QString> SecurityTexts() const;
    CameraRecord* RecordForStep(int step);
    // The one place the actions' boxes are shown.
    void ShowActionBox(const ActionBox& box);
    void ShowFrameMessage(int kind, int textNumber);

    QString commandLine_;
    SkinBitmaps packBitmaps_;
    SkinStrings packStrings_;
    SkinIcons packIcons_;
    QString packFolder_;
    QString packPath_;
    UINT dragFlags_ = 0;
    QPoint dragOrigin_;
    bool pagesReady_ = false;
    int step_ = 0;
    int shownStep_ = 0;
    bool firstSearch_ = true;
    LanguagePage languagePage_;
    WizardPages pageObjects_;
    const std::array<SkinnedDialog*, kPageCount> pages_;    // the same, by WizardPage
    const std::array<RecordPage*, kPageCount> recordPages_; // null for a page that takes no record
    WizardActions actions_;
    bool testMode_ = false;
    bool productFilterOn_ = true;
    ScaledTimer createPages_{this, true};
};
