// No Windows version to read off Windows.
#include "platform/core/version_check.h"

std::optional<OsVersion> CurrentWindowsVersion()
{
    return std::nullopt;
}

bool IsMediaPlayer9()
{
    return false;
}
