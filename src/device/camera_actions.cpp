#include "device/camera_actions.h"

#include "device/core/action_rules.h"
#include "device/core/adapter_choice.h"
#include "device/core/message_framing.h"
#include "device/core/saved_settings.h"
#include "device/device_messages.h"
#include "device/endpoint_table.h"
#include "platform/core/socket_errors.h"
#include "platform/core/time_scale.h"
#include "platform/net/ipv4_text.h"
#include "platform/net/network_adapters.h"

#include <algorithm>
#include <cstring>

const QString CameraActions::kCommunicationErrorText =
    QStringLiteral("communication error!\nPlease check your TCP/IP setting ");
const QString CameraActions::kOpenSessionFailedText = QStringLiteral("DSOpenSession() fails");

namespace {

constexpr char kBroadcastText[] = "255.255.255.255";
// A target entry longer than this is cut before it is parsed, as the narrow buffer would.
constexpr size_t kTargetTextLimit = 63;
// A search asks each address once in each of the protocol's three variants.
constexpr int kQueryVariants = 3;

// The target list's text as inet_addr reads it (a text it cannot read gives 255.255.255.255).
Ipv4Address ParseTarget(const std::string& text)
{
    const uint32_t word = InetAddrOf(text);
    Ipv4Address address{};
    std::memcpy(address.data(), &word, sizeof word);
    return address;
}

} // namespace

CameraActions::CameraActions(EndpointTable& table, QObject* parent)
    : QObject(parent), table_(table), adapterSource_(&ListNetworkAdapters)
{
    // Precise: a coarse timer may stretch a 10-ms tick by its slack and slow the pace.
    sweepTimer_.setTimerType(Qt::PreciseTimer);
    connect(&sweepTimer_, &QTimer::timeout, this, &CameraActions::SweepTick);
    connect(&actionTimer_, &QTimer::timeout, this, &CameraActions::OnActionTick);
    connect(&quietMinimum_, &QTimer::timeout, this, [this] {
        quietMinimumPassed_ = true;
        EndSearchIfQuiet();
    });
    connect(&quietSpell_, &QTimer::timeout, this, &CameraActions::EndSearchIfQuiet);
}

CameraActions::CameraActions(QObject* parent) : CameraActions(EndpointTable::Process(), parent) {}

CameraActions::~CameraActions()
{
    actionTimer_.stop();
    found_.RemoveAll();
    CloseSlot();
}

void CameraActions::CloseSlot()
{
    if (slot_ != 0)
        table_.CloseEndpoint(slot_);
    slot_ = 0;
}

void CameraActions::Stop()
{
    sweepTimer_.stop();
    sweeping_ = false;
    actionTimer_.stop();
    quietMinimum_.stop();
    quietSpell_.stop();
    CloseSlot();
}

MessageBoxRequest CameraActions::MessageFor(MessageRequest request)
{
    if (request == MessageRequest::CommunicationError)
        return MessageBoxRequest{nullptr, kCommunicationErrorText, {}, MB_OK | MB_ICONEXCLAMATION};
    return MessageBoxRequest{nullptr, kOpenSessionFailedText, {}, MB_OK};
}

void CameraActions::OnSearchArrival()
{
    if (kind_ == ActionKind::FollowUp)
        OnFollowUpReply();
    else
        OnSearchReply();
}

// ---- Search ----

bool CameraActions::StartSearch(SearchEnd end)
{
    Stop(); // a slot left open by an earlier action is not leaked
    kind_ = ActionKind::Search;
    searchEnd_ = end;
    // One broadcast entry per search: a list that kept growing would add 10 s to every search.
    targets_.assign(1, kBroadcastText);
    unicastSequence_ = 0;
    sweepPosition_ = 0;
    EnumerateAdapters();
    searchInterfaces_ = SearchInterfaces(adapters_);
    diagnosis_.Start(searchInterfaces_, adapters_);
    diagnosis_.StartRanges(rangeTargets_);
    targetIndex_ = -1;
    slot_ = table_.OpenEndpoint(this, [this] { OnSearchArrival(); });
    if (slot_ == 0) {
        emit messageRequested(MessageRequest::CommunicationError);
        return false;
    }
    NextTarget();
    ProbeNextTarget();
    return true;
}

