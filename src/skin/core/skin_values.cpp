#include "skin/core/skin_values.h"

#include "platform/core/string_utils.h"
#include "skin/core/skin_lines.h"

#include <limits>

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr std::u16string_view kRgbOpen = u"rgb(";
constexpr size_t kNpos = std::u16string_view::npos;

// A colour component: a number from 0 to 255.
bool ParseComponent(std::u16string_view text, uint32_t& value)
{
    if (text.empty() || IsSkinNumber(text) != 0)
        return false;
    const int32_t number = SkinNumberValue(text);
    if (number < 0 || number > 255)
        return false;
    value = static_cast<uint32_t>(number);
    return true;
}

SkinColor InvalidColor()
{
    return {SkinValueStatus::Invalid, 0};
}

} // namespace

int IsSkinNumber(std::u16string_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == u'-')
        text.remove_prefix(1);
    if (text.empty())
        return kSkinValueError;
    for (char16_t c : text) {
        if (!IsDigit(c))
            return kSkinValueError;
    }
    return 0;
}

int32_t SkinNumberValue(std::u16string_view text)
{
    return DecimalValue(text);
}

namespace {

// Reads the number between the first `open` and the next `close` after it into `value`; a
// missing delimiter leaves `value` alone. False when the text between them is no number.
bool ReadBetween(std::u16string_view text, char16_t open, char16_t close, int32_t& value)
{
    const size_t start = text.find(open);
    if (start == kNpos)
        return true;
    const size_t end = text.find(close, start + 1);
    if (end == kNpos)
        return true;
    const std::u16string_view part = text.substr(start + 1, end - start - 1);
    if (IsSkinNumber(part) != 0)
        return false;
    value = SkinNumberValue(part);
    return true;
}

} // namespace

SkinPair ParseSkinPair(std::u16string_view text)
{
    SkinPair pair{SkinValueStatus::Ok, 0, 0};
    if (!ReadBetween(text, u'(', u',', pair.first) || !ReadBetween(text, u',', u')', pair.second))
        return {SkinValueStatus::Invalid, 0, 0};
    return pair;
}

SkinColor ParseSkinColor(std::u16string_view text)
{
    const std::u16string lowered = SkinLower(text);
    const size_t open = lowered.find(kRgbOpen);
    if (open == kNpos)
        return {SkinValueStatus::Absent, 0};
    const size_t close = lowered.find(u')', open + kRgbOpen.size());
    if (close == kNpos)
        return {SkinValueStatus::Absent, 0};
    return ParseRgb(std::u16string_view(lowered).substr(open, close - open + 1));
}

SkinColor ParseRgb(std::u16string_view text)
{
    if (text.size() <= 9 || !text.starts_with(kRgbOpen) || text.back() != u')')
        return InvalidColor();
    const size_t firstComma = text.find(u',', kRgbOpen.size());
    if (firstComma == kNpos)
        return InvalidColor();
    const size_t secondComma = text.find(u',', firstComma + 1);
    if (secondComma == kNpos)
        return InvalidColor();
    const size_t close = text.find(u')', secondComma + 1);
    if (close == kNpos)
        return InvalidColor();
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    if (!ParseComponent(text.substr(kRgbOpen.size(), firstComma - kRgbOpen.size()), red) ||
        !ParseComponent(text.substr(firstComma + 1, secondComma - firstComma - 1), green) ||
        !ParseComponent(text.substr(secondComma + 1, close - secondComma - 1), blue))
        return InvalidColor();
    return {SkinValueStatus::Ok, red + 256 * green + 65536 * blue};
}
