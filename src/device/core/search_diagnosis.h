#pragma once
// What one search saw on each network interface, for a user who misses a camera: queries sent
// and the send error, datagrams received, accepted, and rejected by reason, the cameras found,
// and cameras that answered a broadcast from outside the interface's network (the user cannot
// reach their web pages from this PC); and per address asked directly, the queries sent to it
// and the answers they got.
#include "device/core/fixed_layout.h"
#include "device/core/receive_path.h"
#include "platform/core/address_range.h"
#include "platform/core/network_adapter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

enum class Rejection
{
    TooShort,       // shorter than a message header
    TooLong,        // longer than a receive takes; its content is lost
    Dropped,        // status 0xFFFF, dropped on receipt
    NotAQueryReply, // another command
    WrongSequence,  // the number of another set of queries
    FailedStatus,   // non-zero status
    Undecodable,    // shorter than its length field says
    TypeNotWanted,  // a device type other than 17 and 18, or one the filter excludes
    ListFull,       // from a new camera when the found list is full
};
inline constexpr size_t kRejectionKinds = 9;

// "too short", "too long", ... as the diagnosis prints it.
const char* RejectionName(Rejection rejection);
// Why a decoded reply is not taken; nothing for an accepted one.
std::optional<Rejection> RejectionFor(ReplyStatus status);

struct ForeignCamera
{
    MacAddress mac{};
    Ipv4Address address{};
};

struct InterfaceDiagnosis
{
    NetworkAdapter adapter; // index 0: sends the routing table directed (no interface named)
    int queriesSent = 0;
    int sendError = 0; // the socket error of the last failed send; 0 when none failed
    int received = 0;
    int accepted = 0;
    std::array<int, kRejectionKinds> rejected{};
    std::set<MacAddress> cameras;
    std::vector<ForeignCamera> foreign; // one entry per camera

    int Rejected(Rejection rejection) const { return rejected[static_cast<size_t>(rejection)]; }
};

// The queries a search sent to one address (--to) and the answers they got from it.
struct TargetDiagnosis
{
    Ipv4Address address{};
    int queriesSent = 0;
    int sendError = 0; // the socket error of the last failed send; 0 when none failed
    int answers = 0;   // accepted replies to these queries
    std::set<MacAddress> cameras;
};

// The queries a search sent to the addresses of one range and what came back from them.
struct RangeDiagnosis
{
    NamedRange range;
    int queriesSent = 0;
    int sendErrors = 0;
    int lastSendError = 0; // the socket error of the last failed send; 0 when none failed
    int answers = 0;
    std::set<MacAddress> cameras;
    // Addresses an ICMP error came back for: no host answers there (host or network
    // unreachable), or a host does but runs no camera (port unreachable). A floor: routers
    // limit their rate, and answer for an absent host only once their own look-up gives up.
    std::set<uint32_t> noSuchHost;
    std::set<uint32_t> hostNoCamera;
};

class SearchDiagnosis
{
public:
    // Starts over with one row for each interface the search broadcasts on; `known` is the
    // whole adapter list, which names interfaces that datagrams arrive on unasked.
    void Start(const std::vector<NetworkAdapter>& searched, const std::vector<NetworkAdapter>& known);

    // One query sent through the row's interface (0: the routing table's), or its failure.
    void CountSend(uint32_t interfaceIndex, int error);
    void CountRejected(uint32_t interfaceIndex, Rejection rejection);
    // An accepted reply from `source`; `broadcast` when it answered a broadcast, so that an
    // address outside the interface's network means the camera is on another network.
    void CountAccepted(uint32_t interfaceIndex, const MacAddress& mac, const Ipv4Address& source,
                       bool broadcast);

    // One query sent to an address, or its failure.
    void CountTargetSend(const Ipv4Address& target, int error);
    // An accepted answer to a query sent to an address; one from an address that was not asked
    // (a camera answering from another of its addresses) gets a row of its own.
    void CountTargetAnswer(const Ipv4Address& source, const MacAddress& mac);

    // One row per range, in the order given; an address in several counts in the first.
    void StartRanges(const std::vector<NamedRange>& ranges);
    void CountRangeSend(const Ipv4Address& target, int error);
    // False, counting nothing, when the source lies in no range.
    bool CountRangeAnswer(const Ipv4Address& source, const MacAddress& mac);
    // An ICMP error about a query to `target`: `hostThere` when a host said it runs no camera.
    void CountRangeUnreachable(const Ipv4Address& target, bool hostThere);

    const std::vector<InterfaceDiagnosis>& Rows() const { return rows_; }
    // One row per address asked, in the order asked.
    const std::vector<TargetDiagnosis>& Targets() const { return targets_; }
    const std::vector<RangeDiagnosis>& Ranges() const { return ranges_; }

private:
    RangeDiagnosis* RangeOf(const Ipv4Address& address);

    TargetDiagnosis& Target(const Ipv4Address& address);

    InterfaceDiagnosis& Row(uint32_t interfaceIndex);

    std::vector<InterfaceDiagnosis> rows_;
    std::vector<NetworkAdapter> known_;
    std::vector<TargetDiagnosis> targets_;
    std::vector<RangeDiagnosis> ranges_;
};
