#include "camera_side/camera_side.h"
#include "device/core/body_layout.h"
#include "device/core/message_framing.h"
#include "device/core/tea_cipher.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// A record body whose every byte differs from its neighbours, so a misplaced span shows.
DeviceInfo PatternedInfo(uint16_t deviceType)
{
    DeviceInfo info;
    for (size_t i = 0; i < kDeviceInfoSize; ++i)
        info.Raw()[i] = static_cast<uint8_t>(i * 7 + 3);
    info.Set(DeviceInfo::deviceType, deviceType);
    return info;
}

const MacAddress kIdentityMac{0x00, 0x0E, 0x8E, 0x12, 0x34, 0x56};

// The set body that should reach the camera: full set body, MAC from the identity block,
// bytes the save does not copy zero, then compacted for the compact variants.
std::array<uint8_t, kSetScratchSize> ExpectedWireBody(const DeviceInfo& info, uint16_t command)
{
    MessageBuffer buffer{};
    WriteSetBody(buffer, info, kIdentityMac);
    if (command != CMD_SET_FULL)
        CompactForSet(BodyArea(buffer));
    std::array<uint8_t, kSetScratchSize> body{};
    std::copy_n(BodyArea(buffer).begin(), body.size(), body.begin());
    return body;
}
} // namespace

TEST(MessageFraming, RequestSizesLengthsAndEncipheredSpans)
{
    struct Row
    {
        uint16_t command;
        uint16_t deviceType;
        uint16_t length;
        size_t datagram;
        size_t enciphered;
    };
    const Row rows[] = {
        {CMD_QUERY, 0, 0, 29, 0},        {CMD_QUERY_ENC, 0, 0, 29, 0},      {CMD_QUERY_FULL, 17, 0, 29, 0},
        {CMD_SET, 17, 404, 433, 0},      {CMD_SET, 5, 218, 247, 0},         {CMD_SET_ENC, 17, 336, 365, 336},
        {CMD_SET_ENC, 5, 218, 247, 224}, {CMD_SET_FULL, 18, 404, 433, 408}, {CMD_SET_FULL, 16, 218, 247, 224},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "command " << row.command << " type " << row.deviceType);
        const DeviceInfo info = PatternedInfo(row.deviceType);
        MessageBuffer buffer{};
        if (!IsQueryCommand(row.command))
            WriteSetBody(buffer, info, kIdentityMac);
        const FrameResult result = FrameRequest(buffer, row.command, row.deviceType, 4321);
        ASSERT_EQ(result.status, FrameStatus::Ok);
        EXPECT_EQ(result.datagramSize, row.datagram);
        EXPECT_EQ(MessageHeader::Read(buffer), (MessageHeader{row.command, 0, 4321, row.length}));

        const auto expected = ExpectedWireBody(info, row.command);
        auto body = BodyArea(buffer);
        if (IsQueryCommand(row.command)) {
            EXPECT_TRUE(std::all_of(body.begin(), body.begin() + 21, [](uint8_t b) { return b == 0; }));
            continue;
        }
        std::vector<uint8_t> plainPart(expected.begin(), expected.begin() + row.length);
        plainPart.resize(PaddedToBlocks(row.length)); // the padding is enciphered zeros
        std::vector<uint8_t> sent(body.begin(), body.begin() + row.enciphered);
        if (row.enciphered != 0) {
            EXPECT_NE(std::vector<uint8_t>(plainPart.begin(), plainPart.begin() + row.enciphered), sent);
            ASSERT_EQ(TeaBuffer(sent, TeaMode::Decipher), TeaStatus::Ok);
            EXPECT_EQ(sent, std::vector<uint8_t>(plainPart.begin(), plainPart.begin() + row.enciphered));
        }
        // Whatever follows the enciphered span up to the datagram's end goes in plain.
        const size_t bodyEnd = row.datagram - kMessageHeaderSize;
        EXPECT_TRUE(std::equal(body.begin() + row.enciphered, body.begin() + bodyEnd,
                               expected.begin() + row.enciphered));
    }
}

TEST(MessageFraming, UnknownCommandLeavesTheBufferAlone)
{
    MessageBuffer buffer{};
    buffer[20] = 0x42;
    const MessageBuffer before = buffer;
    EXPECT_EQ(FrameRequest(buffer, 0x0002, 17, 1000).status, FrameStatus::UnknownCommand);
    EXPECT_EQ(buffer, before);
    EXPECT_FALSE(RequestLength(0x0104 | 0x0001 | 0x0002, 17).has_value());
}

