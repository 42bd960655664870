#include "skin/core/skin_lines.h"

#include "platform/core/string_utils.h"

namespace {

// Walks from `start` to the first line equal to the opening or the closing tag of `name`.
int FindOpeningTag(const SkinStrings* lines, int start, std::u16string_view name)
{
    if (lines == nullptr || start < 0)
        return -1;
    const std::u16string open = SkinOpenTag(name);
    const std::u16string close = SkinCloseTag(name);
    for (size_t i = static_cast<size_t>(start); i < lines->GetCount(); ++i) {
        const std::u16string& line = lines->GetAt(i)->text;
        if (SkinEqualsIgnoreCase(line, open))
            return static_cast<int>(i);
        if (SkinEqualsIgnoreCase(line, close))
            return -1;
    }
    return -1;
}

} // namespace

std::u16string SkinLower(std::u16string_view text)
{
    std::u16string lowered(text);
    for (char16_t& c : lowered)
        c = AsciiLower(c);
    return lowered;
}

bool SkinEqualsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && SkinStartsWithIgnoreCase(a, b);
}

bool SkinStartsWithIgnoreCase(std::u16string_view line, std::u16string_view key)
{
    if (line.size() < key.size())
        return false;
    for (size_t i = 0; i < key.size(); ++i) {
        if (AsciiLower(line[i]) != AsciiLower(key[i]))
            return false;
    }
    return true;
}

std::u16string SkinOpenTag(std::u16string_view name)
{
    return u"<" + std::u16string(name) + u">";
}

std::u16string SkinCloseTag(std::u16string_view name)
{
    return u"</" + std::u16string(name) + u">";
}

int FindSkinSection(const SkinStrings* lines, std::u16string_view section)
{
    return FindOpeningTag(lines, 0, section);
}

int FindSkinBlock(const SkinStrings* lines, int start, std::u16string_view block)
{
    return FindOpeningTag(lines, start, block);
}

bool GetSkinString(const SkinStrings* lines, int number, std::u16string& text)
{
    text.clear();
    if (lines == nullptr)
        return false;
    for (const StringEntry* entry : *lines) {
        if (entry->number == number) {
            text = entry->text;
            return true;
        }
    }
    return false;
}
