#include "app/camtivo_dlg.h"

#include "app/about_dialog.h"
#include "app/core/command_line.h"
#include "app/core/step_machine.h"
#include "app/core/test_file.h"
#include "app/language_pack.h"
#include "platform/core/socket_errors.h"
#include "platform/core/time_scale.h"
#include "platform/core/window_messages.h"
#include "platform/message_box.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QThread>

namespace {

constexpr int kTextMessageButton = 50801;
constexpr int kTextNoCamera = 50804;
constexpr int kTextSaveSucceeded = 51202;
constexpr int kTextSaveFailed = 51203;
constexpr int kTextGenericFailure = 59999;
constexpr int64_t kAfterProgressWaitMs = 100;

// The program's own texts.
const QString kAppName = QStringLiteral("Camtivo");
const QString kAboutMenuText = QStringLiteral("&About Camtivo...");
const QString kSearchNotStartedText = QStringLiteral("aaa");

// The search page's text for the socket error that ended a search.
int SocketErrorText(LPARAM code)
{
    switch (code) {
    case WSAETIMEDOUT:
        return CSearchDialog::kTextSocket10060;
    case WSAEHOSTDOWN:
        return CSearchDialog::kTextSocket10064;
    case WSAEHOSTUNREACH:
        return CSearchDialog::kTextSocket10065;
    case WSAHOST_NOT_FOUND:
        return CSearchDialog::kTextSocket11001;
    default:
        return CSearchDialog::kTextSocketOther;
    }
}

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

CCamtivoDlg::CCamtivoDlg(QString commandLine, QWidget* parent)
    : CBmpDialog(parent), commandLine_(std::move(commandLine))
{
    SetLists(&packStrings_, &packBitmaps_, &packIcons_);
    SetDragWnd(this, WM_WIZARD_DRAG);
    ClearLanguagePack(packStrings_, packBitmaps_, packIcons_);
    setWindowIcon(ProgramIcon());
}

// The pages and the action dialog are members: each leaves the widget tree as it is
// destroyed, before the base would delete its children.
CCamtivoDlg::~CCamtivoDlg() = default;

bool CCamtivoDlg::OnInitDialog()
{
    CBmpDialog::OnInitDialog();
    setWindowTitle(kAppName);
    testFilePath_ = ProgramDir() + QStringLiteral("Camtivo.tst");
    testFileSavePath_ = testFilePath_;
    packPath_ = LanguagePackPath(ProgramDir(), GetLanguage());
    LoadLanguagePack(packPath_, packStrings_, packBitmaps_, packIcons_);
    ParseCommandLine();
    DeviceTypeFilter filter;
    if (productFilterOn_)
        filter = DeviceTypeFilter{true, {17, 18}};
    actionDlg_.SetAllowedTypes(filter);

    PreparePage(languagePage_);
    languagePage_.CreateChild(this);
    PreparePage(mainPage_);
    mainPage_.CreateChild(this);
    mainPage_.show();
    step_ = shownStep_ = 0;
    SetLanguage(languagePage_.GetLanguage());
    SetTimer(TIMER_CREATE_PAGES, kCreatePagesMs);
    return true;
}

void CCamtivoDlg::ParseCommandLine()
{
    const CommandLineSwitches switches = ::ParseCommandLine(commandLine_.toStdU16String());
    testMode_ = switches.testMode != 0;
    productFilterOn_ = switches.productFilterOn != 0;
    SetTestMode(testMode_);
}

void CCamtivoDlg::PreparePage(CBmpDialog& page)
{
    page.SetTestMode(testMode_);
    page.SetLists(&packStrings_, &packBitmaps_, &packIcons_);
    page.SetDragWnd(this, WM_WIZARD_DRAG);
    page.SetNotifyWnd(this);
}

void CCamtivoDlg::CreatePages()
{
    KillTimer(TIMER_CREATE_PAGES);
    CWaitCursor wait;
    actionDlg_.SetNotification(this, WM_ACTION_NOTIFY);
    actionDlg_.CreateChild(this);
    searchPage_.SetCameraList(&cameraList_);
    PreparePage(searchPage_);
    searchPage_.CreateChild(this);
    pagesReady_ = true;
    ShowPage(0);
}

CCameraDataObj* CCamtivoDlg::RecordForStep(int step) const
{
    // Step 2 takes the camera the search page shows; the later steps keep the one it took.
    return step == 2 ? searchPage_.CurrentCamera() : selectedCamera_;
}

CBmpDialog* CCamtivoDlg::StepPage(int step)
{
    switch (step) {
    case 0:
        return &mainPage_;
    case 1:
        return &searchPage_;
    default:
        return nullptr;
    }
}

LRESULT CCamtivoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WIZARD_DRAG:
        OnDragStart(lParam);
        break;
    case WM_WIZARD_NAVIGATE:
        OnNavigate(wParam);
        break;
    case WM_WIZARD_RELOAD_SKIN:
        ReloadLanguage();
        break;
    case WM_WIZARD_PAGE_RENDERED:
        if (pagesReady_)
            RefreshWindow();
        break;
    case WM_WIZARD_CLOSE:
        EndDialog(IDOK);
        return 0;
    case WM_WIZARD_SHOW_ALL_MESSAGES:
        ShowAllMessages();
        break;
    case WM_WIZARD_ACTION:
        if (wParam == ACTION_SEARCH)
            RunSearch();
        else if (wParam == ACTION_SAVE)
            RunSave();
        break;
    case WM_ACTION_NOTIFY:
        OnActionNotify(wParam, lParam);
        break;
    default:
        break;
    }
    return CBmpDialog::WindowProc(message, wParam, lParam);
}

