#pragma once
// The 8-byte header that starts every datagram of the device protocol, the command codes and
// the sizes of the message buffer. All header words are 16-bit little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

inline constexpr size_t kMessageHeaderSize = 8;
inline constexpr size_t kMessageBufferSize = 1031;
inline constexpr size_t kBodyAreaSize = kMessageBufferSize - kMessageHeaderSize;
using MessageBuffer = std::array<uint8_t, kMessageBufferSize>;
// The most a receive takes in one datagram; a longer one is an error and is lost.
inline constexpr size_t kReceiveLimit = 460;

// Bit 0 marks a set request, bit 8 an enciphered body, bit 2 the full layout.
inline constexpr uint16_t CMD_QUERY = 0x0000;
inline constexpr uint16_t CMD_SET = 0x0001;
inline constexpr uint16_t CMD_QUERY_ENC = 0x0100;
inline constexpr uint16_t CMD_SET_ENC = 0x0101;
inline constexpr uint16_t CMD_QUERY_FULL = 0x0104;
inline constexpr uint16_t CMD_SET_FULL = 0x0105;

// A reply status of 0 is success; this one marks a datagram that is dropped on receipt.
inline constexpr uint16_t kStatusDropped = 0xFFFF;

struct MessageHeader
{
    static constexpr size_t kCommandOffset = 0;
    static constexpr size_t kStatusOffset = 2;
    static constexpr size_t kSequenceOffset = 4;
    static constexpr size_t kLengthOffset = 6;

    uint16_t command = 0;
    uint16_t status = 0;
    uint16_t sequence = 0;
    uint16_t length = 0;

    // Nothing when fewer than 8 bytes are given.
    static std::optional<MessageHeader> Read(std::span<const uint8_t> bytes);
    void Write(std::span<uint8_t, kMessageHeaderSize> bytes) const;
    bool operator==(const MessageHeader&) const = default;
};

static_assert(MessageHeader::kLengthOffset + 2 == kMessageHeaderSize);

constexpr bool IsQueryCommand(uint16_t command)
{
    return command == CMD_QUERY || command == CMD_QUERY_ENC || command == CMD_QUERY_FULL;
}

constexpr bool IsEncipheredCommand(uint16_t command)
{
    return command == CMD_QUERY_ENC || command == CMD_SET_ENC || command == CMD_QUERY_FULL ||
           command == CMD_SET_FULL;
}
