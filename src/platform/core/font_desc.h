#pragma once
// A font description in the terms the skin speaks: cell height and average character width in
// pixels (0 = the face's default), weight on the 1-1000 scale (0 = normal, 400 normal, 700
// bold) and a face name. The face-name field has room for 31 characters, like the fixed-size
// field packs were written for; longer names are cut there.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kMaxFaceNameChars = 31;

// Cuts a face name to kMaxFaceNameChars UTF-16 units without splitting a surrogate pair.
inline std::u16string TruncateFaceName(std::u16string_view name)
{
    size_t length = name.size() < kMaxFaceNameChars ? name.size() : kMaxFaceNameChars;
    if (length < name.size() && length > 0 && name[length - 1] >= 0xD800 && name[length - 1] <= 0xDBFF)
        --length;
    return std::u16string(name.substr(0, length));
}

struct FontDesc
{
    int32_t height = 0;
    int32_t width = 0;
    int32_t weight = 0;
    std::u16string faceName; // at most kMaxFaceNameChars; set it through SetFaceName

    void SetFaceName(std::u16string_view name) { faceName = TruncateFaceName(name); }
    bool operator==(const FontDesc&) const = default;
};
