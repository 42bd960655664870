#pragma once
// Drawing the skin onto a page canvas: the background bitmap and the text items of a section.
// Every function leaves the painter's state as it found it; a missing list, section, block or
// bitmap draws nothing.
#include "skin/core/skin_text_items.h"
#include "skin/pack_lists.h"
#include "skin/page_reading.h"

#include <QString>
#include <string_view>
#include <vector>

class QImage;
class QPainter;

inline std::u16string_view ToU16View(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

// Draws every complete text item of the section's "TEXT" block (or of `block`).
void DrawSkinTexts(const SkinStrings* lines, const QString& section, QPainter& canvas,
                   const QString& block = QStringLiteral("TEXT"));
void DrawSkinTexts(const SkinStrings* lines, const QString& section, QImage& canvas);

// One item: its display lines left-aligned from (x, y), each in a rectangle as wide as the
// whole text and spaced by the text's height plus linePitch.
void DrawSkinTextItem(const SkinTextItem& item, QPainter& canvas);

// The rectangle item's text covers: as wide as its widest line, all its lines high.
QRect SkinTextItemRect(const SkinTextItem& item);
// The complete text items of the block as a reader takes them.
std::vector<PaintedText> SkinPaintedTexts(const SkinStrings* lines, const QString& section,
                                          const QString& block = QStringLiteral("TEXT"));

// Copies bitmap `number` at its own size to (0, 0), from its 2x art on a surface of high pixel
// density; returns whether there was one.
bool DrawSkinBitmap(const SkinBitmaps* bitmaps, int number, QPainter& canvas);
bool DrawSkinBitmap(const SkinBitmaps* bitmaps, int number, QImage& canvas);

// The bitmap with that number, or a null image.
QImage FindSkinBitmap(const SkinBitmaps* bitmaps, int number);
// Its 2x art, or a null image when the list holds none.
QImage FindSkinBitmap2x(const SkinBitmaps* bitmaps, int number);

// The text of string `number` (empty and false when there is none).
bool GetSkinString(const SkinStrings* lines, int number, QString& text);
// The text of string `number`, or an empty text when there is none.
QString SkinString(const SkinStrings* lines, int number);
