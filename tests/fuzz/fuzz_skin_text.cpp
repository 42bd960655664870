// Skin text from arbitrary bytes: each byte is one character, "\r" separates the lines (so
// line feeds stay inside them). The first line names the section and the second a button.
#include "pages/core/skin_list_block.h"
#include "skin/core/skin_button_items.h"
#include "skin/core/skin_lines.h"
#include "skin/core/skin_text_items.h"
#include "skin/core/skin_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

SkinStrings SplitLines(const uint8_t* data, size_t size)
{
    SkinStrings lines;
    std::u16string line;
    int number = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\r') {
            lines.EmplaceTail(number++, line);
            line.clear();
        } else {
            line.push_back(static_cast<char16_t>(data[i]));
        }
    }
    lines.EmplaceTail(number, line);
    return lines;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SkinStrings lines = SplitLines(data, size);
    const std::u16string section = lines.GetAt(0)->text;
    const std::u16string button = lines.GetCount() > 1 ? lines.GetAt(1)->text : u"Next";

    for (const std::u16string_view name : {std::u16string_view(section), std::u16string_view(u"Page")}) {
        const SkinTextItems texts = ReadSkinTextItems(&lines, name);
        Check(texts.status == SkinReadStatus::Ok || texts.items.empty());
        for (const SkinTextItem& item : texts.items) {
            Check(item.fontName.size() <= 31);
            Check(item.color <= 0xFFFFFF);
        }
    }
    const SkinButtonResult read =
        ReadSkinButtonItem(&lines, section, button, [](int32_t number) { return number % 2 == 0; });
    if (read.status == SkinReadStatus::Ok) {
        Check(read.item.image % 2 == 0);
        Check(read.item.fontName.size() <= 31);
        Check(read.item.activeColor <= 0xFFFFFF && read.item.inactiveColor <= 0xFFFFFF);
    }
    (void)ReadSkinListBlock(&lines, section, button);
    std::u16string text;
    (void)GetSkinString(&lines, static_cast<int>(size % 8), text);

    for (const StringEntry* line : lines) {
        if (IsSkinNumber(line->text) == 0)
            (void)SkinNumberValue(line->text);
        (void)ParseSkinPair(line->text);
        const SkinColor colour = ParseSkinColor(line->text);
        Check(colour.status == SkinValueStatus::Ok || colour.value == 0);
        Check(colour.value <= 0xFFFFFF);
    }
    return 0;
}
