#pragma once
// What camtivo-cli writes, as UTF-8 text: a Windows console is given characters, so that a
// camera named "Café ★" reads so there; a file or a pipe gets the bytes.
#include <string>

// `text` on standard output, as it is.
void PrintText(const std::string& text);
// "camtivo-cli: TEXT" as one line on standard error.
void PrintNotice(const std::string& text);
