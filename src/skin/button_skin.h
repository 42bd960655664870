#pragma once
// A button item of the skin resolved for drawing: the strip image itself, the caption, the
// caption font and colours and the click offset. A hover button takes one through
// `SetSkin(const ButtonSkin&)`, which ApplyButtonSkin calls.
#include "platform/core/color_ref.h"
#include "platform/core/font_desc.h"
#include "skin/pack_lists.h"

#include <QImage>
#include <QString>
#include <optional>

struct ButtonSkin
{
    QImage image;               // the strip: three frames side by side (shared, never owned alone)
    QImage image2x;             // the same strip at twice the size, or null
    QString text;               // caption as written in the skin: line feeds separate lines
    FontDesc font;              // height, width, weight, face name (at most 31 characters)
    COLORREF activeColor = 0;   // pressed or hovered
    COLORREF inactiveColor = 0; // normal
    int clickOffsetX = 0;
    int clickOffsetY = 0;
};

// The complete item `button` of the section's "BUTTON" block, or none when either list is
// absent, a section, block or sub-block is missing, or the item is incomplete (its image
// number must name a bitmap of the list).
std::optional<ButtonSkin> ReadButtonSkin(const SkinStrings* lines, const SkinBitmaps* bitmaps,
                                         const QString& section, const QString& button);

// Applies the item to `target` (anything with SetSkin(const ButtonSkin&)); returns whether it
// was found. When it is not, the button keeps its previous look.
template <class Button>
bool ApplyButtonSkin(const SkinStrings* lines, const SkinBitmaps* bitmaps, const QString& section,
                     const QString& button, Button& target)
{
    std::optional<ButtonSkin> skin = ReadButtonSkin(lines, bitmaps, section, button);
    if (!skin)
        return false;
    target.SetSkin(*skin);
    return true;
}