bool CameraActions::NextTarget()
{
    ++targetIndex_;
    if (targetIndex_ >= static_cast<int>(targets_.size()))
        return false;
    const std::string entry = targets_[static_cast<size_t>(targetIndex_)].substr(0, kTargetTextLimit);
    currentAddress_ = ParseTarget(entry);
    return true;
}

bool CameraActions::ProbeNextTarget()
{
    if (currentAddress_ == Ipv4Address{} && !NextTarget())
        return false;
    sequence_ = NextSequence(sequence_);
    currentTarget_ = currentAddress_;
    const bool broadcast = currentTarget_ == kBroadcastAddress;
    const bool sent = broadcast ? BroadcastQueries() : SendQueries(currentTarget_, 0, sequence_);
    if (sent && broadcast)
        AskUnicastTargets();
    if (!sent) {
        // The frame ends the search and shows a message for the code; its progress box closes.
        emit sendFailed(sendError_);
        return true;
    }
    currentAddress_ = {};
    if (!sweep_.Empty()) {
        StartSweep();
        return true;
    }
    retries_ = 1;
    actionTimer_.Start(kSearchTickMs);
    StartQuietMinimum();
    return true;
}

// The quiet spell is counted from the queries to the last target: an earlier target's cameras
// going quiet says nothing about the cameras of the targets still to be asked.
void CameraActions::StartQuietMinimum()
{
    if ((searchEnd_ != SearchEnd::WhenQuiet && sweep_.Empty()) ||
        targetIndex_ + 1 < static_cast<int>(targets_.size()))
        return;
    quietMinimumPassed_ = false;
    quietMinimum_.Start(kQuietAfterQueriesMs);
}

// Ends the search once the minimum time has passed, no new camera has answered for the spell,
// and no datagram already received is still waiting to be read.
void CameraActions::EndSearchIfQuiet()
{
    if (!quietMinimumPassed_ || quietSpell_.isActive())
        return;
    if (table_.Pending(slot_) > 0) {
        quietSpell_.Start(kQuietAfterCameraMs);
        return;
    }
    EndSearch();
}

void CameraActions::EndSearch()
{
    Stop();
    emit searchFinished();
}

// A limited broadcast leaves only by the interface the routing table picks, so each interface
// gets its own. One that cannot send does not stop the others; the search fails only when no
// interface could send. Without a usable interface the routing table decides, as it always did.
bool CameraActions::BroadcastQueries()
{
    if (searchInterfaces_.empty())
        return SendQueries(kBroadcastAddress, 0, sequence_);
    bool any = false;
    for (const NetworkAdapter& adapter : searchInterfaces_)
        any = SendQueries(kBroadcastAddress, adapter.index, sequence_) || any;
    return any;
}

// The addresses given for cameras behind a router are asked together with the broadcast, with
// a number of their own, so that a search with many of them is no longer than one without and
// each answer says which query it answered. A send that fails (no route to that address) is
// counted against the address and the others are still asked: one typo must not lose the search.
void CameraActions::AskUnicastTargets()
{
    // Without addresses to ask no reply may pass under the second number.
    unicastSequence_ = unicastTargets_.empty() && sweep_.Empty() ? 0 : UnicastSequence(sequence_);
    for (const std::string& text : unicastTargets_) {
        const Ipv4Address target = ParseTarget(text.substr(0, kTargetTextLimit));
        // An address inside a range is asked by the sweep, once.
        if (target == kBroadcastAddress || target == Ipv4Address{} || sweep_.Holds(AddressNumber(target)))
            continue;
        SendQueries(target, 0, unicastSequence_);
    }
}

// The three queries, one per variant, all with the same sequence number.
bool CameraActions::SendQueries(const Ipv4Address& target, uint32_t interfaceIndex, uint16_t sequence)
{
    table_.SetEndpointTarget(slot_, target, interfaceIndex);
    const bool unicast = target != kBroadcastAddress;
    for (const uint16_t command : {CMD_QUERY, CMD_QUERY_ENC, CMD_QUERY_FULL}) {
        buffer_.fill(0);
        int error = 0;
        if (!SendDeviceMessage(table_, command, 0, buffer_, slot_, sequence)) {
            sendError_ = table_.SlotError(slot_);
            error = sendError_ != 0 ? sendError_ : table_.LastNetError();
        }
        diagnosis_.CountSend(interfaceIndex, error);
        if (unicast)
            diagnosis_.CountTargetSend(target, error);
        if (error != 0)
            return false;
    }
    return true;
}

