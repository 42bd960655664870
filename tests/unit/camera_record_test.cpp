#include "device/core/camera_record.h"
#include "device/core/found_camera_list.h"

#include <gtest/gtest.h>
#include <string>

namespace {
DeviceInfo Camera(uint32_t n, const std::string& name)
{
    DeviceInfo info;
    info.Set(DeviceInfo::deviceType, 17);
    info.Set(DeviceInfo::macAddress, MacAddress{0x00, 0x0E, 0x8E, static_cast<uint8_t>(n >> 16),
                                                static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    info.Set(DeviceInfo::cameraName, name);
    info.Set(DeviceInfo::ipAddress, Ipv4Address{192, 168, 0, 20});
    return info;
}
} // namespace

TEST(DeviceInfo, TextFieldsStayWithinTheirWidth)
{
    DeviceInfo info;
    info.Raw()[DeviceInfo::description.End()] = 0x5A; // the byte after the field is not touched
    EXPECT_TRUE(info.Set(DeviceInfo::cameraName, "Front door"));
    EXPECT_EQ(info.Get(DeviceInfo::cameraName), "Front door");
    EXPECT_FALSE(info.Set(DeviceInfo::description, std::string(40, 'x')));
    EXPECT_EQ(info.Get(DeviceInfo::description), std::string(32, 'x'));
    EXPECT_EQ(info.Raw()[DeviceInfo::description.End() - 1], 0);
    EXPECT_EQ(info.Raw()[DeviceInfo::description.End()], 0x5A);
    // A shorter text clears what a longer one left behind.
    info.Set(DeviceInfo::description, "ab");
    EXPECT_EQ(info.Raw()[DeviceInfo::description.offset + 5], 0);

    // A field that arrived without its NUL reads as its whole width, not into the next field.
    auto raw = info.Raw();
    std::fill_n(raw.begin() + DeviceInfo::date.offset, DeviceInfo::date.width, '9');
    raw[DeviceInfo::time.offset] = '1';
    EXPECT_EQ(info.Get(DeviceInfo::date), std::string(11, '9'));
    // Windows-1252 bytes pass through unchanged.
    info.Set(DeviceInfo::ssid, "caf\xE9");
    EXPECT_EQ(info.Get(DeviceInfo::ssid), "caf\xE9");
}

TEST(DeviceInfo, NumbersAreLittleEndianAndAddressesFirstOctetFirst)
{
    DeviceInfo info;
    info.Set(DeviceInfo::webPort, 0x1F90);
    EXPECT_EQ(info.Raw()[DeviceInfo::webPort.offset], 0x90);
    EXPECT_EQ(info.Raw()[DeviceInfo::webPort.offset + 1], 0x1F);
    info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 255, 255, 0});
    EXPECT_EQ(info.Raw()[199], 255);
    EXPECT_EQ(info.Raw()[202], 0);
    EXPECT_EQ(info.Get(DeviceInfo::subnetMask), (Ipv4Address{255, 255, 255, 0}));
}

TEST(CameraIdentity, CopiesTheRawLoginBytesAndAddresses)
{
    DeviceInfo info = Camera(7, "Porch");
    auto raw = info.Raw();
    std::fill_n(raw.begin() + DeviceInfo::loginName.offset, DeviceInfo::loginName.width, 'n');
    info.Set(DeviceInfo::loginPassword, "secret");
    CameraIdentity identity;
    identity.Raw()[135] = 0xEE; // spare bytes are cleared by a refill
    identity.FillFrom(info);
    EXPECT_EQ(identity.Get(CameraIdentity::deviceType), 17);
    EXPECT_EQ(identity.Get(CameraIdentity::macAddress), info.Get(DeviceInfo::macAddress));
    EXPECT_EQ(identity.Get(CameraIdentity::cameraName), "Porch");
    EXPECT_EQ(identity.Get(CameraIdentity::loginName), std::string(32, 'n'));
    EXPECT_EQ(identity.Get(CameraIdentity::loginPassword), "secret");
    EXPECT_EQ(identity.Get(CameraIdentity::ipAddress), (Ipv4Address{192, 168, 0, 20}));
    EXPECT_EQ(identity.Raw()[135], 0);
}

TEST(FoundCameraList, OneRecordPerMacInFirstAnswerOrder)
{
    FoundCameraList found;
    const MessageHeader query{CMD_QUERY, 0, 1000, 378};
    const MessageHeader full{CMD_QUERY_FULL, 0, 1000, 448};
    CameraRecord* a = found.StoreReply(query, Camera(1, "A"));
    found.StoreReply(query, Camera(2, "B"));
    // Same IP address, different MAC: a camera of its own.
    found.StoreReply(query, Camera(3, "C"));
    a->loginRequired = 0;
    CameraRecord* again = found.StoreReply(full, Camera(1, "A2"));

    EXPECT_EQ(again, a);
    ASSERT_EQ(found.GetCount(), 3u);
    EXPECT_EQ(a->AnsweredCommand(), CMD_QUERY_FULL);
    EXPECT_EQ(a->info.Get(DeviceInfo::cameraName), "A2");
    EXPECT_EQ(a->identity.Get(CameraIdentity::cameraName), "A2");
    EXPECT_EQ(a->loginRequired, 0);
    std::string order;
    for (const CameraRecord* r : found.Records())
        order += r->info.Get(DeviceInfo::cameraName);
    EXPECT_EQ(order, "A2BC");

    OwnedList<CameraRecord> frameList;
    frameList.EmplaceTail();
    found.CopyInto(frameList);
    ASSERT_EQ(frameList.GetCount(), 3u);
    EXPECT_NE(frameList.GetHead(), a);
    EXPECT_EQ(frameList.GetHead()->info, a->info);
    EXPECT_EQ(frameList.GetHead()->loginRequired, 0);
    EXPECT_EQ(frameList.GetAt(1)->loginRequired, 1);

    found.RemoveAll();
    EXPECT_TRUE(found.IsEmpty());
    EXPECT_EQ(found.FindByMac(Camera(1, "").Get(DeviceInfo::macAddress)), nullptr);
    EXPECT_EQ(found.StoreReply(query, Camera(1, "A"))->loginRequired, 1);
}

TEST(FoundCameraList, AFloodOfNewCamerasStopsAtTheLimitAndIsCounted)
{
    FoundCameraList found;
    const MessageHeader query{CMD_QUERY, 0, 1000, 378};
    for (uint32_t n = 1; n <= kMaxFoundCameras + 5; ++n)
        found.StoreReply(query, Camera(n, "X"));
    EXPECT_EQ(found.GetCount(), kMaxFoundCameras);
    EXPECT_EQ(found.Dropped(), 5u);
    // A camera already listed is still refreshed; a new one is not listed.
    EXPECT_NE(found.StoreReply(query, Camera(1, "Y")), nullptr);
    EXPECT_EQ(found.Records().GetHead()->info.Get(DeviceInfo::cameraName), "Y");
    EXPECT_EQ(found.StoreReply(query, Camera(kMaxFoundCameras + 9, "Z")), nullptr);
    EXPECT_EQ(found.Dropped(), 6u);
    found.RemoveAll();
    EXPECT_EQ(found.Dropped(), 0u);
}
