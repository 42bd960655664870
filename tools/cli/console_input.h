#pragma once
// What reading a secret needs from the system: whether standard input is a terminal, a line
// typed there without echo, and whether a file's permissions let other users read it. The
// posix/ and windows/ folders each hold one system's version.
#include "cli/core/secret_line.h"

#include <string>

bool StandardInputIsTerminal();
// Shows `prompt` on standard error and reads one line typed at the terminal of standard input
// with its echo off (from before the prompt, so nothing typed after it is shown); the echo
// comes back afterwards, also when the program is interrupted while waiting.
SecretLine ReadHiddenLine(const std::string& prompt);
// Whether the file's group or other users may read it; false on systems without such modes.
bool OthersCanRead(const std::string& path);
