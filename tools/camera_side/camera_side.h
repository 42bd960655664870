#pragma once
// The camera's side of the protocol: building query replies in each variant and reading a set
// request back into a full set body. The simulator, the tests and the benchmarks use it.
#include "device/core/body_layout.h"
#include "device/core/device_info.h"
#include "device/core/message_header.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Body lengths a camera puts in its replies. A full reply carries the body up to a padded
// length that still fits one receive; the bytes beyond carry nothing this program reads.
inline constexpr uint16_t kCompactReplyLength = kCompactReplySize;
inline constexpr uint16_t kFullReplyLength = 448;
static_assert(kMessageHeaderSize + kFullReplyLength <= kReceiveLimit);
static_assert(kFullReplyLength > DeviceInfo::dhcpEnable.offset);

// The reply a camera sends to a query: header, then the body in the query's variant,
// enciphered bodies padded to whole blocks.
std::vector<uint8_t> BuildQueryReply(uint16_t command, uint16_t sequence, const DeviceInfo& info,
                                     uint16_t status = 0);

// A bare reply: header only (what a camera sends to a set request).
std::vector<uint8_t> BuildHeaderReply(uint16_t command, uint16_t sequence, uint16_t status);

enum class SetRequestStatus
{
    Ok,
    TooShort,
    NotASetRequest,
    WrongLength, // length field not the one for the camera's device type
    WrongSize    // datagram size is not the length field plus 29
};

struct SetRequest
{
    SetRequestStatus status = SetRequestStatus::TooShort;
    MessageHeader header;
    // The set body in the full layout (MAC address first); zero unless Ok.
    std::array<uint8_t, kSetScratchSize> body{};
    MacAddress Mac() const;
};

SetRequest ReadSetRequest(std::span<const uint8_t> datagram, uint16_t deviceType);

// Copies the settings a set request carries (the fields the wizard edits) into a body.
void ApplySettings(const SetRequest& request, DeviceInfo& info);
