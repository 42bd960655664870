#include "platform/canvas.h"

#include "platform/core/hires_art.h"
#include "platform/program_fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Bounds that keep every text position inside the range of the text engine's fixed-point
// arithmetic (about 2^25 pixels): at most kMaxTextChars characters of at most kMaxFontPixels
// each plus an extra of at most kMaxExtra.
constexpr int kMaxFontPixels = 1024;
constexpr int kMaxExtra = 1024;
constexpr qsizetype kMaxTextChars = 8192;
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;

QImage::Format FormatForDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8:
        return QImage::Format_Grayscale8;
    case 16:
        return QImage::Format_RGB16;
    case 24:
        return QImage::Format_RGB888;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_Invalid;
    }
}

QString Measurable(const QString& text)
{
    // A line feed is measured as a character of its own, never as a break.
    QString line = text.left(kMaxTextChars);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

// A positive height asks for the whole line height (the cell); a negative one for the
// character height, which is what a pixel size is.
int PixelSizeFor(QFont font, int32_t height)
{
    const int wanted =
        static_cast<int>(std::min<int64_t>(std::llabs(static_cast<int64_t>(height)), kMaxFontPixels));
    if (height < 0)
        return wanted;
    font.setPixelSize(wanted);
    const int cell = QFontMetrics(font).height();
    if (cell <= wanted || cell <= 0)
        return wanted;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(wanted) * wanted / cell)));
}

} // namespace

QImage CreateCanvasBitmap(int height, int width, int bitsPerPixel)
{
    const QImage::Format format = FormatForDepth(bitsPerPixel);
    if (format == QImage::Format_Invalid || width <= 0 || height <= 0)
        return {};
    QImage canvas(width, height, format);
    if (canvas.isNull())
        return {};
    canvas.fill(0);
    return canvas;
}

QImage CreateCanvasBitmap(int height, int width, int bitsPerPixel, qreal ratio)
{
    if (!(ratio > 1.0) || width <= 0 || height <= 0)
        return CreateCanvasBitmap(height, width, bitsPerPixel);
    QImage canvas = CreateCanvasBitmap(static_cast<int>(std::ceil(height * ratio)),
                                       static_cast<int>(std::ceil(width * ratio)), bitsPerPixel);
    canvas.setDevicePixelRatio(ratio);
    return canvas;
}

QImage ArtForRatio(const QImage& image, const QImage& image2x, qreal ratio)
{
    if (!WantsHiResArt(ratio) || image2x.isNull() || image2x.size() != image.size() * kHiResArtScale)
        return image;
    QImage sharp = image2x;
    sharp.setDevicePixelRatio(kHiResArtScale);
    return sharp;
}

void SetBitmapScaling(QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const bool scaled = device != nullptr && device->devicePixelRatioF() != 1.0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
}

QFont CreateFontFromDesc(const FontDesc& desc, int extra)
{
    QFont font;
    font.setHintingPreference(kTextHinting);
    if (!desc.faceName.empty())
        font.setFamily(QString::fromStdU16String(TruncateFaceName(desc.faceName)));
    if (desc.height != 0)
        font.setPixelSize(PixelSizeFor(font, desc.height));
    font.setWeight(desc.weight <= 0 ? QFont::Normal
                                    : static_cast<QFont::Weight>(std::min(desc.weight, 1000)));
    if (desc.width != 0) {
        const int average = QFontMetrics(font).averageCharWidth();
        if (average > 0) {
            const int64_t stretch = std::llabs(static_cast<int64_t>(desc.width)) * 100 / average;
            font.setStretch(static_cast<int>(std::clamp<int64_t>(stretch, kMinStretch, kMaxStretch)));
        }
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, std::clamp(extra, -kMaxExtra, kMaxExtra));
    return font;
}

QSize MeasureText(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return QSize(std::max(0, metrics.horizontalAdvance(Measurable(text))), metrics.height());
}

namespace {

// The longest start of `word` (at least one character) that fits `width`.
qsizetype FittingPrefix(const QFont& font, const QString& word, int width)
{
    qsizetype fits = 1;
    while (fits < word.size() && MeasureText(font, word.left(fits + 1)).width() <= width)
        ++fits;
    return fits;
}

// The pieces of `line` that a break may separate: its words, except that the words of a
// bracketed group such as "(0-9, a-f)" stay together.
QStringList BreakUnits(const QString& line)
{
    QStringList units;
    QString current;
    int depth = 0;
    for (const QChar c : line) {
        if (c == QLatin1Char('(') || c == QLatin1Char('['))
            ++depth;
        else if ((c == QLatin1Char(')') || c == QLatin1Char(']')) && depth > 0)
            --depth;
        if (c == QLatin1Char(' ') && depth == 0) {
            units.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    units.append(current);
    return units;
}

// Fills each line as far as `width` allows.
QStringList GreedyWrap(const QFont& font, const QStringList& units, int width)
{
    QStringList lines;
    QString current;
    for (QString word : units) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (MeasureText(font, joined).width() <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            lines.append(current);
        while (MeasureText(font, word).width() > width) {
            const qsizetype cut = FittingPrefix(font, word, width);
            lines.append(word.left(cut));
            word.remove(0, cut);
        }
        current = word;
    }
    lines.append(current);
    return lines;
}

} // namespace

QStringList WrapTextLine(const QFont& font, const QString& line, int width)
{
    const QStringList units = BreakUnits(line);
    const QStringList greedy = GreedyWrap(font, units, width);
    if (greedy.size() < 2)
        return greedy;
    // The narrowest width that needs no more lines than `width` does: the lines come out of
    // even length instead of leaving a lone word on the last.
    int low = 1;
    int high = width;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (GreedyWrap(font, units, middle).size() <= greedy.size())
            high = middle;
        else
            low = middle + 1;
    }
    return GreedyWrap(font, units, low);
}

void DrawTextLine(QPainter& painter, const QRect& rect, const QString& line, const QFont& font,
                  const QColor& color, TextAlign align)
{
    if (line.isEmpty() || rect.isEmpty())
        return;
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(rect, Qt::IntersectClip);
    const int horizontal = align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    painter.drawText(rect, horizontal | Qt::AlignTop | Qt::TextSingleLine, line.left(kMaxTextChars));
    painter.restore();
}
