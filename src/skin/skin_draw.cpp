#include "skin/skin_draw.h"

#include "platform/canvas.h"
#include "skin/core/skin_lines.h"

#include <QPainter>
#include <algorithm>

namespace {

// Skin positions are clamped to this range before they reach the painter, so sums of skin
// numbers can neither overflow nor push the text engine out of its range.
constexpr int64_t kCoordinateLimit = int64_t{1} << 24;

int Clamped(int64_t value)
{
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

template <class Draw> void WithPainter(QImage& canvas, Draw draw)
{
    if (canvas.isNull())
        return;
    QPainter painter(&canvas);
    if (painter.isActive())
        draw(painter);
}

} // namespace

void DrawSkinTexts(const SkinStrings* lines, const QString& section, QPainter& canvas, const QString& block)
{
    const SkinTextItems read = ReadSkinTextItems(lines, ToU16View(section), ToU16View(block));
    for (const SkinTextItem& item : read.items)
        DrawSkinTextItem(item, canvas);
}

void DrawSkinTexts(const SkinStrings* lines, const QString& section, QImage& canvas)
{
    WithPainter(canvas, [&](QPainter& painter) { DrawSkinTexts(lines, section, painter); });
}

namespace {

QFont SkinTextFont(const SkinTextItem& item)
{
    FontDesc desc;
    desc.height = item.fontHeight;
    desc.width = item.fontWidth;
    desc.weight = item.weight;
    desc.SetFaceName(item.fontName);
    return CreateFontFromDesc(desc, item.gap);
}

// Below this weight a text reads as regular, from it on as bold.
constexpr int kBoldWeight = 600;

} // namespace

QRect SkinTextItemRect(const SkinTextItem& item)
{
    const QString text = QString::fromStdU16String(item.text);
    const QSize size = MeasureText(SkinTextFont(item), text);
    const int64_t lines = text.count(QLatin1Char('\n')) + 1;
    const int64_t height = lines * size.height() + (lines - 1) * item.linePitch;
    const int left = Clamped(item.x);
    const int top = Clamped(item.y);
    return {left, top, Clamped(int64_t{item.x} + size.width()) - left,
            Clamped(int64_t{item.y} + height) - top};
}

std::vector<PaintedText> SkinPaintedTexts(const SkinStrings* lines, const QString& section,
                                          const QString& block)
{
    std::vector<PaintedText> texts;
    for (const SkinTextItem& item : ReadSkinTextItems(lines, ToU16View(section), ToU16View(block)).items) {
        QString text = QString::fromStdU16String(item.text);
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        texts.push_back({text, SkinTextItemRect(item), item.weight >= kBoldWeight});
    }
    return texts;
}

void DrawSkinTextItem(const SkinTextItem& item, QPainter& canvas)
{
    const QFont font = SkinTextFont(item);
    const QString text = QString::fromStdU16String(item.text);
    const QSize size = MeasureText(font, text);
    const QColor color = ColorRefToQColor(item.color);

    const int64_t pitch = int64_t{size.height()} + item.linePitch;
    const int left = Clamped(item.x);
    const int width = Clamped(int64_t{item.x} + size.width()) - left;
    const QStringList displayLines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < displayLines.size(); ++i) {
        const int64_t top = int64_t{item.y} + i * pitch;
        const int clampedTop = Clamped(top);
        const QRect rect(left, clampedTop, width, Clamped(top + size.height()) - clampedTop);
        DrawTextLine(canvas, rect, displayLines[i], font, color, TextAlign::Left);
    }
}

namespace {

const SkinBitmap* FindEntry(const SkinBitmaps* bitmaps, int number)
{
    if (bitmaps == nullptr)
        return nullptr;
    for (const SkinBitmap* entry : *bitmaps) {
        if (entry->number == number)
            return entry;
    }
    return nullptr;
}

} // namespace

QImage FindSkinBitmap(const SkinBitmaps* bitmaps, int number)
{
    const SkinBitmap* entry = FindEntry(bitmaps, number);
    return entry != nullptr ? entry->Image() : QImage();
}

QImage FindSkinBitmap2x(const SkinBitmaps* bitmaps, int number)
{
    const SkinBitmap* entry = FindEntry(bitmaps, number);
    return entry != nullptr ? entry->Image2x() : QImage();
}

bool DrawSkinBitmap(const SkinBitmaps* bitmaps, int number, QPainter& canvas)
{
    const SkinBitmap* entry = FindEntry(bitmaps, number);
    if (entry == nullptr || entry->Image().isNull())
        return false;
    const qreal ratio = canvas.device() != nullptr ? canvas.device()->devicePixelRatioF() : 1.0;
    const QImage image = ArtForRatio(entry->Image(), entry->Image2x(), ratio);
    canvas.save();
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    SetBitmapScaling(canvas);
    canvas.drawImage(QPoint(0, 0), image);
    canvas.restore();
    return true;
}

bool DrawSkinBitmap(const SkinBitmaps* bitmaps, int number, QImage& canvas)
{
    bool drawn = false;
    WithPainter(canvas, [&](QPainter& painter) { drawn = DrawSkinBitmap(bitmaps, number, painter); });
    return drawn;
}

bool GetSkinString(const SkinStrings* lines, int number, QString& text)
{
    std::u16string found;
    const bool exists = GetSkinString(lines, number, found);
    text = QString::fromStdU16String(found);
    return exists;
}

QString SkinString(const SkinStrings* lines, int number)
{
    QString text;
    GetSkinString(lines, number, text);
    return text;
}
