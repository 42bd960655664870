#pragma once
// Recognising a key line: its beginning equals the key ignoring ASCII case, and a key whose
// value is bracketed also needs ")" as the line's last character. The value is cut from the
// line as written, from a fixed position (the key's length without its opening "(" or "rgb(").
#include "skin/core/skin_lines.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

struct SkinKey
{
    std::u16string_view name;
    size_t valueStart;
    bool bracketed;
};

inline std::optional<std::u16string_view> MatchSkinKey(std::u16string_view line, const SkinKey& key)
{
    if (!SkinStartsWithIgnoreCase(line, key.name))
        return std::nullopt;
    if (key.bracketed && line.back() != u')')
        return std::nullopt;
    return line.substr(key.valueStart);
}

// Hands the value of the first of `keys` that the line matches, with that key's index, to
// apply(index, value); a line that matches none is passed over.
template <size_t N, class Apply>
void ApplySkinKeyLine(std::u16string_view line, const std::array<SkinKey, N>& keys, Apply apply)
{
    for (size_t k = 0; k < N; ++k) {
        if (std::optional<std::u16string_view> value = MatchSkinKey(line, keys[k])) {
            apply(k, *value);
            return;
        }
    }
}
