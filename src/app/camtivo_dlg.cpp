#include "app/camtivo_dlg.h"

#include "app/about_dialog.h"
#include "app/core/command_line.h"
#include "app/core/language_names.h"
#include "app/data_folders.h"
#include "app/language_pack.h"
#include "device/core/address_clash.h"
#include "pages/core/skin_list_block.h"
#include "platform/core/window_messages.h"
#include "platform/message_box.h"
#include "platform/network_adapters.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>

namespace {

constexpr int kTextMessageButton = kTextMessageOk;
constexpr int kTextGenericFailure = 59999;

const QString kAppName = QStringLiteral("Camtivo");
// The right-click menu in the program's look: white, a hairline frame, the accent text colour
// behind the entry under the pointer.
const QString kMenuLook =
    QStringLiteral("QMenu { background: white; border: 1px solid #C9CEDD; padding: 4px 0; }"
                   "QMenu::item { padding: 6px 24px 6px 16px; color: #2B2F3A; background: transparent; }"
                   "QMenu::item:selected { background: #5468C4; color: white; }");

} // namespace

CCamtivoDlg::CCamtivoDlg(QString commandLine, QWidget* parent)
    : CBmpDialog(parent),
      commandLine_(std::move(commandLine)), pages_{&mainPage_,      &licensePage_,   &info1Page_,
                                                   &info2Page_,     &info3Page_,     &info4Page_,
                                                   &searchPage_,    &basicPage_,     &networkPage_,
                                                   &ipPage_,        &summaryPage_,   &wireless1Page_,
                                                   &wireless2Page_, &wireless3Page_, &successPage_},
      stepPages_{&mainPage_, &searchPage_, &basicPage_, &networkPage_, &ipPage_, &summaryPage_, &successPage_}
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
    packFolder_ = ::PackFolder();
    const QString startLanguage = LoadPack(StartupPackName(packFolder_));
    ParseCommandLine();
    DeviceTypeFilter filter;
    if (productFilterOn_)
        filter = DeviceTypeFilter::CurrentTypesOnly();
    actionDlg_.SetAllowedTypes(filter);

    PreparePage(languagePage_);
    languagePage_.SetChoices(PacksIn(packFolder_), startLanguage);
    languagePage_.CreateChild(this);
    licensePage_.SetLicenseFolder(DataFolderOf(QString::fromLatin1(CLicenseDialog::kLicenseFile)));
    PreparePage(mainPage_);
    mainPage_.CreateChild(this);
    mainPage_.show();
    mainPage_.FocusOnArrival();
    step_ = shownStep_ = 0;
    SetLanguage(languagePage_.GetLanguage());
    if (mainPage_.GetLanguage() != GetLanguage())
        mainPage_.SetLanguage(GetLanguage());
    SetTimer(TIMER_CREATE_PAGES, kCreatePagesMs);
    return true;
}

void CCamtivoDlg::ParseCommandLine()
{
    const CommandLineSwitches switches = ::ParseCommandLine(commandLine_.toStdU16String());
    testMode_ = switches.testMode != 0;
    productFilterOn_ = switches.productFilterOn != 0;
    unicastTargets_ = ParseUnicastTargets(commandLine_.toStdU16String()).addresses;
    SetTestMode(testMode_);
}

QString CCamtivoDlg::LoadPack(const QString& language)
{
    const QString wanted = LanguagePackPath(packFolder_, language);
    packPath_ = wanted;
    if (LoadLanguagePack(wanted, packStrings_, packBitmaps_, packIcons_) == 0 || !QFileInfo::exists(wanted))
        return language;
    const QString english = QString::fromStdU16String(std::u16string(kDefaultPackName));
    const QString englishPath = LanguagePackPath(packFolder_, english);
    const bool fellBack =
        englishPath != wanted && LoadLanguagePack(englishPath, packStrings_, packBitmaps_, packIcons_) == 0;
    if (fellBack)
        packPath_ = englishPath;
    // The pack's own texts are what failed, so this one message is the program's own.
    const QString text = QStringLiteral("The language pack %1 could not be read.\n%2")
                             .arg(QDir::toNativeSeparators(wanted),
                                  fellBack ? QStringLiteral("The wizard is shown in English instead.")
                                           : QStringLiteral("The wizard has no texts to show."));
    PlainMessageBox(this, text, kAppName, MB_OK | MB_ICONERROR);
    return fellBack ? english : language;
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
    ipPage_.SetClashCheck([this](const Ipv4Address& wanted, const CCameraDataObj& camera) {
        return FindAddressClash(wanted, camera, cameraList_, ListOwnAddresses());
    });
    for (CBmpDialog* page : pages_) {
        if (page->IsInitialised())
            continue; // the main page exists from the start
        PreparePage(*page);
        page->CreateChild(this);
    }
    pagesReady_ = true;
    ShowPage(0);
}

