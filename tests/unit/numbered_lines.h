#pragma once
// Builds a string list the way a pack's string table reads: lines numbered upwards in order.
#include "skin/core/string_table.h"

#include <string>
#include <vector>

inline SkinStrings NumberedLines(const std::vector<std::u16string>& texts, int first = 1)
{
    SkinStrings list;
    for (const std::u16string& text : texts)
        list.EmplaceTail(first++, text);
    return list;
}
