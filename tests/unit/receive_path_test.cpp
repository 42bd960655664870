#include "camera_side/camera_side.h"
#include "device/core/message_framing.h"
#include "device/core/receive_path.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
constexpr uint16_t kSequence = 1234;
const Ipv4Address kSource{10, 0, 0, 77};

DeviceInfo CameraBody(uint16_t deviceType)
{
    DeviceInfo info;
    info.Set(DeviceInfo::deviceType, deviceType);
    info.Set(DeviceInfo::firmwareVersion, 0x0203);
    info.Set(DeviceInfo::macAddress, MacAddress{0x00, 0x0E, 0x8E, 0xAA, 0xBB, 0xCC});
    auto raw = info.Raw();
    std::fill_n(raw.begin() + DeviceInfo::cameraName.offset, DeviceInfo::cameraName.width, 'N'); // no NUL
    std::fill_n(raw.begin() + DeviceInfo::loginName.offset, DeviceInfo::loginName.width, 'u');
    std::fill_n(raw.begin() + DeviceInfo::loginPassword.offset, DeviceInfo::loginPassword.width, 'p');
    info.Set(DeviceInfo::ipAddress, Ipv4Address{192, 168, 1, 99});
    info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 255, 255, 0});
    info.Set(DeviceInfo::dhcpEnable, 1);
    info.Set(DeviceInfo::webPort, 8080);
    return info;
}

void SetWord(std::vector<uint8_t>& datagram, size_t at, uint16_t value)
{
    datagram[at] = static_cast<uint8_t>(value);
    datagram[at + 1] = static_cast<uint8_t>(value >> 8);
}
} // namespace

TEST(ReceivePath, AcceptsEachVariantAndPatchesTheBodyForTheRecord)
{
    const DeviceInfo sent = CameraBody(18);
    for (const uint16_t command : {CMD_QUERY, CMD_QUERY_ENC, CMD_QUERY_FULL}) {
        SCOPED_TRACE(command);
        const SearchReply reply =
            DecodeSearchReply(BuildQueryReply(command, kSequence, sent), kSequence, kSource);
        ASSERT_EQ(reply.status, ReplyStatus::Accepted);
        const DeviceInfo& info = reply.info;
        EXPECT_EQ(info.Get(DeviceInfo::macAddress), sent.Get(DeviceInfo::macAddress));
        EXPECT_EQ(info.Get(DeviceInfo::firmwareVersion), 0x0203);
        EXPECT_EQ(info.Get(DeviceInfo::ipAddress), kSource);
        EXPECT_EQ(info.Get(DeviceInfo::subnetMask), (Ipv4Address{255, 255, 255, 0}));
        EXPECT_EQ(info.Get(DeviceInfo::webPort), 8080);
        EXPECT_EQ(info.Get(DeviceInfo::dhcpEnable), 1);
        EXPECT_EQ(info.Get(DeviceInfo::queryCommand), command);
        EXPECT_EQ(info.Get(DeviceInfo::cameraName), std::string(16, 'N'));
        const bool compact = command != CMD_QUERY_FULL;
        EXPECT_EQ(info.Get(DeviceInfo::loginName), std::string(compact ? 20 : 32, 'u'));
        EXPECT_EQ(info.Get(DeviceInfo::loginPassword), std::string(compact ? 8 : 64, 'p'));
    }
}

