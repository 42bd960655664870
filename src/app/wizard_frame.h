#pragma once
// WizardFrame: the wizard frame. The one top-level window of the program: it owns the language
// pack's lists, the camera list, every page and the action engine (a Qt Core object); pages ask
// it for steps and actions with signals, and it decides which page shows, runs searches and saves, keeps the
// selected camera record and hands it to the page being shown.
#include "app/core/step_machine.h"
#include "app/language_page.h"
#include "app/main_page.h"
#include "app/success_page.h"
#include "device/camera_actions.h"
#include "device/core/camera_record.h"
#include "device_ui/progress_dialog.h"
#include "device_ui/search_page.h"
#include "pages/basic_settings_page.h"
#include "pages/info_pages.h"
#include "pages/ip_settings_page.h"
#include "pages/license_page.h"
#include "pages/network_mode_page.h"
#include "pages/summary_page.h"
#include "pages/wireless_mode_page.h"
#include "pages/wireless_network_page.h"
#include "pages/wireless_security_page.h"
#include "platform/core/owned_list.h"
#include "platform/events/scaled_timer.h"
#include "skin/skinned_dialog.h"

#include <QPoint>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

using CameraList = OwnedList<CameraRecord>;

// One object of every page class, in the order of WizardPage.
using WizardPages =
    std::tuple<MainPage, LicensePage, BeforeYouStartPage, WhatChangesPage, CameraMissingPage, AfterSavingPage,
               SearchPage, BasicSettingsPage, NetworkModePage, IpSettingsPage, SummaryPage, WirelessModePage,
               WirelessNetworkPage, WirelessSecurityPage, SuccessPage>;

class WizardFrame : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr int64_t kCreatePagesMs = 100;
    static constexpr int64_t kSearchRefreshMs = 5000;
    static constexpr int64_t kTestDelayMs = 10000;
    static constexpr int64_t kVerifyMs = 1000;
    static constexpr int kVerifyTries = 3;
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
    void RunSave();
    // What the save's progress box says while the camera has not answered; empty before that.
    QString SaveStatusText() const;
    // The search box's line while ranges are swept: addresses asked of the total, cameras found,
    // time left.
    QString SweepStatusText() const;
    void StartVerify();
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
    const std::vector<std::string>& UnicastTargets() const { return unicastTargets_; }
    bool Busy() const { return busy_; }
    bool Searching() const { return searching_; }
    bool SaveOk() const { return saveOk_; }
    int VerifyTries() const { return verifyTries_; }
    bool Verifying() const { return verifyTimer_.isActive(); }
    // Test mode's stand-in for the action: the busy flag drops when it fires.
    ScaledTimer& TestDelay() { return testDelay_; }
    bool FirstSearch() const { return firstSearch_; }
    UINT DragFlags() const { return dragFlags_; }
    const QString& PackPath() const { return packPath_; }
    // Where the packs were found at initialisation: beside the program or in its share folder.
    const QString& PackFolder() const { return packFolder_; }
    const QString& TestFilePath() const { return testFilePath_; }
    CameraList& Cameras() { return cameraList_; }
    CameraRecord* SelectedCamera() const { return selectedCamera_; }
    const CameraRecord& SavedCamera() const { return savedCamera_; }
    SkinStrings& PackStrings() { return packStrings_; }
    SkinBitmaps& PackBitmaps() { return packBitmaps_; }
    SkinIcons& PackIcons() { return packIcons_; }
    CameraActions& Actions() { return actionDlg_; }
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
    // The engine's ends and the boxes it asks for.
    void ListenToActions();
    void ListenToTimers();
    void ListenTo(SkinnedDialog& page);
    void OnDragStart(QPoint pagePoint);
    void RefreshWindow();
    void OnVerifyTick();
    void FinishVerify(bool found);
    std::vector<std::string> VerifyTargets() const;
    std::optional<SaveFollowUp> FollowUpOf(const CameraRecord& camera) const;
    // The texts of the security kinds from the pack: none, WEP 64-bit, WEP 128-bit, WPA.
    std::vector<QString> SecurityTexts() const;
    void RunProgress(const ProgressDialog::Kind& kind);
    // Replaces the camera list's content and re-points everything that pointed into it.
    void AfterCameraListReplaced();
    void TakeFoundCameras();
    void SelectCamera(CameraRecord* record);
    CameraRecord* FindCamera(const MacAddress& mac) const;
    CameraRecord* RecordForStep(int step) const;
    void ShowFrameMessage(int kind, int textNumber);

    QString commandLine_;
    CameraList cameraList_;
    SkinBitmaps packBitmaps_;
    SkinStrings packStrings_;
    SkinIcons packIcons_;
    QString packFolder_;
    QString packPath_;
    QString testFilePath_;
    QString testFileSavePath_;
    UINT dragFlags_ = 0;
    QPoint dragOrigin_;
    bool pagesReady_ = false;
    int step_ = 0;
    int shownStep_ = 0;
    CameraRecord* selectedCamera_ = nullptr;
    MacAddress selectedMac_{}; // kept apart: the record itself may be freed by a new list
    CameraRecord savedCamera_;
    bool firstSearch_ = true;
    int verifyTries_ = 0;
    LanguagePage languagePage_;
    WizardPages pageObjects_;
    const std::array<SkinnedDialog*, kPageCount> pages_;    // the same, by WizardPage
    const std::array<RecordPage*, kPageCount> recordPages_; // null for a page that takes no record
    CameraActions actionDlg_;
    bool busy_ = false;
    bool saveOk_ = false;
    bool searching_ = false;
    bool testMode_ = false;
    bool productFilterOn_ = true;
    std::vector<std::string> unicastTargets_; // --to: cameras behind a router
    std::vector<NamedRange> rangeTargets_;    // --to blocks and ranges, swept by each search
    std::unique_ptr<WaitCursor> verifyCursor_;
    ScaledTimer createPages_{this, true};
    ScaledTimer searchRefresh_{this};
    ScaledTimer testDelay_{this, true};
    ScaledTimer verifyTimer_{this};
};
