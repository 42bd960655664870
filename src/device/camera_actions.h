#pragma once
// CameraActions: the windowless engine that runs the two long device actions on the UI thread. A
// search broadcasts three queries (one per protocol variant) on every interface that can carry
// them (through the routing table when there is none) and collects the replies for 20 seconds
// (or, when asked, until the cameras have gone quiet) into the found list, one record per MAC
// address, each with the interface it answered on; the addresses given for cameras behind a
// router are asked at the same time. Ranges of addresses are swept after the broadcast, each
// address once, at a steady pace; such a search ends once the sweep is done and the cameras
// have gone quiet, however long the sweep takes. A save sends a camera's settings in the variant it
// answered, on that interface (to the camera's address for one behind a router), up to four
// times 60 seconds apart, and waits for its answer; when every try goes unanswered and the caller
// gave a follow-up, the camera is asked again (its answers may have been lost while it applied
// the settings), and the save counts only when its answer proves that it did. Each
// action ends with one signal, delivered directly: searchFinished, saveFinished with how the
// save ended, or sendFailed with the socket error of a query that could not be sent. The engine
// opens no box itself: a failure the user must see is asked for with messageRequested
// (MessageFor gives its text and kind), and whoever listens shows it.
#include "device/core/camera_record.h"
#include "device/core/found_camera_list.h"
#include "device/core/receive_path.h"
#include "device/core/save_follow_up.h"
#include "device/core/save_progress.h"
#include "device/core/search_diagnosis.h"
#include "device/core/send_pacer.h"
#include "platform/core/network_adapter.h"
#include "platform/events/message_box_hook.h"
#include "platform/events/scaled_timer.h"

#include <QObject>

#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class EndpointTable;
struct DatagramArrival;

// Where the sweep of a search's ranges stands.
struct SweepProgress
{
    uint32_t asked = 0; // addresses whose queries have been sent
    uint32_t total = 0; // addresses of every range, each counted once
    size_t cameras = 0; // cameras found so far by the whole search
    int64_t msLeft = 0; // until the sweep and the quiet spell after it are over
};

class CameraActions : public QObject
{
    Q_OBJECT

public:
    enum class ActionKind : uint32_t
    {
        None = 0,
        Search = 0xA401,
        Save = 0xA402,
        FollowUp = 0xA403 // a save's tries went unanswered: the camera is asked again
    };
    // How the last save ended, for callers that need more than saved or failed.
    enum class SaveResult
    {
        None,
        Saved,
        Refused,  // the camera answered with a non-zero status
        NoAnswer, // four requests went unanswered (and, asked again, the camera did not prove it saved)
        AcknowledgementLost, // no request was answered, but asked again the camera holds the settings
        NotOpened,           // no endpoint could be opened
        StoppedNotSaved,     // stopped; asked again, the camera answered without the settings
        StoppedUnconfirmed   // stopped; the camera did not answer, or its answer cannot tell
    };
    static bool IsSaved(SaveResult result)
    {
        return result == SaveResult::Saved || result == SaveResult::AcknowledgementLost;
    }
    // The boxes the engine asks its listener to show; they end nothing.
    enum class MessageRequest
    {
        CommunicationError, // a socket could not be opened or a request could not be sent
        OpenSessionFailed   // a save found no free endpoint
    };
    // How a search ends: after its full length, or as soon as the cameras have gone quiet: at
    // least kQuietAfterQueriesMs after the last queries went out and kQuietAfterCameraMs after the
    // last new camera answered (the full length still bounds it).
    enum class SearchEnd
    {
        FullLength,
        WhenQuiet
    };
    static constexpr int64_t kQuietAfterQueriesMs = 3000;
    static constexpr int64_t kQuietAfterCameraMs = 2000;
    static constexpr int64_t kSearchTickMs = 10000;
    static constexpr int64_t kSaveTickMs = 60000;
    static constexpr int kSaveRetries = 3;
    static constexpr int kSaveAttempts = kSaveRetries + 1;
    // The sweep's default pace: a /16, three queries per address, in about 40 seconds.
    static constexpr int kDefaultSendRate = 5000;
    static constexpr int kSweepTickMs = 10;
    // The program's own text for a socket that cannot be opened or a request that cannot be sent.
    static const QString kCommunicationErrorText;
    static const QString kOpenSessionFailedText;

