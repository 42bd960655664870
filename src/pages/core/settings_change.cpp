#include "pages/core/settings_change.h"

#include "pages/core/ip_rules.h"
#include "platform/core/code_page.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

SettingsCheck Fail(SettingsField field, int message)
{
    return {field, message, 0};
}

SettingsCheck CheckDate(const CalendarDate& date)
{
    if (date.month < 1 || date.month > 12)
        return Fail(SettingsField::Month, kMsgMonthRange);
    // The year comes before the day: a day's range is only known for a valid year.
    if (date.year < 1990 || date.year > 2999)
        return Fail(SettingsField::Year, kMsgYearRange);
    const int days = DaysInMonth(date.month, date.year);
    if (date.day < 1 || date.day > days)
        return Fail(SettingsField::Day, kMsgDayRange28 + (days - 28));
    return {};
}

SettingsCheck CheckBasic(const SettingsChange& values)
{
    if (values.date) {
        if (const SettingsCheck check = CheckDate(*values.date); !check.Passed())
            return check;
    }
    if (values.time) {
        if (values.time->hour < 0 || values.time->hour > 23)
            return Fail(SettingsField::Hour, kMsgHourRange);
        if (values.time->minute < 0 || values.time->minute > 59)
            return Fail(SettingsField::Minute, kMsgMinuteRange);
    }
    if (values.name && !IsValidCameraName(*values.name))
        return Fail(SettingsField::Name, kMsgCameraName);
    if (values.description && !IsValidDescription(*values.description))
        return Fail(SettingsField::Description, kMsgDescription);
    return {};
}

// The pages' edits hold no more than the record does; a change read from elsewhere may.
SettingsCheck CheckLengths(const SettingsChange& change)
{
    if (change.name && change.name->size() > kCameraNameChars)
        return Fail(SettingsField::NameLength, 0);
    if (change.description && change.description->size() > kDescriptionChars)
        return Fail(SettingsField::DescriptionLength, 0);
    return {};
}

SettingsCheck CheckAddressRows(const SettingsChange& change, const DeviceInfo* camera)
{
    const bool fixed = change.dhcp ? !*change.dhcp : camera == nullptr || UsesFixedAddress(*camera);
    if (!fixed)
        return Fail(SettingsField::NeedsFixedAddress, 0);
    IpAddresses addresses{};
    IpRowSet known = 0;
    for (size_t row = 0; row < kIpRows; ++row) {
        if (change.addresses[row])
            addresses[row] = *change.addresses[row];
        else if (camera != nullptr)
            addresses[row] = camera->Get(kIpRowFields[row]);
        else
            continue;
        known |= 1u << row;
    }
    const IpCheck check = CheckAddresses(addresses, known);
    return check.Passed() ? SettingsCheck{}
                          : SettingsCheck{SettingsField::Address, check.message, check.octet};
}

// Writes the basic values given; the record keeps its own text for each value left out (a
// stored name the pages would refuse, the clock with its seconds).
void WriteBasic(const SettingsChange& values, DeviceInfo& info)
{
    if (values.name)
        info.Set(DeviceInfo::cameraName, ToNarrow(values.name->substr(0, kCameraNameChars)));
    if (values.description)
        info.Set(DeviceInfo::description, ToNarrow(values.description->substr(0, kDescriptionChars)));
    // Without a zone chosen (the record's index lies past the pack's list) the camera's own
    // zone stays: writing 255 would replace a zone the wizard merely cannot name.
    if (values.timeZone && *values.timeZone >= 0 && *values.timeZone <= UINT8_MAX)
        info.Set(DeviceInfo::timeZone, static_cast<uint8_t>(*values.timeZone));
    // The values are checked, so each number has at most its width of digits.
    if (values.date) {
        char date[40];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", values.date->month, values.date->day,
                      values.date->year);
        info.Set(DeviceInfo::date, date);
    }
    if (values.time) {
        char time[40];
        std::snprintf(time, sizeof time, "%02d:%02d:00", values.time->hour, values.time->minute);
        info.Set(DeviceInfo::time, time);
    }
}

// The key a WEP type is saved with: the one typed, or the one made from the passphrase.
std::u16string WepKeyOf(const WirelessChange& change, SecurityType type)
{
    std::u16string key = change.wepKey.value_or(std::u16string());
    DeviceInfo scratch;
    if (change.wepPassphrase) {
        if (const auto generated = GenerateWepKey(type, *change.wepPassphrase, scratch))
            key = ToWide(*generated);
    }
    return key;
}

