#include "device_ui/search_status_strip.h"

#include "platform/canvas.h"
#include "platform/core/hires_art.h"
#include "skin/skin_draw.h"
#include "skin/window_accessible.h"

#include <QPainter>

namespace {
constexpr int64_t kFramePeriodMs = 500;
constexpr int kTextGap = 6;
constexpr int kTextPixels = 11;
const QColor kTextColour(107, 112, 128);
} // namespace

SearchStatusStrip::SearchStatusStrip(QWidget* parent) : QWidget(parent)
{
    window_accessible::MarkDecorative(this);
    connect(&animate_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrameCount;
        update();
    });
}

void SearchStatusStrip::LoadArt(const SkinBitmaps* bitmaps)
{
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < kFrameCount; ++i) {
        const int number = kFrameBitmaps[static_cast<size_t>(i)];
        const QImage plain = FindSkinBitmap(bitmaps, number);
        const QImage sharp = WantsHiResArt(ratio) ? FindSkinBitmap2x(bitmaps, number) : QImage();
        QImage art = ArtForRatio(plain, sharp, ratio);
        const qreal scale = art.devicePixelRatio();
        const QRectF pixels(QPointF(kDots.topLeft()) * scale, QSizeF(kDots.size()) * scale);
        QImage crop = art.isNull() ? QImage() : art.copy(pixels.toRect());
        crop.setDevicePixelRatio(scale);
        dots_[static_cast<size_t>(i)] = std::move(crop);
    }
    update();
}

void SearchStatusStrip::SetText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

void SearchStatusStrip::SetAnimating(bool on)
{
    if (on == animate_.isActive())
        return;
    frame_ = 0;
    if (on)
        animate_.Start(kFramePeriodMs);
    else
        animate_.stop();
    update();
}

void SearchStatusStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    SetBitmapScaling(painter);
    int textLeft = 0;
    if (animate_.isActive()) {
        const QImage& dots = dots_[static_cast<size_t>(frame_)];
        if (!dots.isNull())
            painter.drawImage(QPoint(0, (height() - kDots.height()) / 2), dots);
        textLeft = kDots.width() + kTextGap;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    painter.setPen(kTextColour);
    const QRect line(textLeft, 0, width() - textLeft, height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(text_, Qt::ElideRight, line.width()));
}