    using AdapterSource = std::function<std::optional<std::vector<NetworkAdapter>>()>;

    explicit CameraActions(EndpointTable& table, QObject* parent = nullptr);
    explicit CameraActions(QObject* parent = nullptr);
    ~CameraActions() override;

    // The box a request asks for (text, icon and buttons; the caption left to the one who shows it).
    static MessageBoxRequest MessageFor(MessageRequest request);
    void SetAllowedTypes(DeviceTypeFilter filter) { allowedTypes_ = std::move(filter); }
    // Where the adapter list comes from (the system's by default; tests supply their own).
    void SetAdapterSource(AdapterSource source) { adapterSource_ = std::move(source); }
    // Dotted addresses each search queries directly after its broadcast (cameras behind a router).
    void SetUnicastTargets(std::vector<std::string> targets) { unicastTargets_ = std::move(targets); }
    // Ranges each search sweeps after its broadcast; a range that would take the set past
    // kMaxRangeAddresses is left out (callers refuse such a command line first).
    void SetRangeTargets(std::vector<NamedRange> ranges);
    // The most datagrams a second the sweep sends; the time scale does not change it.
    void SetSendRate(int perSecond) { sendRate_ = perSecond; }
    int SendRate() const { return sendRate_; }
    // The addresses of the ranges, each once.
    uint32_t RangeAddressCount() const { return sweep_.Count(); }

    // Starts a search; false when it could not start (a box saying why has been asked for).
    bool StartSearch(SearchEnd end = SearchEnd::FullLength);
    // Starts a save of the record's settings; saveFinished tells how it ended.
    // `answeredOn` is the interface the camera's reply arrived on (0 when unknown). `byAddress`:
    // every request goes to the camera's address through the routing table, with the same
    // retries (a camera behind a router, which no broadcast reaches). With `clock`, every request
    // carries that clock advanced to the moment it is built.
    void StartSave(const DeviceInfo& info, const CameraIdentity& identity, uint16_t deviceType,
                   uint16_t answeredCommand, uint32_t answeredOn = 0, bool byAddress = false,
                   std::optional<FoundClock> clock = std::nullopt);
    // Saves a found camera: by its address when it answered only a query sent to its address,
    // from outside every interface's network; otherwise on the interface it answered on. With a
    // follow-up, a save whose tries all go unanswered asks the camera again before it ends. A
    // date and time still as found are carried forward, not written back as found.
    void StartSave(const CameraRecord& camera, std::optional<SaveFollowUp> followUp = std::nullopt);
    // Ends the running save at the user's word: no more tries. With a follow-up the camera is
    // asked once more (about a second) whether it took the settings, and saveFinished says
    // AcknowledgementLost, StoppedNotSaved or StoppedUnconfirmed; a stop is never taken for a save.
    void StopSave();
    // Whether a save of the camera goes to its address (above).
    bool FoundOnlyByAddress(const CameraRecord& camera);
    // Whether the last save sent to the camera's address only.
    bool SavedByAddress() const { return saveByAddress_; }
    // Ends the running action without a signal: stops the timers, closes the endpoint.
    void Stop();
    // Whether an action's periodic tick (its retries, its length) is running.
    bool IsTicking() const { return actionTimer_.isActive(); }

    FoundCameraList& Found() { return found_; }
    const FoundCameraList& Found() const { return found_; }
    void EmptyFoundList() { found_.RemoveAll(); }
    void CopyFoundList(OwnedList<CameraRecord>& destination) const { found_.CopyInto(destination); }

    int Slot() const { return slot_; }
    // Where the last request was meant to go (255.255.255.255 for broadcast).
    const Ipv4Address& CurrentTarget() const { return currentTarget_; }
    uint16_t Sequence() const { return sequence_; }
    ActionKind Kind() const { return kind_; }
    SaveResult LastSaveResult() const { return saveResult_; }
    // Which try of the running save went out last and the time left; attempt 0 when none runs.
    SaveProgress CurrentSaveProgress() const;
    const std::optional<NetworkAdapter>& CurrentAdapter() const { return currentAdapter_; }
    // This computer's interfaces as the last action listed them; empty when the listing failed.
    const std::vector<NetworkAdapter>& Adapters() const { return adapters_; }
    size_t TargetCount() const { return targets_.size(); }
    // What the last search sent and received, per interface.
    const SearchDiagnosis& Diagnosis() const { return diagnosis_; }
    // Where the running search's sweep stands; total 0 when it has no ranges.
    SweepProgress CurrentSweep() const;

