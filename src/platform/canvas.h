#pragma once
// The off-screen canvas that skinned windows are drawn on, fonts made from font descriptions,
// and single-line text drawing with an inter-character extra.
#include "platform/core/color_ref.h"
#include "platform/core/font_desc.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

// A zero-filled canvas of width x height pixels. Depths 8, 16, 24 and 32 bits per pixel are
// accepted (24 gives Format_RGB888, the depth every window uses); any other depth, a size
// that is not positive, or a failed allocation gives a null image.
QImage CreateCanvasBitmap(int height, int width, int bitsPerPixel);

// The same canvas for a screen of `ratio` device pixels per pixel: its pixel size is the
// logical size times the ratio, rounded up, and painters on it work in logical pixels, so
// text is drawn at the screen's resolution. A ratio of 1 or less gives the plain canvas.
QImage CreateCanvasBitmap(int height, int width, int bitsPerPixel, qreal ratio);

// The picture to draw on a surface of `ratio` device pixels per pixel: the 2x art, marked as
// such so that painters draw it at the 1x size, when the ratio asks for it and there is 2x
// art of exactly twice the size; the 1x picture otherwise.
QImage ArtForRatio(const QImage& image, const QImage& image2x, qreal ratio);

// Bitmaps that the painter draws onto a surface of a device pixel ratio other than 1 are
// scaled smoothly; at ratio 1 they stay copied pixel for pixel.
void SetBitmapScaling(QPainter& painter);

// A font from a description: height as the pixel size (its magnitude; 0 keeps the default),
// width as a stretch of the face's own average width (0 keeps it), weight (0 normal), face
// name, and `extra` pixels added after every character. Sizes are clamped to what text
// drawing can handle.
QFont CreateFontFromDesc(const FontDesc& desc, int extra = 0);

// Width and height of `text` as one line (a line feed is measured as a character, never
// as a break), extra included; the height is the font's line height.
QSize MeasureText(const QFont& font, const QString& text);

// `line` broken into display lines no wider than `width` (extra included): at spaces outside
// brackets where it can, inside a word only when the word alone is wider; as few lines as
// `width` allows, of even length. Never empty; an empty line stays one empty line.
QStringList WrapTextLine(const QFont& font, const QString& line, int width);

enum class TextAlign
{
    Left,
    Centre,
};

// Draws one line at the top of `rect`, clipped to it, with a transparent background. The
// painter's state is left as it was.
void DrawTextLine(QPainter& painter, const QRect& rect, const QString& line, const QFont& font,
                  const QColor& color, TextAlign align = TextAlign::Left);

inline QColor ColorRefToQColor(COLORREF c)
{
    return QColor(ColorRefRed(c), ColorRefGreen(c), ColorRefBlue(c));
}
