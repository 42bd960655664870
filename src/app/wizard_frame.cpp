#include "app/wizard_frame.h"

#include "app/about_dialog.h"
#include "app/core/command_line.h"
#include "app/core/language_names.h"
#include "app/core/test_mode_file.h"
#include "app/data_folders.h"
#include "app/language_pack.h"
#include "device/core/address_clash.h"
#include "device_ui/progress_dialog.h"
#include "pages/core/skin_list_block.h"
#include "platform/message_box.h"
#include "platform/net/network_adapters.h"
#include "skin/core/message_kind.h"
#include "skin/program_look.h"
#include "skin/skin_draw.h"
#include "skin/window_accessible.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace {

constexpr int kTextMessageButton = kTextMessageOk;
constexpr int kTextGenericFailure = 59999;
constexpr int kTextSaveSucceeded = SummaryPage::kTextSaved;
constexpr int kTextSaveFailed = SummaryPage::kTextNotSaved;
constexpr int kTextSaveUnconfirmed = 50853;

const QString kAppName = QStringLiteral("Camtivo");

} // namespace

WizardFrame::WizardFrame(QString commandLine, QWidget* parent)
    : SkinnedDialog(parent), commandLine_(std::move(commandLine)),
      pages_(wizard_pages::PagesAs<SkinnedDialog>(pageObjects_)),
      recordPages_(wizard_pages::PagesAs<RecordPage>(pageObjects_))
{
    SetLists(&packStrings_, &packBitmaps_, &packIcons_);
    connect(this, &SkinnedDialog::dragStarted, this, &WizardFrame::OnDragStart);
    ClearLanguagePack(packStrings_, packBitmaps_, packIcons_);
    setWindowIcon(ProgramIcon());
    actions_.SetStrings(&packStrings_);
    ListenToActions();
    connect(&createPages_, &QTimer::timeout, this, &WizardFrame::CreatePages);
}

void WizardFrame::ListenToActions()
{
    SearchPage& search = Search();
    connect(&actions_, &WizardActions::listCleared, &search, &SearchPage::ForgetCameraList);
    connect(&actions_, &WizardActions::searchStarted, &search, &SearchPage::SearchStarted);
    connect(&actions_, &WizardActions::cameraListed, &search, &SearchPage::CameraListed);
    connect(&actions_, &WizardActions::searchEnded, &search, &SearchPage::SearchEnded);
    connect(&actions_, &WizardActions::sweepProgressed, &search,
            [this] { Search().ShowSweep(actions_.SweepStatusText()); });
    connect(&search, &SearchPage::stopRequested, &actions_, &WizardActions::StopSearch);
    search.SetOutsideCheck(
        [this](const CameraRecord& camera) { return actions_.OutsideEveryNetwork(camera); });
    connect(&actions_, &WizardActions::verifyEnded, this, [this](CameraRecord* found) {
        if (found != nullptr)
            Success().LoadFromRecord(found);
        Success().SetFound(found != nullptr);
    });
    connect(&actions_, &WizardActions::boxRequested, this, &WizardFrame::ShowActionBox);
}

// The pages are members: each leaves the widget tree as it is destroyed, before the base would
// delete its children.
WizardFrame::~WizardFrame() = default;

bool WizardFrame::Initialise()
{
    SkinnedDialog::Initialise();
    setWindowTitle(kAppName);
    packFolder_ = ::PackFolder();
    const QString startLanguage = LoadPack(StartupPackName(packFolder_));
    ParseCommandLine();
    DeviceTypeFilter filter;
    if (productFilterOn_)
        filter = DeviceTypeFilter::CurrentTypesOnly();
    actions_.Engine().SetAllowedTypes(filter);

    PreparePage(languagePage_);
    languagePage_.SetChoices(PacksIn(packFolder_), startLanguage);
    languagePage_.CreateChild(this);
    PageObject<WizardPage::License>().SetLicenseFolder(
        DataFolderOf(QString::fromLatin1(LicensePage::kLicenseFile)));
    // The first step's page is there at once; the others follow on the page-creation timer.
    SkinnedDialog& first = *StepPage(kFirstStep);
    PreparePage(first);
    first.CreateChild(this);
    first.show();
    first.FocusOnArrival();
    step_ = shownStep_ = kFirstStep;
    SetLanguage(languagePage_.GetLanguage());
    if (first.GetLanguage() != GetLanguage())
        first.SetLanguage(GetLanguage());
    createPages_.Start(kCreatePagesMs);
    return true;
}

