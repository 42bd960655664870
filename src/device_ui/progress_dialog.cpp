#include "device_ui/progress_dialog.h"

#include "device_ui/search_layout.h"
#include "platform/canvas.h"
#include "platform/core/hires_art.h"
#include "platform/resource_library.h"
#include "skin/bitmap_button.h"
#include "skin/button_skin.h"
#include "skin/skin_draw.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int64_t kFirstFrameDelayMs = 300;
constexpr int64_t kFramePeriodMs = 500;
constexpr int64_t kStatusPeriodMs = 1000;
// The status line: the frames' grey help text, in a strip of its own under the frame, so that it
// never meets the frame's animation. The strip continues the frame's border.
constexpr int kStatusStripHeight = 24;
// Stop, centred under the status line.
constexpr QSize kStopSize{96, 32};
constexpr int kStopRowHeight = kStopSize.height() + 8;
constexpr int kBorderPixels = 2;
constexpr int kStatusPixels = 11;
const QColor kStatusColour(107, 112, 128);
} // namespace

ProgressDialog::ProgressDialog(QWidget* parent) : WizardDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(search_layout::kProgressSize);
    CentreOver(parent);
}

void ProgressDialog::SetFrame(int index, QImage frame)
{
    if (index < 0 || index >= kFrameCount)
        return;
    frames_[static_cast<size_t>(index)] = std::move(frame);
}

namespace {

void DrawTextItems(const SkinStrings* strings, const QString& section, QImage& frame, size_t count)
{
    const SkinTextItems read = ReadSkinTextItems(strings, ToU16View(section), u"TEXT");
    QPainter painter(&frame);
    for (size_t i = 0; i < read.items.size() && i < count; ++i)
        DrawSkinTextItem(read.items[i], painter);
}

} // namespace

void ProgressDialog::LoadFrames(const QString& packPath, const Kind& kind, const SkinStrings* strings,
                                size_t textItems)
{
    NameForReader(kind, strings, textItems);
    ResourceLibrary library;
    if (!library.Open(packPath))
        return;
    const QString section = QString::fromUtf16(kind.section);
    section_ = section;
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < kFrameCount; ++i) {
        const int number = kind.bitmaps[static_cast<size_t>(i)];
        const QImage plain = library.Bitmap(number);
        if (plain.isNull())
            continue;
        const QImage sharp = WantsHiResArt(ratio) ? library.Bitmap(number + kHiResArtOffset) : QImage();
        QImage frame = ArtForRatio(plain, sharp, ratio);
        // Text is drawn on a 24-bit copy, so every frame has the canvas format whatever the
        // depth the pack stored.
        frame = frame.convertToFormat(QImage::Format_RGB888);
        DrawTextItems(strings, section, frame, textItems);
        SetFrame(i, std::move(frame));
    }
}

void ProgressDialog::NameForReader(const Kind& kind, const SkinStrings* strings, size_t textItems)
{
    std::vector<PaintedText> texts = SkinPaintedTexts(strings, QString::fromUtf16(kind.section));
    texts.resize(std::min(texts.size(), textItems));
    readerTexts_.clear();
    for (const PaintedText& text : texts)
        readerTexts_ << text.text;
    setAccessibleName(readerTexts_.isEmpty() ? SkinString(strings, kind.readerName)
                                             : readerTexts_.takeFirst());
    DescribeForReader();
}

void ProgressDialog::DescribeForReader()
{
    QStringList lines = readerTexts_;
    if (!status_.isEmpty())
        lines << status_;
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
}

bool ProgressDialog::Initialise()
{
    const QImage& first = frames_[0];
    const int below = (statusSource_ ? kStatusStripHeight : 0) + (stop_ != nullptr ? kStopRowHeight : 0);
    if (!first.isNull() && first.width() > 0 && first.height() > 0) {
        const QSize frame = first.deviceIndependentSize().toSize();
        setFixedSize(frame + QSize(0, below));
        if (stop_ != nullptr)
            stop_->setGeometry(
                QRect(QPoint((frame.width() - kStopSize.width()) / 2, height() - kStopRowHeight), kStopSize));
    }
    connect(&statusTimer_, &QTimer::timeout, this, &ProgressDialog::ReadStatus);
    connect(&animate_, &QTimer::timeout, this, &ProgressDialog::OnAnimate);
    if (statusSource_) {
        ReadStatus();
        statusTimer_.Start(kStatusPeriodMs);
    }
    animate_.Start(kFirstFrameDelayMs);
    ready_ = true;
    return true;
}

void ProgressDialog::OnAnimate()
{
    current_ = (current_ + 1) % kFrameCount;
    if (!frames_[static_cast<size_t>(current_)].isNull())
        update();
    animate_.Start(kFramePeriodMs);
}

void ProgressDialog::ReadStatus()
{
    if (QString status = statusSource_(); status != status_) {
        status_ = std::move(status);
        DescribeForReader();
        update();
    }
}

void ProgressDialog::OfferStop(const SkinStrings* strings, const SkinBitmaps* bitmaps,
                               std::function<void()> onStop)
{
    stop_ = new BitmapButton(this);
    ApplyButtonSkin(strings, bitmaps, section_, QStringLiteral("Stop"), *stop_);
    connect(stop_, &QAbstractButton::clicked, this, [this, onStop = std::move(onStop)] {
        stop_->setEnabled(false);
        onStop();
    });
}

void ProgressDialog::Close()
{
    animate_.stop();
    statusTimer_.stop();
    Finish(IDOK);
}

void ProgressDialog::paintEvent(QPaintEvent*)
{
    const QImage& frame = frames_[static_cast<size_t>(current_)];
    if (!ready_ || frame.isNull())
        return;
    QPainter painter(this);
    SetBitmapScaling(painter);
    painter.drawImage(0, 0, frame);
    if (!statusSource_ && stop_ == nullptr)
        return;
    // The strip takes the frame's border down with it: the border's colour is the frame's edge.
    const int frameBottom = frame.deviceIndependentSize().toSize().height();
    const QColor border = frame.pixelColor(0, frame.height() / 2);
    painter.fillRect(QRect(0, frameBottom - kBorderPixels, width(), height() - frameBottom + kBorderPixels),
                     border);
    const QRect below(kBorderPixels, frameBottom - kBorderPixels, width() - 2 * kBorderPixels,
                      height() - frameBottom);
    painter.fillRect(below, Qt::white);
    const QRect strip(below.topLeft(), QSize(below.width(), kStatusStripHeight));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kStatusPixels);
    painter.setFont(font);
    painter.setPen(kStatusColour);
    painter.drawText(strip, Qt::AlignCenter | Qt::TextSingleLine, status_);
}

void ProgressDialog::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void ProgressDialog::reject() {}
