#pragma once
// Text for standard output and standard error, held as UTF-8 as all of the programs' text is.
// A Windows console shows characters, not bytes: there the text is written as UTF-16, so that
// "Café ★" reads the same whatever the console's code page. Output to a file or a pipe (or a
// POSIX terminal) gets the UTF-8 bytes. The posix/ and windows/ folders each hold one system's
// version.
#include <cstdio>
#include <string_view>

// Writes `utf8` to `stream` (stdout or stderr), after what the stream holds already.
void WriteStandardText(std::FILE* stream, std::string_view utf8);

// What the wizard says before its window opens: its help, its version, a refused command line.
enum class StartupText
{
    Information, // on standard output
    Refusal      // on standard error
};
// Shows `utf8` where the person who started the program reads it: on its standard stream when
// that is redirected or the program was started from a console, which it then joins (a Windows
// program with a window has no console of its own); otherwise in a message box.
void ShowStartupText(std::string_view utf8, StartupText kind);
