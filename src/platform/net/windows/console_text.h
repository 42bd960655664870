#pragma once
// The Windows half of standard text: whether a handle is a console, and the UTF-16 a console
// is written in.
#include <windows.h>

#include <string>
#include <string_view>

// True for a console's screen buffer, false for a file, a pipe or no handle at all.
bool IsConsole(HANDLE handle);
// `utf8` as UTF-16; a byte that is not part of a UTF-8 character becomes U+FFFD.
std::wstring ConsoleTextOf(std::string_view utf8);
