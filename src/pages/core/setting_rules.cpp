#include "pages/core/setting_rules.h"

#include "platform/core/code_page.h"

#include <climits>
#include <cstdio>

namespace {

bool IsAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

std::u16string NumberText(int value)
{
    const std::string narrow = std::to_string(value);
    return std::u16string(narrow.begin(), narrow.end());
}

// Characters [from, from + count) of a narrow text, as wide text (shorter when the text is).
std::u16string Slice(const std::string& text, size_t from, size_t count)
{
    return from < text.size() ? ToWide(text.substr(from, count)) : std::u16string();
}

constexpr std::array<Ipv4Field<kDeviceInfoSize>, kIpRows> kIpFields{
    DeviceInfo::ipAddress, DeviceInfo::subnetMask, DeviceInfo::gateway, DeviceInfo::primaryDns,
    DeviceInfo::secondaryDns};

} // namespace

int ReadLeadingNumber(std::u16string_view text)
{
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<int64_t>(value * 10 + (c - u'0'), INT32_MAX);
    }
    return static_cast<int>(value);
}

int DaysInMonth(int month, int year)
{
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2: {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return (leap && year % 3200 != 0) ? 29 : 28;
    }
    default:
        return 31;
    }
}

bool IsValidCameraName(std::u16string_view text)
{
    for (const char16_t c : text) {
        if (!IsAsciiLetterOrDigit(c) && c != u'_' && c != u'-')
            return false;
    }
    const auto edge = [](char16_t c) { return c == u'_' || c == u'-'; };
    return text.empty() || (!edge(text.front()) && !edge(text.back()));
}

bool IsValidDescription(std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c < 32 || c > 126)
            return false;
    }
    return true;
}

BasicCheck ValidateBasicSettings(const BasicSettings& settings)
{
    const int month = ReadLeadingNumber(settings.month);
    if (month < 1 || month > 12)
        return {BasicField::Month, kMsgMonthRange};
    // The year comes before the day: a day's range is only known for a valid year.
    const int year = ReadLeadingNumber(settings.year);
    if (year < 1990 || year > 2999)
        return {BasicField::Year, kMsgYearRange};
    const int days = DaysInMonth(month, year);
    const int day = ReadLeadingNumber(settings.day);
    if (day < 1 || day > days)
        return {BasicField::Day, kMsgDayRange28 + (days - 28)};
    const int hour = ReadLeadingNumber(settings.hour);
    if (hour < 1 || hour > 12)
        return {BasicField::Hour, kMsgHourRange};
    if (settings.minute.empty() || ReadLeadingNumber(settings.minute) > 59)
        return {BasicField::Minute, kMsgMinuteRange};
    if (!IsValidCameraName(settings.name))
        return {BasicField::Name, kMsgCameraName};
    if (!IsValidDescription(settings.description))
        return {BasicField::Description, kMsgDescription};
    return {};
}

TwelveHour ToTwelveHour(int hour24)
{
    if (hour24 == 0)
        return {12, false};
    if (hour24 > 12 && hour24 <= 23)
        return {hour24 - 12, true};
    return {hour24, hour24 >= 12};
}

int ToTwentyFourHour(int hour12, bool pm)
{
    if (pm && hour12 < 12)
        return hour12 + 12;
    if (!pm && hour12 == 12)
        return 0;
    return hour12;
}

BasicSettings ReadBasicSettings(const DeviceInfo& info)
{
    BasicSettings settings;
    settings.name = ToWide(info.Get(DeviceInfo::cameraName));
    settings.description = ToWide(info.Get(DeviceInfo::description));
    settings.timeZone = info.Get(DeviceInfo::timeZone);
    const std::string date = info.Get(DeviceInfo::date);
    settings.month = NumberText(ReadLeadingNumber(Slice(date, 0, 2)));
    settings.day = NumberText(ReadLeadingNumber(Slice(date, 3, 2)));
    settings.year = Slice(date, 6, 4);
    const std::string time = info.Get(DeviceInfo::time);
    const TwelveHour hour = ToTwelveHour(ReadLeadingNumber(Slice(time, 0, 2)));
    settings.hour = NumberText(hour.hour);
    settings.pm = hour.pm;
    settings.minute = Slice(time, 3, 2);
    return settings;
}

void WriteBasicSettings(const BasicSettings& settings, DeviceInfo& info)
{
    info.Set(DeviceInfo::cameraName, ToNarrow(settings.name.substr(0, kCameraNameChars)));
    info.Set(DeviceInfo::description, ToNarrow(settings.description.substr(0, kDescriptionChars)));
    // Without a zone chosen (the record's index lies past the pack's list) the camera's own
    // zone stays: writing 255 would replace a zone the wizard merely cannot name.
    if (settings.timeZone >= 0 && settings.timeZone <= UINT8_MAX)
        info.Set(DeviceInfo::timeZone, static_cast<uint8_t>(settings.timeZone));
    // The fields are checked, so each number has at most its width of digits.
    char date[40];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", ReadLeadingNumber(settings.month),
                  ReadLeadingNumber(settings.day), ReadLeadingNumber(settings.year));
    info.Set(DeviceInfo::date, date);
    char time[40];
    std::snprintf(time, sizeof time, "%02d:%02d:00",
                  ToTwentyFourHour(ReadLeadingNumber(settings.hour), settings.pm),
                  ReadLeadingNumber(settings.minute));
    info.Set(DeviceInfo::time, time);
}

bool UsesFixedAddress(const DeviceInfo& info)
{
    return info.Get(DeviceInfo::fixedIp) != 0;
}

void WriteNetworkMode(bool fixedAddress, DeviceInfo& info)
{
    info.Set(DeviceInfo::fixedIp, fixedAddress ? 1 : 0);
    info.Set(DeviceInfo::dhcpEnable, fixedAddress ? 0 : 1);
}

IpOctetTexts ReadIpSettings(const DeviceInfo& info)
{
    IpOctetTexts octets;
    for (size_t row = 0; row < kIpRows; ++row) {
        const Ipv4Address address = info.Get(kIpFields[row]);
        for (size_t i = 0; i < address.size(); ++i)
            octets[row * 4 + i] = NumberText(address[i]);
    }
    return octets;
}

void WriteIpSettings(const IpOctetTexts& octets, DeviceInfo& info)
{
    for (size_t row = 0; row < kIpRows; ++row) {
        Ipv4Address address{};
        for (size_t i = 0; i < address.size(); ++i)
            address[i] = static_cast<uint8_t>(ReadLeadingNumber(octets[row * 4 + i]) & 0xFF);
        info.Set(kIpFields[row], address);
    }
}
