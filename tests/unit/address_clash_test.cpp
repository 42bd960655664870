#include "device/core/address_clash.h"

#include <gtest/gtest.h>
#include <string>

namespace {

void AddCamera(OwnedList<CameraRecord>& list, uint8_t macLast, const char* name, const Ipv4Address& at)
{
    CameraRecord* camera = list.EmplaceTail();
    camera->info.Set(DeviceInfo::macAddress, MacAddress{0x00, 0x50, 0xC2, 0x10, 0x20, macLast});
    camera->info.Set(DeviceInfo::cameraName, name);
    camera->info.Set(DeviceInfo::ipAddress, at);
    camera->identity.FillFrom(camera->info);
}

} // namespace

TEST(AddressClash, AnotherCamerasOrThisComputersAddressIsRefusedAndOnesOwnIsNot)
{
    OwnedList<CameraRecord> found;
    AddCamera(found, 1, "Door", {192, 168, 0, 20});
    AddCamera(found, 2, "Garden", {192, 168, 0, 21});
    AddCamera(found, 3, "Attic", {192, 168, 0, 22});
    const std::vector<Ipv4Address> own{{127, 0, 0, 1}, {192, 168, 0, 5}};
    // Door has been edited on the pages: its record holds the new address, its identity the old.
    CameraRecord door = *found.GetHead();
    struct Case
    {
        Ipv4Address wanted;
        std::set<MacAddress> leaving;
        AddressClash::Kind kind;
        const char* holder;
    };
    const MacAddress garden{0x00, 0x50, 0xC2, 0x10, 0x20, 2};
    const Case cases[] = {
        {{192, 168, 0, 21}, {}, AddressClash::Kind::OtherCamera, "Garden"},
        {{192, 168, 0, 22}, {garden}, AddressClash::Kind::OtherCamera, "Attic"},
        {{192, 168, 0, 21}, {garden}, AddressClash::Kind::None, ""}, // Garden moves away
        {{192, 168, 0, 5}, {}, AddressClash::Kind::ThisComputer, ""},
        {{127, 0, 0, 1}, {}, AddressClash::Kind::ThisComputer, ""},
        {{192, 168, 0, 20}, {}, AddressClash::Kind::None, ""}, // its own address
        {{192, 168, 0, 30}, {}, AddressClash::Kind::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.wanted[3]));
        door.info.Set(DeviceInfo::ipAddress, c.wanted);
        const AddressClash clash = FindAddressClash(c.wanted, door, found, own, c.leaving);
        EXPECT_EQ(clash.kind, c.kind);
        EXPECT_EQ(static_cast<bool>(clash), c.kind != AddressClash::Kind::None);
        if (c.kind == AddressClash::Kind::OtherCamera) {
            ASSERT_NE(clash.holder, nullptr);
            EXPECT_EQ(clash.holder->info.Get(DeviceInfo::cameraName), c.holder);
            EXPECT_EQ(clash.address, c.wanted);
        }
    }
    // A second record of Door itself (another search's copy) is not another camera.
    AddCamera(found, 1, "Door", {192, 168, 0, 40});
    EXPECT_FALSE(FindAddressClash({192, 168, 0, 40}, door, found, own));
}
