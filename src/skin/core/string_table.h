#pragma once
// The language pack's string list: numbered texts in ascending number order. It is at once
// the source of every visible text and the skin text that describes the pages.
#include "platform/core/owned_list.h"

#include <string>

class StringEntry
{
public:
    StringEntry(int number, std::u16string text) : number(number), text(std::move(text)) {}
    int number;
    std::u16string text;
};

using SkinStrings = OwnedList<StringEntry>;
