#include "pages/core/wep_key.h"
#include "pages/core/wireless_rules.h"
#include "repeat_text.h"

#include <gtest/gtest.h>

using test_text::Repeat;

namespace {

std::string KeyArea(const DeviceInfo& info)
{
    return KeyHexText(info.Get(DeviceInfo::wepKeys));
}

// A record with leftovers the page must replace or keep.
DeviceInfo Used()
{
    DeviceInfo info;
    std::ranges::fill(info.Get(DeviceInfo::wepKeys), uint8_t{0x5A});
    info.Set(DeviceInfo::wepPassphrase, "old wep");
    info.Set(DeviceInfo::wpaPassphrase, "old wpa passphrase");
    info.Set(DeviceInfo::security, 9);
    info.Set(DeviceInfo::securityMode, 7);
    info.Set(DeviceInfo::wepEnabled, 1);
    return info;
}

} // namespace

TEST(WirelessRules, SaveWritesFlagsKeyAndPassphrasesPerType)
{
    struct Case
    {
        const char* what;
        SecurityType type;
        const char16_t *keyEdit, *wepEdit, *wpaEdit;
        int security, secMode, bWep;
        std::string keyStart; // the key area in hex; zeros fill the rest
        const char* wep;
        const char* wpa;
    };
    using T = SecurityType;
    const Case cases[] = {
        // No security keeps SecMode and bWep; the key edit is still parsed by the old bWep.
        {"none", T::None, u"0102030405", u"", u"", 1, 7, 1, "0102030405", "", ""},
        // Only the shown key survives (a generator's keys 2-4 are cleared); the passphrase is
        // cut to 16 characters.
        {"64-bit", T::Wep64, u"a1b2c3d4e5", u"abcdefghijklmnopqrst", u"", 0, 0, 1, "a1b2c3d4e5",
         "abcdefghijklmnop", ""},
        {"128-bit", T::Wep128, u"000102030405060708090a0b0c", u"", u"", 0, 0, 2, "000102030405060708090a0b0c",
         "", ""},
        // WPA parses the hidden, empty key edit as 13 bytes: 0xEF each.
        {"wpa", T::Wpa, u"", u"", u"passphrase", 0, 1, 2, Repeat("ef", 13), "", "passphrase"},
        {"unselected", T::Unselected, u"ab", u"w", u"p", 9, 7, 1, "ab" + Repeat("ef", 4), "w", "p"},
        // "3" and a missing digit: 3 * 16 + 255 = 0x2F.
        {"odd key", T::Wep128, u"123", u"", u"", 0, 0, 2, "122f" + Repeat("ef", 11), "", ""},
        // "zz", "\xE90", "10", "2" and nothing.
        {"non-hex key", T::Wep64, u"zz\u00e90102", u"", u"", 0, 0, 1, "eff0101fef", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceInfo info = Used();
        WriteSecurityFields(c.type, {c.keyEdit, c.wepEdit, c.wpaEdit}, info);
        EXPECT_EQ(info.Get(DeviceInfo::security), c.security);
        EXPECT_EQ(info.Get(DeviceInfo::securityMode), c.secMode);
        EXPECT_EQ(info.Get(DeviceInfo::wepEnabled), c.bWep);
        EXPECT_EQ(KeyArea(info), c.keyStart + Repeat("00", 52 - c.keyStart.size() / 2));
        EXPECT_EQ(info.Get(DeviceInfo::wepPassphrase), c.wep);
        EXPECT_EQ(info.Get(DeviceInfo::wpaPassphrase), c.wpa);
    }
}

TEST(WirelessRules, LengthChecksNameTheFieldAndMessage)
{
    struct Case
    {
        SecurityType type;
        size_t keyChars, wpaChars;
        SecurityField field;
        int message;
    };
    const Case cases[] = {
        {SecurityType::None, 0, 0, SecurityField::None, 0},
        {SecurityType::Unselected, 3, 3, SecurityField::None, 0},
        {SecurityType::Wep64, 10, 0, SecurityField::None, 0},
        {SecurityType::Wep64, 9, 0, SecurityField::Key, 51404},
        {SecurityType::Wep64, 26, 0, SecurityField::Key, 51404},
        {SecurityType::Wep128, 26, 0, SecurityField::None, 0},
        {SecurityType::Wep128, 10, 0, SecurityField::Key, 51403},
        {SecurityType::Wpa, 0, 7, SecurityField::WpaPassphrase, 51402},
        {SecurityType::Wpa, 0, 8, SecurityField::None, 0},
        {SecurityType::Wpa, 0, 63, SecurityField::None, 0},
        {SecurityType::Wpa, 0, 64, SecurityField::WpaPassphrase, 51402},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type) * 1000 + static_cast<int>(c.keyChars + c.wpaChars));
        const SecurityTexts texts{std::u16string(c.keyChars, u'a'), u"", std::u16string(c.wpaChars, u'p')};
        const SecurityCheck check = CheckSecurityFields(c.type, texts);
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(check.message, c.message);
    }
    // A pasted key of the right length that is not all hexadecimal would be saved as 0xFF
    // nibbles: it is refused on the key.
    for (const auto& [type, key] : {std::pair{SecurityType::Wep64, u"0x12345678"},
                                    std::pair{SecurityType::Wep128, u"0123456789abcdefABCDEF012 "}}) {
        const SecurityCheck check = CheckSecurityFields(type, SecurityTexts{key, u"", u""});
        EXPECT_EQ(check.field, SecurityField::Key);
        EXPECT_EQ(check.message, 51405);
    }
    EXPECT_TRUE(
        CheckSecurityFields(SecurityType::Wep128, {u"0123456789abcdefABCDEF0123", u"", u""}).Passed());
}

