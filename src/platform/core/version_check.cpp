#include "platform/core/version_check.h"

namespace {

constexpr uint32_t kXpMajor = 5;
constexpr uint32_t kXpMinor = 1;

bool IsXpWithServicePack(const OsVersion& version, std::u16string_view servicePack)
{
    return version.major == kXpMajor && version.minor == kXpMinor && version.servicePack == servicePack;
}

} // namespace

bool IsOsSp2Level(const OsVersion& version)
{
    return version.major > kXpMajor || IsXpWithServicePack(version, u"Service Pack 2");
}

bool IsOsSp1Level(const OsVersion& version)
{
    return version.major > kXpMajor || IsXpWithServicePack(version, u"Service Pack 1");
}

bool IsMajorVersion9(uint32_t fileVersionMostSignificant)
{
    return (fileVersionMostSignificant >> 16) == 9;
}

bool IsOsSp2Level()
{
    auto version = CurrentWindowsVersion();
    return version && IsOsSp2Level(*version);
}

bool IsOsSp1Level()
{
    auto version = CurrentWindowsVersion();
    return version && IsOsSp1Level(*version);
}
