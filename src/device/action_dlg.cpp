#include "device/action_dlg.h"

#include "device/core/action_rules.h"
#include "device/core/adapter_choice.h"
#include "device/core/message_framing.h"
#include "device/device_messages.h"
#include "device/endpoint_table.h"
#include "platform/ipv4_text.h"
#include "platform/message_box.h"
#include "platform/network_adapters.h"

#include <QCoreApplication>
#include <cstring>

const QString CActionDlg::kCommunicationErrorText =
    QStringLiteral("communication error!\nPlease check your TCP/IP setting ");
const QString CActionDlg::kOpenSessionFailedText = QStringLiteral("DSOpenSession() fails");

namespace {

constexpr char kBroadcastText[] = "255.255.255.255";
// A target entry longer than this is cut before it is parsed, as the narrow buffer would.
constexpr size_t kTargetTextLimit = 63;

// The target list's text as inet_addr reads it (a text it cannot read gives 255.255.255.255).
Ipv4Address ParseTarget(const std::string& text)
{
    const uint32_t word = InetAddrOf(text);
    Ipv4Address address{};
    std::memcpy(address.data(), &word, sizeof word);
    return address;
}

} // namespace

CActionDlg::CActionDlg(CEndpointTable& table, QWidget* parent)
    : CDialog(parent), table_(table), adapterSource_(&ListNetworkAdapters)
{
}

CActionDlg::CActionDlg(QWidget* parent) : CActionDlg(CEndpointTable::Process(), parent) {}

CActionDlg::~CActionDlg()
{
    KillTimer(kActionTimer);
    found_.RemoveAll();
    CloseSlot();
}

void CActionDlg::SetNotification(CDialog* target, UINT message)
{
    notifyTarget_ = target;
    notifyMessage_ = message;
}

void CActionDlg::Notify(WPARAM code, LPARAM value)
{
    if (notifyTarget_)
        notifyTarget_->SendMessage(notifyMessage_, code, value);
}

void CActionDlg::CloseSlot()
{
    if (slot_ != 0)
        table_.CloseEndpoint(slot_);
    slot_ = 0;
}

void CActionDlg::Stop()
{
    KillTimer(kActionTimer);
    CloseSlot();
}

void CActionDlg::ShowCommunicationError()
{
    PlainMessageBox(this, kCommunicationErrorText, {}, MB_ICONEXCLAMATION);
}

LRESULT CActionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DEVICE_SEARCH_REPLY:
        OnSearchReply();
        return 0;
    case WM_DEVICE_SAVE_REPLY:
        OnSaveReply();
        return 0;
    case WM_COMMAND:
        OnCommand(static_cast<int>(wParam & 0xFFFF));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

bool CActionDlg::OnCommand(int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
        KillTimer(kActionTimer);
        EndDialog(id);
        return true;
    case ID_APP_EXIT:
        QCoreApplication::quit();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

// ---- Search ----

bool CActionDlg::StartSearch()
{
    Stop(); // a slot left open by an earlier action is not leaked
    kind_ = ActionKind::Search;
    if (!table_.NetStartup()) {
        PostMessage(WM_COMMAND, ID_APP_EXIT);
        return false;
    }
    // One broadcast entry per search: a list that kept growing would add 10 s to every search.
    targets_.assign(1, kBroadcastText);
    targets_.insert(targets_.end(), unicastTargets_.begin(), unicastTargets_.end());
    EnumerateAdapters();
    searchInterfaces_ = SearchInterfaces(adapters_);
    diagnosis_.Start(searchInterfaces_, adapters_);
    targetIndex_ = -1;
    slot_ = table_.OpenEndpoint(this, WM_DEVICE_SEARCH_REPLY);
    if (slot_ == 0) {
        ShowCommunicationError();
        return false;
    }
    NextTarget();
    ProbeNextTarget();
    return true;
}

bool CActionDlg::NextTarget()
{
    ++targetIndex_;
    if (targetIndex_ >= static_cast<int>(targets_.size()))
        return false;
    const std::string entry = targets_[static_cast<size_t>(targetIndex_)].substr(0, kTargetTextLimit);
    currentAddress_ = ParseTarget(entry);
    return true;
}

bool CActionDlg::ProbeNextTarget()
{
    if (currentAddress_ == Ipv4Address{} && !NextTarget())
        return false;
    sequence_ = NextSequence(sequence_);
    currentTarget_ = currentAddress_;
    const bool sent =
        currentTarget_ == kBroadcastAddress ? BroadcastQueries() : SendQueries(currentTarget_, 0);
    if (!sent) {
        // The frame ends the search and shows a message for the code; its progress box closes.
        Notify(NOTIFY_SEND_ERROR, sendError_);
        return true;
    }
    retries_ = 1;
    SetTimer(kActionTimer, kSearchTickMs);
    currentAddress_ = {};
    return true;
}

// A limited broadcast leaves only by the interface the routing table picks, so each interface
// gets its own. One that cannot send does not stop the others; the search fails only when no
// interface could send. Without a usable interface the routing table decides, as it always did.
bool CActionDlg::BroadcastQueries()
{
    if (searchInterfaces_.empty())
        return SendQueries(kBroadcastAddress, 0);
    bool any = false;
    for (const NetworkAdapter& adapter : searchInterfaces_)
        any = SendQueries(kBroadcastAddress, adapter.index) || any;
    return any;
}

// The three queries, one per variant, all with the current sequence number.
bool CActionDlg::SendQueries(const Ipv4Address& target, uint32_t interfaceIndex)
{
    table_.SetEndpointTarget(slot_, target, interfaceIndex);
    for (const uint16_t command : {CMD_QUERY, CMD_QUERY_ENC, CMD_QUERY_FULL}) {
        buffer_.fill(0);
        if (!SendDeviceMessage(table_, command, 0, buffer_, slot_, sequence_)) {
            sendError_ = table_.SlotError(slot_);
            diagnosis_.CountSend(interfaceIndex, sendError_ != 0 ? sendError_ : table_.LastNetError());
            return false;
        }
        diagnosis_.CountSend(interfaceIndex, 0);
    }
    return true;
}

void CActionDlg::OnSearchReply()
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
    const SearchReply reply = DecodeSearchReply(datagram, sequence_, source, allowedTypes_);
    if (const auto rejection = RejectionFor(reply.status)) {
        // Foreign, stale, failed, undecodable or unwanted replies are ignored silently; only the
        // diagnosis counts them.
        diagnosis_.CountRejected(arrival.interfaceIndex, *rejection);
        return;
    }
    diagnosis_.CountAccepted(arrival.interfaceIndex, reply.info.Get(DeviceInfo::macAddress), source,
                             currentTarget_ == kBroadcastAddress);
    found_.StoreReply(reply.header, reply.info, arrival.interfaceIndex);
    if (onReplyStored)
        onReplyStored();
}