    // A datagram arrived on a search's endpoint (a follow-up runs on one too), or on a save's.
    // Each endpoint calls its own, queued; a call left over from an earlier action's endpoint
    // must leave the running action's datagram where it is.
    void OnSearchArrival();
    void OnSaveReply();

    // Called after each accepted search reply has been stored in the found list.
    std::function<void()> onReplyStored;

signals:
    void searchFinished();
    // The save has ended; the endpoint of a refused save stays open until Stop.
    void saveFinished(CameraActions::SaveResult result);
    // A search query could not be sent (a Windows Sockets code); the search is over.
    void sendFailed(int socketError);
    void messageRequested(CameraActions::MessageRequest request);
    // A search stored a camera it had not heard before, or one that answered with new values.
    void cameraStored(const CameraRecord& record);
    // The sweep asked more addresses or found a camera (at most once per tick), and once as
    // it ends.
    void sweepProgressed();

private:
    // The action's period has passed: the next try, or the end.
    void OnActionTick();
    bool NextTarget();
    bool ProbeNextTarget();
    bool BroadcastQueries();
    void AskUnicastTargets();
    bool SendQueries(const Ipv4Address& target, uint32_t interfaceIndex, uint16_t sequence);
    void StartSweep();
    void SweepTick();
    int SendRangeQueries(const Ipv4Address& target);
    void EndSweep();
    void OnSearchReply();
    void StartQuietMinimum();
    void EndSearchIfQuiet();
    void EndSearch();
    void CountUnreadArrival(const DatagramArrival& arrival);
    void CountUnreachable(const Ipv4Address& target, int error);
    void EnumerateAdapters();
    void SendSetRequest();
    void StartFollowUp();
    void AskAgain();
    void OnFollowUpReply();
    void EndSave(SaveResult result);
    void CloseSlot();

    EndpointTable& table_;
    ScaledTimer actionTimer_{this};
    ScaledTimer quietMinimum_{this, true};
    ScaledTimer quietSpell_{this, true};
    ActionKind kind_ = ActionKind::None;
    int slot_ = 0;
    MessageBuffer buffer_{};
    int retries_ = 0;
    uint16_t sequence_ = 0;

    // Search state.
    std::vector<std::string> targets_;
    int targetIndex_ = -1;
    Ipv4Address currentAddress_{}; // still to be queried; 0.0.0.0 once queried
    Ipv4Address currentTarget_{};
    DeviceTypeFilter allowedTypes_;
    FoundCameraList found_;
    std::vector<std::string> unicastTargets_;
    uint16_t unicastSequence_ = 0; // the number of the queries sent to them; 0 when none
    std::vector<NamedRange> rangeTargets_;
    AddressSweep sweep_;
    uint32_t sweepPosition_ = 0;
    bool sweeping_ = false;
    int sendRate_ = kDefaultSendRate;
    SendPacer pacer_;
    QTimer sweepTimer_;
    std::vector<NetworkAdapter> searchInterfaces_;
    SearchDiagnosis diagnosis_;
    int sendError_ = 0; // socket error of the last failed query
    SearchEnd searchEnd_ = SearchEnd::FullLength;
    bool quietMinimumPassed_ = false;

    // Save state.
    SaveResult saveResult_ = SaveResult::None;
    uint16_t setCommand_ = 0;
    uint16_t deviceType_ = 0;
    DeviceInfo setBody_;
    std::optional<FoundClock> carriedClock_; // the camera's clock, when the save leaves it alone
    CameraIdentity identity_;
    Ipv4Address cameraAddress_{};
    uint32_t saveInterface_ = 0; // 0: the routing table picks
    bool saveByAddress_ = false;
    std::chrono::steady_clock::time_point saveDeadline_;
    std::optional<SaveFollowUp> followUp_;
    std::vector<Ipv4Address> followUpAddresses_;
    uint16_t answeredCommand_ = 0;
    int followUpQueries_ = 0;
    bool saveStopped_ = false;

    AdapterSource adapterSource_;
    std::vector<NetworkAdapter> adapters_; // the last listing; empty when it failed
    std::optional<NetworkAdapter> currentAdapter_;
};
