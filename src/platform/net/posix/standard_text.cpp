#include "platform/net/standard_text.h"

// A POSIX terminal, file or pipe takes the bytes; a program started from the desktop has its
// standard streams too (the session's log).
void WriteStandardText(std::FILE* stream, std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

void ShowStartupText(std::string_view utf8, StartupText kind)
{
    WriteStandardText(kind == StartupText::Refusal ? stderr : stdout, utf8);
}
