#include "change_refusal.h"

#include "device/core/camera_detail_text.h"
#include "pages/core/ip_rules.h"

namespace {

std::string BasicText(const SettingsCheck& check)
{
    switch (check.field) {
    case SettingsField::Month:
        return "month out of range (1 to 12)";
    case SettingsField::Day:
        return "day out of range (the month has " + std::to_string(check.message - kMsgDayRange28 + 28) +
               " days)";
    case SettingsField::Year:
        return "year out of range (1990 to 2999)";
    case SettingsField::Hour:
        return "hour out of range";
    case SettingsField::Minute:
        return "minute out of range (0 to 59)";
    case SettingsField::Name:
        return "camera name may hold only the letters A-Z and a-z (no accented letters), digits, '_' and "
               "'-', "
               "and may not begin or end with '_' or '-'";
    case SettingsField::NameLength:
        return "camera name is longer than " + std::to_string(kCameraNameChars) + " characters";
    case SettingsField::DescriptionLength:
        return "description is longer than " + std::to_string(kDescriptionChars) + " characters";
    case SettingsField::Description:
        return "description may hold only the letters A-Z and a-z (no accented letters), digits, spaces and "
               "ASCII punctuation marks";
    default:
        return {};
    }
}

// "--mask 255.0.255.0: <the wizard's English message>", naming the camera's own value when the
// command line did not give that address.
std::string AddressText(const SettingsCheck& check, const CliOptions& options, const DeviceInfo* camera)
{
    const size_t row = check.octet / 4;
    const std::string flag(kAddressFlags[row]);
    const std::string text(IpMessageEnglish(check.message));
    if (options.change.addresses[row])
        return flag + " " + options.addressTexts[row] + ": " + text;
    return "the camera's own " + flag + " " + camera_text::DottedQuad(camera->Get(kIpRowFields[row])) + ": " +
           text;
}

} // namespace

std::string ChangeRefusal(const CliOptions& options, const DeviceInfo* camera)
{
    const SettingsChange& change = options.change;
    const SettingsCheck check = change.Check(camera);
    switch (check.field) {
    case SettingsField::None:
        return {};
    case SettingsField::NeedsFixedAddress:
        return "--ip, --mask, --gateway, --dns1 and --dns2 need a fixed address (--dhcp off)";
    case SettingsField::Address:
        return AddressText(check, options, camera);
    case SettingsField::Key:
    case SettingsField::WpaPassphrase:
        return CheckWirelessOptions(change.wireless);
    default:
        return BasicText(check);
    }
}
