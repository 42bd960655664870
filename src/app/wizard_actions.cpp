#include "app/wizard_actions.h"

#include "device/core/adapter_choice.h"
#include "device/core/camera_detail_text.h"
#include "device/core/save_progress.h"
#include "device_ui/search_page.h"
#include "pages/core/setting_rules.h"
#include "platform/core/socket_errors.h"
#include "platform/wizard_dialog.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

namespace {

constexpr int kTextTestFileTooLarge = 50841;
constexpr int kTextListFull = 50842;
constexpr int kTextNoAnswerYet = 50850;
constexpr int kTextAskingAgain = 50851;
constexpr int kTextSweeping = 50852;

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

// Whether a camera answered as it did before: nothing of its row or its save would change.
bool SameAnswer(const CameraRecord& a, const CameraRecord& b)
{
    return a.replyHeader == b.replyHeader && a.info == b.info && a.interfaceIndex == b.interfaceIndex &&
           a.answeredBroadcast == b.answeredBroadcast && a.answeredUnicast == b.answeredUnicast;
}

} // namespace

WizardActions::WizardActions(QObject* parent) : QObject(parent)
{
    connect(&runner_, &ActionRunner::ended, this, &WizardActions::OnEnded);
    connect(&standIn_, &TestModeStandIn::ended, this, &WizardActions::OnEnded);
    connect(&engine_, &CameraActions::cameraStored, this, [this](const CameraRecord& camera) {
        if (activity_ == Activity::Searching || activity_ == Activity::Listening)
            List(camera);
    });
    connect(&engine_, &CameraActions::sweepProgressed, this, &WizardActions::sweepProgressed);
    // A search that cannot start shows the engine's box; a save's failure has the window's own
    // box, and the asking again and the verification stay quiet.
    connect(&engine_, &CameraActions::messageRequested, this, [this](CameraActions::MessageRequest request) {
        if (activity_ == Activity::Searching)
            RequestBox({0, 0, CameraActions::MessageFor(request)});
    });
    connect(&listen_, &QTimer::timeout, this, &WizardActions::Listen);
    connect(&verifyTimer_, &QTimer::timeout, this, &WizardActions::OnVerifyTick);
}

WizardActions::~WizardActions() = default;

void WizardActions::SetTestMode(bool on, const std::filesystem::path& testFile)
{
    testMode_ = on;
    standIn_.SetFile(testFile);
}

void WizardActions::SetTargets(std::vector<std::string> addresses, std::vector<NamedRange> ranges)
{
    addresses_ = std::move(addresses);
    ranges_ = std::move(ranges);
}

void WizardActions::RequestBox(ActionBox box)
{
    if (boxShown_)
        return;
    boxShown_ = true;
    emit boxRequested(box);
}

// ---- The search and the asking again ----

void WizardActions::StartSearch()
{
    listen_.stop();
    StopRunning();
    listed_.RemoveAll();
    emit listCleared();
    paused_ = false;
    listFull_ = false;
    boxShown_ = false;
    activity_ = Activity::Searching;
    emit searchStarted();
    if (testMode_) {
        CameraList cameras;
        const TestFileRead read = standIn_.StartSearch(cameras);
        listFull_ = read == TestFileRead::ListFull;
        ListAll(cameras);
        if (read == TestFileRead::TooLarge) {
            // Said instead of "no camera": the file is there, it was not read.
            activity_ = Activity::Idle;
            emit searchEnded(ActionEnd::SendFailed);
            RequestBox({kMessageError, kTextTestFileTooLarge, {}});
        }
        return;
    }
    engine_.EmptyFoundList();
    engine_.SetUnicastTargets(addresses_);
    engine_.SetRangeTargets(ranges_);
    if (!runner_.StartSearch(CameraActions::SearchEnd::WhenQuiet) && activity_ == Activity::Searching) {
        // The engine has asked for its box saying why.
        activity_ = Activity::Idle;
        emit searchEnded(ActionEnd::SendFailed);
    }
}

void WizardActions::StopSearch()
{
    paused_ = true;
    listen_.stop();
    StopRunning();
}

void WizardActions::SetListening(bool shown)
{
    listShown_ = shown;
    if (shown) {
        ResumeListening();
        return;
    }
    listen_.stop();
    if (activity_ == Activity::Listening)
        StopRunning();
}

