#include "skin/skinned_message_box.h"

#include "platform/canvas.h"
#include "skin/core/message_kind.h"
#include "skin/reading_texts.h"
#include "skin/return_key.h"
#include "skin/skin_draw.h"
#include "skin/window_accessible.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>
#include <cstdlib>

namespace {

// Bounds for sizes computed from skin values: large enough for any real message, small
// enough that no sum overflows and no absurd canvas is allocated.
constexpr int64_t kMaxSide = 8192;
constexpr int kRegionCorner = 20;
// The window's shape is a little rounder than the outline drawn, so that the outline's
// antialiased edge lies inside it.
constexpr int kMaskCorner = 12;
// What the box's rounded corners blend into: the white of the page beneath.
const QColor kBackdrop = Qt::white;

int ClampSide(int64_t value, int minimum)
{
    return static_cast<int>(std::clamp<int64_t>(value, minimum, kMaxSide));
}

QRegion RoundedRegion(const QSize& size, int corner)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), corner / 2.0, corner / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

SkinnedMessageBox::SkinnedMessageBox(QWidget* parent) : WizardDialog(parent)
{
    window_accessible::Install();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    const std::array<int, 3> ids{kButton1, kButton2, kButton3};
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new TextButton(this);
        buttons_[i]->resize(kButtonWidth, kButtonHeight);
        RegisterControl(ids[i], buttons_[i]);
    }
}

TextButton* SkinnedMessageBox::Button(int number)
{
    return number >= 1 && number <= 3 ? buttons_[number - 1] : nullptr;
}

void SkinnedMessageBox::ReadKindSkin(const SkinStrings* strings, const SkinIcons* icons, int kind)
{
    if (strings == nullptr || icons == nullptr)
        return;
    kind_ = kind;
    strings_ = strings;
    icon_ = QImage();
    icon2x_ = QImage();
    for (const SkinIcon* entry : *icons) {
        if (entry->number == kind) {
            icon_ = entry->image;
            icon2x_ = entry->image2x;
            break;
        }
    }
    MsgButtonStyle buttonStyle;
    ReadMsgButtonStyle(strings, kind, buttonStyle);
    for (TextButton* button : buttons_)
        button->SetStyle(buttonStyle);
    ReadMessageTextStyle(strings, kind, style_);
}

void SkinnedMessageBox::SetTexts(const QString& message, const QString& button1, const QString& button2,
                                 const QString& button3)
{
    message_ = message;
    buttonTexts_ = {button1, button2, button3};
}

bool SkinnedMessageBox::Initialise()
{
    Prepare();
    return true;
}

void SkinnedMessageBox::Prepare()
{
    const QSize size = MeasureBox();
    resize(size);
    if (nearCursor_ || parentWidget() == nullptr)
        move(Placement(size));
    else
        CentreOver(parentWidget());
    setMask(RoundedRegion(size, kMaskCorner));
    PlaceButtons();
    DrawCanvas();
    PaintedTextsChanged();
    ready_ = true;
    update();
}

QSize SkinnedMessageBox::MeasureBox() const
{
    const QFont font = CreateFontFromDesc(style_.font, style_.textGap);
    const QStringList lines = DisplayLines(font);
    int64_t widest = 0;
    for (const QString& line : lines)
        widest = std::max<int64_t>(widest, MeasureText(font, line).width());
    const int64_t lineHeight = MeasureText(font, message_).height();
    const int64_t width = widest + 2 * static_cast<int64_t>(textLeft_);
    const int64_t height =
        textTop_ + (static_cast<int64_t>(style_.textLinePitch) + lineHeight) * lines.size() + kBottomSpace;
    return {std::min(ClampSide(width, kMinWidth), kMaxWidth), ClampSide(height, kMinHeight)};
}

QStringList SkinnedMessageBox::DisplayLines(const QFont& font) const
{
    const int room = std::max(1, kMaxWidth - 2 * textLeft_);
    QStringList lines;
    for (const QString& line : message_.split(QLatin1Char('\n')))
        lines += WrapTextLine(font, line, room);
    return lines;
}

QPoint SkinnedMessageBox::Placement(const QSize& size) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect =
        screen != nullptr ? screen->geometry() : QRect(0, 0, size.width(), size.height());
    if (!nearCursor_)
        return screenRect.center() - QPoint(size.width() / 2, size.height() / 2);
    const QPoint pointer = QCursor::pos();
    const int left =
        std::clamp(pointer.x() - size.width() / 2, 0, std::max(0, screenRect.width() - size.width()));
    const int top = std::clamp(pointer.y() - size.height() / 2, 0,
                               std::max(0, screenRect.height() - (size.height() + 30)));
    return {left, top};
}

