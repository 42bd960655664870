#pragma once
// The rules of the setting pages, apart from their controls: how the basic settings (name,
// description, time zone, date, time), the network mode and the fixed IP settings are read
// from a camera record, checked and written back. The pages and the command-line front end
// both go through these, so a value is accepted or refused the same way everywhere.
#include "device/core/device_info.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// ---- Shared conversions ----

// The leading decimal digits of a text as a number (empty or no digits: 0). Saturates at
// INT32_MAX rather than overflowing.
int ReadLeadingNumber(std::u16string_view text);
// Characters [from, from + count) of a narrow record field, as wide text (shorter when the
// field is): how the record's fixed-place date and time are cut into parts.
std::u16string FieldSlice(const std::string& text, size_t from, size_t count);

// ---- Basic settings ----

inline constexpr size_t kCameraNameChars = 16;
inline constexpr size_t kDescriptionChars = 32;

// Days of a month; month 2 follows the leap-year rule with the 3200-year exception, any
// month number other than 2, 4, 6, 9 and 11 has 31.
int DaysInMonth(int month, int year);
// Letters, digits, "_" and "-", not starting or ending with "_" or "-"; empty is valid.
bool IsValidCameraName(std::u16string_view text);
// Printable ASCII (32 to 126) only; empty is valid.
bool IsValidDescription(std::u16string_view text);

// The page's fields as texts, the hour on the 12-hour clock with its half of the day.
struct BasicSettings
{
    std::u16string name;
    std::u16string description;
    int timeZone = -1; // index in the zone list, -1 for none
    std::u16string month;
    std::u16string day;
    std::u16string year;
    std::u16string hour; // 1 to 12
    std::u16string minute;
    bool pm = false;
};

// Message numbers of the basic settings checks.
inline constexpr int kMsgMonthRange = 50903;
inline constexpr int kMsgDayRange28 = 50904; // + 1, 2, 3 for months of 29, 30, 31 days
inline constexpr int kMsgYearRange = 50908;
inline constexpr int kMsgMinuteRange = 50909;
inline constexpr int kMsgHourRange = 50910;
inline constexpr int kMsgCameraName = 50911;
inline constexpr int kMsgDescription = 50912;

// 24-hour clock <-> the page's 12-hour clock.
struct TwelveHour
{
    int hour = 12;
    bool pm = false;
};
TwelveHour ToTwelveHour(int hour24);
int ToTwentyFourHour(int hour12, bool pm);

// Fills the page's fields from a record (month and day without leading zeros, the year and the
// minute as their characters, seconds ignored).
BasicSettings ReadBasicSettings(const DeviceInfo& info);

// ---- Network mode ----

// DHCP or a fixed address; the two record flags are always written as opposites.
bool UsesFixedAddress(const DeviceInfo& info);
void WriteNetworkMode(bool fixedAddress, DeviceInfo& info);

// ---- IP settings ----

// Five addresses of four octets: IP address, subnet mask, gateway, DNS 1, DNS 2.
inline constexpr size_t kIpRows = 5;
inline constexpr size_t kIpOctets = kIpRows * 4;
inline constexpr int kMsgOctetRange = 51102;
// The record's field of each row.
inline constexpr std::array<Ipv4Field<kDeviceInfoSize>, kIpRows> kIpRowFields{
    DeviceInfo::ipAddress, DeviceInfo::subnetMask, DeviceInfo::gateway, DeviceInfo::primaryDns,
    DeviceInfo::secondaryDns};
using IpOctetTexts = std::array<std::u16string, kIpOctets>;

// Each octet as "%d".
IpOctetTexts ReadIpSettings(const DeviceInfo& info);
