#include "pages/core/setting_rules.h"

#include "platform/core/code_page.h"

#include <climits>

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

} // namespace

std::u16string FieldSlice(const std::string& text, size_t from, size_t count)
{
    return from < text.size() ? ToWide(text.substr(from, count)) : std::u16string();
}

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
    settings.month = NumberText(ReadLeadingNumber(FieldSlice(date, 0, 2)));
    settings.day = NumberText(ReadLeadingNumber(FieldSlice(date, 3, 2)));
    settings.year = FieldSlice(date, 6, 4);
    const std::string time = info.Get(DeviceInfo::time);
    const TwelveHour hour = ToTwelveHour(ReadLeadingNumber(FieldSlice(time, 0, 2)));
    settings.hour = NumberText(hour.hour);
    settings.pm = hour.pm;
    settings.minute = FieldSlice(time, 3, 2);
    return settings;
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
        const Ipv4Address address = info.Get(kIpRowFields[row]);
        for (size_t i = 0; i < address.size(); ++i)
            octets[row * 4 + i] = NumberText(address[i]);
    }
    return octets;
}
