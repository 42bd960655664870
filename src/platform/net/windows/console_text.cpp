#include "console_text.h"

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

std::wstring ConsoleTextOf(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int bytes = static_cast<int>(utf8.size());
    const int chars = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), chars);
    return wide;
}