void WizardActions::StopAll()
{
    listen_.stop();
    verifyTimer_.stop();
    verifyCursor_.reset();
    StopRunning();
}

// Ends the running action; its end comes back through OnEnded.
void WizardActions::StopRunning()
{
    if (activity_ == Activity::Idle)
        return;
    runner_.Stop();
    standIn_.Stop();
    activity_ = Activity::Idle;
}

void WizardActions::OnEnded(const ActionOutcome& outcome)
{
    switch (activity_) {
    case Activity::Searching:
        FinishSearch(outcome);
        break;
    case Activity::Listening:
        activity_ = Activity::Idle;
        break;
    case Activity::Saving:
        activity_ = Activity::Idle;
        emit saveEnded(outcome.saveResult);
        break;
    case Activity::Verifying:
        // A verifying search that heard no camera at all has nothing more to wait for.
        if (outcome.end != ActionEnd::Stopped && engine_.Found().IsEmpty())
            FinishVerify(nullptr);
        break;
    default:
        break;
    }
}

void WizardActions::FinishSearch(const ActionOutcome& outcome)
{
    activity_ = Activity::Idle;
    emit searchEnded(outcome.end);
    const bool full = listFull_ || (!testMode_ && engine_.Found().Dropped() > 0);
    if (outcome.end == ActionEnd::SendFailed)
        RequestBox({kMessageError, SocketErrorText(outcome.socketError), {}});
    else if (outcome.end != ActionEnd::Stopped && listed_.IsEmpty())
        RequestBox({kMessageNotice, SearchPage::kTextNoCamera, {}});
    else if (full)
        RequestBox({kMessageNotice, kTextListFull, {}});
    ResumeListening();
}

void WizardActions::List(const CameraRecord& camera)
{
    const CameraRecord* known = listed_.FindByMac(camera.info.Get(DeviceInfo::macAddress));
    if (known != nullptr && SameAnswer(*known, camera))
        return;
    if (const CameraRecord* kept = listed_.StoreCopy(camera))
        emit cameraListed(kept);
    else
        listFull_ = true;
}

void WizardActions::ListAll(const CameraList& cameras)
{
    for (const CameraRecord* camera : cameras)
        List(*camera);
}

void WizardActions::ResumeListening()
{
    if (listShown_ && !paused_ && activity_ == Activity::Idle && !listen_.isActive())
        listen_.Start(kListenPeriodMs);
}

// The broadcast and the single addresses are asked again, never the ranges: a sweep is the
// user's to start. The engine keeps what it found, so only new or changed cameras are listed.
void WizardActions::Listen()
{
    if (activity_ == Activity::Listening)
        StopRunning();
    if (activity_ != Activity::Idle)
        return;
    if (testMode_) {
        CameraList cameras;
        standIn_.Read(cameras);
        activity_ = Activity::Listening;
        ListAll(cameras);
        activity_ = Activity::Idle;
        return;
    }
    activity_ = Activity::Listening;
    engine_.SetUnicastTargets(addresses_);
    engine_.SetRangeTargets({});
    if (!runner_.StartSearch())
        activity_ = Activity::Idle;
}

bool WizardActions::OutsideEveryNetwork(const CameraRecord& camera) const
{
    const std::vector<NetworkAdapter>& adapters = engine_.Adapters();
    return !testMode_ && !adapters.empty() &&
           ::OutsideEveryNetwork(adapters, camera.identity.Get(CameraIdentity::ipAddress));
}

// ---- The save and its verification ----

void WizardActions::Choose(const CameraRecord& camera)
{
    const MacAddress mac = camera.info.Get(DeviceInfo::macAddress);
    if (edited_ && edited_->info.Get(DeviceInfo::macAddress) == mac)
        return;
    edited_ = camera;
    asFound_ = camera;
}

