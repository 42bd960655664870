#pragma once
// Building request datagrams: the length field by command and device type, the compact set
// body for the older variants, and enciphering of the body up to the padded length.
#include "device/core/device_info.h"
#include "device/core/message_header.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// A request datagram is the header, the body up to the length field and 21 bytes more.
inline constexpr size_t kRequestTrailer = 21;
inline constexpr size_t kRequestOverhead = kMessageHeaderSize + kRequestTrailer;
// How much of a record's body a save copies into the message buffer.
inline constexpr size_t kSetBodyCopySize = 511;

inline constexpr uint16_t kSetLengthFull = 404;    // CMD_SET and CMD_SET_FULL, types 17 and 18
inline constexpr uint16_t kSetLengthCompact = 336; // CMD_SET_ENC, types 17 and 18
inline constexpr uint16_t kSetLengthOlder = 218;   // every set command, other device types

// The device types of the current cameras, the ones this program is made for.
inline constexpr std::array<uint16_t, 2> kCurrentDeviceTypes{17, 18};

constexpr bool IsCurrentDeviceType(uint16_t deviceType)
{
    return std::ranges::find(kCurrentDeviceTypes, deviceType) != kCurrentDeviceTypes.end();
}

// The length field a request carries; nothing for a command that is not one of the six.
std::optional<uint16_t> RequestLength(uint16_t command, uint16_t deviceType);

enum class FrameStatus
{
    Ok,
    UnknownCommand
};

struct FrameResult
{
    FrameStatus status = FrameStatus::UnknownCommand;
    size_t datagramSize = 0; // the first datagramSize bytes of the buffer are the datagram
};

// Writes the header into the buffer and turns its body area (the set body for set commands,
// ignored for queries) into the wire form. The buffer is changed only when the command is known.
FrameResult FrameRequest(MessageBuffer& buffer, uint16_t command, uint16_t deviceType, uint16_t sequence);

// Clears the buffer and puts a record's set body into its body area: the body from the MAC
// address on, with the MAC replaced by the one given (the identity block's).
void WriteSetBody(MessageBuffer& buffer, const DeviceInfo& info, const MacAddress& mac);

// Deciphers a received body in place: the padded length is deciphered, the first `length`
// bytes are kept. False (nothing changed) when the padded length does not fit the span.
bool DecipherBody(std::span<uint8_t> body, uint16_t length);
// The sending side of the same: enciphers the first `length` bytes padded with zeros.
bool EncipherBody(std::span<uint8_t> body, uint16_t length);

inline std::span<uint8_t, kBodyAreaSize> BodyArea(MessageBuffer& buffer)
{
    return std::span<uint8_t, kMessageBufferSize>(buffer).subspan<kMessageHeaderSize>();
}
