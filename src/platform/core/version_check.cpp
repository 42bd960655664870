#include "platform/core/version_check.h"

#ifdef _WIN32
#include <vector>
#include <windows.h>
#endif

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

#ifdef _WIN32

std::optional<OsVersion> CurrentWindowsVersion()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return std::nullopt;
    return OsVersion{info.dwMajorVersion, info.dwMinorVersion,
                     std::u16string(reinterpret_cast<const char16_t*>(info.szCSDVersion))};
}

bool IsMediaPlayer9()
{
    wchar_t windowsDir[510] = {};
    if (GetWindowsDirectoryW(windowsDir, 510) < 3)
        return false;
    std::wstring path(windowsDir, 3);
    path += L"Program Files\\Windows Media Player\\wmplayer.exe";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr)
        return false;
    return IsMajorVersion9(fixed->dwFileVersionMS);
}

#else

std::optional<OsVersion> CurrentWindowsVersion()
{
    return std::nullopt;
}

bool IsMediaPlayer9()
{
    return false;
}

#endif

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