// What the security page holds when saving the change: a WEP type's key and passphrase, WPA's
// passphrase, and the record's own passphrases for the edits the type leaves alone. The key of
// a type without WEP is not among them: ApplyWireless keeps the record's key area.
SecurityTexts SecurityTextsOf(const WirelessChange& change, const DeviceInfo& info)
{
    const SecurityType type = *change.security;
    SecurityTexts texts{
        {}, ToWide(info.Get(DeviceInfo::wepPassphrase)), ToWide(info.Get(DeviceInfo::wpaPassphrase))};
    if (IsWepType(type)) {
        texts.key = WepKeyOf(change, type);
        texts.wepPassphrase = change.wepPassphrase.value_or(std::u16string());
    }
    if (type == SecurityType::Wpa)
        texts.wpaPassphrase = change.wpaPassphrase.value_or(std::u16string());
    return texts;
}

void ApplyWireless(const WirelessChange& change, DeviceInfo& info)
{
    if (change.wireless)
        WriteWirelessMode(!*change.wireless, info);
    if (change.ssid)
        WriteSsid(*change.ssid, info);
    if (change.channel)
        WriteChannel(*change.channel - 1, info);
    if (!change.security)
        return;
    // No key is given for a type without WEP, so the stored keys stay byte for byte: writing
    // the fields would rebuild them from a key text, which cannot hold four keys of 64 bits nor
    // tell a stored key from one made from the stored passphrase.
    const auto keyArea = info.Get(DeviceInfo::wepKeys);
    const std::vector<uint8_t> storedKeys(keyArea.begin(), keyArea.end());
    WriteSecurityFields(*change.security, SecurityTextsOf(change, info), info);
    if (!IsWepType(*change.security))
        std::ranges::copy(storedKeys, keyArea.begin());
}

} // namespace

bool SettingsChange::ChangesBasic() const
{
    return name || description || timeZone || date || time;
}

bool SettingsChange::ChangesAddresses() const
{
    for (const auto& address : addresses) {
        if (address)
            return true;
    }
    return false;
}

SettingsCheck SettingsChange::Check(const DeviceInfo* camera) const
{
    if (const SettingsCheck check = CheckLengths(*this); !check.Passed())
        return check;
    if (const SettingsCheck check = CheckBasic(*this); !check.Passed())
        return check;
    if (ChangesAddresses() || dhcp == false) {
        if (const SettingsCheck check = CheckAddressRows(*this, camera); !check.Passed())
            return check;
    }
    return CheckSecurityChange(wireless);
}

void SettingsChange::Apply(DeviceInfo& info) const
{
    WriteBasic(*this, info);
    if (dhcp)
        WriteNetworkMode(!*dhcp, info);
    for (size_t row = 0; row < kIpRows; ++row) {
        if (addresses[row])
            info.Set(kIpRowFields[row], *addresses[row]);
    }
    ApplyWireless(wireless, info);
}

SettingsChange BasicChangeOf(const BasicSettings& texts)
{
    SettingsChange change;
    change.name = texts.name;
    change.description = texts.description;
    change.timeZone = texts.timeZone;
    change.date = CalendarDate{ReadLeadingNumber(texts.month), ReadLeadingNumber(texts.day),
                               ReadLeadingNumber(texts.year)};
    const int hour12 = ReadLeadingNumber(texts.hour);
    const int hour = hour12 >= 1 && hour12 <= 12 ? ToTwentyFourHour(hour12, texts.pm) : -1;
    change.time = ClockTime{hour, texts.minute.empty() ? -1 : ReadLeadingNumber(texts.minute)};
    return change;
}

SettingsChange AddressChangeOf(const IpOctetTexts& octets)
{
    SettingsChange change;
    const IpAddresses addresses = AddressesOf(octets);
    for (size_t row = 0; row < kIpRows; ++row)
        change.addresses[row] = addresses[row];
    return change;
}

SettingsCheck CheckSecurityChange(const WirelessChange& change)
{
    if (!change.security)
        return {};
    const SecurityType type = *change.security;
    SecurityTexts texts;
    if (IsWepType(type))
        texts.key = WepKeyOf(change, type);
    if (type == SecurityType::Wpa)
        texts.wpaPassphrase = change.wpaPassphrase.value_or(std::u16string());
    const SecurityCheck check = CheckSecurityFields(type, texts);
    if (check.Passed())
        return {};
    return Fail(check.field == SecurityField::Key ? SettingsField::Key : SettingsField::WpaPassphrase,
                check.message);
}
