// Message-box looks from arbitrary pack strings: the first byte picks the kind, the rest are
// lines (bytes as Latin-1) given the kind's string numbers from offset 0 upwards.
#include "skin/core/message_skin.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int kind = data[0] % 6 - 1; // -1 to 4: kinds without strings too
    SkinStrings lines;
    int32_t number = MessageSkinBase(kind);
    std::u16string line;
    for (size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            lines.EmplaceTail(number++, line);
            line.clear();
        } else {
            line.push_back(static_cast<char16_t>(data[i]));
        }
    }
    MsgButtonStyle button;
    ReadMsgButtonStyle(&lines, kind, button);
    MessageTextStyle text;
    ReadMessageTextStyle(&lines, kind, text);
    if (button.font.faceName.size() > kMaxFaceNameChars || text.font.faceName.size() > kMaxFaceNameChars)
        std::abort();
    return 0;
}