TEST(WirelessRules, GeneratedKeysGoIntoTheRecordAtOnce)
{
    DeviceInfo info = Used();
    EXPECT_EQ(GenerateWepKey(SecurityType::Wep64, u"", info), std::nullopt);
    EXPECT_EQ(KeyArea(info), Repeat("5a", 52)) << "an empty passphrase writes nothing";

    EXPECT_EQ(GenerateWepKey(SecurityType::Wep64, u"secret", info), "c93ca31eca");
    EXPECT_EQ(KeyArea(info), "c93ca31eca"
                             "5a5a5a5a5a5a5a5a"
                             "dc1124096f"
                             "5a5a5a5a5a5a5a5a"
                             "af8c5062bf"
                             "5a5a5a5a5a5a5a5a"
                             "dd15219276"
                             "5a5a5a5a5a5a5a5a");

    info = Used();
    EXPECT_EQ(GenerateWepKey(SecurityType::Wep128, u"Wireless camera 2026 passphrase", info),
              "7e691762931ee62c098a7ff72c");
    EXPECT_EQ(KeyArea(info), "7e691762931ee62c098a7ff72c" + Repeat("5a", 39));
    // No security and WPA take the 128-bit way too; only the first 64 bytes count.
    EXPECT_EQ(GenerateWepKey(SecurityType::None, std::u16string(70, u'x'), info),
              "c1bb4f81d892b2d57947682aeb");
    EXPECT_EQ(GenerateWepKey(SecurityType::Wep64, std::u16string(70, u'x'), info), "2627f68597");
}

TEST(WirelessRules, AStoredLongPassphraseRegeneratesFromItsFirst16Characters)
{
    DeviceInfo info;
    const std::u16string typed = u"Wireless camera 2026 passphrase";
    const std::string key = GenerateWepKey(SecurityType::Wep128, typed, info).value_or("");
    const SecurityTexts texts{std::u16string(key.begin(), key.end()), typed, u""};
    WriteSecurityFields(SecurityType::Wep128, texts, info);
    EXPECT_EQ(StoredKeyText(SecurityTypeOf(info), info), "7e691762931ee62c098a7ff72c");
    const std::string stored = info.Get(DeviceInfo::wepPassphrase);
    EXPECT_EQ(stored, "Wireless camera ");
    EXPECT_EQ(GenerateWepKey(SecurityType::Wep128, std::u16string(stored.begin(), stored.end()), info),
              "6c12964324cdf3afac4ac04c85");
}

TEST(WirelessRules, RecordFlagsSelectTheTypeAndItsKeyText)
{
    struct Case
    {
        int security, secMode, bWep;
        SecurityType type;
        const char* keyText;
    };
    const Case cases[] = {
        {1, 1, 1, SecurityType::None, "000102030405060708090a0b0c"},
        {0, 1, 1, SecurityType::Wpa, "000102030405060708090a0b0c"},
        {0, 0, 1, SecurityType::Wep64, "0001020304"},
        {0, 0, 2, SecurityType::Wep128, "000102030405060708090a0b0c"},
        {0, 0, 0, SecurityType::Wep128, "000102030405060708090a0b0c"},
    };
    for (const Case& c : cases) {
        DeviceInfo info;
        info.Set(DeviceInfo::security, static_cast<uint8_t>(c.security));
        info.Set(DeviceInfo::securityMode, static_cast<uint8_t>(c.secMode));
        info.Set(DeviceInfo::wepEnabled, static_cast<uint8_t>(c.bWep));
        for (size_t i = 0; i < 13; ++i)
            info.Get(DeviceInfo::wepKeys)[i] = static_cast<uint8_t>(i);
        EXPECT_EQ(SecurityTypeOf(info), c.type);
        EXPECT_EQ(StoredKeyText(c.type, info), c.keyText);
    }
    EXPECT_STREQ(TextBlockOf(SecurityType::Wpa), "WPA TEXT");
    EXPECT_STREQ(TextBlockOf(SecurityType::Unselected), "WEP TEXT");
}

TEST(WirelessRules, ModeNameAndChannel)
{
    DeviceInfo info;
    WriteWirelessMode(false, info);
    EXPECT_EQ(info.Get(DeviceInfo::wirelessMode), 1);
    WriteWirelessMode(true, info);
    EXPECT_EQ(info.Get(DeviceInfo::wirelessMode), 0);
    WriteSsid(std::u16string(40, u's'), info);
    EXPECT_EQ(info.Get(DeviceInfo::ssid), std::string(33, 's'));
    WriteSsid(u"caf\u00e9", info);
    EXPECT_EQ(info.Get(DeviceInfo::ssid), "caf\xE9");
    WriteChannel(10, info);
    EXPECT_EQ(info.Get(DeviceInfo::channel), 11);
    WriteChannel(-1, info);
    EXPECT_EQ(info.Get(DeviceInfo::channel), 0);
}
