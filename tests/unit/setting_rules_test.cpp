#include "pages/core/setting_rules.h"
#include "pages/core/settings_change.h"

#include <gtest/gtest.h>

namespace {

BasicSettings Valid()
{
    BasicSettings s;
    s.name = u"cam-01";
    s.description = u"Front door";
    s.timeZone = 3;
    s.month = u"2";
    s.day = u"28";
    s.year = u"2007";
    s.hour = u"12";
    s.minute = u"30";
    return s;
}

} // namespace

TEST(BasicSettingsRules, ChecksRunInOrderAndNameTheFirstFailure)
{
    struct Case
    {
        const char* what;
        void (*change)(BasicSettings&);
        SettingsField field;
        int message;
    };
    const Case cases[] = {
        {"valid", [](BasicSettings&) {}, SettingsField::None, 0},
        {"29 Feb 2000", [](BasicSettings& s) { s.day = u"29", s.year = u"2000"; }, SettingsField::None, 0},
        {"29 Feb 2004", [](BasicSettings& s) { s.day = u"29", s.year = u"2004"; }, SettingsField::None, 0},
        {"29 Feb 2900", [](BasicSettings& s) { s.day = u"29", s.year = u"2900"; }, SettingsField::Day, 50904},
        {"29 Feb 2100", [](BasicSettings& s) { s.day = u"29", s.year = u"2100"; }, SettingsField::Day, 50904},
        {"29 Feb 2400", [](BasicSettings& s) { s.day = u"29", s.year = u"2400"; }, SettingsField::None, 0},
        {"29 Feb 6400: the year is refused first", [](BasicSettings& s) { s.day = u"29", s.year = u"6400"; },
         SettingsField::Year, 50908},
        {"31 Apr", [](BasicSettings& s) { s.month = u"4", s.day = u"31"; }, SettingsField::Day, 50906},
        {"32 Jan", [](BasicSettings& s) { s.month = u"1", s.day = u"32"; }, SettingsField::Day, 50907},
        {"day 0", [](BasicSettings& s) { s.day = u"0"; }, SettingsField::Day, 50904},
        {"30 Feb leap", [](BasicSettings& s) { s.day = u"30", s.year = u"2008"; }, SettingsField::Day, 50905},
        {"month 13 before day", [](BasicSettings& s) { s.month = u"13", s.day = u"99"; },
         SettingsField::Month, 50903},
        {"empty month", [](BasicSettings& s) { s.month = u""; }, SettingsField::Month, 50903},
        {"year 1989", [](BasicSettings& s) { s.year = u"1989"; }, SettingsField::Year, 50908},
        {"year 3000", [](BasicSettings& s) { s.year = u"3000"; }, SettingsField::Year, 50908},
        {"hour 0", [](BasicSettings& s) { s.hour = u"0"; }, SettingsField::Hour, 50910},
        {"hour 13", [](BasicSettings& s) { s.hour = u"13"; }, SettingsField::Hour, 50910},
        {"minute 60", [](BasicSettings& s) { s.minute = u"60"; }, SettingsField::Minute, 50909},
        {"empty minute", [](BasicSettings& s) { s.minute = u""; }, SettingsField::Minute, 50909},
        {"empty hour", [](BasicSettings& s) { s.hour = u""; }, SettingsField::Hour, 50910},
        {"empty year names the year, not the day", [](BasicSettings& s) { s.day = u"29", s.year = u""; },
         SettingsField::Year, 50908},
        {"bad year before a bad day", [](BasicSettings& s) { s.day = u"0", s.year = u"1989"; },
         SettingsField::Year, 50908},
        {"empty day", [](BasicSettings& s) { s.day = u""; }, SettingsField::Day, 50904},
        {"name A_B", [](BasicSettings& s) { s.name = u"A_B"; }, SettingsField::None, 0},
        {"empty name", [](BasicSettings& s) { s.name = u""; }, SettingsField::None, 0},
        {"name -a", [](BasicSettings& s) { s.name = u"-a"; }, SettingsField::Name, 50911},
        {"name a_", [](BasicSettings& s) { s.name = u"a_"; }, SettingsField::Name, 50911},
        {"name with space", [](BasicSettings& s) { s.name = u"a b"; }, SettingsField::Name, 50911},
        {"name with stop", [](BasicSettings& s) { s.name = u"a.b"; }, SettingsField::Name, 50911},
        {"name with e-acute", [](BasicSettings& s) { s.name = u"caf\u00e9"; }, SettingsField::Name, 50911},
        {"description with tab", [](BasicSettings& s) { s.description = u"a\tb"; },
         SettingsField::Description, 50912},
        {"description above 126", [](BasicSettings& s) { s.description = u"a\u007f"; },
         SettingsField::Description, 50912},
        {"description of spaces", [](BasicSettings& s) { s.description = u"   "; }, SettingsField::None, 0},
        {"huge number saturates", [](BasicSettings& s) { s.year = u"99999999999999999999"; },
         SettingsField::Year, 50908},
    };
    for (const auto& c : cases) {
        BasicSettings s = Valid();
        c.change(s);
        const SettingsCheck check = BasicChangeOf(s).Check();
        EXPECT_EQ(check.field, c.field) << c.what;
        EXPECT_EQ(check.message, c.message) << c.what;
    }
}

