#pragma once
// BitmapButton: the skinned push button of the pages. Its look is one strip image of three
// equal frames side by side (normal, pressed, mouse over) with a caption drawn over the frame
// in the skin's font and colours; the caption moves by the click offset while pressed. With a
// focus that did not come from a click it draws the focus mark (focus_mark.h). Until a skin gives it a strip
// it draws nothing of its own (the page shows through) and still takes clicks.
#include "platform/core/color_ref.h"
#include "platform/core/font_desc.h"
#include "skin/button_skin.h"
#include "skin/hover_button.h"

#include <QFont>
#include <QImage>

class BitmapButton : public HoverButton
{
    Q_OBJECT

public:
    enum Frame
    {
        kFrameNormal = 0,
        kFramePressed = 1,
        kFrameHover = 2,
    };

    explicit BitmapButton(QWidget* parent = nullptr);

    // Takes the strip (shared, so a pack reload cannot free it under the button) and, for
    // screens of high pixel density, the same strip at twice the size; sizes the button to one
    // frame, keeping its position.
    void SetImage(const QImage& strip, const QImage& strip2x = {});
    // Replaces image, colours, click offset, font and caption with the item's.
    void SetSkin(const ButtonSkin& skin);

    bool HasImage() const { return !image_.isNull() && frameWidth_ > 0 && frameHeight_ > 0; }
    const QImage& Strip() const { return image_; }
    const QImage& Strip2x() const { return image2x_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    // The frame the button shows in its present state.
    Frame CurrentFrame() const;
    // The caption's top edge inside the frame, before the click offset.
    int CaptionTop() const;
    COLORREF ActiveColor() const { return activeColor_; }
    COLORREF InactiveColor() const { return inactiveColor_; }
    int ClickOffsetX() const { return clickOffsetX_; }
    int ClickOffsetY() const { return clickOffsetY_; }
    const FontDesc& FontDescription() const { return fontDesc_; }
    const QFont& CaptionFont() const { return font_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList CaptionLines() const;

    int frameWidth_ = 0;
    int frameHeight_ = 0;
    QImage image_;
    QImage image2x_;
    QFont font_;
    FontDesc fontDesc_;
    COLORREF activeColor_ = 0;
    COLORREF inactiveColor_ = 0;
    int clickOffsetX_ = 2;
    int clickOffsetY_ = 2;
};