CCameraDataObj* CCamtivoDlg::RecordForStep(int step) const
{
    // Step 2 takes the camera the search page shows; the later steps keep the one it took.
    return step == 2 ? searchPage_.CurrentCamera() : selectedCamera_;
}

CBmpDialog* CCamtivoDlg::StepPage(int step) const
{
    if (step < kFirstStep || step > kLastStep)
        return nullptr;
    return stepPages_[static_cast<size_t>(step)];
}

CRecordPage* CCamtivoDlg::RecordPageOf(int step)
{
    switch (PageForStep(step)) {
    case WizardPage::BasicSettings:
        return &basicPage_;
    case WizardPage::NetworkSettings:
        return &networkPage_;
    case WizardPage::IpSettings:
        return &ipPage_;
    case WizardPage::Summary:
        return &summaryPage_;
    case WizardPage::Success:
        return &successPage_;
    default:
        return nullptr;
    }
}

std::vector<QString> CCamtivoDlg::SecurityTexts() const
{
    std::vector<QString> texts;
    for (const std::u16string& line : ReadSecurityTypeBlock(&packStrings_).lines)
        texts.push_back(QString::fromStdU16String(line));
    return texts;
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
    // A step without a page, or a setting step without a record, is never shown: the wizard
    // stays on the page the user sees rather than showing an empty window.
    CBmpDialog* page = StepPage(step);
    CCameraDataObj* record = RecordForStep(step);
    if (page == nullptr || (StepNeedsRecord(step) && record == nullptr)) {
        step_ = shownStep_;
        return;
    }
    SetLanguage(languagePage_.GetLanguage());
    if (page->GetLanguage() != GetLanguage())
        page->SetLanguage(GetLanguage());
    for (CBmpDialog* other : stepPages_) {
        other->move(0, 0);
        other->hide();
    }
    shownStep_ = step;
    if (step == 1)
        searchPage_.SetSecurityTexts(SecurityTexts());
    if (step == 2)
        SelectCamera(record);
    if (page == &summaryPage_)
        summaryPage_.SetSecurityTexts(SecurityTexts());
    if (CRecordPage* recordPage = RecordPageOf(step))
        recordPage->LoadFromRecord(selectedCamera_);
    page->show();
    page->FocusOnArrival();
    if (step == 1 && firstSearch_) {
        firstSearch_ = false;
        RunSearch();
    }
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

void CCamtivoDlg::ReloadLanguage()
{
    // The frame keeps the language too: its progress boxes read their frames from its pack.
    const QString language = LoadPack(languagePage_.GetLanguage());
    SetLanguage(language);
    if (language != languagePage_.GetLanguage())
        languagePage_.SetChoices(PacksIn(packFolder_), language);
    languagePage_.RenderPage();
    languagePage_.RenderPage();
    for (CBmpDialog* page : pages_) {
        if (page->IsInitialised())
            page->RenderPage();
    }
}

void CCamtivoDlg::ShowAllMessages()
{
    for (CBmpDialog* page : pages_) {
        if (page->IsInitialised())
            page->ShowAllMessages();
    }
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
    menu.setStyleSheet(kMenuLook);
    QAction* about = menu.addAction(CAboutDlg::PackText(&packStrings_, CAboutDlg::kTextMenuEntry));
    if (menu.exec(event->globalPos()) == about)
        OnSysCommand(ID_ABOUT_FIRST);
}

void CCamtivoDlg::OnSysCommand(int id)
{
    if (id < ID_ABOUT_FIRST || id > ID_ABOUT_LAST)
        return;
    CAboutDlg about(this, &packStrings_);
    about.DoModal();
}

void CCamtivoDlg::ShowFrameMessage(int kind, int textNumber)
{
    ShowMessage(kind, SkinString(&packStrings_, textNumber), SkinString(&packStrings_, kTextMessageButton));
}
