#pragma once
// A small language pack made in memory for the widget tests: one page section "T_Page" with
// a text item and a "Next" button item, a plain background, a three-frame button strip and
// the message-box strings and icons of kinds 1 to 4.
#include "skin/core/string_table.h"
#include "skin/pack_lists.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

struct SkinTestPack
{
    static constexpr int kBackground = 500;
    static constexpr int kSmallBackground = 501; // 100 x 100, covers only the top-left corner
    static constexpr int kStrip = 600;           // 300 x 40: three frames of 100 x 40
    static inline const QColor kBackgroundColor{10, 20, 30};
    static inline const QColor kFrameColors[3] = {QColor(200, 0, 0), QColor(0, 200, 0), QColor(0, 0, 200)};
    static inline const QColor kKindColors[4] = {QColor(214, 69, 69), QColor(232, 163, 61),
                                                 QColor(100, 122, 208), QColor(155, 206, 53)};

    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;

    SkinTestPack()
    {
        const std::vector<std::u16string> section = {
            u"<T_Page>",
            u"<TEXT>",
            u"text=Hello",
            u"position=(20,30)",
            u"color=rgb(255,255,255)",
            u"fontsize=(0,20)",
            u"fontname=DejaVu Sans",
            u"weight=700",
            u"gap=0",
            u"linepitch=0",
            u"</TEXT>",
            u"<BUTTON>",
            u"<Next>",
            u"image=600",
            u"text=Next",
            u"fontname=DejaVu Sans",
            u"fontsize=(0,13)",
            u"nfontweight=400",
            u"activecolor=rgb(255,255,255)",
            u"noactivecolor=rgb(0,0,0)",
            u"clickoffset=(1,1)",
            u"</Next>",
            u"</BUTTON>",
            u"</T_Page>",
        };
        int number = 1000;
        for (const std::u16string& line : section)
            strings.EmplaceTail(number++, line);
        for (int kind = 1; kind <= 4; ++kind)
            AddKind(kind);

        bitmaps.EmplaceTail(kBackground, Filled(581, 436, kBackgroundColor));
        bitmaps.EmplaceTail(kSmallBackground, Filled(100, 100, QColor(90, 90, 90)));
        bitmaps.EmplaceTail(kStrip, Strip());
        for (int kind = 1; kind <= 4; ++kind)
            icons.EmplaceTail(kind, Filled(32, 32, kKindColors[kind - 1]));
    }

    static QImage Filled(int width, int height, const QColor& color)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    static QImage Strip()
    {
        QImage strip(300, 40, QImage::Format_RGB32);
        QPainter painter(&strip);
        for (int frame = 0; frame < 3; ++frame)
            painter.fillRect(frame * 100, 0, 100, 40, kFrameColors[frame]);
        return strip;
    }

private:
    void AddKind(int kind)
    {
        const int base = 59000 + 1000 * kind;
        const std::u16string panel = kind == 1 ? u"255,240,240" : u"255,255,255";
        const std::vector<std::pair<int, std::u16string>> keys = {
            {2, u"color=rgb(100,122,208)"},
            {3, u"framecolor=rgb(74,95,176)"},
            {4, u"framesize=1"},
            {5, u"textfontname=DejaVu Sans"},
            {6, u"textfontsize=(0,13)"},
            {7, u"textweight=600"},
            {8, u"textactivecolor=rgb(255,255,255)"},
            {9, u"textnoactivecolor=rgb(235,238,250)"},
            {10, u"clickoffset=(1,1)"},
            {13, u"textfontname=DejaVu Sans"},
            {14, u"textfontsize=(0,13)"},
            {15, u"textweight=400"},
            {16, u"textcolor=rgb(43,47,58)"},
            {17, u"textgap=0"},
            {18, u"textlinepitch=4"},
            {19, u"backgroundcolor=rgb(" + panel + u")"},
            {20, u"backgroundframecolor=rgb(100,122,208)"},
            {21, u"backgroundframesize=3"},
        };
        for (const auto& [offset, text] : keys)
            strings.EmplaceTail(base + offset, text);
    }
};
