#pragma once
// Result codes of opening a document, web address or program with the desktop shell.
// A result above 32 means the target was started; 32 or less is the reason it was not.

inline constexpr int SHELL_STARTED = 33;
inline constexpr int SHELL_FILE_NOT_FOUND = 2;
inline constexpr int SHELL_BAD_FORMAT = 11;     // the file is not a program this system can run
inline constexpr int SHELL_NO_ASSOCIATION = 31; // no program is registered for the type

constexpr bool ShellStarted(int result)
{
    return result > 32;
}
