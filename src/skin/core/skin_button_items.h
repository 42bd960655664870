#pragma once
// The button items of a section's "BUTTON" block: one sub-block per skinned button, named by
// the button's skin name, holding its strip image number, caption, font and colours.
#include "platform/core/color_ref.h"
#include "skin/core/skin_text_items.h"
#include "skin/core/string_table.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct SkinButtonItem
{
    int32_t image = 0;       // number of the strip bitmap in the bitmap list
    std::u16string text;     // caption; line feeds separate display lines
    std::u16string fontName; // at most 31 characters (longer names are cut)
    int32_t weight = 0;
    int32_t fontWidth = 0;
    int32_t fontHeight = 0;
    COLORREF activeColor = 0;   // pressed or hovered
    COLORREF inactiveColor = 0; // normal
    int32_t clickOffsetX = 0;
    int32_t clickOffsetY = 0;

    bool operator==(const SkinButtonItem&) const = default;
};

struct SkinButtonResult
{
    SkinReadStatus status = SkinReadStatus::NoSection;
    SkinButtonItem item; // the last complete item of the sub-block; default unless Ok
};

// Answers whether the bitmap list holds a bitmap with that number.
using SkinBitmapExists = std::function<bool(int32_t number)>;

inline constexpr std::u16string_view kSkinButtonBlock = u"BUTTON";

// Reads the item of sub-block `button` in the section's "BUTTON" block. An "image=" number
// counts only when `hasBitmap` knows it. When keys repeat after an item was complete, the
// later complete item wins, as each one replaces the button's whole look.
SkinButtonResult ReadSkinButtonItem(const SkinStrings* lines, std::u16string_view section,
                                    std::u16string_view button, const SkinBitmapExists& hasBitmap);