TEST(BasicSettingsRules, FebruaryFollowsTheLeapYearRulesWithThe3200Exception)
{
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 6400), 28);
    EXPECT_EQ(DaysInMonth(4, 2000), 30);
}

TEST(BasicSettingsRules, TimeAndDateRoundTripThroughTheRecord)
{
    struct Case
    {
        const char* storedTime;
        const char16_t* hour;
        const char16_t* minute;
        bool pm;
        const char* savedTime;
    };
    const Case cases[] = {
        {"00:30:00", u"12", u"30", false, "00:30:00"}, {"12:05:00", u"12", u"05", true, "12:05:00"},
        {"23:59:59", u"11", u"59", true, "23:59:00"},  {"13:00:00", u"1", u"00", true, "13:00:00"},
        {"09:07:30", u"9", u"07", false, "09:07:00"},
    };
    for (const auto& c : cases) {
        DeviceInfo info;
        info.Set(DeviceInfo::date, "01/05/2007");
        info.Set(DeviceInfo::time, c.storedTime);
        const BasicSettings shown = ReadBasicSettings(info);
        EXPECT_EQ(shown.hour, c.hour) << c.storedTime;
        EXPECT_EQ(shown.minute, c.minute) << c.storedTime;
        EXPECT_EQ(shown.pm, c.pm) << c.storedTime;
        EXPECT_EQ(shown.month, u"1");
        EXPECT_EQ(shown.day, u"5");
        EXPECT_EQ(shown.year, u"2007");
        BasicChangeOf(shown).Apply(info);
        EXPECT_EQ(info.Get(DeviceInfo::time), c.savedTime);
        EXPECT_EQ(info.Get(DeviceInfo::date), "01/05/2007");
    }
    EXPECT_EQ(ToTwentyFourHour(12, false), 0);
    EXPECT_EQ(ToTwentyFourHour(12, true), 12);
    EXPECT_EQ(ToTwentyFourHour(1, true), 13);
}

TEST(BasicSettingsRules, WriteKeepsTextsWithinTheirFieldsAndAnUnnamedZone)
{
    DeviceInfo info;
    info.Set(DeviceInfo::timeZone, 200); // past the pack's list: the page selects nothing
    BasicSettings s = Valid();
    s.name = u"ABCDEFGHIJKLMNOPQRS"; // 19 characters: only 16 fit
    s.description = u"caf\u00e9";
    s.timeZone = -1;
    BasicChangeOf(s).Apply(info);
    EXPECT_EQ(info.Get(DeviceInfo::cameraName), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(info.Get(DeviceInfo::description), "caf\xe9");
    EXPECT_EQ(info.Get(DeviceInfo::timeZone), 200);
    EXPECT_EQ(info.Raw()[DeviceInfo::description.offset], 'c'); // the neighbour field is untouched
}

TEST(NetworkModeRules, FlagsAreWrittenAsOpposites)
{
    DeviceInfo info;
    info.Set(DeviceInfo::dhcpEnable, 0); // disagreeing flags: the fixed flag decides
    EXPECT_FALSE(UsesFixedAddress(info));
    WriteNetworkMode(false, info);
    EXPECT_EQ(info.Get(DeviceInfo::fixedIp), 0);
    EXPECT_EQ(info.Get(DeviceInfo::dhcpEnable), 1);
    WriteNetworkMode(true, info);
    EXPECT_TRUE(UsesFixedAddress(info));
    EXPECT_EQ(info.Get(DeviceInfo::dhcpEnable), 0);
}

TEST(IpSettingsRules, OctetsRoundTripThroughTheRecord)
{
    DeviceInfo info;
    info.Set(DeviceInfo::ipAddress, Ipv4Address{192, 168, 0, 3});
    info.Set(DeviceInfo::secondaryDns, Ipv4Address{8, 8, 4, 4});
    IpOctetTexts octets = ReadIpSettings(info);
    EXPECT_EQ(octets[0], u"192");
    EXPECT_EQ(octets[3], u"3");
    EXPECT_EQ(octets[19], u"4");
    octets[3] = u"007";
    octets[4] = u""; // an empty octet is saved as 0
    AddressChangeOf(octets).Apply(info);
    EXPECT_EQ(info.Get(DeviceInfo::ipAddress), (Ipv4Address{192, 168, 0, 7}));
    EXPECT_EQ(info.Get(DeviceInfo::subnetMask), (Ipv4Address{0, 0, 0, 0}));
    EXPECT_EQ(info.Get(DeviceInfo::secondaryDns), (Ipv4Address{8, 8, 4, 4}));
}
