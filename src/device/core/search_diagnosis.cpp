#include "device/core/search_diagnosis.h"

#include "device/core/adapter_choice.h"

#include <algorithm>

const char* RejectionName(Rejection rejection)
{
    switch (rejection) {
    case Rejection::TooShort:
        return "too short";
    case Rejection::TooLong:
        return "too long";
    case Rejection::Dropped:
        return "marked dropped";
    case Rejection::NotAQueryReply:
        return "not a query reply";
    case Rejection::WrongSequence:
        return "wrong sequence";
    case Rejection::FailedStatus:
        return "non-zero status";
    case Rejection::Undecodable:
        return "undecodable";
    case Rejection::TypeNotWanted:
        return "device type not wanted";
    case Rejection::ListFull:
        return "list full";
    }
    return "?";
}

std::optional<Rejection> RejectionFor(ReplyStatus status)
{
    switch (status) {
    case ReplyStatus::Accepted:
        return std::nullopt;
    case ReplyStatus::NothingReceived:
        return Rejection::TooShort;
    case ReplyStatus::TooLong:
        return Rejection::TooLong;
    case ReplyStatus::NotAQueryReply:
        return Rejection::NotAQueryReply;
    case ReplyStatus::StaleSequence:
        return Rejection::WrongSequence;
    case ReplyStatus::Failed:
        return Rejection::FailedStatus;
    case ReplyStatus::NotDecodable:
        return Rejection::Undecodable;
    case ReplyStatus::WrongDeviceType:
    case ReplyStatus::TypeNotAllowed:
        return Rejection::TypeNotWanted;
    }
    return Rejection::Undecodable;
}

namespace {
InterfaceDiagnosis RowFor(const NetworkAdapter& adapter)
{
    InterfaceDiagnosis row;
    row.adapter = adapter;
    return row;
}
} // namespace

void SearchDiagnosis::Start(const std::vector<NetworkAdapter>& searched,
                            const std::vector<NetworkAdapter>& known)
{
    rows_.clear();
    targets_.clear();
    known_ = known;
    for (const NetworkAdapter& adapter : searched)
        rows_.push_back(RowFor(adapter));
}

InterfaceDiagnosis& SearchDiagnosis::Row(uint32_t interfaceIndex)
{
    const auto has = [interfaceIndex](const auto& item) { return item.adapter.index == interfaceIndex; };
    if (const auto row = std::find_if(rows_.begin(), rows_.end(), has); row != rows_.end())
        return *row;
    NetworkAdapter adapter;
    adapter.index = interfaceIndex;
    const auto hasIndex = [interfaceIndex](const NetworkAdapter& a) { return a.index == interfaceIndex; };
    if (const auto found = std::find_if(known_.begin(), known_.end(), hasIndex);
        interfaceIndex != 0 && found != known_.end())
        adapter = *found;
    rows_.push_back(RowFor(adapter));
    return rows_.back();
}

void SearchDiagnosis::CountSend(uint32_t interfaceIndex, int error)
{
    InterfaceDiagnosis& row = Row(interfaceIndex);
    if (error != 0)
        row.sendError = error;
    else
        ++row.queriesSent;
}

void SearchDiagnosis::CountRejected(uint32_t interfaceIndex, Rejection rejection)
{
    InterfaceDiagnosis& row = Row(interfaceIndex);
    ++row.received;
    ++row.rejected[static_cast<size_t>(rejection)];
}

void SearchDiagnosis::CountAccepted(uint32_t interfaceIndex, const MacAddress& mac, const Ipv4Address& source,
                                    bool broadcast)
{
    InterfaceDiagnosis& row = Row(interfaceIndex);
    ++row.received;
    ++row.accepted;
    row.cameras.insert(mac);
    const bool knownNetwork = ParseDottedLoosely(row.adapter.address) != Ipv4Address{};
    if (!broadcast || !knownNetwork || SameSubnet(row.adapter, source))
        return;
    const auto same = [&mac](const ForeignCamera& f) { return f.mac == mac; };
    if (std::none_of(row.foreign.begin(), row.foreign.end(), same))
        row.foreign.push_back({mac, source});
}

TargetDiagnosis& SearchDiagnosis::Target(const Ipv4Address& address)
{
    const auto has = [&address](const TargetDiagnosis& t) { return t.address == address; };
    if (const auto row = std::find_if(targets_.begin(), targets_.end(), has); row != targets_.end())
        return *row;
    TargetDiagnosis row;
    row.address = address;
    targets_.push_back(row);
    return targets_.back();
}

void SearchDiagnosis::CountTargetSend(const Ipv4Address& target, int error)
{
    TargetDiagnosis& row = Target(target);
    if (error != 0)
        row.sendError = error;
    else
        ++row.queriesSent;
}

void SearchDiagnosis::CountTargetAnswer(const Ipv4Address& source, const MacAddress& mac)
{
    TargetDiagnosis& row = Target(source);
    ++row.answers;
    row.cameras.insert(mac);
}

void SearchDiagnosis::StartRanges(const std::vector<NamedRange>& ranges)
{
    ranges_.clear();
    for (const NamedRange& range : ranges) {
        RangeDiagnosis row;
        row.range = range;
        ranges_.push_back(std::move(row));
    }
}

RangeDiagnosis* SearchDiagnosis::RangeOf(const Ipv4Address& address)
{
    const uint32_t number = AddressNumber(address);
    const auto holds = [number](const RangeDiagnosis& row) { return row.range.range.Holds(number); };
    const auto row = std::find_if(ranges_.begin(), ranges_.end(), holds);
    return row == ranges_.end() ? nullptr : &*row;
}

void SearchDiagnosis::CountRangeSend(const Ipv4Address& target, int error)
{
    RangeDiagnosis* row = RangeOf(target);
    if (row == nullptr)
        return;
    if (error != 0) {
        ++row->sendErrors;
        row->lastSendError = error;
    } else {
        ++row->queriesSent;
    }
}

void SearchDiagnosis::CountRangeUnreachable(const Ipv4Address& target, bool hostThere)
{
    if (RangeDiagnosis* row = RangeOf(target))
        (hostThere ? row->hostNoCamera : row->noSuchHost).insert(AddressNumber(target));
}

bool SearchDiagnosis::CountRangeAnswer(const Ipv4Address& source, const MacAddress& mac)
{
    RangeDiagnosis* row = RangeOf(source);
    if (row == nullptr)
        return false;
    ++row->answers;
    row->cameras.insert(mac);
    return true;
}