void CameraActions::OnSearchReply()
{
    // An arrival message left over from an earlier search must not take a save's datagram.
    if (kind_ != ActionKind::Search)
        return;
    buffer_.fill(0);
    DatagramArrival arrival;
    const int received = table_.ReceiveDatagram(slot_, buffer_, &arrival);
    if (received <= 0) {
        CountUnreadArrival(arrival);
        return;
    }
    const Ipv4Address& source = arrival.from;
    const auto datagram = std::span<const uint8_t>(buffer_).first(static_cast<size_t>(received));
    SearchReply reply = DecodeSearchReply(datagram, sequence_, source, allowedTypes_);
    const bool unicast = reply.status == ReplyStatus::StaleSequence && unicastSequence_ != 0;
    if (unicast)
        reply = DecodeSearchReply(datagram, unicastSequence_, source, allowedTypes_);
    if (const auto rejection = RejectionFor(reply.status)) {
        // Foreign, stale, failed, undecodable or unwanted replies are ignored silently; only the
        // diagnosis counts them.
        diagnosis_.CountRejected(arrival.interfaceIndex, *rejection);
        return;
    }
    const MacAddress mac = reply.info.Get(DeviceInfo::macAddress);
    const size_t known = found_.GetCount();
    const CameraRecord* before = found_.FindByMac(mac);
    const bool changed = before == nullptr || before->replyHeader != reply.header ||
                         !(before->info == reply.info) || before->interfaceIndex != arrival.interfaceIndex ||
                         !(unicast ? before->answeredUnicast : before->answeredBroadcast);
    CameraRecord* record = found_.StoreReply(reply.header, reply.info, arrival.interfaceIndex);
    if (record == nullptr) {
        diagnosis_.CountRejected(arrival.interfaceIndex, Rejection::ListFull);
        return;
    }
    diagnosis_.CountAccepted(arrival.interfaceIndex, mac, source, !unicast);
    if (unicast && !diagnosis_.CountRangeAnswer(source, mac))
        diagnosis_.CountTargetAnswer(source, mac);
    (unicast ? record->answeredUnicast : record->answeredBroadcast) = true;
    if (changed)
        emit cameraStored(*record);
    // While the sweep runs the quiet spell has not begun: it starts when the sweep ends.
    if ((searchEnd_ == SearchEnd::WhenQuiet || !sweep_.Empty()) && found_.GetCount() > known && !sweeping_)
        quietSpell_.Start(kQuietAfterCameraMs);
    if (onReplyStored)
        onReplyStored();
}

void CameraActions::SetRangeTargets(std::vector<NamedRange> ranges)
{
    rangeTargets_ = std::move(ranges);
    sweep_ = AddressSweep{};
    for (const NamedRange& range : rangeTargets_)
        sweep_.Add(range.range);
}

SweepProgress CameraActions::CurrentSweep() const
{
    SweepProgress progress;
    if (kind_ != ActionKind::Search || sweep_.Empty())
        return progress;
    progress.asked = sweepPosition_;
    progress.total = sweep_.Count();
    progress.cameras = found_.GetCount();
    const int64_t datagramsLeft = int64_t{progress.total - progress.asked} * kQueryVariants;
    progress.msLeft = datagramsLeft * 1000 / std::max(sendRate_, 1);
    if (sweeping_ || quietMinimum_.isActive())
        progress.msLeft += TimeScale::Scaled(kQuietAfterQueriesMs);
    return progress;
}

// The ranges are swept after the broadcast on a timer of their own, real time: the time scale
// shortens a search's waits, never its pace.
void CameraActions::StartSweep()
{
    sweeping_ = true;
    pacer_ = SendPacer(sendRate_, kQueryVariants);
    pacer_.Start(SendPacer::Clock::now());
    sweepTimer_.start(kSweepTickMs);
    SweepTick();
}