void CCamtivoDlg::OnNavigate(WPARAM direction)
{
    // Until the pages exist, and without a record for the setting pages, a request is dropped
    // whole, so that the step and the page shown cannot disagree afterwards.
    NavigationInput input;
    input.step = step_;
    input.shownStep = shownStep_;
    input.request = direction;
    input.pagesReady = pagesReady_;
    input.hasRecord = RecordForStep(step_ <= 1 ? 2 : step_) != nullptr;
    input.dhcpEnabled = selectedCamera_ != nullptr && selectedCamera_->info.Get(DeviceInfo::dhcpEnable) != 0;
    const NavigationResult result = Navigate(input);
    step_ = result.step;
    if (result.showPage)
        ShowPage(step_);
}

void CCamtivoDlg::ShowPage(int step)
{
    if (step == shownStep_ || !pagesReady_)
        return;
    // The setting pages edit the selected record; without one they stay closed.
    CCameraDataObj* record = RecordForStep(step);
    if (StepNeedsRecord(step) && record == nullptr) {
        step_ = shownStep_;
        return;
    }
    SetLanguage(languagePage_.GetLanguage());
    CBmpDialog* page = StepPage(step);
    if (page != nullptr && page->GetLanguage() != GetLanguage())
        page->SetLanguage(GetLanguage());
    for (int s = kFirstStep; s <= kLastStep; ++s) {
        if (CBmpDialog* other = StepPage(s)) {
            other->move(0, 0);
            other->hide();
        }
    }
    shownStep_ = step;
    switch (step) {
    case 0:
        mainPage_.show();
        break;
    case 1:
        searchPage_.show();
        if (firstSearch_) {
            firstSearch_ = false;
            RunSearch();
        }
        break;
    case 2:
        SelectCamera(record);
        [[fallthrough]];
    default:
        if (page != nullptr)
            page->show();
        break;
    }
}