TEST(ReceivePath, EveryRejection)
{
    using Mutate = std::function<void(std::vector<uint8_t>&)>;
    struct Row
    {
        const char* name;
        uint16_t command;
        uint16_t deviceType;
        DeviceTypeFilter filter;
        ReplyStatus expected;
        Mutate mutate;
    };
    const auto none = [](std::vector<uint8_t>&) {};
    const DeviceTypeFilter any{}, only0{true, {0}}, only17{true, {17}}, only18{true, {18}};
    const Row rows[] = {
        {"valid compact", CMD_QUERY, 17, any, ReplyStatus::Accepted, none},
        {"enciphered length a multiple of 8", CMD_QUERY_ENC, 17, any, ReplyStatus::Accepted,
         [](auto& d) { SetWord(d, 6, 384); }},
        {"type allowed by the filter", CMD_QUERY_FULL, 18, only18, ReplyStatus::Accepted, none},
        {"empty", CMD_QUERY, 17, any, ReplyStatus::NothingReceived, [](auto& d) { d.clear(); }},
        {"shorter than a header", CMD_QUERY, 17, any, ReplyStatus::NothingReceived,
         [](auto& d) { d.resize(7); }},
        {"dropped status", CMD_QUERY_FULL, 17, any, ReplyStatus::NothingReceived,
         [](auto& d) { SetWord(d, 2, 0xFFFF); }},
        {"over-long datagram", CMD_QUERY_FULL, 17, any, ReplyStatus::TooLong,
         [](auto& d) { d.resize(kReceiveLimit + 1); }},
        {"set command", CMD_QUERY, 17, any, ReplyStatus::NotAQueryReply,
         [](auto& d) { SetWord(d, 0, CMD_SET); }},
        {"earlier sequence", CMD_QUERY_ENC, 17, any, ReplyStatus::StaleSequence,
         [](auto& d) { SetWord(d, 4, kSequence - 1); }},
        {"failure status", CMD_QUERY_FULL, 17, any, ReplyStatus::Failed, [](auto& d) { SetWord(d, 2, 3); }},
        {"shorter than its length", CMD_QUERY_ENC, 17, any, ReplyStatus::NotDecodable,
         [](auto& d) { d.resize(d.size() - 20); }},
        {"length beyond the datagram", CMD_QUERY_FULL, 17, any, ReplyStatus::NotDecodable,
         [](auto& d) { SetWord(d, 6, 0xFFFF); }},
        {"device type 16, filter off", CMD_QUERY_FULL, 16, any, ReplyStatus::WrongDeviceType, none},
        {"device type 0", CMD_QUERY, 0, only0, ReplyStatus::WrongDeviceType, none},
        {"type outside the filter", CMD_QUERY_ENC, 18, only17, ReplyStatus::TypeNotAllowed, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> datagram = BuildQueryReply(row.command, kSequence, CameraBody(row.deviceType));
        row.mutate(datagram);
        const SearchReply reply = DecodeSearchReply(datagram, kSequence, kSource, row.filter);
        EXPECT_EQ(reply.status, row.expected);
        if (row.expected != ReplyStatus::Accepted) {
            EXPECT_EQ(reply.info, DeviceInfo{}); // never a half-decoded body
        }
    }
}

TEST(ReceivePath, SaveReplyIsJudgedByStatusCommandAndSequence)
{
    struct Row
    {
        std::vector<uint8_t> datagram;
        uint16_t outstanding;
        SaveReplyStatus expected;
    };
    const Row rows[] = {
        {BuildHeaderReply(CMD_SET_ENC, 2000, 0), 2000, SaveReplyStatus::Saved},
        {BuildHeaderReply(CMD_SET_ENC, 2000, 5), 2000, SaveReplyStatus::Rejected},
        {BuildHeaderReply(CMD_QUERY_ENC, 2000, 0), 2000, SaveReplyStatus::Ignored},
        {BuildHeaderReply(CMD_SET_FULL, 2000, 0), 2000, SaveReplyStatus::Ignored},
        {BuildHeaderReply(CMD_SET_ENC, 1999, 0), 2000, SaveReplyStatus::Ignored},
        {BuildHeaderReply(CMD_SET_ENC, 0, 0), 0, SaveReplyStatus::Ignored}, // save already ended
        {BuildHeaderReply(CMD_SET_ENC, 2000, 0xFFFF), 2000, SaveReplyStatus::NothingReceived},
        {std::vector<uint8_t>(7, 0), 2000, SaveReplyStatus::NothingReceived},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CheckSaveReply(row.datagram, CMD_SET_ENC, row.outstanding), row.expected);
}
