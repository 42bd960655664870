#include "pages/core/wireless_rules.h"

#include "pages/core/wep_key.h"
#include "platform/core/code_page.h"
#include "platform/core/string_utils.h"

#include <algorithm>

namespace {

std::span<uint8_t> KeySlot(DeviceInfo& info, size_t slot, size_t bytes)
{
    return info.Get(DeviceInfo::wepKeys).subspan(slot * DeviceInfo::kWepKeySlotSize, bytes);
}

bool AllHexDigits(std::u16string_view text)
{
    return std::ranges::all_of(text, [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

} // namespace

void WriteWirelessMode(bool wired, DeviceInfo& info)
{
    info.Set(DeviceInfo::wirelessMode, wired ? 0 : 1);
}

void WriteSsid(std::u16string_view ssid, DeviceInfo& info)
{
    info.Set(DeviceInfo::ssid, ToNarrow(ssid));
}

void WriteChannel(int channelIndex, DeviceInfo& info)
{
    info.Set(DeviceInfo::channel, static_cast<uint8_t>(channelIndex + 1));
}

SecurityLimits LimitsOf(SecurityType type)
{
    switch (type) {
    case SecurityType::Wep64:
        return {kWep64PassphraseChars, kWep64KeyChars};
    case SecurityType::Wep128:
        return {kWep128PassphraseChars, kWep128KeyChars};
    case SecurityType::Wpa:
        return {kWpaPassphraseChars, 0};
    default:
        return {};
    }
}

const char* TextBlockOf(SecurityType type)
{
    return type == SecurityType::Wpa ? kWpaTextBlock : kWepTextBlock;
}

SecurityType SecurityTypeOf(const DeviceInfo& info)
{
    if (info.Get(DeviceInfo::security) != 0)
        return SecurityType::None;
    if (info.Get(DeviceInfo::securityMode) != 0)
        return SecurityType::Wpa;
    return info.Get(DeviceInfo::wepEnabled) == 1 ? SecurityType::Wep64 : SecurityType::Wep128;
}

std::string StoredKeyText(SecurityType type, const DeviceInfo& info)
{
    const size_t bytes = type == SecurityType::Wep64 ? kWep64KeyBytes : kWep128KeyBytes;
    return KeyHexText(info.Get(DeviceInfo::wepKeys).first(bytes));
}

std::optional<std::string> GenerateWepKey(SecurityType type, std::u16string_view passphrase, DeviceInfo& info)
{
    std::string narrow = ToNarrow(passphrase);
    narrow.resize(std::min(narrow.size(), kWepPassphraseBytes));
    if (narrow.empty())
        return std::nullopt;
    if (type == SecurityType::Wep64) {
        const auto keys = GenerateWep64Keys(narrow);
        for (size_t slot = 0; slot < keys.size(); ++slot)
            std::ranges::copy(keys[slot], KeySlot(info, slot, kWep64KeyBytes).begin());
        return KeyHexText(keys[0]);
    }
    const Wep128Key key = GenerateWep128Key(narrow);
    std::ranges::copy(key, KeySlot(info, 0, kWep128KeyBytes).begin());
    return KeyHexText(key);
}

SecurityCheck CheckSecurityFields(SecurityType type, const SecurityTexts& texts)
{
    switch (type) {
    case SecurityType::Wep64:
        if (texts.key.size() != kWep64KeyChars)
            return {SecurityField::Key, kMsgWep64KeyLength};
        return AllHexDigits(texts.key) ? SecurityCheck{}
                                       : SecurityCheck{SecurityField::Key, kMsgWepKeyNotHex};
    case SecurityType::Wep128:
        if (texts.key.size() != kWep128KeyChars)
            return {SecurityField::Key, kMsgWep128KeyLength};
        return AllHexDigits(texts.key) ? SecurityCheck{}
                                       : SecurityCheck{SecurityField::Key, kMsgWepKeyNotHex};
    case SecurityType::Wpa:
        if (texts.wpaPassphrase.size() < kWpaPassphraseMinChars ||
            texts.wpaPassphrase.size() > kWpaPassphraseChars)
            return {SecurityField::WpaPassphrase, kMsgWpaPassphraseLength};
        break;
    default:
        break;
    }
    return {};
}

void WriteSecurityFields(SecurityType type, const SecurityTexts& texts, DeviceInfo& info)
{
    switch (type) {
    case SecurityType::None:
        info.Set(DeviceInfo::security, 1);
        break;
    case SecurityType::Wep64:
    case SecurityType::Wep128:
    case SecurityType::Wpa:
        info.Set(DeviceInfo::security, 0);
        info.Set(DeviceInfo::securityMode, type == SecurityType::Wpa ? 1 : 0);
        info.Set(DeviceInfo::wepEnabled, type == SecurityType::Wep64 ? 1 : 2);
        break;
    case SecurityType::Unselected:
        break;
    }
    std::ranges::fill(info.Get(DeviceInfo::wepKeys), uint8_t{0});
    const std::string key = ToNarrow(texts.key.substr(0, kKeyTextChars));
    if (info.Get(DeviceInfo::wepEnabled) == 1)
        ParseHexKey(key, KeySlot(info, 0, kWep64KeyBytes));
    else if (info.Get(DeviceInfo::wepEnabled) == 2)
        ParseHexKey(key, KeySlot(info, 0, kWep128KeyBytes));
    info.Set(DeviceInfo::wepPassphrase, ToNarrow(texts.wepPassphrase.substr(0, kStoredWepPassphraseChars)));
    info.Set(DeviceInfo::wpaPassphrase, ToNarrow(texts.wpaPassphrase.substr(0, kWpaPassphraseChars)));
}
