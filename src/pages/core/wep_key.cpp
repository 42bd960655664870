#include "pages/core/wep_key.h"

#include "pages/core/md5.h"

#include <algorithm>

std::array<Wep64Key, 4> GenerateWep64Keys(std::string_view passphrase)
{
    uint32_t x = 0;
    for (size_t i = 0; i < passphrase.size(); ++i)
        x ^= uint32_t(static_cast<uint8_t>(passphrase[i])) << (8 * (i % 4));
    std::array<Wep64Key, 4> keys{};
    for (Wep64Key& key : keys) {
        for (uint8_t& byte : key) {
            x = x * 214013u + 2531011u;
            byte = static_cast<uint8_t>(x >> 16);
        }
    }
    return keys;
}

Wep128Key GenerateWep128Key(std::string_view passphrase)
{
    Wep128Key key{};
    if (passphrase.empty())
        return key;
    std::array<uint8_t, kWepPassphraseBytes> repeated{};
    for (size_t i = 0; i < repeated.size(); ++i)
        repeated[i] = static_cast<uint8_t>(passphrase[i % passphrase.size()]);
    const Md5Digest digest = Md5(repeated);
    std::copy_n(digest.begin(), key.size(), key.begin());
    return key;
}

std::string KeyHexText(std::span<const uint8_t> key)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t byte : key) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}
