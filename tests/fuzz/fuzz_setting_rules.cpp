// A camera's settings as received (any bytes) and anything typed into the setting pages go
// through the pages' rules: reading the record, checking the fields and writing them back must
// never read or write outside the record, and what is written must read back within its widths.
// The address rules refuse with a part and a text, and accept again what they accepted once
// saved; a pasted address splits into parts an octet edit holds. The adapter list's dotted
// strings take the same loose path as the save's subnet test.
#include "device/core/adapter_choice.h"
#include "pages/core/ip_rules.h"
#include "pages/core/setting_rules.h"
#include "pages/core/settings_change.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Cuts the input into texts at 0xFF bytes; each byte pair is one UTF-16 unit.
std::u16string NextText(const uint8_t*& data, const uint8_t* end)
{
    std::u16string text;
    while (data < end && *data != 0xFF) {
        const char16_t high = data + 1 < end ? data[1] : 0;
        text += static_cast<char16_t>(data[0] | (high << 8));
        data += 2;
    }
    if (data < end)
        ++data;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DeviceInfo info;
    std::copy_n(data, std::min(size, kDeviceInfoSize), info.Raw().begin());
    BasicSettings settings = ReadBasicSettings(info);
    if (BasicChangeOf(settings).Check().Passed())
        BasicChangeOf(settings).Apply(info);
    (void)ReadIpSettings(info);

    const uint8_t* at = data;
    const uint8_t* end = data + size;
    settings.name = NextText(at, end);
    settings.description = NextText(at, end);
    settings.month = NextText(at, end);
    settings.day = NextText(at, end);
    settings.year = NextText(at, end);
    settings.hour = NextText(at, end);
    settings.minute = NextText(at, end);
    settings.pm = size % 2 == 1;
    const SettingsCheck check = BasicChangeOf(settings).Check();
    if (check.Passed() && settings.name.size() <= kCameraNameChars) {
        BasicChangeOf(settings).Apply(info);
        const BasicSettings again = ReadBasicSettings(info);
        if (again.name != settings.name || !BasicChangeOf(again).Check().Passed())
            std::abort(); // a checked name or date must survive the round trip
    }

    IpOctetTexts octets;
    for (auto& octet : octets)
        octet = NextText(at, end);
    const IpCheck refusal = CheckIpSettings(octets, static_cast<IpRowSet>(size) & kAllIpRows);
    if (!refusal.Passed() && (refusal.octet >= kIpOctets || IpMessageEnglish(refusal.message).empty()))
        std::abort(); // every refusal names a part and has its text
    if (CheckIpSettings(octets).Passed()) {
        AddressChangeOf(octets).Apply(info);
        if (!CheckIpSettings(ReadIpSettings(info)).Passed())
            std::abort(); // accepted addresses are accepted again once saved
    }
    const std::u16string pasted = NextText(at, end);
    if (const auto parts = SplitAddressParts(pasted)) {
        for (const std::u16string& part : *parts) {
            if (part.empty() || part.size() > 3)
                std::abort();
        }
    }

    const std::string dotted(reinterpret_cast<const char*>(data), size);
    (void)SameSubnet(NetworkAdapter{"x", "y", dotted, dotted.substr(size / 2)}, ParseDottedLoosely(dotted));
    return 0;
}