TEST(BodyLayout, CompactReplyWidensToTheFullLayout)
{
    const DeviceInfo info = PatternedInfo(17);
    MessageBuffer buffer{};
    std::ranges::copy(NarrowForReply(info), BodyArea(buffer).begin());
    BodyArea(buffer)[500] = 0x77; // beyond the compact reply: cleared by widening
    WidenCompact(BodyArea(buffer));
    const auto body = BodyArea(buffer);
    for (size_t i = 0; i < kWidenedReplySize; ++i) {
        const bool carried = i < 118 || (i >= 130 && i < 138) || (i >= 194 && i < 446);
        ASSERT_EQ(body[i], carried ? info.Raw()[i] : 0) << "body byte " << i;
    }
}

TEST(BodyLayout, CompactSetBodyRoundTripAndItsClippedTail)
{
    MessageBuffer buffer{};
    auto body = BodyArea(buffer);
    for (size_t i = 0; i < kBodyAreaSize; ++i)
        body[i] = static_cast<uint8_t>(i % 251 + 1);
    const MessageBuffer full = buffer;
    CompactForSet(body);

    // The last span stops at the 534-byte scratch: compact bytes 466 to 477 stay zero, and
    // nothing from body bytes 534 on is read into the compact body.
    for (size_t i = 466; i < kSetScratchSize; ++i)
        ASSERT_EQ(body[i], 0) << "compact byte " << i;
    EXPECT_EQ(body[465], full[kMessageHeaderSize + 533]);
    EXPECT_TRUE(std::equal(body.begin() + kSetScratchSize, body.end(),
                           full.begin() + kMessageHeaderSize + kSetScratchSize));

    const auto widened = WidenSetBody(body.first<kCompactSetSize>());
    const auto original = std::span(full).subspan(kMessageHeaderSize, kSetScratchSize);
    for (size_t i = 0; i < kSetScratchSize; ++i) {
        const bool carried = i < 97 || (i >= 109 && i < 117) || i >= 173;
        ASSERT_EQ(widened[i], carried ? original[i] : 0) << "set-body byte " << i;
    }
}

TEST(CameraSide, SetRequestsReachTheCameraAsSentInEveryVariant)
{
    for (const uint16_t command : {CMD_SET, CMD_SET_ENC, CMD_SET_FULL}) {
        SCOPED_TRACE(command);
        const DeviceInfo info = PatternedInfo(18);
        MessageBuffer buffer{};
        WriteSetBody(buffer, info, kIdentityMac);
        const FrameResult framed = FrameRequest(buffer, command, 18, 2000);
        const std::span<const uint8_t> datagram(buffer.data(), framed.datagramSize);

        const SetRequest request = ReadSetRequest(datagram, 18);
        ASSERT_EQ(request.status, SetRequestStatus::Ok);
        EXPECT_EQ(request.Mac(), kIdentityMac);
        std::array<uint8_t, kSetScratchSize> reached{};
        const size_t sent = framed.datagramSize - kMessageHeaderSize;
        if (command == CMD_SET_FULL) {
            std::copy_n(ExpectedWireBody(info, command).begin(), sent, reached.begin());
            // Set-body bytes 404 to 407 travel as the enciphered zero padding.
            std::fill_n(reached.begin() + 404, 4, 0);
        } else {
            std::array<uint8_t, kSetScratchSize> compact{};
            std::copy_n(ExpectedWireBody(info, command).begin(), sent, compact.begin());
            reached = WidenSetBody(std::span(compact).first<kCompactSetSize>());
        }
        EXPECT_EQ(request.body, reached);

        DeviceInfo camera = PatternedInfo(18);
        camera.Set(DeviceInfo::cameraName, "before");
        ApplySettings(request, camera);
        EXPECT_EQ(camera.Get(DeviceInfo::cameraName), info.Get(DeviceInfo::cameraName));
        EXPECT_EQ(camera.Get(DeviceInfo::gateway), info.Get(DeviceInfo::gateway));
        EXPECT_EQ(camera.Get(DeviceInfo::firmwareVersion), info.Get(DeviceInfo::firmwareVersion));
    }
}

TEST(CameraSide, SetRequestRejections)
{
    MessageBuffer buffer{};
    const FrameResult framed = FrameRequest(buffer, CMD_SET_ENC, 17, 2000);
    const std::span<const uint8_t> good(buffer.data(), framed.datagramSize);
    EXPECT_EQ(ReadSetRequest(good.first(7), 17).status, SetRequestStatus::TooShort);
    EXPECT_EQ(ReadSetRequest(good, 5).status, SetRequestStatus::WrongLength);
    EXPECT_EQ(ReadSetRequest(good.first(good.size() - 1), 17).status, SetRequestStatus::WrongSize);
    MessageBuffer query{};
    EXPECT_EQ(
        ReadSetRequest(std::span(query).first(FrameRequest(query, CMD_QUERY_ENC, 0, 1).datagramSize), 17)
            .status,
        SetRequestStatus::NotASetRequest);
}