void SkinnedMessageBox::PlaceButtons()
{
    int x = width();
    const int y = height() - kButtonHeight - kButtonMargin;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        x -= kButtonWidth + kButtonMargin;
        buttons_[i]->move(x, y);
        buttons_[i]->SetCaption(buttonTexts_[i]);
        buttons_[i]->setVisible(!buttonTexts_[i].isEmpty());
    }
}

void SkinnedMessageBox::DrawCanvas()
{
    canvas_ = CreateCanvasBitmap(height(), width(), 24, devicePixelRatioF());
    if (canvas_.isNull())
        return;
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing);
    SetBitmapScaling(painter);
    const QRectF whole = rect();
    const qreal radius = kRegionCorner / 2.0;
    painter.fillRect(whole, kBackdrop);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColorRefToQColor(style_.frameColor));
    painter.drawRoundedRect(whole, radius, radius);
    const int inset = std::clamp(style_.frameSize, 0, std::max(width(), height()));
    const QRectF panel = whole.adjusted(inset, inset, -inset, -inset);
    if (panel.isValid()) {
        const qreal inner = std::max<qreal>(radius - inset, 1.0);
        painter.setBrush(ColorRefToQColor(style_.panelColor));
        painter.drawRoundedRect(panel, inner, inner);
    }

    const QFont font = CreateFontFromDesc(style_.font, style_.textGap);
    const QColor color = ColorRefToQColor(style_.textColor);
    const int lineHeight = MeasureText(font, message_).height();
    // Each display line sits in a band one font height tall. A negative height (a character
    // height) or zero would stack the lines upwards or onto each other, so the band is never
    // lower than the line the font actually draws.
    const int64_t band = std::max<int64_t>(std::llabs(static_cast<int64_t>(style_.font.height)), lineHeight);
    const int64_t step = band + style_.textLinePitch;
    const QStringList lines = DisplayLines(font);
    for (int i = 0; i < lines.size(); ++i) {
        const int64_t top = LineTop(i, static_cast<int>(lines.size()), band, step);
        if (top > height() || top < -kMaxSide)
            break;
        const int centred = static_cast<int>(top + (band - lineHeight) / 2);
        DrawTextLine(painter, QRect(textLeft_, centred, width() - textLeft_, lineHeight), lines[i], font,
                     color);
    }
    if (!icon_.isNull())
        painter.drawImage(QRect(QPoint(iconX_, iconY_), icon_.size()),
                          ArtForRatio(icon_, icon2x_, canvas_.devicePixelRatio()));
}

int64_t SkinnedMessageBox::LineTop(int index, int count, int64_t band, int64_t step) const
{
    if (count == 1 && !icon_.isNull())
        return iconY_ + (icon_.height() - band) / 2;
    return textTop_ + step * index;
}

std::vector<PaintedText> SkinnedMessageBox::PaintedTexts() const
{
    QString text = message_;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return {{text, QRect(textLeft_, textTop_, width() - textLeft_, height() - textTop_ - kBottomSpace)}};
}

PageParts SkinnedMessageBox::ReadingParts() const
{
    PageParts parts;
    parts.texts = PaintedTexts();
    return parts;
}

QString SkinnedMessageBox::UntitledName() const
{
    return kind_ >= kMessageError && kind_ <= kMessageSuccess
               ? SkinString(strings_, kTextReadKindFirst + kind_ - kMessageError)
               : QString();
}

void SkinnedMessageBox::showEvent(QShowEvent* event)
{
    WizardDialog::showEvent(event);
    window_accessible::AnnounceAlert(this);
}

bool SkinnedMessageBox::OnCommand(int id)
{
    switch (id) {
    case kButton1:
        result_ = 1;
        break;
    case kButton2:
        result_ = 2;
        break;
    case kButton3:
        result_ = 3;
        break;
    default:
        return false;
    }
    done(IDOK);
    return true;
}

void SkinnedMessageBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The focused button answers; with the focus on none of them, the first one does.
        if (event->isAutoRepeat() || PressFocusedButton(focusWidget()))
            return;
        result_ = 1;
        done(IDOK);
        return;
    case Qt::Key_Escape:
        done(IDCANCEL);
        return;
    default:
        WizardDialog::keyPressEvent(event);
    }
}

void SkinnedMessageBox::paintEvent(QPaintEvent*)
{
    if (!ready_ || canvas_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), canvas_);
}

void SkinnedMessageBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !dragging_) {
        dragging_ = true;
        dragStart_ = event->position().toPoint();
    }
    event->accept();
}

void SkinnedMessageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(pos() + event->position().toPoint() - dragStart_);
    event->accept();
}

void SkinnedMessageBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    event->accept();
}
