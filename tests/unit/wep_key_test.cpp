// Known answers: the RFC 1321 test suite for MD5, and WEP keys computed independently with
// Python's hashlib and a separate implementation of the linear-congruential generator.
#include "pages/core/md5.h"
#include "pages/core/wep_key.h"

#include <gtest/gtest.h>

namespace {

std::string Hex(std::span<const uint8_t> bytes)
{
    return KeyHexText(bytes);
}

} // namespace

TEST(Md5, RfcTestSuiteAndBlockBoundaries)
{
    const std::pair<std::string, const char*> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // The length field's place: 55 bytes still fit one block, 56 need a second one.
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
    };
    for (const auto& [text, digest] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Hex(Md5(text)), digest);
    }
}

TEST(WepKey, GeneratorsGiveTheKnownKeys)
{
    struct Case
    {
        std::string passphrase;
        std::array<const char*, 4> keys64;
        const char* key128;
    };
    const Case cases[] = {
        {"a", {"63cace42d9", "f201f42a09", "d275059af9", "b4721c60fd"}, "014842d480b571495a4a036379"},
        {"secret", {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"}, "1c064922046d6517dfef3b7ef3"},
        // Longer than 16 characters: every character counts.
        {"Wireless camera 2026 passphrase",
         {"9bed95bb1d", "e76641deed", "be44f48b7d", "7169771cb2"},
         "7e691762931ee62c098a7ff72c"},
        {"Wireless camera ",
         {"7234599801", "c81f01da46", "cebe83ec38", "ac761dc4e5"},
         "6c12964324cdf3afac4ac04c85"},
        // Windows-1252 bytes "\xE9t\xE9".
        {"\xE9t\xE9", {"33377702ee", "304c7cd1d6", "ae9ed6cb03", "423ae8102f"}, "1e2c0d0e4cdd740840bb517eb3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.passphrase);
        const auto keys = GenerateWep64Keys(c.passphrase);
        for (size_t i = 0; i < keys.size(); ++i)
            EXPECT_EQ(Hex(keys[i]), c.keys64[i]) << "key " << i + 1;
        EXPECT_EQ(Hex(GenerateWep128Key(c.passphrase)), c.key128);
    }
    EXPECT_EQ(Hex(GenerateWep128Key("")), std::string(26, '0'));
}
