#pragma once
// CCamtivoDlg: the wizard frame. The one top-level window of the program: it owns the language
// pack's lists, the camera list, every page and the hidden action dialog; pages talk to it
// with window messages, and it decides which page shows, runs searches and saves, keeps the
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
#include "skin/bmp_dialog.h"

#include <QPoint>
#include <array>
#include <memory>
#include <vector>

using CCameraList = CTypedPtrList<CCameraDataObj>;

class CCamtivoDlg : public CBmpDialog
{
    Q_OBJECT

public:
    static constexpr int kTemplate = 103;
    static constexpr UINT_PTR TIMER_CREATE_PAGES = 0x1401;
    static constexpr UINT_PTR TIMER_SEARCH_REFRESH = 0x1402;
    static constexpr UINT_PTR TIMER_TEST_DELAY = 0x1403;
    static constexpr UINT_PTR TIMER_VERIFY = 0x1404;
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
    void ShowPage(int step);
    void RunSearch();
    void RunSave();
    // After a save whose every request went unanswered: asks the camera once more, in a search
    // that ends when it answers, whether it holds what was sent (its answers may all have been
    // lost on the way back).
    bool AppliedDespiteSilence();
    void StartVerify();
    void ReloadLanguage();

    // The system menu's About box (identifiers 16 to 31); other identifiers do nothing.
    void OnSysCommand(int id);

    // State, for the program's own checks and for tests.
    int Step() const { return step_; }
    int ShownStep() const { return shownStep_; }
    bool PagesReady() const { return pagesReady_; }
    bool TestMode() const { return testMode_; }
    bool ProductFilterOn() const { return productFilterOn_; }
    const std::vector<std::string>& UnicastTargets() const { return unicastTargets_; }
    int Busy() const { return busy_; }
    int Searching() const { return searching_; }
    int SaveOk() const { return saveOk_; }
    int VerifyTries() const { return verifyTries_; }
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
    CMainDialog& MainPage() { return mainPage_; }
    CSearchDialog& SearchPage() { return searchPage_; }
    CBasicSettingDialog& BasicPage() { return basicPage_; }
    CNetworkSettingDialog& NetworkPage() { return networkPage_; }
    CIpSettingDialog& IpPage() { return ipPage_; }
    CNewSettingDialog& SummaryPage() { return summaryPage_; }
    CSuccessDialog& SuccessPage() { return successPage_; }
    CWireless3Dialog& WirelessSecurityPage() { return wireless3Page_; }
    // The page of a step, or null when the step has none.
    CBmpDialog* StepPage(int step) const;
    // Every page but the language page, in the order they are skinned again on a reload and
    // asked for their messages.
    const std::vector<CBmpDialog*>& Pages() const { return pages_; }

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;
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
    void OnNavigate(WPARAM direction);
    void OnActionNotify(WPARAM code, LPARAM value);
    void OnDragStart(LPARAM pointAddress);
    void RefreshWindow();
    void ShowAllMessages();
    void OnVerifyTick();
    void FinishVerify(bool found);
    std::vector<std::string> VerifyTargets() const;
    // The record page of a step (2 to 6), or null.
    CRecordPage* RecordPageOf(int step);
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
    CMainDialog mainPage_;
    CSearchDialog searchPage_;
    CBasicSettingDialog basicPage_;
    CNetworkSettingDialog networkPage_;
    CIpSettingDialog ipPage_;
    CNewSettingDialog summaryPage_;
    CSuccessDialog successPage_;
    // Pages on no step: created, skinned and asked for their messages with the others.
    CLicenseDialog licensePage_;
    CInfo1Dialog info1Page_;
    CInfo2Dialog info2Page_;
    CInfo3Dialog info3Page_;
    CInfo4Dialog info4Page_;
    CWireless1Dialog wireless1Page_;
    CWireless2Dialog wireless2Page_;
    CWireless3Dialog wireless3Page_;
    const std::vector<CBmpDialog*> pages_;
    const std::array<CBmpDialog*, kLastStep + 1> stepPages_;
    CActionDlg actionDlg_;
    int busy_ = 0;
    int saveOk_ = 0;
    int searching_ = 0;
    bool testMode_ = false;
    bool productFilterOn_ = true;
    std::vector<std::string> unicastTargets_; // --to: cameras behind a router
    std::unique_ptr<CWaitCursor> verifyCursor_;
};
