#include "platform/core/version_check.h"

#include <gtest/gtest.h>

TEST(VersionCheck, ServicePackRulesOfTheFirewallStep)
{
    struct Case
    {
        OsVersion version;
        bool sp2;
        bool sp1;
    };
    const Case cases[] = {
        {{6, 0, u""}, true, true},
        {{10, 0, u"anything"}, true, true},
        {{5, 1, u"Service Pack 2"}, true, false},
        {{5, 1, u"Service Pack 1"}, false, true},
        {{5, 1, u"Service Pack 3"}, false, false},
        {{5, 1, u""}, false, false},
        {{5, 1, u"service pack 2"}, false, false},
        {{5, 1, u"Service Pack 2 "}, false, false},
        {{5, 2, u"Service Pack 2"}, false, false},
        {{5, 0, u"Service Pack 1"}, false, false},
        {{4, 0, u""}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor);
        EXPECT_EQ(IsOsSp2Level(c.version), c.sp2);
        EXPECT_EQ(IsOsSp1Level(c.version), c.sp1);
    }
}

TEST(VersionCheck, MediaPlayerMajorVersionIsTheHighHalfOfTheFirstWord)
{
    EXPECT_TRUE(IsMajorVersion9(0x00090000));
    EXPECT_TRUE(IsMajorVersion9(0x00090000 | 4503));
    EXPECT_FALSE(IsMajorVersion9(0x000A0000));
    EXPECT_FALSE(IsMajorVersion9(0x00080009));
}

#ifndef _WIN32
TEST(VersionCheck, OtherSystemsNeverQualify)
{
    EXPECT_FALSE(CurrentWindowsVersion().has_value());
    EXPECT_FALSE(IsOsSp2Level());
    EXPECT_FALSE(IsOsSp1Level());
    EXPECT_FALSE(IsMediaPlayer9());
}
#endif
