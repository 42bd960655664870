#include "cli/core/switch_value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

struct SwitchWord
{
    std::string_view word;
    bool value;
};

constexpr std::array<SwitchWord, 8> kWords{{{"on", true},
                                            {"off", false},
                                            {"yes", true},
                                            {"no", false},
                                            {"true", true},
                                            {"false", false},
                                            {"1", true},
                                            {"0", false}}};

} // namespace

std::optional<bool> ReadSwitch(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    const auto found = std::find_if(kWords.begin(), kWords.end(),
                                    [&lower](const SwitchWord& entry) { return entry.word == lower; });
    return found == kWords.end() ? std::nullopt : std::optional<bool>(found->value);
}
