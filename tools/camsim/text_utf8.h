#pragma once
// The simulator talks UTF-8 (command line, JSON log); camera texts are Windows-1252 bytes.
#include <string>
#include <string_view>

std::string NarrowFromUtf8(std::string_view utf8);
std::string Utf8FromNarrow(std::string_view narrow);
