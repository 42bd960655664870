#include "skin/core/time_zone_block.h"

#include "skin/core/skin_lines.h"

TimeZoneBlock ReadTimeZoneBlock(const CStringList* lines, std::u16string_view section)
{
    TimeZoneBlock block;
    if (lines == nullptr)
        return block;
    const std::u16string sectionClose = SkinCloseTag(section);
    const std::u16string open = SkinOpenTag(kTimeZoneBlock);
    const std::u16string close = SkinCloseTag(kTimeZoneBlock);
    for (const CStringTableObj* entry : *lines) {
        const std::u16string& line = entry->text;
        if (SkinEqualsIgnoreCase(line, sectionClose) || SkinEqualsIgnoreCase(line, close))
            break;
        if (block.found) {
            block.names.push_back(line);
        } else if (SkinEqualsIgnoreCase(line, open)) {
            block.found = true;
        }
    }
    return block;
}
