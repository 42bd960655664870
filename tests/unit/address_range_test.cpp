#include "platform/core/address_range.h"

#include <gtest/gtest.h>

namespace {

uint32_t N(const char* text)
{
    return AddressNumber(*ParseIpv4(text));
}

TEST(AddressRange, ReadsAddressesBlocksAndDashRanges)
{
    struct Case
    {
        const char* text;
        RangeStatus status;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"10.20.0.7", RangeStatus::Ok, "10.20.0.7", "10.20.0.7"},
        {"10.20.0.0/22", RangeStatus::Ok, "10.20.0.1", "10.20.3.254"},
        {"10.20.1.9/22", RangeStatus::Ok, "10.20.0.1", "10.20.3.254"}, // host bits set
        {"10.20.0.0/30", RangeStatus::Ok, "10.20.0.1", "10.20.0.2"},
        {"10.20.0.4/31", RangeStatus::Ok, "10.20.0.4", "10.20.0.5"},
        {"10.20.0.9/32", RangeStatus::Ok, "10.20.0.9", "10.20.0.9"},
        {"10.20.0.0/16", RangeStatus::Ok, "10.20.0.1", "10.20.255.254"},
        {"10.20.4.10-10.20.4.200", RangeStatus::Ok, "10.20.4.10", "10.20.4.200"},
        {"10.20.0.0-10.20.255.255", RangeStatus::Ok, "10.20.0.0", "10.20.255.255"},
        {"10.20.4.200-10.20.4.10", RangeStatus::Reversed, nullptr, nullptr},
        {"10.20.0.0/15", RangeStatus::TooLarge, nullptr, nullptr},
        {"0.0.0.0/0", RangeStatus::TooLarge, nullptr, nullptr},
        {"10.20.0.0-10.21.0.0", RangeStatus::TooLarge, nullptr, nullptr},
        {"10.20.0.0/33", RangeStatus::BadPrefix, nullptr, nullptr},
        {"10.20.0.0/", RangeStatus::BadPrefix, nullptr, nullptr},
        {"10.20.0.0/+8", RangeStatus::BadPrefix, nullptr, nullptr},
        {"10.20.0.0/022", RangeStatus::BadPrefix, nullptr, nullptr},
        {"10.20.0.256/24", RangeStatus::NotAnAddress, nullptr, nullptr},
        {"10.20.0.1-", RangeStatus::NotAnAddress, nullptr, nullptr},
        {"10.20.0.1 - 10.20.0.9", RangeStatus::NotAnAddress, nullptr, nullptr},
        {"camera", RangeStatus::NotAnAddress, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const RangeParse parse = ParseAddressRange(c.text);
        EXPECT_EQ(parse.status, c.status) << c.text;
        if (c.first != nullptr) {
            EXPECT_EQ(parse.range, (AddressRange{N(c.first), N(c.last)})) << c.text;
            EXPECT_EQ(parse.single, std::string_view(c.text).find_first_of("/-") == std::string_view::npos);
        }
    }
}

TEST(AddressRange, SweepAsksOverlappingRangesOnceAndKeepsTheTotalLimit)
{
    AddressSweep sweep;
    EXPECT_TRUE(sweep.Add({N("10.0.0.10"), N("10.0.0.20")}));
    EXPECT_TRUE(sweep.Add({N("10.0.0.15"), N("10.0.0.30")})); // overlaps
    EXPECT_TRUE(sweep.Add({N("10.0.0.31"), N("10.0.0.31")})); // touches
    EXPECT_TRUE(sweep.Add({N("10.0.0.1"), N("10.0.0.2")}));   // before the others
    ASSERT_EQ(sweep.Count(), 24u);
    EXPECT_EQ(sweep.At(0), N("10.0.0.1"));
    EXPECT_EQ(sweep.At(2), N("10.0.0.10"));
    EXPECT_EQ(sweep.At(23), N("10.0.0.31"));
    EXPECT_TRUE(sweep.Holds(N("10.0.0.25")));
    EXPECT_FALSE(sweep.Holds(N("10.0.0.5")));
    EXPECT_FALSE(sweep.Holds(N("10.0.0.32")));

    AddressSweep full;
    EXPECT_TRUE(full.Add(ParseAddressRange("10.20.0.0/16").range));
    EXPECT_TRUE(full.Add(ParseAddressRange("10.20.0.0/24").range)); // inside: nothing new
    EXPECT_TRUE(full.Add(ParseAddressRange("10.20.0.0/32").range));
    EXPECT_TRUE(full.Add(ParseAddressRange("10.20.255.255").range));
    EXPECT_EQ(full.Count(), 65536u);
    EXPECT_FALSE(full.Add(ParseAddressRange("10.21.0.0").range));
    EXPECT_EQ(full.Count(), 65536u);

    AddressSweep top;
    EXPECT_TRUE(top.Add({N("255.255.255.250"), N("255.255.255.255")}));
    EXPECT_TRUE(top.Add({N("255.255.255.240"), N("255.255.255.255")}));
    EXPECT_EQ(top.Count(), 16u);
}

} // namespace
