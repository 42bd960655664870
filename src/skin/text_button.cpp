#include "skin/text_button.h"

#include "platform/canvas.h"
#include "skin/focus_mark.h"
#include "skin/program_look.h"
#include "skin/skin_draw.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr qreal kCornerRadius = 6; // the corner of the pack's button art
}

TextButton::TextButton(QWidget* parent) : HoverButton(parent), style_(ConstructionStyle())
{
    RemakeFont();
}

MsgButtonStyle TextButton::ConstructionStyle()
{
    // A button nobody styled: grey with a black frame, black text that turns blue on hover.
    MsgButtonStyle style;
    style.hoverTextColor = MakeColorRef(45, 154, 213);
    style.textColor = 0;
    return style;
}

void TextButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(caption);
    update();
}

void TextButton::SetFont(const QString& faceName, int width, int height, int weight)
{
    style_.font.SetFaceName(ToU16View(faceName));
    style_.font.width = width;
    style_.font.height = height;
    style_.font.weight = weight;
    RemakeFont();
}

void TextButton::SetStyle(const MsgButtonStyle& style)
{
    style_ = style;
    RemakeFont();
}

void TextButton::ApplyLoadSkinStyle(const QString& caption)
{
    // The pages' secondary button: accent outline and caption on white, darker under the mouse.
    MsgButtonStyle style;
    style.frameSize = 1;
    style.clickOffsetX = 1;
    style.clickOffsetY = 1;
    style.fillColor = MakeColorRef(255, 255, 255);
    style.frameColor = MakeColorRef(84, 104, 196);
    style.hoverTextColor = MakeColorRef(74, 95, 176);
    style.textColor = MakeColorRef(84, 104, 196);
    style.font = FontDesc{-12, 0, 400, u"DejaVu Sans"};
    SetStyle(style);
    SetCaption(caption);
}

void TextButton::RemakeFont()
{
    font_ = CreateFontFromDesc(style_.font);
    update();
}

void TextButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Rounded like the pack's buttons: the frame colour, then the fill inset by the frame.
    const QRect whole = rect();
    painter.setBrush(ColorRefToQColor(style_.frameColor));
    painter.drawRoundedRect(QRectF(whole), kCornerRadius, kCornerRadius);
    // Skin values are clamped to the button so that no rectangle arithmetic can overflow.
    const int inset = std::clamp(style_.frameSize, 0, std::max(whole.width(), whole.height()));
    const QRect inside = whole.adjusted(inset, inset, -inset, -inset);
    // With the keyboard focus a light button takes the pale accent and an accent ring on its
    // edge: the small test-mode buttons have no room for a ring inside.
    const QColor fill = ColorRefToQColor(style_.fillColor);
    const QColor mark = focus_mark::MarkColorOn(fill);
    const bool marked = ShowsFocusMark();
    if (inside.isValid()) {
        const qreal radius = std::max<qreal>(0, kCornerRadius - inset);
        painter.setBrush(marked && mark != Qt::white ? program_look::kAccentPale : fill);
        painter.drawRoundedRect(QRectF(inside), radius, radius);
    }

    QRect caption = whole;
    if (isDown())
        caption.translate(std::clamp(style_.clickOffsetX, -whole.width(), whole.width()),
                          std::clamp(style_.clickOffsetY, -whole.height(), whole.height()));
    const int lineHeight = MeasureText(font_, caption_).height();
    const QRect line(caption.left(), caption.top() + (caption.height() - lineHeight) / 2, caption.width(),
                     lineHeight);
    DrawTextLine(painter, line, caption_, font_, ColorRefToQColor(CaptionColor()), TextAlign::Centre);
    if (marked)
        focus_mark::DrawFocusRing(painter, whole, mark, 0);
}