void WizardFrame::ParseCommandLine()
{
    const CommandLineSwitches switches = ::ParseCommandLine(commandLine_.toStdU16String());
    testMode_ = switches.testMode;
    productFilterOn_ = switches.productFilterOn;
    ::UnicastTargets targets = ParseUnicastTargets(commandLine_.toStdU16String());
    actions_.SetTargets(std::move(targets.addresses), std::move(targets.ranges));
    const QString testFile = ProgramDir() + QString::fromLatin1(kTestFileName);
    actions_.SetTestMode(testMode_, std::filesystem::path(testFile.toStdU16String()));
    SetTestMode(testMode_);
}

QString WizardFrame::LoadPack(const QString& language)
{
    const LoadedPack pack = LoadPackOrEnglish(packFolder_, language, packStrings_, packBitmaps_, packIcons_);
    packPath_ = pack.path;
    if (!pack.failure.isEmpty())
        PlainMessageBox(this, pack.failure, kAppName, MB_OK | MB_ICONERROR);
    return pack.language;
}

void WizardFrame::PreparePage(SkinnedDialog& page)
{
    page.SetTestMode(testMode_);
    page.SetLists(&packStrings_, &packBitmaps_, &packIcons_);
    ListenTo(page);
}

// Steps and actions are taken on the next turn of the event loop, once the page's own handler
// has finished; the other requests at once.
void WizardFrame::ListenTo(SkinnedDialog& page)
{
    const auto queued = Qt::QueuedConnection;
    connect(
        &page, &SkinnedDialog::nextRequested, this, [this] { TakeStep(Navigation::Next); }, queued);
    connect(
        &page, &SkinnedDialog::backRequested, this, [this] { TakeStep(Navigation::Back); }, queued);
    connect(&page, &SkinnedDialog::searchRequested, this, &WizardFrame::RunSearch, queued);
    connect(&page, &SkinnedDialog::saveRequested, this, &WizardFrame::RunSave, queued);
    connect(&page, &SkinnedDialog::closeRequested, this, [this] {
        actions_.StopAll();
        Finish(IDOK);
    });
    connect(&page, &SkinnedDialog::languageReloadRequested, this, &WizardFrame::ReloadLanguage);
    connect(&page, &SkinnedDialog::showAllMessagesRequested, this, &WizardFrame::ShowAllMessages);
    connect(&page, &SkinnedDialog::rendered, this, [this] {
        if (pagesReady_)
            RefreshWindow();
    });
    connect(&page, &SkinnedDialog::dragStarted, this, &WizardFrame::OnDragStart);
}

void WizardFrame::CreatePages()
{
    WaitCursor wait;
    Ip().SetClashCheck([this](const Ipv4Address& wanted, const CameraRecord& camera) {
        return FindAddressClash(wanted, camera, actions_.Listed().Records(), ListOwnAddresses());
    });
    for (SkinnedDialog* page : pages_) {
        if (page->IsInitialised())
            continue; // the first step's page exists from the start
        PreparePage(*page);
        page->CreateChild(this);
    }
    pagesReady_ = true;
    ShowPage(kFirstStep);
    // Making the other pages children of the window takes the focus off the first page's
    // control: it goes back, so that the keyboard and a screen reader start on it.
    StepPage(shownStep_)->FocusOnArrival();
}

