#pragma once
// Walking the skin text: its lines are the string list's entries in list order. Tags are whole
// lines "<name>" / "</name>" compared ignoring ASCII letter case; keys are line beginnings.
#include "skin/core/string_table.h"

#include <string>
#include <string_view>

// Lower-cases A-Z only; every other character is kept.
std::u16string SkinLower(std::u16string_view text);
bool SkinEqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
bool SkinStartsWithIgnoreCase(std::u16string_view line, std::u16string_view key);
std::u16string SkinOpenTag(std::u16string_view name);
std::u16string SkinCloseTag(std::u16string_view name);

// Position (0-based, in list order) of the section's opening tag, or -1 when the list is
// absent, the section's closing tag comes first, or the tag is missing.
int FindSkinSection(const SkinStrings* lines, std::u16string_view section);
// Position of the block's opening tag at or after `start`, or -1 when its closing tag comes
// first or it is missing. Not bounded by any enclosing section.
int FindSkinBlock(const SkinStrings* lines, int start, std::u16string_view block);

// Copies the text of the entry numbered `number` and answers true; otherwise empties `text`
// and answers false.
bool GetSkinString(const SkinStrings* lines, int number, std::u16string& text);
