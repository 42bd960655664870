#pragma once
// One change to a camera's settings as values: what the setting pages read from their edits and
// what the command line reads from its options or a batch row. Every value is optional; a value
// left out keeps the camera's own. The change has one check, which refuses what the pages refuse
// with the same message numbers and names the part to correct, and one Apply, which writes the
// record as the pages would.
#include "device/core/device_info.h"
#include "pages/core/setting_rules.h"
#include "pages/core/wireless_rules.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

struct CalendarDate
{
    int month = 0;
    int day = 0;
    int year = 0;
};

// 24-hour clock; a part that cannot be a time (an empty or out-of-range edit) is -1.
struct ClockTime
{
    int hour = 0;
    int minute = 0;
};

struct WirelessChange
{
    std::optional<bool> wireless; // false: wired
    std::optional<std::u16string> ssid;
    std::optional<int> channel; // 1 to 11
    std::optional<SecurityType> security;
    std::optional<std::u16string> wepKey;
    std::optional<std::u16string> wepPassphrase;
    std::optional<std::u16string> wpaPassphrase;
};

// The part of a change that a failed check points at.
enum class SettingsField
{
    None,
    Month,
    Day,
    Year,
    Hour,
    Minute,
    Name,
    Description,
    NameLength, // longer than the camera holds (an edit never is)
    DescriptionLength,
    NeedsFixedAddress, // addresses given while the camera uses DHCP
    Address,           // `octet` says which part
    Key,
    WpaPassphrase
};

struct SettingsCheck
{
    SettingsField field = SettingsField::None;
    int message = 0;  // language-pack string of the message, 0 where there is none
    size_t octet = 0; // Address: row * 4 + part, rows in IpRow order
    bool Passed() const { return field == SettingsField::None; }
};

struct SettingsChange
{
    std::optional<std::u16string> name;
    std::optional<std::u16string> description;
    std::optional<int> timeZone; // index in the zone list; out of 0-255 keeps the camera's zone
    std::optional<CalendarDate> date;
    std::optional<ClockTime> time;
    std::optional<bool> dhcp;
    std::array<std::optional<Ipv4Address>, kIpRows> addresses; // address, mask, gateway, DNS 1, DNS 2
    WirelessChange wireless;

    bool ChangesBasic() const;
    bool ChangesAddresses() const;

    // Checks the lengths of the name and description given, then in the pages' order: month,
    // year, day, hour, minute, name, description, network mode, addresses, security; the first
    // failure wins. Only the values given are checked: a camera's stored name or clock that the
    // pages would refuse is kept as it is. With `camera`, the address rules take the addresses
    // left out from the camera; without, only the rules whose values are all given run, so a
    // change can be checked before any camera has answered.
    SettingsCheck Check(const DeviceInfo* camera = nullptr) const;
    // Writes a checked change into the record: the values given, the rest left byte for byte.
    void Apply(DeviceInfo& info) const;
};

// The basic settings page's texts as values (every basic value given): the hour read on the
// 12-hour clock with its half of the day, an empty minute or an hour outside 1-12 as -1.
SettingsChange BasicChangeOf(const BasicSettings& texts);
// The IP settings page's parts as the five addresses (once the parts passed their check).
SettingsChange AddressChangeOf(const IpOctetTexts& octets);

// The security values as the security page checks them: the key typed or generated from the
// passphrase, the WPA passphrase.
SettingsCheck CheckSecurityChange(const WirelessChange& change);
