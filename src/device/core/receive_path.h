#pragma once
// What becomes of a received datagram: a search reply is checked, deciphered, widened and
// patched into the body a camera record stores; a save reply is judged by its header.
// Pure functions over bytes, so discovery, the simulator, tests and fuzzing share them.
#include "device/core/device_info.h"
#include "device/core/message_header.h"

#include <cstdint>
#include <span>
#include <vector>

enum class ReplyStatus
{
    Accepted,
    NothingReceived, // shorter than a header, or marked to be dropped
    TooLong,         // longer than a receive takes: the datagram is lost
    NotAQueryReply,
    StaleSequence,
    Failed,       // non-zero status
    NotDecodable, // shorter than its length field says
    WrongDeviceType,
    TypeNotAllowed // a current device type the caller's filter excludes
};

// An optional second filter on device types, on top of the fixed 17 and 18.
struct DeviceTypeFilter
{
    bool enabled = false;
    std::vector<uint16_t> allowed;
    bool Allows(uint16_t deviceType) const;
    // Only the current cameras' types (the product filter).
    static DeviceTypeFilter CurrentTypesOnly();
};

struct SearchReply
{
    ReplyStatus status = ReplyStatus::NothingReceived;
    MessageHeader header; // as received, when at least a header arrived
    DeviceInfo info;      // the body for the record; all zero unless accepted
};

// Body bytes that are cleared on receipt, each the last byte of a text field, so that every
// text ends within its width.
inline constexpr std::array<size_t, 6> kTerminatorsClearedOnReceipt{20, 43, 76, 87, 96, 450};

// `sequence` is the number the current queries carried; `source` the datagram's sender, which
// replaces the address the camera wrote into its reply.
SearchReply DecodeSearchReply(std::span<const uint8_t> datagram, uint16_t sequence, const Ipv4Address& source,
                              const DeviceTypeFilter& filter = {});

enum class SaveReplyStatus
{
    NothingReceived,
    Ignored, // another command, another sequence, or no save outstanding
    Saved,
    Rejected // the camera answered with a non-zero status
};

// `sequence` 0 means no save is outstanding, so nothing matches.
SaveReplyStatus CheckSaveReply(std::span<const uint8_t> datagram, uint16_t setCommand, uint16_t sequence);
