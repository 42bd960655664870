#include "device/core/message_header.h"

#include "device/core/little_endian.h"

std::optional<MessageHeader> MessageHeader::Read(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kMessageHeaderSize)
        return std::nullopt;
    const auto header = bytes.first<kMessageHeaderSize>();
    MessageHeader h;
    h.command = LoadLe16(header.subspan<kCommandOffset, 2>());
    h.status = LoadLe16(header.subspan<kStatusOffset, 2>());
    h.sequence = LoadLe16(header.subspan<kSequenceOffset, 2>());
    h.length = LoadLe16(header.subspan<kLengthOffset, 2>());
    return h;
}

void MessageHeader::Write(std::span<uint8_t, kMessageHeaderSize> bytes) const
{
    StoreLe16(bytes.subspan<kCommandOffset, 2>(), command);
    StoreLe16(bytes.subspan<kStatusOffset, 2>(), status);
    StoreLe16(bytes.subspan<kSequenceOffset, 2>(), sequence);
    StoreLe16(bytes.subspan<kLengthOffset, 2>(), length);
}
