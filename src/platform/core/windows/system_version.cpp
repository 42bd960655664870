// The running Windows system's version and its media player's file version.
#include "platform/core/version_check.h"

#include <vector>
#include <windows.h>

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
