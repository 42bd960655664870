#include "camera_side/camera_side.h"

#include "device/core/message_framing.h"
#include "device/core/tea_cipher.h"

#include <algorithm>
#include <optional>

namespace {
std::vector<uint8_t> WithHeader(const MessageHeader& header, std::span<const uint8_t> body)
{
    std::vector<uint8_t> datagram(kMessageHeaderSize + body.size());
    header.Write(std::span(datagram).first<kMessageHeaderSize>());
    std::copy(body.begin(), body.end(), datagram.begin() + kMessageHeaderSize);
    return datagram;
}

bool IsSetCommand(uint16_t command)
{
    return command == CMD_SET || command == CMD_SET_ENC || command == CMD_SET_FULL;
}
} // namespace

std::vector<uint8_t> BuildQueryReply(uint16_t command, uint16_t sequence, const DeviceInfo& info,
                                     uint16_t status)
{
    const bool full = command == CMD_QUERY_FULL;
    const uint16_t length = full ? kFullReplyLength : kCompactReplyLength;
    std::vector<uint8_t> body(IsEncipheredCommand(command) ? PaddedToBlocks(length) : length);
    if (full)
        std::copy_n(info.Raw().begin(), length, body.begin());
    else
        std::ranges::copy(NarrowForReply(info), body.begin());
    if (IsEncipheredCommand(command))
        EncipherBody(body, length);
    return WithHeader(MessageHeader{command, status, sequence, length}, body);
}

std::vector<uint8_t> BuildHeaderReply(uint16_t command, uint16_t sequence, uint16_t status)
{
    return WithHeader(MessageHeader{command, status, sequence, 0}, {});
}

MacAddress SetRequest::Mac() const
{
    MacAddress mac{};
    std::copy_n(body.begin(), mac.size(), mac.begin());
    return mac;
}

SetRequest ReadSetRequest(std::span<const uint8_t> datagram, uint16_t deviceType)
{
    SetRequest request;
    const auto header = MessageHeader::Read(datagram);
    if (!header)
        return request;
    request.header = *header;
    const std::optional<uint16_t> expected = RequestLength(header->command, deviceType);
    if (!IsSetCommand(header->command) || !expected)
        request.status = SetRequestStatus::NotASetRequest;
    else if (header->length != *expected)
        request.status = SetRequestStatus::WrongLength;
    else if (datagram.size() != header->length + kRequestOverhead)
        request.status = SetRequestStatus::WrongSize;
    else
        request.status = SetRequestStatus::Ok;
    if (request.status != SetRequestStatus::Ok)
        return request;

    std::array<uint8_t, kSetScratchSize> wire{};
    const auto body = datagram.subspan(kMessageHeaderSize);
    std::copy(body.begin(), body.end(), wire.begin());
    if (IsEncipheredCommand(header->command)) {
        // The bytes between the length and the padded length are padding, not settings.
        DecipherBody(wire, header->length);
        std::fill(wire.begin() + header->length, wire.begin() + PaddedToBlocks(header->length), 0);
    }
    if (header->command == CMD_SET_FULL)
        request.body = wire;
    else
        request.body = WidenSetBody(std::span(wire).first<kCompactSetSize>());
    return request;
}

namespace {
// Settings the wizard writes, as spans of the set body (DeviceInfo offset minus 21).
struct SettingSpan
{
    size_t offset;
    size_t width;
};

constexpr SettingSpan Setting(size_t offset, size_t width)
{
    return {offset - DeviceInfo::kSetBodyOffset, width};
}

constexpr std::array kSettings{
    Setting(DeviceInfo::cameraName.offset, DeviceInfo::cameraName.width),
    Setting(DeviceInfo::description.offset, DeviceInfo::description.width),
    Setting(DeviceInfo::date.offset, DeviceInfo::date.width),
    Setting(DeviceInfo::time.offset, DeviceInfo::time.width),
    Setting(DeviceInfo::timeZone.offset, DeviceInfo::timeZone.width),
    // fixedIp, ipAddress, subnetMask, gateway, wirelessMode
    Setting(DeviceInfo::fixedIp.offset, DeviceInfo::wirelessMode.End() - DeviceInfo::fixedIp.offset),
    // ssid, channel, bWep, bWepKey
    Setting(DeviceInfo::ssid.offset, DeviceInfo::wepKeys.End() - DeviceInfo::ssid.offset),
    // primaryDns, secondaryDns, security, SecMode, WpaPassphrase
    Setting(DeviceInfo::primaryDns.offset, DeviceInfo::wpaPassphrase.End() - DeviceInfo::primaryDns.offset),
    Setting(DeviceInfo::wepPassphrase.offset, DeviceInfo::wepPassphrase.width),
    Setting(DeviceInfo::dhcpEnable.offset, DeviceInfo::dhcpEnable.width),
};
} // namespace

void ApplySettings(const SetRequest& request, DeviceInfo& info)
{
    for (const SettingSpan& s : kSettings)
        std::copy_n(request.body.begin() + s.offset, s.width,
                    info.Raw().begin() + DeviceInfo::kSetBodyOffset + s.offset);
}
