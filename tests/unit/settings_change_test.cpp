#include "pages/core/ip_rules.h"
#include "pages/core/settings_change.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

DeviceInfo FixedCamera()
{
    DeviceInfo info;
    info.Set(DeviceInfo::cameraName, "Gate");
    info.Set(DeviceInfo::description, "North");
    info.Set(DeviceInfo::date, "03/04/2020");
    info.Set(DeviceInfo::time, "18:05:41");
    info.Set(DeviceInfo::fixedIp, 1);
    info.Set(DeviceInfo::ipAddress, Ipv4Address{192, 168, 0, 20});
    info.Set(DeviceInfo::subnetMask, Ipv4Address{255, 255, 255, 0});
    info.Set(DeviceInfo::gateway, Ipv4Address{192, 168, 0, 1});
    return info;
}

} // namespace

// Values left out are the camera's own once it has answered, and are not checked before.
TEST(SettingsChange, ChecksTheGivenValuesAloneOrWithTheCamerasOwn)
{
    struct Case
    {
        const char* what;
        SettingsChange change;
        bool withCamera;
        SettingsField field;
        int message;
        size_t octet;
    };
    SettingsChange newNetwork;
    newNetwork.addresses[0] = Ipv4Address{10, 0, 0, 5};
    SettingsChange toDhcpWithAddress;
    toDhcpWithAddress.dhcp = true;
    toDhcpWithAddress.addresses[1] = Ipv4Address{255, 255, 0, 0};
    SettingsChange badDay;
    badDay.date = CalendarDate{2, 29, 2023};
    SettingsChange lateMinute;
    lateMinute.time = ClockTime{23, 60};
    SettingsChange renamed;
    renamed.name = u"Front door";
    SettingsChange longName;
    longName.name = u"Seventeen_chars_x";
    longName.date = CalendarDate{13, 1, 2023};
    SettingsChange wep;
    wep.wireless.security = SecurityType::Wep64;
    wep.wireless.wepKey = u"12345";
    const Case cases[] = {
        {"a new address alone passes", newNetwork, false, SettingsField::None, 0, 0},
        {"with the camera's gateway it is outside", newNetwork, true, SettingsField::Address,
         kMsgGatewayOutside, 8},
        {"addresses for DHCP", toDhcpWithAddress, false, SettingsField::NeedsFixedAddress, 0, 0},
        {"29 February 2023", badDay, false, SettingsField::Day, kMsgDayRange28, 0},
        {"minute 60", lateMinute, true, SettingsField::Minute, kMsgMinuteRange, 0},
        {"a space in the name", renamed, false, SettingsField::Name, kMsgCameraName, 0},
        {"a long name before a bad month", longName, false, SettingsField::NameLength, 0, 0},
        {"a short WEP key", wep, false, SettingsField::Key, kMsgWep64KeyLength, 0},
    };
    const DeviceInfo camera = FixedCamera();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingsCheck check = c.change.Check(c.withCamera ? &camera : nullptr);
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.octet, c.octet);
    }
}

// A time is written on the 24-hour clock as given, and the record's other values are kept.
TEST(SettingsChange, ApplyWritesTheTimeAsGivenAndKeepsTheRest)
{
    DeviceInfo info = FixedCamera();
    SettingsChange change;
    change.time = ClockTime{0, 7};
    change.dhcp = false;
    change.addresses[0] = Ipv4Address{192, 168, 0, 30};
    ASSERT_TRUE(change.Check(&info).Passed());
    change.Apply(info);
    EXPECT_EQ(info.Get(DeviceInfo::time), "00:07:00");
    EXPECT_EQ(info.Get(DeviceInfo::date), "03/04/2020");
    EXPECT_EQ(info.Get(DeviceInfo::cameraName), "Gate");
    EXPECT_EQ(info.Get(DeviceInfo::ipAddress), (Ipv4Address{192, 168, 0, 30}));
    EXPECT_EQ(info.Get(DeviceInfo::gateway), (Ipv4Address{192, 168, 0, 1}));
    EXPECT_EQ(info.Get(DeviceInfo::dhcpEnable), 0);
}

// A stored name the pages would refuse ("Camera 2", a factory name) does not block a change
// that leaves it alone, and stays byte for byte, as does the clock with its seconds.
TEST(SettingsChange, ValuesLeftOutAreNeitherCheckedNorRewritten)
{
    DeviceInfo info = FixedCamera();
    info.Set(DeviceInfo::cameraName, "Camera 2");
    SettingsChange change;
    change.description = u"Porch";
    ASSERT_TRUE(change.Check(&info).Passed());
    change.Apply(info);
    EXPECT_EQ(info.Get(DeviceInfo::cameraName), "Camera 2");
    EXPECT_EQ(info.Get(DeviceInfo::description), "Porch");
    EXPECT_EQ(info.Get(DeviceInfo::time), "18:05:41");
}

// Saving a type without WEP keeps what was not given byte for byte: the stored passphrases, also
// characters beyond ASCII (an accented letter used to come back as '?'), and the stored keys,
// which need not be the ones the stored passphrase makes.
TEST(SettingsChange, TypesWithoutWepKeepTheStoredKeysAndPassphrases)
{
    for (const SecurityType type : {SecurityType::None, SecurityType::Wpa}) {
        SCOPED_TRACE(static_cast<int>(type));
        DeviceInfo info = FixedCamera();
        info.Set(DeviceInfo::wepEnabled, 1);
        info.Set(DeviceInfo::wepPassphrase, "caf\xE9");
        info.Set(DeviceInfo::wpaPassphrase, "s\xFC\xDF genug");
        const auto keys = info.Get(DeviceInfo::wepKeys);
        for (size_t i = 0; i < keys.size(); ++i)
            keys[i] = static_cast<uint8_t>(0xA0 + i);
        const std::vector<uint8_t> stored(keys.begin(), keys.end());
        SettingsChange change;
        change.wireless.security = type;
        change.wireless.wpaPassphrase = u"s\u00fc\u00df genug";
        change.Apply(info);
        EXPECT_EQ(SecurityTypeOf(info), type);
        EXPECT_EQ(std::vector<uint8_t>(keys.begin(), keys.end()), stored);
        EXPECT_EQ(info.Get(DeviceInfo::wepPassphrase), "caf\xE9");
        EXPECT_EQ(info.Get(DeviceInfo::wpaPassphrase), "s\xFC\xDF genug");
    }
}
