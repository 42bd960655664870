#include "skin/bitmap_button.h"

#include "platform/canvas.h"
#include "skin/focus_mark.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kFrameCount = 3;
const QString kLineBreak = QStringLiteral("\r\n");

FontDesc DescribeFont(const QFont& font)
{
    FontDesc desc;
    desc.height = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    desc.weight = font.weight();
    const QString family = font.family();
    desc.SetFaceName(std::u16string_view(reinterpret_cast<const char16_t*>(family.utf16()), family.size()));
    return desc;
}

} // namespace

BitmapButton::BitmapButton(QWidget* parent) : HoverButton(parent)
{
    fontDesc_ = DescribeFont(font());
    font_ = CreateFontFromDesc(fontDesc_);
}

void BitmapButton::SetImage(const QImage& strip, const QImage& strip2x)
{
    image_ = strip;
    image2x_ = strip2x;
    frameWidth_ = strip.width() / kFrameCount;
    frameHeight_ = strip.height();
    resize(frameWidth_, frameHeight_);
}

void BitmapButton::SetSkin(const ButtonSkin& skin)
{
    SetImage(skin.image, skin.image2x);
    activeColor_ = skin.activeColor;
    inactiveColor_ = skin.inactiveColor;
    clickOffsetX_ = skin.clickOffsetX;
    clickOffsetY_ = skin.clickOffsetY;
    fontDesc_ = skin.font;
    font_ = CreateFontFromDesc(fontDesc_);
    // Captions break only at CR LF pairs; the skin writes a plain line feed.
    QString caption = skin.text;
    caption.replace(kLineBreak, QStringLiteral("\n")).replace(QLatin1Char('\n'), kLineBreak);
    setText(caption);
    update();
    if (parentWidget() != nullptr)
        parentWidget()->update(geometry());
}

BitmapButton::Frame BitmapButton::CurrentFrame() const
{
    if (!isEnabled())
        return kFrameNormal;
    if (isDown())
        return kFramePressed;
    return IsHovering() ? kFrameHover : kFrameNormal;
}

QStringList BitmapButton::CaptionLines() const
{
    return text().split(kLineBreak);
}

int BitmapButton::CaptionTop() const
{
    const int64_t lineHeight = MeasureText(font_, text()).height();
    const int64_t block = lineHeight * CaptionLines().size();
    return block < frameHeight_ ? static_cast<int>((frameHeight_ - block) / 2) : 0;
}

void BitmapButton::paintEvent(QPaintEvent*)
{
    if (!HasImage())
        return;
    const Frame frame = CurrentFrame();
    QPainter painter(this);
    SetBitmapScaling(painter);
    const QImage strip = ArtForRatio(image_, image2x_, devicePixelRatioF());
    const int scale = strip.width() / std::max(1, image_.width());
    painter.drawImage(QRect(0, 0, frameWidth_, frameHeight_), strip,
                      QRect(frame * frameWidth_ * scale, 0, frameWidth_ * scale, frameHeight_ * scale));

    const bool pressed = frame == kFramePressed;
    const QColor color = ColorRefToQColor(frame == kFrameNormal ? inactiveColor_ : activeColor_);
    // Offsets beyond the frame would only hide the caption; clamping keeps the sums in range.
    const int shiftX = pressed ? std::clamp(clickOffsetX_, -frameWidth_, frameWidth_) : 0;
    const int shiftY = pressed ? std::clamp(clickOffsetY_, -frameHeight_, frameHeight_) : 0;
    const QRect caption(shiftX, CaptionTop() + shiftY, frameWidth_, frameHeight_);
    const int lineHeight = MeasureText(font_, text()).height();
    const QStringList lines = CaptionLines();
    for (int i = 0; i < lines.size(); ++i) {
        const QRect line =
            QRect(caption.left(), caption.top() + i * lineHeight, frameWidth_, lineHeight) & caption;
        if (line.isEmpty())
            break;
        DrawTextLine(painter, line, lines[i], font_, color, TextAlign::Centre);
    }
    if (ShowsFocusMark()) {
        // The ring's colour is taken where the ring runs, not at the centre: a glyph button (the
        // white cross of Close on the header band) has another colour in its middle.
        const int ringX = std::min(focus_mark::kRingInset + 1, frameWidth_ - 1);
        const QColor fill = image_.pixelColor(frame * frameWidth_ + ringX, frameHeight_ / 2);
        focus_mark::DrawFocusRing(painter, rect(), focus_mark::MarkColorOn(fill));
    }
}