bool WizardActions::StartSave()
{
    if (!edited_)
        return false;
    StopRunning();
    listen_.stop();
    boxShown_ = false;
    activity_ = Activity::Saving;
    if (testMode_) {
        // The file is written whole: every listed camera, the edited one as the pages left it.
        CameraList cameras;
        listed_.CopyInto(cameras);
        for (CameraRecord* camera : cameras) {
            if (camera->info.Get(DeviceInfo::macAddress) == edited_->info.Get(DeviceInfo::macAddress))
                *camera = *edited_;
        }
        standIn_.StartSave(cameras);
        return true;
    }
    // An unanswered save asks the camera again and compares its answer with the record as found.
    runner_.StartSave(*edited_, SaveFollowUp{asFound_->info, addresses_});
    return true;
}

void WizardActions::StopSave()
{
    if (activity_ == Activity::Saving)
        engine_.StopSave();
}

void WizardActions::StartVerify()
{
    StopRunning();
    verifyCursor_ = std::make_unique<WaitCursor>();
    verifyTries_ = 0;
    activity_ = Activity::Verifying;
    // Test mode has no network: the cameras are read back from the test file at each tick.
    if (!testMode_) {
        engine_.EmptyFoundList();
        engine_.SetUnicastTargets(VerifyTargets());
        // The saved camera is asked at its own addresses: the ranges are not swept again.
        engine_.SetRangeTargets({});
        runner_.StartSearch();
    }
    verifyTimer_.Start(kVerifyMs);
}

// A camera saved by its address (behind a router) is asked again at that address and, when it
// took a fixed one, at its new address; no broadcast reaches it.
std::vector<std::string> WizardActions::VerifyTargets() const
{
    std::vector<std::string> targets = addresses_;
    if (!engine_.SavedByAddress() || !edited_)
        return targets;
    targets.push_back(camera_text::DottedQuad(edited_->identity.Get(CameraIdentity::ipAddress)));
    if (UsesFixedAddress(edited_->info))
        targets.push_back(camera_text::DottedQuad(edited_->info.Get(DeviceInfo::ipAddress)));
    return targets;
}

void WizardActions::OnVerifyTick()
{
    const MacAddress mac = edited_ ? edited_->info.Get(DeviceInfo::macAddress) : MacAddress{};
    CameraList read;
    const FoundCameraList* heard = &engine_.Found();
    FoundCameraList fromFile;
    if (testMode_) {
        standIn_.Read(read);
        for (const CameraRecord* camera : read)
            fromFile.StoreCopy(*camera);
        heard = &fromFile;
    }
    // Ticks before the first answer do not count: the search may simply not have heard yet.
    if (heard->IsEmpty())
        return;
    ++verifyTries_;
    const CameraRecord* found = heard->FindByMac(mac);
    if (found != nullptr || verifyTries_ == kVerifyTries)
        FinishVerify(found);
}

void WizardActions::FinishVerify(const CameraRecord* found)
{
    if (found != nullptr)
        verified_ = *found;
    verifyCursor_.reset();
    verifyTimer_.stop();
    StopRunning();
    emit verifyEnded(found != nullptr ? &verified_ : nullptr);
}

// ---- Status texts ----

// A pack made before these texts existed has none: the English words stand in for them.
QString WizardActions::SaveStatusText() const
{
    const SaveProgress progress = engine_.CurrentSaveProgress();
    if (progress.attempt == 0)
        return {};
    const auto text = [this](int number, const char* english) {
        QString found;
        return GetSkinString(strings_, number, found) && !found.isEmpty() ? found
                                                                          : QString::fromUtf8(english);
    };
    if (progress.askingAgain)
        return text(kTextAskingAgain, "No answer: asking the camera whether it took the settings.");
    return text(kTextNoAnswerYet, "No answer yet: try %1 of %2, %3 left.")
        .arg(progress.attempt)
        .arg(progress.attempts)
        .arg(QString::fromStdString(MinutesSeconds(progress.msLeft)));
}

QString WizardActions::SweepStatusText() const
{
    const SweepProgress progress = engine_.CurrentSweep();
    if (progress.total == 0)
        return {};
    QString text;
    if (!GetSkinString(strings_, kTextSweeping, text) || text.isEmpty())
        text = QStringLiteral("Asked %1 of %2 addresses, %3 cameras found, %4 left.");
    return text.arg(progress.asked)
        .arg(progress.total)
        .arg(progress.cameras)
        .arg(QString::fromStdString(MinutesSeconds(progress.msLeft)));
}
