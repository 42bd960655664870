#include "device/core/receive_path.h"

#include "device/core/body_layout.h"
#include "device/core/message_framing.h"

#include <algorithm>

bool DeviceTypeFilter::Allows(uint16_t deviceType) const
{
    return !enabled || std::find(allowed.begin(), allowed.end(), deviceType) != allowed.end();
}

DeviceTypeFilter DeviceTypeFilter::CurrentTypesOnly()
{
    return {true, {kCurrentDeviceTypes.begin(), kCurrentDeviceTypes.end()}};
}

namespace {
SearchReply Rejected(ReplyStatus status, const MessageHeader& header)
{
    SearchReply reply;
    reply.status = status;
    reply.header = header;
    return reply;
}

ReplyStatus CheckHeader(const MessageHeader& header, size_t datagramSize, uint16_t sequence)
{
    if (!IsQueryCommand(header.command))
        return ReplyStatus::NotAQueryReply;
    if (header.sequence != sequence)
        return ReplyStatus::StaleSequence;
    if (header.status != 0)
        return ReplyStatus::Failed;
    if (datagramSize < size_t{header.length} + kMessageHeaderSize)
        return ReplyStatus::NotDecodable;
    return ReplyStatus::Accepted;
}

// Brings the received body into the full layout, in a zeroed body area as large as the
// message buffer's, so that deciphering a padded last block never reads past the datagram.
DeviceInfo DecodeBody(std::span<const uint8_t> body, const MessageHeader& header)
{
    MessageBuffer buffer{};
    const auto area = BodyArea(buffer);
    std::copy(body.begin(), body.end(), area.begin());
    if (IsEncipheredCommand(header.command))
        DecipherBody(area, header.length);
    if (header.command != CMD_QUERY_FULL)
        WidenCompact(area);
    DeviceInfo info;
    std::copy_n(area.begin(), kDeviceInfoSize, info.Raw().begin());
    return info;
}

void PatchForRecord(DeviceInfo& info, uint16_t command, const Ipv4Address& source)
{
    info.Set(DeviceInfo::ipAddress, source);
    info.Set(DeviceInfo::queryCommand, command);
    for (size_t at : kTerminatorsClearedOnReceipt)
        info.Raw()[at] = 0;
}
} // namespace

SearchReply DecodeSearchReply(std::span<const uint8_t> datagram, uint16_t sequence, const Ipv4Address& source,
                              const DeviceTypeFilter& filter)
{
    const auto header = MessageHeader::Read(datagram);
    if (datagram.size() > kReceiveLimit)
        return Rejected(ReplyStatus::TooLong, header.value_or(MessageHeader{}));
    if (!header || header->status == kStatusDropped)
        return Rejected(ReplyStatus::NothingReceived, header.value_or(MessageHeader{}));
    if (const ReplyStatus status = CheckHeader(*header, datagram.size(), sequence);
        status != ReplyStatus::Accepted)
        return Rejected(status, *header);

    SearchReply reply;
    reply.header = *header;
    reply.info = DecodeBody(datagram.subspan(kMessageHeaderSize), *header);
    const uint16_t deviceType = reply.info.Get(DeviceInfo::deviceType);
    if (!IsCurrentDeviceType(deviceType))
        return Rejected(ReplyStatus::WrongDeviceType, *header);
    if (!filter.Allows(deviceType))
        return Rejected(ReplyStatus::TypeNotAllowed, *header);
    PatchForRecord(reply.info, header->command, source);
    reply.status = ReplyStatus::Accepted;
    return reply;
}

SaveReplyStatus CheckSaveReply(std::span<const uint8_t> datagram, uint16_t setCommand, uint16_t sequence)
{
    const auto header = MessageHeader::Read(datagram);
    if (!header || header->status == kStatusDropped || datagram.size() > kReceiveLimit)
        return SaveReplyStatus::NothingReceived;
    if (sequence == 0 || header->sequence != sequence || header->command != setCommand)
        return SaveReplyStatus::Ignored;
    return header->status == 0 ? SaveReplyStatus::Saved : SaveReplyStatus::Rejected;
}
