#pragma once
// The text items of a section's "TEXT" block: captions with their position, font and colour.
// An item starts at its "text=" line and is complete once all seven other keys followed it.
#include "platform/core/color_ref.h"
#include "skin/core/string_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SkinTextItem
{
    std::u16string text;     // line feeds separate display lines
    std::u16string fontName; // at most 31 characters (longer names are cut)
    int32_t x = 0;
    int32_t y = 0;
    int32_t fontWidth = 0;
    int32_t fontHeight = 0;
    COLORREF color = 0;
    int32_t weight = 0;
    int32_t gap = 0;       // extra pixels after every character
    int32_t linePitch = 0; // extra pixels between display lines

    bool operator==(const SkinTextItem&) const = default;
};

enum class SkinReadStatus
{
    Ok,
    NoSection,
    NoBlock,
    NoItem,     // button: no sub-block of that name
    Incomplete, // button: the sub-block never held a complete item
};

struct SkinTextItems
{
    SkinReadStatus status = SkinReadStatus::NoSection;
    std::vector<SkinTextItem> items; // every complete item, in text order; empty unless Ok
};

inline constexpr std::u16string_view kSkinTextBlock = u"TEXT";

// Reads the complete text items of `block` ("TEXT") found from the section's opening tag.
SkinTextItems ReadSkinTextItems(const SkinStrings* lines, std::u16string_view section,
                                std::u16string_view block = kSkinTextBlock);
