#include "skin/button_skin.h"

#include "skin/core/skin_button_items.h"
#include "skin/skin_draw.h"

std::optional<ButtonSkin> ReadButtonSkin(const SkinStrings* lines, const SkinBitmaps* bitmaps,
                                         const QString& section, const QString& button)
{
    if (lines == nullptr || bitmaps == nullptr)
        return std::nullopt;
    // A bitmap that exists but could not be read counts as missing: the button keeps its look.
    const SkinBitmapExists hasBitmap = [bitmaps](int32_t number) {
        return !FindSkinBitmap(bitmaps, number).isNull();
    };
    const SkinButtonResult read = ReadSkinButtonItem(lines, ToU16View(section), ToU16View(button), hasBitmap);
    if (read.status != SkinReadStatus::Ok)
        return std::nullopt;
    const SkinButtonItem& item = read.item;
    ButtonSkin skin;
    skin.image = FindSkinBitmap(bitmaps, item.image);
    skin.image2x = FindSkinBitmap2x(bitmaps, item.image);
    skin.text = QString::fromStdU16String(item.text);
    skin.font.height = item.fontHeight;
    skin.font.width = item.fontWidth;
    skin.font.weight = item.weight;
    skin.font.SetFaceName(item.fontName);
    skin.activeColor = item.activeColor;
    skin.inactiveColor = item.inactiveColor;
    skin.clickOffsetX = item.clickOffsetX;
    skin.clickOffsetY = item.clickOffsetY;
    return skin;
}