void CCamtivoDlg::RunSearch()
{
    searching_ = 1;
    // Busy is raised before the action starts: a failure the action reports at once clears it
    // again, and the progress box is then not shown at all instead of waiting for nothing.
    busy_ = 1;
    if (testMode_) {
        ReadTestFile(ToPath(testFilePath_), cameraList_);
        AfterCameraListReplaced();
        SetTimer(TIMER_TEST_DELAY, kTestDelayMs);
    } else {
        actionDlg_.EmptyFoundList();
        if (!actionDlg_.StartSearch()) {
            busy_ = 0;
            PlainMessageBox(this, kSearchNotStartedText, kAppName, MB_OK);
            return;
        }
    }
    SetTimer(TIMER_SEARCH_REFRESH, kSearchRefreshMs);
    if (searching_ == 1 && busy_ == 1)
        RunProgress(CProgressDlg::kSearch);
    busy_ = 0;
    actionDlg_.Stop();
    KillTimer(TIMER_SEARCH_REFRESH);
    QThread::msleep(static_cast<unsigned long>(TimeScale::Scaled(kAfterProgressWaitMs)));
    if (!testMode_)
        TakeFoundCameras();
    if (searching_ == 1 && cameraList_.IsEmpty())
        ShowFrameMessage(kMessageNotice, kTextNoCamera);
    searchPage_.RefreshFromCameraList();
    searchPage_.setFocus();
}

void CCamtivoDlg::RunSave()
{
    saveOk_ = 0;
    if (selectedCamera_ == nullptr) {
        ShowFrameMessage(kMessageError, kTextSaveFailed);
        return;
    }
    busy_ = 1;
    if (testMode_) {
        saveOk_ = WriteTestFile(ToPath(testFileSavePath_), cameraList_) ? 1 : 0;
        SetTimer(TIMER_TEST_DELAY, kTestDelayMs);
    } else {
        actionDlg_.StartSave(*selectedCamera_);
    }
    if (busy_ == 1)
        RunProgress(CProgressDlg::kSave);
    busy_ = 0;
    actionDlg_.Stop();
    if (saveOk_ == 1) {
        StartVerify();
        ShowFrameMessage(kMessageSuccess, kTextSaveSucceeded);
        EndDialog(IDOK);
    } else {
        ShowFrameMessage(kMessageError, kTextSaveFailed);
    }
}

void CCamtivoDlg::StartVerify()
{
    verifyCursor_ = std::make_unique<CWaitCursor>();
    verifying_ = true;
    verifyTries_ = 0;
    if (selectedCamera_ != nullptr) {
        savedCamera_.replyHeader = selectedCamera_->replyHeader;
        savedCamera_.info = selectedCamera_->info;
    }
    // Test mode has no network: the cameras are read back from the test file at each tick.
    if (!testMode_) {
        actionDlg_.EmptyFoundList();
        actionDlg_.StartSearch();
    }
    SetTimer(TIMER_VERIFY, kVerifyMs);
}

void CCamtivoDlg::OnVerifyTick()
{
    if (testMode_) {
        ReadTestFile(ToPath(testFilePath_), cameraList_);
        AfterCameraListReplaced();
    } else {
        TakeFoundCameras();
    }
    if (cameraList_.IsEmpty())
        return;
    ++verifyTries_;
    CCameraDataObj* found = FindCamera(savedCamera_.info.Get(DeviceInfo::macAddress));
    if (found != nullptr)
        SelectCamera(found);
    if (found != nullptr || verifyTries_ == kVerifyTries)
        FinishVerify(found != nullptr);
}

void CCamtivoDlg::FinishVerify(bool)
{
    verifying_ = false;
    verifyCursor_.reset();
    KillTimer(TIMER_VERIFY);
    actionDlg_.Stop();
}

void CCamtivoDlg::RunProgress(const CProgressDlg::Kind& kind)
{
    packPath_ = LanguagePackPath(ProgramDir(), GetLanguage());
    CProgressDlg progress(this);
    progress.LoadFrames(packPath_, kind, &packStrings_);
    progress.SetBusyFlag(&busy_);
    progress.DoModal();
}

void CCamtivoDlg::TakeFoundCameras()
{
    actionDlg_.CopyFoundList(cameraList_);
    AfterCameraListReplaced();
}

void CCamtivoDlg::AfterCameraListReplaced()
{
    // The list's records were all replaced: the selected record is found again by its MAC
    // address, and the search page forgets the record it showed.
    if (selectedCamera_ != nullptr)
        SelectCamera(FindCamera(selectedMac_));
    searchPage_.ForgetCameraList();
}

void CCamtivoDlg::SelectCamera(CCameraDataObj* record)
{
    selectedCamera_ = record;
    if (record != nullptr)
        selectedMac_ = record->info.Get(DeviceInfo::macAddress);
}