void CameraActions::SweepTick()
{
    const auto now = SendPacer::Clock::now();
    const int64_t allowance = pacer_.Allowance(now);
    int64_t sent = 0;
    const uint32_t before = sweepPosition_;
    while (sweepPosition_ < sweep_.Count() && allowance - sent >= kQueryVariants) {
        const uint32_t number = sweep_.At(sweepPosition_++);
        if (number != 0 && number != ~0u) // no camera holds these
            sent += SendRangeQueries(AddressOfNumber(number));
    }
    pacer_.Sent(now, sent);
    if (sweepPosition_ >= sweep_.Count())
        EndSweep();
    else if (sweepPosition_ != before)
        emit sweepProgressed();
}

// The three queries to one address of a range. A failed send (an absent host's ICMP error
// reported on the socket, a full buffer) is counted and the sweep goes on: no single address
// was asked for by name.
int CameraActions::SendRangeQueries(const Ipv4Address& target)
{
    table_.SetEndpointTarget(slot_, target, 0);
    for (const uint16_t command : {CMD_QUERY, CMD_QUERY_ENC, CMD_QUERY_FULL}) {
        buffer_.fill(0);
        int error = 0;
        if (!SendDeviceMessage(table_, command, 0, buffer_, slot_, unicastSequence_)) {
            const int slotError = table_.SlotError(slot_);
            error = slotError != 0 ? slotError : table_.LastNetError();
        }
        diagnosis_.CountRangeSend(target, error);
    }
    return kQueryVariants;
}

void CameraActions::EndSweep()
{
    sweepTimer_.stop();
    sweeping_ = false;
    emit sweepProgressed();
    StartQuietMinimum();
}

// Datagrams the endpoint consumed without handing them over still count as received.
void CameraActions::CountUnreadArrival(const DatagramArrival& arrival)
{
    switch (arrival.kind) {
    case DatagramArrival::Kind::Dropped:
        diagnosis_.CountRejected(arrival.interfaceIndex, Rejection::Dropped);
        break;
    case DatagramArrival::Kind::TooLong:
        diagnosis_.CountRejected(arrival.interfaceIndex, Rejection::TooLong);
        break;
    case DatagramArrival::Kind::Empty:
        diagnosis_.CountRejected(arrival.interfaceIndex, Rejection::TooShort);
        break;
    case DatagramArrival::Kind::Failed:
        CountUnreachable(arrival.from, table_.SlotError(slot_));
        break;
    default:
        break;
    }
}

// An ICMP error about a query counts against the range of the address it was sent to; it ends
// nothing.
void CameraActions::CountUnreachable(const Ipv4Address& target, int error)
{
    if (error == WSAECONNRESET)
        diagnosis_.CountRangeUnreachable(target, true);
    else if (error == WSAEHOSTUNREACH || error == WSAENETUNREACH || error == WSAEHOSTDOWN)
        diagnosis_.CountRangeUnreachable(target, false);
}

void CameraActions::EnumerateAdapters()
{
    // A failed listing leaves no adapter, never the one of an earlier call.
    adapters_.clear();
    currentAdapter_.reset();
    if (!adapterSource_)
        return;
    if (auto adapters = adapterSource_())
        adapters_ = std::move(*adapters);
    currentAdapter_ = ChooseCurrentAdapter(adapters_);
}

// ---- Save ----

void CameraActions::StartSave(const CameraRecord& camera, std::optional<SaveFollowUp> followUp)
{
    StartSave(camera.info, camera.identity, camera.info.Get(DeviceInfo::deviceType), camera.AnsweredCommand(),
              camera.interfaceIndex, FoundOnlyByAddress(camera), UntouchedClock(camera.clock, camera.info));
    if (saveResult_ != SaveResult::None || !followUp)
        return;
    followUpAddresses_ =
        FollowUpAddresses(camera.identity.Get(CameraIdentity::ipAddress), followUp->addresses, setBody_);
    followUp_ = std::move(followUp);
    saveDeadline_ += std::chrono::milliseconds(kFollowUpQueries * TimeScale::Scaled(kFollowUpPeriodMs));
}

bool CameraActions::FoundOnlyByAddress(const CameraRecord& camera)
{
    if (!camera.answeredUnicast || camera.answeredBroadcast)
        return false;
    EnumerateAdapters();
    return OutsideEveryNetwork(SearchInterfaces(adapters_), camera.identity.Get(CameraIdentity::ipAddress));
}

