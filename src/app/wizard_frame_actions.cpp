// The wizard frame's searches, saves and the verifying search after a save: how the action
// dialog is started, how the progress box waits for it, and how the camera list and the
// selected record follow the results.
#include "app/wizard_frame.h"

#include "app/core/test_mode_file.h"
#include "app/language_pack.h"
#include "device/core/camera_detail_text.h"
#include "device/core/save_progress.h"
#include "pages/core/setting_rules.h"
#include "platform/core/socket_errors.h"
#include "platform/message_box.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

namespace {

constexpr int kTextNoCamera = SearchPage::kTextNoCamera;
constexpr int kTextSaveSucceeded = SummaryPage::kTextSaved;
constexpr int kTextSaveFailed = SummaryPage::kTextNotSaved;
constexpr int kTextTestFileTooLarge = 50841;
constexpr int kTextListFull = 50842;
constexpr int kTextNoAnswerYet = 50850;
constexpr int kTextAskingAgain = 50851;
constexpr int kTextSweeping = 50852;

const QString kAppName = QStringLiteral("Camtivo");
const QString kSearchNotStartedText = QStringLiteral("aaa");

// The search page's text for the socket error that ended a search.
int SocketErrorText(int code)
{
    switch (code) {
    case WSAETIMEDOUT:
        return SearchPage::kTextSocket10060;
    case WSAEHOSTDOWN:
        return SearchPage::kTextSocket10064;
    case WSAEHOSTUNREACH:
        return SearchPage::kTextSocket10065;
    case WSAHOST_NOT_FOUND:
        return SearchPage::kTextSocket11001;
    default:
        return SearchPage::kTextSocketOther;
    }
}

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

void WizardFrame::RunSearch()
{
    searching_ = true;
    // Busy is raised before the action starts: a failure the action reports at once clears it
    // again, and the progress box is then not shown at all instead of waiting for nothing.
    busy_ = true;
    bool testFileFull = false;
    if (testMode_) {
        const TestFileRead read = ReadTestFile(ToPath(testFilePath_), cameraList_);
        testFileFull = read == TestFileRead::ListFull;
        AfterCameraListReplaced();
        testDelay_.Start(kTestDelayMs);
        if (read == TestFileRead::TooLarge) {
            // Said instead of "no camera": the file is there, it was not read.
            searching_ = false;
            busy_ = false;
            ShowFrameMessage(kMessageError, kTextTestFileTooLarge);
        }
    } else {
        actionDlg_.EmptyFoundList();
        actionDlg_.SetUnicastTargets(unicastTargets_);
        actionDlg_.SetRangeTargets(rangeTargets_);
        // The user waits on the progress box: the search ends once the cameras have answered.
        if (!actionDlg_.StartSearch(CameraActions::SearchEnd::WhenQuiet)) {
            busy_ = false;
            PlainMessageBox(this, kSearchNotStartedText, kAppName, MB_OK);
            return;
        }
    }
    Search().SearchStarted();
    searchRefresh_.Start(kSearchRefreshMs);
    if (searching_ && busy_)
        RunProgress(ProgressDialog::kSearch);
    busy_ = false;
    actionDlg_.Stop();
    searchRefresh_.stop();
    if (!testMode_)
        TakeFoundCameras();
    if (searching_ && cameraList_.IsEmpty())
        ShowFrameMessage(kMessageNotice, kTextNoCamera);
    else if (searching_ && (testFileFull || (!testMode_ && actionDlg_.Found().Dropped() > 0)))
        ShowFrameMessage(kMessageNotice, kTextListFull);
    Search().RefreshFromCameraList();
    Search().FocusOnArrival();
    Search().SearchEnded();
}

void WizardFrame::RunSave()
{
    saveOk_ = false;
    if (selectedCamera_ == nullptr) {
        ShowFrameMessage(kMessageError, kTextSaveFailed);
        return;
    }
    busy_ = true;
    if (testMode_) {
        saveOk_ = WriteTestFile(ToPath(testFileSavePath_), cameraList_);
        testDelay_.Start(kTestDelayMs);
    } else {
        actionDlg_.StartSave(*selectedCamera_, FollowUpOf(*selectedCamera_));
    }
    if (busy_)
        RunProgress(ProgressDialog::kSave);
    busy_ = false;
    actionDlg_.Stop();
    if (saveOk_) {
        StartVerify();
        ShowFrameMessage(kMessageSuccess, kTextSaveSucceeded);
        Finish(IDOK);
    } else {
        ShowFrameMessage(kMessageError, kTextSaveFailed);
    }
}

// A save whose tries all go unanswered asks the camera again, everywhere it could answer, and
// compares its answer with the record as the search found it: the found list still holds it,
// since the pages edited the frame's own copy.
std::optional<SaveFollowUp> WizardFrame::FollowUpOf(const CameraRecord& camera) const
{
    const CameraRecord* found = actionDlg_.Found().FindByMac(camera.info.Get(DeviceInfo::macAddress));
    if (found == nullptr)
        return std::nullopt;
    return SaveFollowUp{found->info, unicastTargets_};
}

// A pack made before these texts existed has none: the English words stand in for them.
QString WizardFrame::SaveStatusText() const
{
    const SaveProgress progress = actionDlg_.CurrentSaveProgress();
    if (progress.attempt == 0)
        return {};
    const auto text = [this](int number, const char* english) {
        QString found;
        return GetSkinString(&packStrings_, number, found) && !found.isEmpty() ? found
                                                                               : QString::fromUtf8(english);
    };
    if (progress.askingAgain)
        return text(kTextAskingAgain, "No answer: asking the camera whether it took the settings.");
    return text(kTextNoAnswerYet, "No answer yet: try %1 of %2, %3 left.")
        .arg(progress.attempt)
        .arg(progress.attempts)
        .arg(QString::fromStdString(MinutesSeconds(progress.msLeft)));
}

QString WizardFrame::SweepStatusText() const
{
    const SweepProgress progress = actionDlg_.CurrentSweep();
    if (progress.total == 0)
        return {};
    QString text;
    if (!GetSkinString(&packStrings_, kTextSweeping, text) || text.isEmpty())
        text = QStringLiteral("Asked %1 of %2 addresses, %3 cameras found, %4 left.");
    return text.arg(progress.asked)
        .arg(progress.total)
        .arg(progress.cameras)
        .arg(QString::fromStdString(MinutesSeconds(progress.msLeft)));
}

void WizardFrame::StartVerify()
{
    verifyCursor_ = std::make_unique<WaitCursor>();
    verifyTries_ = 0;
    if (selectedCamera_ != nullptr) {
        savedCamera_.replyHeader = selectedCamera_->replyHeader;
        savedCamera_.info = selectedCamera_->info;
    }
    // Test mode has no network: the cameras are read back from the test file at each tick.
    if (!testMode_) {
        actionDlg_.EmptyFoundList();
        actionDlg_.SetUnicastTargets(VerifyTargets());
        // The saved camera is asked at its own addresses: the ranges are not swept again.
        actionDlg_.SetRangeTargets({});
        actionDlg_.StartSearch();
    }
    verifyTimer_.Start(kVerifyMs);
}

// A camera saved by its address (behind a router) is asked again at that address and, when it
// took a fixed one, at its new address; no broadcast reaches it.
std::vector<std::string> WizardFrame::VerifyTargets() const
{
    std::vector<std::string> targets = unicastTargets_;
    if (!actionDlg_.SavedByAddress() || selectedCamera_ == nullptr)
        return targets;
    targets.push_back(camera_text::DottedQuad(selectedCamera_->identity.Get(CameraIdentity::ipAddress)));
    if (UsesFixedAddress(selectedCamera_->info))
        targets.push_back(camera_text::DottedQuad(selectedCamera_->info.Get(DeviceInfo::ipAddress)));
    return targets;
}

void WizardFrame::OnVerifyTick()
{
    if (testMode_) {
        ReadTestFile(ToPath(testFilePath_), cameraList_);
        AfterCameraListReplaced();
    } else {
        TakeFoundCameras();
    }
    // Ticks before the first answer do not count: the search may simply not have heard yet.
    if (cameraList_.IsEmpty())
        return;
    ++verifyTries_;
    CameraRecord* found = FindCamera(savedCamera_.info.Get(DeviceInfo::macAddress));
    if (found != nullptr) {
        SelectCamera(found);
        Success().LoadFromRecord(found);
    }
    if (found != nullptr || verifyTries_ == kVerifyTries)
        FinishVerify(found != nullptr);
}

void WizardFrame::FinishVerify(bool found)
{
    Success().SetFound(found);
    verifyCursor_.reset();
    verifyTimer_.stop();
    actionDlg_.Stop();
}

void WizardFrame::RunProgress(const ProgressDialog::Kind& kind)
{
    packPath_ = LanguagePackPath(packFolder_, GetLanguage());
    ProgressDialog progress(this);
    // A search of ranges shows its count where the box says how long a search takes.
    const bool sweeping =
        &kind == &ProgressDialog::kSearch && !testMode_ && actionDlg_.CurrentSweep().total > 0;
    progress.LoadFrames(packPath_, kind, &packStrings_, sweeping ? 1 : SIZE_MAX);
    progress.SetBusyFlag(&busy_);
    if (&kind == &ProgressDialog::kSave && !testMode_)
        progress.SetStatusSource([this] { return SaveStatusText(); });
    if (sweeping)
        progress.SetStatusSource([this] { return SweepStatusText(); });
    progress.RunModal();
}

void WizardFrame::TakeFoundCameras()
{
    actionDlg_.CopyFoundList(cameraList_);
    AfterCameraListReplaced();
}

void WizardFrame::AfterCameraListReplaced()
{
    // The list's records were all replaced: the selected record is found again by its MAC
    // address, the search page forgets the record it showed, and so does the success page.
    if (selectedCamera_ != nullptr)
        SelectCamera(FindCamera(selectedMac_));
    Search().ForgetCameraList();
    Success().LoadFromRecord(selectedCamera_);
}

void WizardFrame::SelectCamera(CameraRecord* record)
{
    selectedCamera_ = record;
    if (record != nullptr)
        selectedMac_ = record->info.Get(DeviceInfo::macAddress);
}

CameraRecord* WizardFrame::FindCamera(const MacAddress& mac) const
{
    for (CameraRecord* record : cameraList_) {
        if (record->info.Get(DeviceInfo::macAddress) == mac)
            return record;
    }
    return nullptr;
}

void WizardFrame::ListenToActions()
{
    connect(&actionDlg_, &CameraActions::searchFinished, this, [this] { busy_ = false; });
    connect(&actionDlg_, &CameraActions::saveFinished, this, [this](CameraActions::SaveResult result) {
        busy_ = false;
        saveOk_ = CameraActions::IsSaved(result);
    });
    connect(&actionDlg_, &CameraActions::sendFailed, this, [this](int socketError) {
        searching_ = false;
        busy_ = false;
        ShowFrameMessage(kMessageError, SocketErrorText(socketError));
    });
    connect(&actionDlg_, &CameraActions::messageRequested, this,
            [this](CameraActions::MessageRequest request) {
                const MessageBoxRequest box = CameraActions::MessageFor(request);
                PlainMessageBox(this, box.text, box.caption, box.type);
            });
}
