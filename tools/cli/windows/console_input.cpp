// The console through its input modes: echo is switched off for the line and restored after
// it, or when Ctrl+C or the console's closing ends the program meanwhile. The line is read as
// UTF-16 and handed on as UTF-8, as the rest of the program holds text.
#include "console_input.h"

#include <windows.h>

#include <cstdio>

namespace {

HANDLE ConsoleInput()
{
    return ::GetStdHandle(STD_INPUT_HANDLE);
}

DWORD savedMode = 0;

BOOL WINAPI RestoreMode(DWORD)
{
    ::SetConsoleMode(ConsoleInput(), savedMode);
    return FALSE; // the default handler still ends the program
}

std::string Utf8Of(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

} // namespace

bool StandardInputIsTerminal()
{
    DWORD mode = 0;
    return ::GetConsoleMode(ConsoleInput(), &mode) != 0;
}

SecretLine ReadHiddenLine(const std::string& prompt)
{
    const HANDLE input = ConsoleInput();
    if (!::GetConsoleMode(input, &savedMode))
        return {};
    ::SetConsoleCtrlHandler(&RestoreMode, TRUE);
    ::SetConsoleMode(input, (savedMode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT |
                                ENABLE_PROCESSED_INPUT);
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::wstring typed;
    wchar_t c = 0;
    DWORD read = 0;
    while (typed.size() <= kMaxSecretBytes && ::ReadConsoleW(input, &c, 1, &read, nullptr) && read == 1) {
        typed += c;
        if (c == L'\n')
            break;
    }
    std::fputc('\n', stderr); // the typed line end was not echoed
    ::SetConsoleMode(input, savedMode);
    ::SetConsoleCtrlHandler(&RestoreMode, FALSE);
    return SecretLineOf(Utf8Of(typed));
}

bool OthersCanRead(const std::string&)
{
    return false;
}
