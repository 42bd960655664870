#include "device/core/camera_detail_text.h"
#include "device/core/login_check.h"
#include "device/core/message_header.h"

#include <gtest/gtest.h>

using namespace camera_text;

namespace {
constexpr uint16_t kQuery = CMD_QUERY;
constexpr uint16_t kQueryEnc = CMD_QUERY_ENC;
constexpr uint16_t kQueryFull = CMD_QUERY_FULL;
} // namespace

TEST(CameraDetailText, FirmwareVersionFollowsTheAnsweredVariant)
{
    struct Case
    {
        uint16_t version;
        uint16_t command;
        const char* expected;
    };
    const Case cases[] = {
        {0, kQuery, "0.00"},
        {0, kQueryEnc, "0.00"},
        {0, kQueryFull, "0.00"},
        {0x2500, kQueryFull, "V1.1.4"},
        {0xFFFF, kQueryFull, "V7.7.f"},
        {0x0040, kQueryFull, "V0.0.1"},
        {0x0120, kQuery, "V1.20"},
        {0x1234, kQueryEnc, "V1.23"},
        {0xFFFF, kQuery, "Vf.ff"},
        {0x0010, kQuery, "V1.0"},
        {0x0005, kQuery, "V5."},
        {0x2500, kQueryEnc, "V2.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirmwareVersion(c.version, c.command), c.expected)
            << std::hex << c.version << " / " << c.command;
}

TEST(CameraDetailText, AddressesAreLowerCaseHexAndDottedDecimalWithLeadingZerosKept)
{
    const std::array<uint8_t, 6> mac{0x00, 0x0A, 0xFF, 0x01, 0xB2, 0x3C};
    EXPECT_EQ(MacText(mac), "00:0a:ff:01:b2:3c");
    const std::array<uint8_t, 4> ip{192, 168, 0, 255};
    EXPECT_EQ(DottedQuad(ip), "192.168.0.255");
    EXPECT_EQ(WebAddress(ip, false, 8080), "http://192.168.0.255");
    EXPECT_EQ(WebAddress(ip, true, 8080), "http://192.168.0.255:8080");
    EXPECT_EQ(WebAddress(ip, true, 65535), "http://192.168.0.255:65535");
}

TEST(CameraDetailText, SecurityKindDependsOnTheDeviceType)
{
    struct Case
    {
        SecurityFields fields;
        int expected;
    };
    const Case cases[] = {
        {{17, 1, 1, 2}, 0}, // no security wins over everything else
        {{18, 0, 1, 1}, 3}, // WPA
        {{17, 0, 0, 1}, 1}, {{17, 0, 0, 2}, 2}, {{18, 0, 0, 0}, 2},
        {{16, 1, 1, 0}, 0}, // older types look only at the WEP size
        {{16, 0, 0, 1}, 1}, {{0, 0, 0, 2}, 2},  {{0, 0, 0, 7}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SecurityKindIndex(c.fields), c.expected)
            << c.fields.deviceType << " " << int(c.fields.security) << " " << int(c.fields.secMode) << " "
            << int(c.fields.wep);
}

TEST(LoginCheck, LimitsByVariantAndExactComparison)
{
    EXPECT_EQ(LoginLimitsFor(kQuery).nameChars, 20);
    EXPECT_EQ(LoginLimitsFor(kQueryEnc).passwordChars, 8);
    EXPECT_EQ(LoginLimitsFor(kQueryFull).nameChars, 32);
    EXPECT_EQ(LoginLimitsFor(kQueryFull).passwordChars, 64);

    struct Case
    {
        const char16_t* name;
        const char16_t* password;
        const char16_t* expectedName;
        const char16_t* expectedPassword;
        bool accepted;
    };
    const Case cases[] = {
        {u"Operator", u"secret", u"Operator", u"secret", true},
        {u"operator", u"secret", u"Operator", u"secret", false},
        {u"Operator", u"Secret", u"Operator", u"secret", false},
        {u"Operator", u"", u"Operator", u"", true},
        {u"", u"", u"", u"", false},
        {u"", u"secret", u"", u"secret", false},
        {u"Operator ", u"secret", u"Operator", u"secret", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoginAccepted(c.name, c.password, c.expectedName, c.expectedPassword), c.accepted);
}
