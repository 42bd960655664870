#pragma once
// Command-line text (UTF-8) as the wide text the settings change holds.
#include <string>

std::u16string Utf16Of(const std::string& utf8);
