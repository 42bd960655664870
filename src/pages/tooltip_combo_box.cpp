#include "pages/tooltip_combo_box.h"

#include "skin/program_look.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolTip>

namespace {
constexpr int kTextPadding = 6;
constexpr int kArrowRoom = 22;
constexpr qreal kCornerRadius = 3;
constexpr qreal kArrowHalfWidth = 4;
constexpr qreal kArrowHalfHeight = 2;
const QColor kFrame{201, 206, 221};
const QColor kArrow{107, 112, 128};
} // namespace

CTooltipComboBox::CTooltipComboBox(QWidget* parent) : QComboBox(parent), list_(this) {}

int CTooltipComboBox::SetItemTip(int index, const QString& text)
{
    if (index < 0 || index >= count())
        return -1;
    list_.SetItemTip(index, text);
    return index;
}

void CTooltipComboBox::SetTipText(const QString& text)
{
    tipText_ = CutTip(text);
}

void CTooltipComboBox::SetDroppedSize(int width, int height)
{
    popupWidth_ = width;
    popupHeight_ = std::max(0, height - this->height());
}

QString CTooltipComboBox::CutTip(const QString& text)
{
    if (text.size() <= kMaxTipLength)
        return text;
    // Never leave half of a surrogate pair at the end.
    const int length = text.at(kMaxTipLength - 1).isHighSurrogate() ? kMaxTipLength - 1 : kMaxTipLength;
    return text.left(length);
}

void CTooltipComboBox::OpenList()
{
    const int width = popupWidth_ >= 0 ? popupWidth_ : this->width();
    const int height = popupHeight_ >= 0 ? popupHeight_ : maxVisibleItems() * list_.RowHeight();
    list_.Open(width, height);
}

void CTooltipComboBox::SetSelectionQuietly(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
}

void CTooltipComboBox::ToggleList()
{
    if (list_.isVisible())
        list_.hide();
    else
        OpenList();
}

void CTooltipComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ToggleList();
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void CTooltipComboBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

QRect CTooltipComboBox::TextRect() const
{
    return rect().adjusted(kTextPadding, 0, -kArrowRoom, 0);
}

QString CTooltipComboBox::ShownTip() const
{
    if (!tipText_.isEmpty())
        return tipText_;
    const bool cut = fontMetrics().horizontalAdvance(currentText()) > TextRect().width();
    return cut ? currentText() : QString();
}

bool CTooltipComboBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ShownTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this, rect());
        return true;
    }
    return QComboBox::event(event);
}

void CTooltipComboBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = hasFocus() || list_.isVisible();
    const qreal line = focused ? 2 : 1;
    painter.setPen(QPen(focused ? program_look::kAccentText : kFrame, line));
    painter.setBrush(isEnabled() ? QColor(Qt::white) : program_look::kSidePanel);
    painter.drawRoundedRect(QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2), kCornerRadius,
                            kCornerRadius);

    const QPointF centre(width() - kArrowRoom / 2.0, height() / 2.0);
    painter.setPen(QPen(kArrow, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF chevron[] = {centre + QPointF(-kArrowHalfWidth, -kArrowHalfHeight),
                               centre + QPointF(0, kArrowHalfHeight),
                               centre + QPointF(kArrowHalfWidth, -kArrowHalfHeight)};
    painter.drawPolyline(chevron, 3);

    const QRect text = TextRect();
    painter.setPen(isEnabled() ? program_look::kText : program_look::kSecondaryText);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(currentText(), Qt::ElideRight, text.width()));
}
