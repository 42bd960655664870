#include "wireless_options.h"

#include "cli/core/switch_value.h"
#include "utf16_text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr std::pair<const char*, SecurityType> kSecurityNames[] = {{"none", SecurityType::None},
                                                                   {"wep64", SecurityType::Wep64},
                                                                   {"wep128", SecurityType::Wep128},
                                                                   {"wpa", SecurityType::Wpa}};

SecurityType TypeNamed(const std::string& name)
{
    for (const auto& [text, type] : kSecurityNames) {
        if (name == text)
            return type;
    }
    return SecurityType::Unselected;
}

std::string SecurityCheckText(const SettingsCheck& check)
{
    switch (check.message) {
    case kMsgWep64KeyLength:
        return "a 64-bit WEP key has 10 hexadecimal digits";
    case kMsgWep128KeyLength:
        return "a 128-bit WEP key has 26 hexadecimal digits";
    case kMsgWpaPassphraseLength:
        return "a WPA passphrase has 8 to 63 characters";
    case kMsgWepKeyNotHex:
        return "hexadecimal digits only";
    default:
        return {};
    }
}

// What the option needs besides itself; empty when it fits the chosen type.
std::string Requirement(const WirelessChange& o, SecurityType type)
{
    if ((o.wepKey || o.wepPassphrase) && !IsWepType(type))
        return "--wep-key and --wep-passphrase need --security wep64 or wep128";
    if (o.wpaPassphrase && type != SecurityType::Wpa)
        return "--wpa-passphrase needs --security wpa";
    if (o.wepKey && o.wepPassphrase)
        return "give --wep-key or --wep-passphrase, not both";
    return {};
}

// The limits of the page's edits: the key edit takes hexadecimal digits only, up to the key's
// length, and the passphrase edits up to the type's length.
std::string EditLimit(const WirelessChange& o, SecurityType type)
{
    const SecurityLimits limits = LimitsOf(type);
    const auto hexDigit = [](char16_t c) { return c < 0x80 && std::isxdigit(static_cast<unsigned char>(c)); };
    if (o.wepKey && !std::all_of(o.wepKey->begin(), o.wepKey->end(), hexDigit))
        return "invalid value for --wep-key: hexadecimal digits only";
    if (o.wepPassphrase && o.wepPassphrase->size() > limits.passphraseChars)
        return "invalid value for --wep-passphrase: longer than " + std::to_string(limits.passphraseChars) +
               " characters";
    return {};
}

} // namespace

OptionTaken TakeWirelessOption(const std::string& flag, const std::string& value, WirelessChange& o,
                               std::string& error)
{
    const auto refuse = [&error, &flag, &value](std::string_view expected) {
        error = "invalid value for " + flag + ": '" + value + "' (" + std::string(expected) + ")";
        return OptionTaken::Refused;
    };
    if (flag == "--wireless") {
        const std::optional<bool> on = ReadSwitch(value);
        if (!on)
            return refuse(kSwitchWords);
        o.wireless = *on;
    } else if (flag == "--ssid") {
        if (Utf16Of(value).size() > kSsidChars)
            return refuse("at most 32 characters");
        o.ssid = Utf16Of(value);
    } else if (flag == "--channel") {
        const int channel = std::atoi(value.c_str());
        const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        if (value.size() > 2 || !std::all_of(value.begin(), value.end(), digit) || channel < 1 ||
            channel > kChannelCount)
            return refuse("a channel from 1 to 11");
        o.channel = channel;
    } else if (flag == "--security") {
        if (TypeNamed(value) == SecurityType::Unselected)
            return refuse("none, wep64, wep128 or wpa");
        o.security = TypeNamed(value);
    } else if (flag == "--wep-key") {
        o.wepKey = Utf16Of(value);
    } else if (flag == "--wep-passphrase") {
        o.wepPassphrase = Utf16Of(value);
    } else if (flag == "--wpa-passphrase") {
        o.wpaPassphrase = Utf16Of(value);
    } else {
        return OptionTaken::NotWireless;
    }
    return OptionTaken::Taken;
}

std::string CheckWirelessOptions(const WirelessChange& o)
{
    const SecurityType type = o.security.value_or(SecurityType::Unselected);
    if (std::string error = Requirement(o, type); !error.empty())
        return error;
    if (!o.security)
        return {};
    if (std::string error = EditLimit(o, type); !error.empty())
        return error;
    const SettingsCheck check = CheckSecurityChange(o);
    if (!check.Passed()) {
        const char* flag = check.field == SettingsField::Key
                               ? (o.wepPassphrase ? "--wep-passphrase" : "--wep-key")
                               : "--wpa-passphrase";
        return "invalid value for " + std::string(flag) + ": " + SecurityCheckText(check);
    }
    return {};
}

const char* const kWirelessUsage = R"(
Wireless settings of save:
  --wireless on|off
                    on: the camera connects wirelessly; off: by cable.
  --ssid S          wireless network name, at most 32 characters.
  --channel N       radio channel, 1 to 11.
  --security T      none, wep64, wep128 or wpa (WPA with TKIP).
  --wep-key HEX     the WEP key: 10 hexadecimal digits for wep64, 26 for wep128.
  --wep-passphrase P
                    generate the WEP key from P as the wizard does (wep64: up to 63
                    characters; wep128: up to 16); only its first 16 are stored.
                    Others can see P: see "Passwords and passphrases".
  --wpa-passphrase P
                    the WPA passphrase, 8 to 63 characters. Others can see P: see
                    "Passwords and passphrases".
)";