void WizardFrame::FocusAfterMessage()
{
    if (pagesReady_)
        StepPage(shownStep_)->FocusOnArrival();
}

CameraRecord* WizardFrame::RecordForStep(int step)
{
    // The first step with a record takes the camera the search page shows; the later steps
    // keep the one it took.
    return step == FirstRecordStep() ? Search().CurrentCamera() : actions_.Edited();
}

SkinnedDialog* WizardFrame::StepPage(int step) const
{
    const WizardPage page = PageForStep(step);
    return page == WizardPage::None ? nullptr : pages_[static_cast<size_t>(page)];
}

std::vector<QString> WizardFrame::SecurityTexts() const
{
    std::vector<QString> texts;
    for (const std::u16string& line : ReadSecurityTypeBlock(&packStrings_).lines)
        texts.push_back(QString::fromStdU16String(line));
    return texts;
}

void WizardFrame::TakeStep(Navigation direction)
{
    // Until the pages exist, and without a record for the setting pages, a request is dropped
    // whole, so that the step and the page shown cannot disagree afterwards.
    NavigationInput input;
    input.step = step_;
    input.shownStep = shownStep_;
    input.request = direction;
    input.pagesReady = pagesReady_;
    input.hasRecord = RecordForStep(std::max(step_, FirstRecordStep())) != nullptr;
    const CameraRecord* edited = actions_.Edited();
    input.dhcpEnabled = edited != nullptr && edited->info.Get(DeviceInfo::dhcpEnable) != 0;
    const NavigationResult result = ::Navigate(input);
    step_ = result.step;
    if (result.showPage)
        ShowPage(step_);
}

void WizardFrame::ShowPage(int step)
{
    if (step == shownStep_ || !pagesReady_)
        return;
    // A step without a page, or a setting step without a record, is never shown: the wizard
    // stays on the page the user sees rather than showing an empty window.
    SkinnedDialog* page = StepPage(step);
    CameraRecord* record = RecordForStep(step);
    if (page == nullptr || (StepNeedsRecord(step) && record == nullptr)) {
        step_ = shownStep_;
        return;
    }
    SetLanguage(languagePage_.GetLanguage());
    if (page->GetLanguage() != GetLanguage())
        page->SetLanguage(GetLanguage());
    for (int other = kFirstStep; other <= kLastStep; ++other) {
        StepPage(other)->move(0, 0);
        StepPage(other)->hide();
    }
    shownStep_ = step;
    if (page == &Search())
        Search().SetSecurityTexts(SecurityTexts());
    // The pages edit a copy of the chosen camera: its row goes on changing as it answers.
    if (step == FirstRecordStep())
        actions_.Choose(*record);
    if (page == &Summary())
        Summary().SetSecurityTexts(SecurityTexts());
    if (StepNeedsRecord(step))
        recordPages_[static_cast<size_t>(PageForStep(step))]->LoadFromRecord(actions_.Edited());
    page->show();
    page->FocusOnArrival();
    window_accessible::AnnounceArrival(page);
    actions_.SetListening(page == &Search());
    if (page == &Search() && firstSearch_) {
        firstSearch_ = false;
        RunSearch();
    }
}

void WizardFrame::RunSearch()
{
    actions_.StartSearch();
}

void WizardFrame::RunSave()
{
    using Result = CameraActions::SaveResult;
    std::optional<Result> result;
    packPath_ = LanguagePackPath(packFolder_, GetLanguage());
    ProgressDialog progress(this);
    progress.LoadFrames(packPath_, ProgressDialog::kSave, &packStrings_);
    if (!testMode_) {
        progress.SetStatusSource([this] { return actions_.SaveStatusText(); });
        progress.OfferStop(&packStrings_, &packBitmaps_, [this] { actions_.StopSave(); });
    }
    const auto link =
        connect(&actions_, &WizardActions::saveEnded, &progress, [&result, &progress](Result r) {
            result = r;
            progress.Close();
        });
    if (!actions_.StartSave())
        result = Result::NotOpened;
    if (!result)
        progress.RunModal();
    disconnect(link);
    if (!CameraActions::IsSaved(*result)) {
        const bool unknown = *result == Result::StoppedUnconfirmed;
        ShowActionBox(unknown ? ActionBox{kMessageNotice, kTextSaveUnconfirmed, {}}
                              : ActionBox{kMessageError, kTextSaveFailed, {}});
        return;
    }
    Success().LoadFromRecord(actions_.Edited());
    actions_.StartVerify();
    ShowActionBox({kMessageSuccess, kTextSaveSucceeded, {}});
    Finish(IDOK);
}