void CameraActions::StartSave(const DeviceInfo& info, const CameraIdentity& identity, uint16_t deviceType,
                              uint16_t answeredCommand, uint32_t answeredOn, bool byAddress,
                              std::optional<FoundClock> clock)
{
    Stop();
    setBody_ = info;
    carriedClock_ = std::move(clock);
    identity_ = identity;
    deviceType_ = deviceType;
    currentTarget_ = {};
    kind_ = ActionKind::Save;
    saveResult_ = SaveResult::None;
    followUp_.reset();
    saveStopped_ = false;
    answeredCommand_ = answeredCommand;
    saveDeadline_ = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(kSaveAttempts * TimeScale::Scaled(kSaveTickMs));
    cameraAddress_ = identity_.Get(CameraIdentity::ipAddress);
    EnumerateAdapters();
    // The camera's own interface decides both the subnet test and the way out.
    // A camera behind a router is sent to by its address, through the routing table.
    const SaveInterface choice = byAddress ? SaveInterface{} : ChooseSaveInterface(adapters_, answeredOn);
    currentAdapter_ = choice.adapter;
    saveInterface_ = choice.sendIndex;
    saveByAddress_ = byAddress;
    targetIndex_ = -1;
    slot_ = table_.OpenEndpoint(this, [this] { OnSaveReply(); });
    if (slot_ == 0) {
        saveResult_ = SaveResult::NotOpened;
        emit messageRequested(MessageRequest::OpenSessionFailed);
        // Without this the frame's progress box would wait for an answer that never comes.
        emit saveFinished(saveResult_);
        return;
    }
    setCommand_ = SetCommandFor(answeredCommand);
    sequence_ = NextSequence(sequence_);
    retries_ = kSaveRetries;
    SendSetRequest();
    actionTimer_.Start(kSaveTickMs);
}

void CameraActions::SendSetRequest()
{
    // Odd attempts address the camera itself, even ones every camera on the link; a camera
    // outside the network of the interface it answered on is always reached by broadcast there.
    // A camera behind a router gets every attempt at its address: no broadcast reaches it.
    const Ipv4Address candidate = (retries_ % 2 != 0 || saveByAddress_) ? cameraAddress_ : kBroadcastAddress;
    const bool direct = saveByAddress_ || SameSubnet(currentAdapter_, candidate);
    if (carriedClock_)
        CarryClockForward(*carriedClock_, std::chrono::steady_clock::now(), setBody_);
    WriteSetBody(buffer_, setBody_, identity_.Get(CameraIdentity::macAddress));
    table_.SetEndpointTarget(slot_, direct ? candidate : kBroadcastAddress, saveInterface_);
    currentTarget_ = candidate;
    if (!SendDeviceMessage(table_, setCommand_, deviceType_, buffer_, slot_, sequence_))
        emit messageRequested(
            MessageRequest::CommunicationError); // the timer keeps running: the next tick tries again
}

void CameraActions::OnSaveReply()
{
    if (kind_ != ActionKind::Save)
        return;
    buffer_.fill(0);
    const int received = table_.ReceiveDatagram(slot_, buffer_);
    if (received <= 0)
        return;
    const auto datagram = std::span<const uint8_t>(buffer_).first(static_cast<size_t>(received));
    const SaveReplyStatus status = CheckSaveReply(datagram, setCommand_, sequence_);
    if (status != SaveReplyStatus::Saved && status != SaveReplyStatus::Rejected)
        return;
    sequence_ = 0; // a duplicate of this reply no longer matches
    actionTimer_.stop();
    if (status == SaveReplyStatus::Rejected) {
        saveResult_ = SaveResult::Refused;
        emit saveFinished(saveResult_); // the endpoint stays open; the frame closes it
        return;
    }
    EndSave(SaveResult::Saved);
}

void CameraActions::EndSave(SaveResult result)
{
    sequence_ = 0;
    actionTimer_.stop();
    kind_ = ActionKind::Save;
    saveResult_ = result;
    CloseSlot();
    emit saveFinished(result);
}

