#include "platform/net/standard_text.h"

#include "console_text.h"

#include <string>

namespace {

DWORD HandleNumberOf(std::FILE* stream)
{
    return stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
}

// A console takes characters: the C library's bytes would be read in the console's code page.
void WriteToConsole(HANDLE console, std::string_view utf8)
{
    const std::wstring wide = ConsoleTextOf(utf8);
    const wchar_t* next = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    DWORD written = 0;
    while (left > 0 && ::WriteConsoleW(console, next, left, &written, nullptr) && written > 0) {
        next += written;
        left -= written;
    }
}

// A program with a window starts without standard handles unless its caller redirected them
// (a handle it was given for a console it is not part of reaches nothing either).
bool Reaches(DWORD handleNumber)
{
    const HANDLE handle = ::GetStdHandle(handleNumber);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Started from a console, such a program joins it for the standard handle it lacks. False
// when there is no console to join.
bool ReachStartingConsole(DWORD handleNumber)
{
    if (Reaches(handleNumber))
        return true;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    const HANDLE console =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    ::SetStdHandle(handleNumber, console);
    return true;
}

} // namespace

void WriteStandardText(std::FILE* stream, std::string_view utf8)
{
    const HANDLE handle = ::GetStdHandle(HandleNumberOf(stream));
    if (!IsConsole(handle)) {
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
        return;
    }
    std::fflush(stream); // what the C library holds comes first
    WriteToConsole(handle, utf8);
}

void ShowStartupText(std::string_view utf8, StartupText kind)
{
    std::FILE* stream = kind == StartupText::Refusal ? stderr : stdout;
    if (ReachStartingConsole(HandleNumberOf(stream))) {
        WriteStandardText(stream, utf8);
        return;
    }
    const UINT icon = kind == StartupText::Refusal ? MB_ICONERROR : MB_ICONINFORMATION;
    ::MessageBoxW(nullptr, ConsoleTextOf(utf8).c_str(), L"Camtivo", MB_OK | icon);
}
