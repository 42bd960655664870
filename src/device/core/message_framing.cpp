#include "device/core/message_framing.h"

#include "device/core/body_layout.h"
#include "device/core/tea_cipher.h"

#include <algorithm>
#include <array>

std::optional<uint16_t> RequestLength(uint16_t command, uint16_t deviceType)
{
    const bool current = IsCurrentDeviceType(deviceType);
    switch (command) {
    case CMD_QUERY:
    case CMD_QUERY_ENC:
    case CMD_QUERY_FULL:
        return 0;
    case CMD_SET:
    case CMD_SET_FULL:
        return current ? kSetLengthFull : kSetLengthOlder;
    case CMD_SET_ENC:
        return current ? kSetLengthCompact : kSetLengthOlder;
    default:
        return std::nullopt;
    }
}

FrameResult FrameRequest(MessageBuffer& buffer, uint16_t command, uint16_t deviceType, uint16_t sequence)
{
    const std::optional<uint16_t> length = RequestLength(command, deviceType);
    if (!length)
        return {};
    const MessageHeader header{command, 0, sequence, *length};
    header.Write(std::span(buffer).first<kMessageHeaderSize>());
    if (command == CMD_SET || command == CMD_SET_ENC)
        CompactForSet(BodyArea(buffer));
    if (IsEncipheredCommand(command))
        EncipherBody(BodyArea(buffer), *length);
    return {FrameStatus::Ok, *length + kRequestOverhead};
}

void WriteSetBody(MessageBuffer& buffer, const DeviceInfo& info, const MacAddress& mac)
{
    buffer.fill(0);
    const auto setBody = info.Raw().subspan(DeviceInfo::kSetBodyOffset, kSetBodyCopySize);
    const auto body = BodyArea(buffer);
    std::copy(setBody.begin(), setBody.end(), body.begin());
    std::copy(mac.begin(), mac.end(), body.begin());
}

namespace {
// Padded-length scratch as large as any body area; a body never exceeds it.
using CipherScratch = std::array<uint8_t, PaddedToBlocks(kBodyAreaSize)>;

bool ApplyCipher(std::span<uint8_t> body, uint16_t length, TeaMode mode)
{
    const size_t padded = PaddedToBlocks(length);
    if (length == 0)
        return true;
    if (padded > body.size())
        return false;
    CipherScratch scratch{};
    const auto work = std::span(scratch).first(padded);
    const size_t taken = mode == TeaMode::Encipher ? length : padded;
    std::copy_n(body.begin(), taken, work.begin());
    TeaBuffer(work, mode);
    const size_t kept = mode == TeaMode::Encipher ? padded : length;
    std::copy_n(work.begin(), kept, body.begin());
    return true;
}
} // namespace

bool DecipherBody(std::span<uint8_t> body, uint16_t length)
{
    return ApplyCipher(body, length, TeaMode::Decipher);
}

bool EncipherBody(std::span<uint8_t> body, uint16_t length)
{
    return ApplyCipher(body, length, TeaMode::Encipher);
}