SaveProgress CameraActions::CurrentSaveProgress() const
{
    if (kind_ != ActionKind::Save && kind_ != ActionKind::FollowUp)
        return {};
    if (saveResult_ != SaveResult::None)
        return {};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(saveDeadline_ -
                                                                            std::chrono::steady_clock::now());
    const bool askingAgain = kind_ == ActionKind::FollowUp;
    return SaveProgress{askingAgain ? kSaveAttempts : kSaveAttempts - retries_, kSaveAttempts,
                        std::max<int64_t>(left.count(), 0), askingAgain};
}

void CameraActions::StopSave()
{
    const bool saving = kind_ == ActionKind::Save || kind_ == ActionKind::FollowUp;
    if (!saving || saveResult_ != SaveResult::None || saveStopped_)
        return;
    saveStopped_ = true;
    actionTimer_.stop();
    if (!followUp_)
        EndSave(SaveResult::StoppedUnconfirmed);
    else if (kind_ == ActionKind::Save)
        StartFollowUp();
}

// ---- Follow-up: the camera asked again after every try went unanswered ----

// The queries go out in the variant the camera answered, so that its record is comparable
// with the one it was found with, under a number of their own: a late answer to the set
// request is no answer to them.
void CameraActions::StartFollowUp()
{
    CloseSlot();
    kind_ = ActionKind::FollowUp;
    slot_ = table_.OpenEndpoint(this, [this] { OnSearchArrival(); });
    if (slot_ == 0) {
        EndSave(SaveResult::NoAnswer);
        return;
    }
    sequence_ = NextSequence(sequence_);
    followUpQueries_ = 0;
    AskAgain();
}

// Each round asks everywhere the camera could answer: a broadcast on its interface when it is
// local, and directly at each follow-up address. A send that fails leaves the others to try.
void CameraActions::AskAgain()
{
    ++followUpQueries_;
    const auto ask = [this](const Ipv4Address& target, uint32_t interfaceIndex) {
        buffer_.fill(0);
        table_.SetEndpointTarget(slot_, target, interfaceIndex);
        SendDeviceMessage(table_, answeredCommand_, 0, buffer_, slot_, sequence_);
    };
    if (!saveByAddress_)
        ask(kBroadcastAddress, saveInterface_);
    for (const Ipv4Address& address : followUpAddresses_)
        ask(address, 0);
    actionTimer_.Start(kFollowUpPeriodMs);
}

void CameraActions::OnFollowUpReply()
{
    buffer_.fill(0);
    DatagramArrival arrival;
    const int received = table_.ReceiveDatagram(slot_, buffer_, &arrival);
    if (received <= 0)
        return;
    const auto datagram = std::span<const uint8_t>(buffer_).first(static_cast<size_t>(received));
    const SearchReply reply = DecodeSearchReply(datagram, sequence_, arrival.from, allowedTypes_);
    if (reply.status != ReplyStatus::Accepted ||
        reply.info.Get(DeviceInfo::macAddress) != identity_.Get(CameraIdentity::macAddress))
        return;
    if (HoldsChangedSettings(followUp_->asFound, setBody_, reply.info))
        EndSave(SaveResult::AcknowledgementLost);
    else if (!saveStopped_)
        EndSave(SaveResult::NoAnswer);
    else // a change of the clock alone cannot be seen in the answer
        EndSave(HoldsChangedSettings(followUp_->asFound, setBody_, setBody_)
                    ? SaveResult::StoppedNotSaved
                    : SaveResult::StoppedUnconfirmed);
}

// ---- The action's tick ----

void CameraActions::OnActionTick()
{
    if (kind_ == ActionKind::FollowUp) {
        // A stopped save asks once.
        if (saveStopped_)
            EndSave(SaveResult::StoppedUnconfirmed);
        else if (followUpQueries_ < kFollowUpQueries)
            AskAgain();
        else
            EndSave(SaveResult::NoAnswer);
        return;
    }
    if (retries_ > 0) {
        --retries_;
        if (kind_ == ActionKind::Search)
            ProbeNextTarget();
        else
            SendSetRequest();
        return;
    }
    actionTimer_.stop();
    if (kind_ == ActionKind::Search)
        EndSearch();
    else if (followUp_)
        StartFollowUp();
    else
        EndSave(SaveResult::NoAnswer);
}
