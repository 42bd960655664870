#include "settings_change.h"

#include "pages/core/ip_rules.h"
#include "pages/core/setting_rules.h"

#include <QString>
#include <cstdlib>

namespace {

std::u16string Wide(const std::string& utf8)
{
    return QString::fromStdString(utf8).toStdU16String();
}

std::u16string Digits(const std::string& text, size_t from, size_t count)
{
    return Wide(text.substr(from, count));
}

std::string BasicMessage(const BasicCheck& check, const BasicSettings& settings)
{
    switch (check.field) {
    case BasicField::Month:
        return "month out of range (1 to 12)";
    case BasicField::Day:
        return "day out of range (the month has " +
               std::to_string(
                   DaysInMonth(ReadLeadingNumber(settings.month), ReadLeadingNumber(settings.year))) +
               " days)";
    case BasicField::Year:
        return "year out of range (1990 to 2999)";
    case BasicField::Hour:
        return "hour out of range";
    case BasicField::Minute:
        return "minute out of range (0 to 59)";
    case BasicField::Name:
        return "camera name may hold only the letters A-Z and a-z (no accented letters), digits, '_' and "
               "'-', "
               "and may not begin or end with '_' or '-'";
    case BasicField::Description:
        return "description may hold only the letters A-Z and a-z (no accented letters), digits, spaces and "
               "ASCII punctuation marks";
    case BasicField::None:
        break;
    }
    return {};
}

bool ChangesBasic(const CliOptions& o)
{
    return o.name || o.description || o.date || o.time || o.timeZone;
}

bool ChangesAddresses(const CliOptions& o)
{
    return o.ip || o.mask || o.gateway || o.dns1 || o.dns2;
}

std::string ApplyBasic(const CliOptions& o, DeviceInfo& info)
{
    BasicSettings settings = ReadBasicSettings(info);
    if (o.name) {
        settings.name = Wide(*o.name);
        if (settings.name.size() > kCameraNameChars)
            return "camera name is longer than 16 characters";
    }
    if (o.description) {
        settings.description = Wide(*o.description);
        if (settings.description.size() > kDescriptionChars)
            return "description is longer than 32 characters";
    }
    if (o.timeZone)
        settings.timeZone = *o.timeZone;
    if (o.date) {
        settings.month = Digits(*o.date, 0, o.date->find('/'));
        const size_t day = o.date->find('/') + 1;
        const size_t year = o.date->find('/', day) + 1;
        settings.day = Digits(*o.date, day, year - 1 - day);
        settings.year = Digits(*o.date, year, std::string::npos);
    }
    if (o.time) {
        const size_t colon = o.time->find(':');
        const TwelveHour hour = ToTwelveHour(std::atoi(o.time->substr(0, colon).c_str()));
        settings.hour = Wide(std::to_string(hour.hour));
        settings.pm = hour.pm;
        settings.minute = Digits(*o.time, colon + 1, std::string::npos);
    }
    const BasicCheck check = ValidateBasicSettings(settings);
    if (!check.Passed())
        return BasicMessage(check, settings);
    WriteBasicSettings(settings, info);
    return {};
}

constexpr const char* kAddressFlags[kIpRows] = {"--ip", "--mask", "--gateway", "--dns1", "--dns2"};

// "--mask 255.0.255.0: <the wizard's English message>", naming the camera's own value when the
// command line did not give that address.
std::string AddressMessage(const IpCheck& check, const IpOctetTexts& octets, IpRowSet given)
{
    const size_t row = check.octet / 4;
    std::u16string dotted;
    for (size_t i = 0; i < 4; ++i)
        dotted += (i > 0 ? u"." : u"") + octets[row * 4 + i];
    const std::string value =
        std::string(kAddressFlags[row]) + " " + QString::fromStdU16String(dotted).toStdString();
    const std::string text(IpMessageEnglish(check.message));
    return ((given & (1u << row)) != 0 ? value : "the camera's own " + value) + ": " + text;
}

// A fixed address is checked whenever the save sets it or switches the camera to it.
std::string ApplyAddresses(const CliOptions& o, DeviceInfo& info, ChangeScope scope)
{
    if (!UsesFixedAddress(info))
        return "--ip, --mask, --gateway, --dns1 and --dns2 need a fixed address (--dhcp off)";
    IpOctetTexts octets = ReadIpSettings(info);
    const std::optional<std::string>* rows[kIpRows] = {&o.ip, &o.mask, &o.gateway, &o.dns1, &o.dns2};
    IpRowSet given = 0;
    for (size_t row = 0; row < kIpRows; ++row) {
        if (!*rows[row])
            continue;
        given |= 1u << row;
        const std::string& text = **rows[row];
        size_t from = 0;
        for (size_t i = 0; i < 4; ++i) {
            const size_t dot = text.find('.', from);
            octets[row * 4 + i] = Digits(text, from, dot == std::string::npos ? dot : dot - from);
            from = dot + 1;
        }
    }
    const IpCheck check = CheckIpSettings(octets, scope == ChangeScope::WholeRecord ? kAllIpRows : given);
    if (!check.Passed())
        return AddressMessage(check, octets, given);
    WriteIpSettings(octets, info);
    return {};
}

} // namespace

std::string ApplySettingsChange(const CliOptions& options, CCameraDataObj& camera, ChangeScope scope)
{
    DeviceInfo info = camera.info;
    if (ChangesBasic(options)) {
        if (std::string error = ApplyBasic(options, info); !error.empty())
            return error;
    }
    if (options.dhcp)
        WriteNetworkMode(!*options.dhcp, info);
    if (ChangesAddresses(options) || (options.dhcp && !*options.dhcp)) {
        if (std::string error = ApplyAddresses(options, info, scope); !error.empty())
            return error;
    }
    ApplyWirelessOptions(options.wireless, info);
    camera.info = info;
    return {};
}
