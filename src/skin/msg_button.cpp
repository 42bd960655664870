#include "skin/msg_button.h"

#include "platform/canvas.h"
#include "skin/skin_draw.h"

#include <QPainter>
#include <algorithm>

CMsgButton::CMsgButton(QWidget* parent) : QPushButton(parent), style_(ConstructionStyle())
{
    setAutoDefault(false);
    RemakeFont();
}

MsgButtonStyle CMsgButton::ConstructionStyle()
{
    // A button nobody styled: grey with a black frame, black text that turns blue on hover.
    MsgButtonStyle style;
    style.hoverTextColor = MakeColorRef(45, 154, 213);
    style.textColor = 0;
    return style;
}

void CMsgButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void CMsgButton::SetFont(const QString& faceName, int width, int height, int weight)
{
    style_.font.SetFaceName(ToU16View(faceName));
    style_.font.width = width;
    style_.font.height = height;
    style_.font.weight = weight;
    RemakeFont();
}

void CMsgButton::SetStyle(const MsgButtonStyle& style)
{
    style_ = style;
    RemakeFont();
}

void CMsgButton::ApplyLoadSkinStyle(const QString& caption)
{
    MsgButtonStyle style;
    style.frameSize = 1;
    style.clickOffsetX = 1;
    style.clickOffsetY = 1;
    style.fillColor = 0xB4B4B4;
    style.frameColor = 0;
    style.hoverTextColor = 0xFFFFFF;
    style.textColor = MakeColorRef(100, 122, 208);
    style.font = FontDesc{15, 7, 500, u"Helvetica Narrow"};
    SetStyle(style);
    SetCaption(caption);
}

void CMsgButton::RemakeFont()
{
    font_ = CreateFontFromDesc(style_.font);
    update();
}

void CMsgButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect whole = rect();
    painter.fillRect(whole, ColorRefToQColor(style_.frameColor));
    // Skin values are clamped to the button so that no rectangle arithmetic can overflow.
    const int inset = std::clamp(style_.frameSize, 0, std::max(whole.width(), whole.height()));
    const QRect inside = whole.adjusted(inset, inset, -inset, -inset);
    if (inside.isValid())
        painter.fillRect(inside, ColorRefToQColor(style_.fillColor));

    QRect caption = whole;
    if (isDown())
        caption.translate(std::clamp(style_.clickOffsetX, -whole.width(), whole.width()),
                          std::clamp(style_.clickOffsetY, -whole.height(), whole.height()));
    const int lineHeight = MeasureText(font_, caption_).height();
    const QRect line(caption.left(), caption.top() + (caption.height() - lineHeight) / 2, caption.width(),
                     lineHeight);
    DrawTextLine(painter, line, caption_, font_, ColorRefToQColor(CaptionColor()), TextAlign::Centre);
}

void CMsgButton::enterEvent(QEnterEvent* event)
{
    hovering_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CMsgButton::leaveEvent(QEvent* event)
{
    hovering_ = false;
    update();
    QPushButton::leaveEvent(event);
}
