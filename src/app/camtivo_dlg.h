#pragma once
// CCamtivoDlg: the wizard frame. The one top-level window of the program: it owns the language
// pack's lists, the camera list, every page and the action engine (a Qt Core object); pages ask
// it for steps and actions with signals, and it decides which page shows, runs searches and saves, keeps the
// selected camera record and hands it to the page being shown.
#include "app/core/step_machine.h"
#include "app/language_dialog.h"
#include "app/main_dialog.h"
#include "app/success_dialog.h"
#include "device/action_dlg.h"
#include "device/core/camera_data.h"
#include "device_ui/progress_dlg.h"
#include "device_ui/search_dialog.h"
#include "pages/basic_setting_dialog.h"
#include "pages/info_dialogs.h"
#include "pages/ip_setting_dialog.h"
#include "pages/license_dialog.h"
#include "pages/network_setting_dialog.h"
#include "pages/new_setting_dialog.h"
#include "pages/wireless1_dialog.h"
#include "pages/wireless2_dialog.h"
#include "pages/wireless3_dialog.h"
#include "platform/core/typed_ptr_list.h"
#include "platform/events/scaled_timer.h"
#include "skin/bmp_dialog.h"

#include <QPoint>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

using CCameraList = CTypedPtrList<CCameraDataObj>;

// One object of every page class, in the order of WizardPage.
using WizardPages =
    std::tuple<CMainDialog, CLicenseDialog, CInfo1Dialog, CInfo2Dialog, CInfo3Dialog, CInfo4Dialog,
               CSearchDialog, CBasicSettingDialog, CNetworkSettingDialog, CIpSettingDialog, CNewSettingDialog,
               CWireless1Dialog, CWireless2Dialog, CWireless3Dialog, CSuccessDialog>;

class CCamtivoDlg : public CBmpDialog
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
    explicit CCamtivoDlg(QString commandLine = {}, QWidget* parent = nullptr);
    ~CCamtivoDlg() override;

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
    CCameraList& CameraList() { return cameraList_; }
    CCameraDataObj* SelectedCamera() const { return selectedCamera_; }
    const CCameraDataObj& SavedCamera() const { return savedCamera_; }
    CStringList& PackStrings() { return packStrings_; }
    CBmpList& PackBitmaps() { return packBitmaps_; }
    CIconList& PackIcons() { return packIcons_; }
    CActionDlg& ActionDialog() { return actionDlg_; }
    CLanguageDialog& LanguagePage() { return languagePage_; }
    // The page objects by role; naming a role whose object is of another class does not compile.
    template <WizardPage P> auto& PageObject() { return std::get<static_cast<size_t>(P)>(pageObjects_); }
    template <WizardPage P> const auto& PageObject() const
    {
        return std::get<static_cast<size_t>(P)>(pageObjects_);
    }
    CMainDialog& MainPage() { return PageObject<WizardPage::Main>(); }
    CSearchDialog& SearchPage() { return PageObject<WizardPage::Search>(); }
    CBasicSettingDialog& BasicPage() { return PageObject<WizardPage::BasicSettings>(); }
    CNetworkSettingDialog& NetworkPage() { return PageObject<WizardPage::NetworkSettings>(); }
    CIpSettingDialog& IpPage() { return PageObject<WizardPage::IpSettings>(); }
    CNewSettingDialog& SummaryPage() { return PageObject<WizardPage::Summary>(); }
    CSuccessDialog& SuccessPage() { return PageObject<WizardPage::Success>(); }
    CWireless3Dialog& WirelessSecurityPage() { return PageObject<WizardPage::Wireless3>(); }
    // The page of a step, or null when the step has none.
    CBmpDialog* StepPage(int step) const;
    // Every page but the language page, in the order of WizardPage: the order in which they
    // are created, skinned again on a reload and asked for their messages.
    const std::array<CBmpDialog*, kPageCount>& Pages() const { return pages_; }

protected:
    bool OnInitDialog() override;
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
    void PreparePage(CBmpDialog& page);
    void CreatePages();
    // The engine's ends and the boxes it asks for.
    void ListenToActions();
    void ListenToTimers();
    void ListenTo(CBmpDialog& page);
    void OnDragStart(QPoint pagePoint);
    void RefreshWindow();
    void OnVerifyTick();
    void FinishVerify(bool found);
    std::vector<std::string> VerifyTargets() const;
    std::optional<SaveFollowUp> FollowUpOf(const CCameraDataObj& camera) const;
    // The texts of the security kinds from the pack: none, WEP 64-bit, WEP 128-bit, WPA.
    std::vector<QString> SecurityTexts() const;
    void RunProgress(const CProgressDlg::Kind& kind);
    // Replaces the camera list's content and re-points everything that pointed into it.
    void AfterCameraListReplaced();
    void TakeFoundCameras();
    void SelectCamera(CCameraDataObj* record);
    CCameraDataObj* FindCamera(const MacAddress& mac) const;
    CCameraDataObj* RecordForStep(int step) const;
    void ShowFrameMessage(int kind, int textNumber);

    QString commandLine_;
    CCameraList cameraList_;
    CBmpList packBitmaps_;
    CStringList packStrings_;
    CIconList packIcons_;
    QString packFolder_;
    QString packPath_;
    QString testFilePath_;
    QString testFileSavePath_;
    UINT dragFlags_ = 0;
    QPoint dragOrigin_;
    bool pagesReady_ = false;
    int step_ = 0;
    int shownStep_ = 0;
    CCameraDataObj* selectedCamera_ = nullptr;
    MacAddress selectedMac_{}; // kept apart: the record itself may be freed by a new list
    CCameraDataObj savedCamera_;
    bool firstSearch_ = true;
    int verifyTries_ = 0;
    CLanguageDialog languagePage_;
    WizardPages pageObjects_;
    const std::array<CBmpDialog*, kPageCount> pages_;        // the same, by WizardPage
    const std::array<CRecordPage*, kPageCount> recordPages_; // null for a page that takes no record
    CActionDlg actionDlg_;
    bool busy_ = false;
    bool saveOk_ = false;
    bool searching_ = false;
    bool testMode_ = false;
    bool productFilterOn_ = true;
    std::vector<std::string> unicastTargets_; // --to: cameras behind a router
    std::vector<NamedRange> rangeTargets_;    // --to blocks and ranges, swept by each search
    std::unique_ptr<CWaitCursor> verifyCursor_;
    ScaledTimer createPages_{this, true};
    ScaledTimer searchRefresh_{this};
    ScaledTimer testDelay_{this, true};
    ScaledTimer verifyTimer_{this};
};
