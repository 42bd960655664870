#include "app/wizard_frame.h"

#include "app/about_dialog.h"
#include "app/core/command_line.h"
#include "app/core/language_names.h"
#include "app/data_folders.h"
#include "app/language_pack.h"
#include "device/core/address_clash.h"
#include "pages/core/skin_list_block.h"
#include "platform/message_box.h"
#include "platform/net/network_adapters.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"
#include "skin/window_accessible.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <type_traits>
#include <utility>

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

// Each page object as a `Wanted`, or null when its class is not one.
template <class Wanted> std::array<Wanted*, kPageCount> PagesAs(WizardPages& pages)
{
    return std::apply(
        [](auto&... page) {
            const auto as = [](auto& one) -> Wanted* {
                if constexpr (std::is_base_of_v<Wanted, std::remove_reference_t<decltype(one)>>)
                    return &one;
                else
                    return nullptr;
            };
            return std::array<Wanted*, kPageCount>{as(page)...};
        },
        pages);
}

template <size_t... Row> constexpr bool RecordRowsTakeARecord(std::index_sequence<Row...>)
{
    constexpr bool recordPage[] = {std::is_base_of_v<RecordPage, std::tuple_element_t<Row, WizardPages>>...};
    for (size_t row = 0; row < kPageCount; ++row)
        if (kPageTable[row].needsRecord && !recordPage[row])
            return false;
    return true;
}

static_assert(std::tuple_size_v<WizardPages> == kPageCount, "one page object for every row of kPageTable");
static_assert(RecordRowsTakeARecord(std::make_index_sequence<kPageCount>{}),
              "a page that needs the record is a record page");

} // namespace

WizardFrame::WizardFrame(QString commandLine, QWidget* parent)
    : SkinnedDialog(parent), commandLine_(std::move(commandLine)),
      pages_(PagesAs<SkinnedDialog>(pageObjects_)), recordPages_(PagesAs<RecordPage>(pageObjects_))
{
    SetLists(&packStrings_, &packBitmaps_, &packIcons_);
    connect(this, &SkinnedDialog::dragStarted, this, &WizardFrame::OnDragStart);
    ClearLanguagePack(packStrings_, packBitmaps_, packIcons_);
    setWindowIcon(ProgramIcon());
    ListenToActions();
    ListenToTimers();
}

void WizardFrame::ListenToTimers()
{
    connect(&createPages_, &QTimer::timeout, this, &WizardFrame::CreatePages);
    connect(&searchRefresh_, &QTimer::timeout, this, [this] {
        if (!testMode_)
            TakeFoundCameras();
        Search().RefreshFromCameraList();
    });
    connect(&testDelay_, &QTimer::timeout, this, [this] { busy_ = false; });
    connect(&verifyTimer_, &QTimer::timeout, this, &WizardFrame::OnVerifyTick);
}

// The pages are members: each leaves the widget tree as it is destroyed, before the base would
// delete its children.
WizardFrame::~WizardFrame() = default;

bool WizardFrame::Initialise()
{
    SkinnedDialog::Initialise();
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
    unicastTargets_ = std::move(targets.addresses);
    rangeTargets_ = std::move(targets.ranges);
    SetTestMode(testMode_);
}

QString WizardFrame::LoadPack(const QString& language)
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
    connect(&page, &SkinnedDialog::closeRequested, this, [this] { Finish(IDOK); });
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
    Search().SetCameraList(&cameraList_);
    Ip().SetClashCheck([this](const Ipv4Address& wanted, const CameraRecord& camera) {
        return FindAddressClash(wanted, camera, cameraList_, ListOwnAddresses());
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

CameraRecord* WizardFrame::RecordForStep(int step) const
{
    // The first step with a record takes the camera the search page shows; the later steps
    // keep the one it took.
    return step == FirstRecordStep() ? PageObject<WizardPage::Search>().CurrentCamera() : selectedCamera_;
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
    input.dhcpEnabled = selectedCamera_ != nullptr && selectedCamera_->info.Get(DeviceInfo::dhcpEnable) != 0;
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
    if (step == FirstRecordStep())
        SelectCamera(record);
    if (page == &Summary())
        Summary().SetSecurityTexts(SecurityTexts());
    if (StepNeedsRecord(step))
        recordPages_[static_cast<size_t>(PageForStep(step))]->LoadFromRecord(selectedCamera_);
    page->show();
    page->FocusOnArrival();
    window_accessible::AnnounceArrival(page);
    if (page == &Search() && firstSearch_) {
        firstSearch_ = false;
        RunSearch();
    }
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
    // search or save runs: the action has to end before the wizard can.
    event->ignore();
    if (!busy_)
        Finish(IDCANCEL);
}

void WizardFrame::contextMenuEvent(QContextMenuEvent* event)
{
    // The window has no title bar, so its system menu opens here.
    QMenu menu(this);
    menu.setStyleSheet(kMenuLook);
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
