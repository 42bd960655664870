#include "skin/core/skin_button_items.h"

#include "platform/core/font_desc.h"
#include "skin/core/skin_keys.h"
#include "skin/core/skin_values.h"

#include <array>
#include <bitset>

namespace {

enum ButtonKey
{
    kImage,
    kFontName,
    kFontSize,
    kFontWeight,
    kText,
    kActiveColor,
    kInactiveColor,
    kClickOffset,
    kButtonKeyCount,
};

// In the order they are tried; a line matches at most one.
constexpr std::array<SkinKey, kButtonKeyCount> kButtonKeys{{
    {u"image=", 6, false},
    {u"fontname=", 9, false},
    {u"fontsize=(", 9, true},
    {u"nfontweight=", 12, false},
    {u"text=", 5, false},
    {u"activecolor=rgb(", 12, true},
    {u"noactivecolor=rgb(", 14, true},
    {u"clickoffset=(", 12, true},
}};

using Flags = std::bitset<kButtonKeyCount>;

struct Reader
{
    const SkinBitmapExists& hasBitmap;
    SkinButtonItem item;
    Flags flags;

    void Apply(ButtonKey key, std::u16string_view value)
    {
        switch (key) {
        case kImage:
            if (IsSkinNumber(value) == 0 && hasBitmap && hasBitmap(SkinNumberValue(value))) {
                item.image = SkinNumberValue(value);
                flags.set(key);
            }
            break;
        case kFontName:
            item.fontName = TruncateFaceName(value);
            flags.set(key);
            break;
        case kFontSize:
            TakeSkinPair(value, item.fontWidth, item.fontHeight, flags, key);
            break;
        case kFontWeight:
            TakeSkinNumber(value, item.weight, flags, key);
            break;
        case kText:
            item.text = value;
            flags.set(key);
            break;
        case kActiveColor:
            TakeSkinColor(value, item.activeColor, flags, key);
            break;
        case kInactiveColor:
            TakeSkinColor(value, item.inactiveColor, flags, key);
            break;
        case kClickOffset:
            TakeSkinPair(value, item.clickOffsetX, item.clickOffsetY, flags, key);
            break;
        case kButtonKeyCount:
            break;
        }
    }

    void ReadLine(std::u16string_view line)
    {
        ApplySkinKeyLine(line, kButtonKeys, [this](size_t k, std::u16string_view value) {
            Apply(static_cast<ButtonKey>(k), value);
        });
    }
};

} // namespace

SkinButtonResult ReadSkinButtonItem(const SkinStrings* lines, std::u16string_view section,
                                    std::u16string_view button, const SkinBitmapExists& hasBitmap)
{
    const int sectionAt = FindSkinSection(lines, section);
    if (sectionAt < 0)
        return {SkinReadStatus::NoSection, {}};
    const int blockAt = FindSkinBlock(lines, sectionAt, kSkinButtonBlock);
    if (blockAt < 0)
        return {SkinReadStatus::NoBlock, {}};
    const int itemAt = FindSkinBlock(lines, blockAt, button);
    if (itemAt < 0)
        return {SkinReadStatus::NoItem, {}};

    const std::u16string sectionClose = SkinCloseTag(section);
    const std::u16string blockClose = SkinCloseTag(kSkinButtonBlock);
    const std::u16string itemClose = SkinCloseTag(button);
    SkinButtonResult result{SkinReadStatus::Incomplete, {}};
    Reader reader{hasBitmap, {}, {}};
    for (size_t i = static_cast<size_t>(itemAt); i < lines->GetCount(); ++i) {
        const std::u16string& line = lines->GetAt(i)->text;
        reader.ReadLine(line);
        if (reader.flags.all()) {
            result = {SkinReadStatus::Ok, reader.item};
            reader.flags.reset();
        }
        if (SkinEqualsIgnoreCase(line, sectionClose) || SkinEqualsIgnoreCase(line, blockClose) ||
            SkinEqualsIgnoreCase(line, itemClose))
            break;
    }
    return result;
}
