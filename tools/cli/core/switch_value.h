#pragma once
// A switch's value as people and spreadsheets write it: on/off, yes/no, true/false or 1/0, in
// any case.
#include <optional>
#include <string_view>

// True or false; nothing when the text is none of the words.
std::optional<bool> ReadSwitch(std::string_view text);

// What a refusal says the value may be.
inline constexpr std::string_view kSwitchWords = "on or off; also yes/no, true/false, 1/0";
