#include "skin/core/skin_text_items.h"

#include "platform/core/font_desc.h"
#include "skin/core/skin_keys.h"
#include "skin/core/skin_values.h"

#include <array>
#include <bitset>

namespace {

enum TextKey
{
    kText,
    kPosition,
    kColor,
    kFontSize,
    kFontName,
    kWeight,
    kGap,
    kLinePitch,
    kTextKeyCount,
};

// In the order they are tried; a line matches at most one.
constexpr std::array<SkinKey, kTextKeyCount> kTextKeys{{
    {u"text=", 5, false},
    {u"position=(", 9, true},
    {u"color=rgb(", 6, true},
    {u"fontsize=(", 9, true},
    {u"fontname=", 9, false},
    {u"weight=", 7, false},
    {u"gap=", 4, false},
    {u"linepitch=", 10, false},
}};

using Flags = std::bitset<kTextKeyCount>;

void ApplyKey(TextKey key, std::u16string_view value, SkinTextItem& item, Flags& flags)
{
    switch (key) {
    case kText:
        item.text = value;
        flags.reset();
        flags.set(kText);
        break;
    case kPosition:
        TakeSkinPair(value, item.x, item.y, flags, key);
        break;
    case kColor:
        TakeSkinColor(value, item.color, flags, key);
        break;
    case kFontSize:
        TakeSkinPair(value, item.fontWidth, item.fontHeight, flags, key);
        break;
    case kFontName:
        item.fontName = TruncateFaceName(value);
        flags.set(key);
        break;
    case kWeight:
        TakeSkinNumber(value, item.weight, flags, key);
        break;
    case kGap:
        TakeSkinNumber(value, item.gap, flags, key);
        break;
    case kLinePitch:
        TakeSkinNumber(value, item.linePitch, flags, key);
        break;
    case kTextKeyCount:
        break;
    }
}

void ReadLine(std::u16string_view line, SkinTextItem& item, Flags& flags)
{
    ApplySkinKeyLine(line, kTextKeys, [&](size_t k, std::u16string_view value) {
        ApplyKey(static_cast<TextKey>(k), value, item, flags);
    });
}

} // namespace

SkinTextItems ReadSkinTextItems(const SkinStrings* lines, std::u16string_view section,
                                std::u16string_view block)
{
    const int sectionAt = FindSkinSection(lines, section);
    if (sectionAt < 0)
        return {SkinReadStatus::NoSection, {}};
    const int blockAt = FindSkinBlock(lines, sectionAt, block);
    if (blockAt < 0)
        return {SkinReadStatus::NoBlock, {}};

    const std::u16string sectionClose = SkinCloseTag(section);
    const std::u16string blockClose = SkinCloseTag(block);
    SkinTextItems result{SkinReadStatus::Ok, {}};
    SkinTextItem item;
    Flags flags;
    for (size_t i = static_cast<size_t>(blockAt); i < lines->GetCount(); ++i) {
        const std::u16string& line = lines->GetAt(i)->text;
        ReadLine(line, item, flags);
        if (flags.all()) {
            result.items.push_back(item);
            // gap and line pitch stay set; the next "text=" clears them with the rest.
            flags.reset(kText).reset(kFontName).reset(kPosition).reset(kFontSize).reset(kColor).reset(
                kWeight);
        }
        if (SkinEqualsIgnoreCase(line, sectionClose) || SkinEqualsIgnoreCase(line, blockClose))
            break;
    }
    return result;
}