CCameraDataObj* CCamtivoDlg::FindCamera(const MacAddress& mac) const
{
    for (CCameraDataObj* record : cameraList_) {
        if (record->info.Get(DeviceInfo::macAddress) == mac)
            return record;
    }
    return nullptr;
}

void CCamtivoDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TIMER_CREATE_PAGES:
        CreatePages();
        break;
    case TIMER_SEARCH_REFRESH:
        if (!testMode_)
            TakeFoundCameras();
        searchPage_.RefreshFromCameraList();
        break;
    case TIMER_TEST_DELAY:
        busy_ = 0;
        break;
    case TIMER_VERIFY:
        OnVerifyTick();
        break;
    default:
        CBmpDialog::OnTimer(id);
        break;
    }
}

void CCamtivoDlg::OnActionNotify(WPARAM code, LPARAM value)
{
    switch (code) {
    case NOTIFY_SEARCH_DONE:
        busy_ = 0;
        break;
    case NOTIFY_SAVE_OK:
        busy_ = 0;
        saveOk_ = 1;
        break;
    case NOTIFY_SAVE_FAILED:
        busy_ = 0;
        saveOk_ = 0;
        break;
    case NOTIFY_SEND_ERROR:
        searching_ = 0;
        busy_ = 0;
        ShowFrameMessage(kMessageError, SocketErrorText(value));
        break;
    default:
        break;
    }
}

void CCamtivoDlg::ReloadLanguage()
{
    const QString language = languagePage_.GetLanguage();
    packPath_ = LanguagePackPath(ProgramDir(), language);
    LoadLanguagePack(packPath_, packStrings_, packBitmaps_, packIcons_);
    languagePage_.RenderPage();
    languagePage_.RenderPage();
    mainPage_.RenderPage();
    if (pagesReady_)
        searchPage_.RenderPage();
}

void CCamtivoDlg::ShowAllMessages()
{
    mainPage_.ShowAllMessages();
    if (pagesReady_)
        searchPage_.ShowAllMessages();
    ShowFrameMessage(kMessageError, kTextGenericFailure);
}

void CCamtivoDlg::RefreshWindow()
{
    // Everything is drawn again from the canvases, pages included.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void CCamtivoDlg::OnDragStart(LPARAM pointAddress)
{
    if ((dragFlags_ & kDragBits) == kDragBits || pointAddress == 0)
        return;
    dragOrigin_ = *reinterpret_cast<const QPoint*>(pointAddress);
    dragFlags_ |= kDragBits;
    grabMouse();
}

void CCamtivoDlg::mouseMoveEvent(QMouseEvent* event)
{
    if ((dragFlags_ & kDragBits) == kDragBits)
        move(pos() + event->position().toPoint() - dragOrigin_);
    CBmpDialog::mouseMoveEvent(event);
}

void CCamtivoDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && (dragFlags_ & kDragBits) != 0) {
        dragFlags_ &= ~kDragClearMask;
        releaseMouse();
    }
    CBmpDialog::mouseReleaseEvent(event);
}

void CCamtivoDlg::closeEvent(QCloseEvent* event)
{
    // The window has no close box, but the desktop can still ask it to close (a key, the
    // taskbar, logging out). That ends the wizard as its close button would, except while a
    // search or save runs: the action has to end before the wizard can.
    event->ignore();
    if (busy_ == 0)
        EndDialog(IDCANCEL);
}

void CCamtivoDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // The window has no title bar, so its system menu opens here.
    QMenu menu(this);
    QAction* about = menu.addAction(kAboutMenuText);
    if (menu.exec(event->globalPos()) == about)
        OnSysCommand(ID_ABOUT_FIRST);
}

void CCamtivoDlg::OnSysCommand(int id)
{
    if (id < ID_ABOUT_FIRST || id > ID_ABOUT_LAST)
        return;
    CAboutDlg about(this);
    about.DoModal();
}

void CCamtivoDlg::ShowFrameMessage(int kind, int textNumber)
{
    ShowMessage(kind, SkinString(&packStrings_, textNumber), SkinString(&packStrings_, kTextMessageButton));
}