void WizardFrame::ShowActionBox(const ActionBox& box)
{
    if (box.plain)
        PlainMessageBox(this, box.plain->text, kAppName, box.plain->type);
    else
        ShowFrameMessage(box.kind, box.textNumber);
}

void WizardFrame::ReloadLanguage()
{
    // The frame keeps the language too: its progress boxes read their frames from its pack.
    const QString language = LoadPack(languagePage_.GetLanguage());
    SetLanguage(language);
    if (language != languagePage_.GetLanguage())
        languagePage_.SetChoices(PacksIn(packFolder_), language);
    // Twice: the second draw changes no pixel but sends the test-mode repaint notice a reload is counted by.
    languagePage_.RenderPage();
    languagePage_.RenderPage();
    for (SkinnedDialog* page : pages_) {
        if (page->IsInitialised())
            page->RenderPage();
    }
}

void WizardFrame::ShowAllMessages()
{
    for (SkinnedDialog* page : pages_) {
        if (page->IsInitialised())
            page->ShowAllMessages();
    }
    ShowFrameMessage(kMessageError, kTextGenericFailure);
}

void WizardFrame::RefreshWindow()
{
    // Everything is drawn again from the canvases, pages included.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void WizardFrame::OnDragStart(QPoint pagePoint)
{
    if ((dragFlags_ & kDragBits) == kDragBits)
        return;
    dragOrigin_ = pagePoint;
    dragFlags_ |= kDragBits;
    grabMouse();
}

void WizardFrame::mouseMoveEvent(QMouseEvent* event)
{
    if ((dragFlags_ & kDragBits) == kDragBits)
        move(pos() + event->position().toPoint() - dragOrigin_);
    SkinnedDialog::mouseMoveEvent(event);
}

void WizardFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && (dragFlags_ & kDragBits) != 0) {
        dragFlags_ &= ~kDragClearMask;
        releaseMouse();
    }
    SkinnedDialog::mouseReleaseEvent(event);
}

void WizardFrame::closeEvent(QCloseEvent* event)
{
    // The window has no close box, but the desktop can still ask it to close (a key, the
    // taskbar, logging out). That ends the wizard as its close button would, except while a
    // save runs: the camera's answer has to be heard before the wizard can end. A search is
    // stopped.
    event->ignore();
    if (actions_.Saving())
        return;
    actions_.StopAll();
    Finish(IDCANCEL);
}

void WizardFrame::contextMenuEvent(QContextMenuEvent* event)
{
    // The window has no title bar, so its system menu opens here.
    QMenu menu(this);
    menu.setStyleSheet(QString::fromLatin1(program_look::kMenuStyleSheet));
    QAction* about = menu.addAction(AboutDialog::PackText(&packStrings_, AboutDialog::kTextMenuEntry));
    if (menu.exec(event->globalPos()) == about)
        OnSysCommand(ID_ABOUT_FIRST);
}

void WizardFrame::OnSysCommand(int id)
{
    if (id < ID_ABOUT_FIRST || id > ID_ABOUT_LAST)
        return;
    AboutDialog about(this, &packStrings_);
    about.RunModal();
}

void WizardFrame::ShowFrameMessage(int kind, int textNumber)
{
    ShowMessage(kind, SkinString(&packStrings_, textNumber), SkinString(&packStrings_, kTextMessageButton));
}