// Datagrams the endpoint consumed without handing them over still count as received.
void CActionDlg::CountUnreadArrival(const DatagramArrival& arrival)
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
    default:
        break;
    }
}

void CActionDlg::EnumerateAdapters()
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

void CActionDlg::StartSave(const CCameraDataObj& camera)
{
    StartSave(camera.info, camera.identity, camera.info.Get(DeviceInfo::deviceType), camera.AnsweredCommand(),
              camera.interfaceIndex);
}

void CActionDlg::StartSave(const DeviceInfo& info, const CameraIdentity& identity, uint16_t deviceType,
                           uint16_t answeredCommand, uint32_t answeredOn)
{
    Stop();
    setBody_ = info;
    identity_ = identity;
    deviceType_ = deviceType;
    currentTarget_ = {};
    kind_ = ActionKind::Save;
    saveResult_ = SaveResult::None;
    cameraAddress_ = identity_.Get(CameraIdentity::ipAddress);
    EnumerateAdapters();
    // The camera's own interface decides both the subnet test and the way out.
    const SaveInterface choice = ChooseSaveInterface(adapters_, answeredOn);
    currentAdapter_ = choice.adapter;
    saveInterface_ = choice.sendIndex;
    targetIndex_ = -1;
    slot_ = table_.OpenEndpoint(this, WM_DEVICE_SAVE_REPLY);
    if (slot_ == 0) {
        saveResult_ = SaveResult::NotOpened;
        PlainMessageBox(this, kOpenSessionFailedText);
        // Without this the frame's progress box would wait for an answer that never comes.
        Notify(NOTIFY_SAVE_FAILED);
        return;
    }
    setCommand_ = SetCommandFor(answeredCommand);
    sequence_ = NextSequence(sequence_);
    retries_ = kSaveRetries;
    SendSetRequest();
    SetTimer(kActionTimer, kSaveTickMs);
}

void CActionDlg::SendSetRequest()
{
    // Odd attempts address the camera itself, even ones every camera on the link; a camera
    // outside the network of the interface it answered on is always reached by broadcast there.
    const Ipv4Address candidate = (retries_ % 2 != 0) ? cameraAddress_ : kBroadcastAddress;
    const bool direct = SameSubnet(currentAdapter_, candidate);
    WriteSetBody(buffer_, setBody_, identity_.Get(CameraIdentity::macAddress));
    table_.SetEndpointTarget(slot_, direct ? candidate : kBroadcastAddress, saveInterface_);
    currentTarget_ = candidate;
    if (!SendDeviceMessage(table_, setCommand_, deviceType_, buffer_, slot_, sequence_))
        ShowCommunicationError(); // the timer keeps running: the next tick tries again
}

void CActionDlg::OnSaveReply()
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
    KillTimer(kActionTimer);
    if (status == SaveReplyStatus::Rejected) {
        saveResult_ = SaveResult::Refused;
        Notify(NOTIFY_SAVE_FAILED); // the endpoint stays open; the frame closes it
        return;
    }
    saveResult_ = SaveResult::Saved;
    CloseSlot();
    Notify(NOTIFY_SAVE_OK);
}

// ---- Timer 100 ----

void CActionDlg::OnTimer(UINT_PTR id)
{
    if (id != kActionTimer) {
        CDialog::OnTimer(id);
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
    KillTimer(kActionTimer);
    if (kind_ == ActionKind::Search) {
        CloseSlot();
        Notify(NOTIFY_SEARCH_DONE);
    } else {
        sequence_ = 0;
        saveResult_ = SaveResult::NoAnswer;
        CloseSlot();
        Notify(NOTIFY_SAVE_FAILED);
    }
}
