#include "skin/core/message_skin.h"

#include "skin/core/skin_lines.h"
#include "skin/core/skin_values.h"

#include <limits>
#include <optional>
#include <string>

namespace {

enum Offset : int32_t
{
    kButtonFill = 2,
    kButtonFrameColor = 3,
    kButtonFrameSize = 4,
    kButtonFontName = 5,
    kButtonFontSize = 6,
    kButtonWeight = 7,
    kButtonHoverText = 8,
    kButtonText = 9,
    kButtonClickOffset = 10,
    kTextFontName = 13,
    kTextFontSize = 14,
    kTextWeight = 15,
    kTextColor = 16,
    kTextGap = 17,
    kTextLinePitch = 18,
    kPanelColor = 19,
    kPanelFrameColor = 20,
    kPanelFrameSize = 21,
};

// The value of the kind's string at `offset` when it starts with `key` (any case) and, for a
// bracketed key, ends with ")". The value is what follows the "=" of the key, as written.
std::optional<std::u16string> KeyValue(const SkinStrings* lines, int kind, int32_t offset,
                                       std::u16string_view key)
{
    const int64_t number = static_cast<int64_t>(MessageSkinBase(kind)) + offset;
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    std::u16string line;
    if (!GetSkinString(lines, static_cast<int>(number), line))
        return std::nullopt;
    if (!SkinStartsWithIgnoreCase(line, key))
        return std::nullopt;
    if (key.back() == u'(' && (line.empty() || line.back() != u')'))
        return std::nullopt;
    return line.substr(key.find(u'=') + 1);
}

void ReadColor(const SkinStrings* lines, int kind, int32_t offset, std::u16string_view key, COLORREF& out)
{
    const auto value = KeyValue(lines, kind, offset, key);
    if (!value)
        return;
    const SkinColor color = ParseSkinColor(*value);
    if (color.status == SkinValueStatus::Ok)
        out = color.value;
}

void ReadNumber(const SkinStrings* lines, int kind, int32_t offset, std::u16string_view key, int32_t& out)
{
    const auto value = KeyValue(lines, kind, offset, key);
    if (value && IsSkinNumber(*value) == 0)
        out = SkinNumberValue(*value);
}

void ReadPair(const SkinStrings* lines, int kind, int32_t offset, std::u16string_view key, int32_t& first,
              int32_t& second)
{
    const auto value = KeyValue(lines, kind, offset, key);
    if (!value)
        return;
    const SkinPair pair = ParseSkinPair(*value);
    if (pair.status != SkinValueStatus::Ok)
        return;
    first = pair.first;
    second = pair.second;
}

void ReadFaceName(const SkinStrings* lines, int kind, int32_t offset, std::u16string_view key, FontDesc& font)
{
    if (const auto value = KeyValue(lines, kind, offset, key))
        font.SetFaceName(*value);
}

} // namespace

int32_t MessageSkinBase(int kind)
{
    const int64_t base = kMessageSkinBase + static_cast<int64_t>(kMessageSkinStep) * kind;
    if (base > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (base < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(base);
}

void ReadMsgButtonStyle(const SkinStrings* lines, int kind, MsgButtonStyle& style)
{
    if (lines == nullptr)
        return;
    ReadColor(lines, kind, kButtonFill, u"color=rgb(", style.fillColor);
    ReadColor(lines, kind, kButtonFrameColor, u"framecolor=rgb(", style.frameColor);
    ReadNumber(lines, kind, kButtonFrameSize, u"framesize=", style.frameSize);
    ReadFaceName(lines, kind, kButtonFontName, u"textfontname=", style.font);
    ReadPair(lines, kind, kButtonFontSize, u"textfontsize=(", style.font.width, style.font.height);
    ReadNumber(lines, kind, kButtonWeight, u"textweight=", style.font.weight);
    ReadColor(lines, kind, kButtonHoverText, u"textactivecolor=rgb(", style.hoverTextColor);
    ReadColor(lines, kind, kButtonText, u"textnoactivecolor=rgb(", style.textColor);
    ReadPair(lines, kind, kButtonClickOffset, u"clickoffset=(", style.clickOffsetX, style.clickOffsetY);
}

void ReadMessageTextStyle(const SkinStrings* lines, int kind, MessageTextStyle& style)
{
    if (lines == nullptr)
        return;
    ReadFaceName(lines, kind, kTextFontName, u"textfontname=", style.font);
    ReadPair(lines, kind, kTextFontSize, u"textfontsize=(", style.font.width, style.font.height);
    ReadNumber(lines, kind, kTextWeight, u"textweight=", style.font.weight);
    ReadColor(lines, kind, kTextColor, u"textcolor=rgb(", style.textColor);
    ReadNumber(lines, kind, kTextGap, u"textgap=", style.textGap);
    ReadNumber(lines, kind, kTextLinePitch, u"textlinepitch=", style.textLinePitch);
    ReadColor(lines, kind, kPanelColor, u"backgroundcolor=rgb(", style.panelColor);
    ReadColor(lines, kind, kPanelFrameColor, u"backgroundframecolor=rgb(", style.frameColor);
    ReadNumber(lines, kind, kPanelFrameSize, u"backgroundframesize=", style.frameSize);
}
