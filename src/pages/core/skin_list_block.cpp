#include "pages/core/skin_list_block.h"

#include "skin/core/skin_lines.h"

SkinListBlock ReadSkinListBlock(const SkinStrings* lines, std::u16string_view section,
                                std::u16string_view block)
{
    SkinListBlock list;
    if (lines == nullptr)
        return list;
    const std::u16string sectionClose = SkinCloseTag(section);
    const std::u16string open = SkinOpenTag(block);
    const std::u16string close = SkinCloseTag(block);
    for (const StringEntry* entry : *lines) {
        const std::u16string& line = entry->text;
        if (SkinEqualsIgnoreCase(line, sectionClose) || SkinEqualsIgnoreCase(line, close))
            break;
        if (list.found) {
            list.lines.push_back(line);
        } else if (SkinEqualsIgnoreCase(line, open)) {
            list.found = true;
        }
    }
    return list;
}
