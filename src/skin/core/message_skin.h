#pragma once
// The look of a message box of one kind, read from the language pack's numbered strings:
// kind k uses the strings 59000 + 1000 k + offset. Offsets 2-10 style the box's buttons, 13-21
// its message text and panel. Each string is one key line ("framesize=3", "color=rgb(1,2,3)");
// a missing string or a value that fails its grammar leaves that setting as it was.
#include "platform/core/color_ref.h"
#include "platform/core/font_desc.h"
#include "skin/core/string_table.h"

#include <cstdint>

// The look shared by the three buttons of a box, and of the Load Skin button.
struct MsgButtonStyle
{
    COLORREF fillColor = 0xB4B4B4;
    COLORREF frameColor = 0;
    int32_t frameSize = 1;
    FontDesc font{14, 7, 500, u"Helvetica Narrow"};
    COLORREF hoverTextColor = 0xFFFFFF;
    COLORREF textColor = MakeColorRef(159, 122, 208);
    int32_t clickOffsetX = 1;
    int32_t clickOffsetY = 1;

    bool operator==(const MsgButtonStyle&) const = default;
};

// The look of the message text and the panel behind it.
struct MessageTextStyle
{
    FontDesc font{15, 7, 500, u"Helvetica Narrow"};
    COLORREF textColor = 0;
    int32_t textGap = 0;
    int32_t textLinePitch = 0;
    COLORREF panelColor = MakeColorRef(155, 206, 53);
    COLORREF frameColor = 0;
    int32_t frameSize = 5;

    bool operator==(const MessageTextStyle&) const = default;
};

inline constexpr int kMessageSkinBase = 59000;
inline constexpr int kMessageSkinStep = 1000;

// Number of the first string of kind `kind` (offset 0); saturates instead of overflowing.
int32_t MessageSkinBase(int kind);

// Overwrites the settings whose strings are present and valid; the rest keep their values.
void ReadMsgButtonStyle(const SkinStrings* lines, int kind, MsgButtonStyle& style);
void ReadMessageTextStyle(const SkinStrings* lines, int kind, MessageTextStyle& style);
