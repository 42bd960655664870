#include "pages/flat_combo_look.h"

#include "pages/tooltip_combo_box.h"
#include "skin/program_look.h"

#include <QComboBox>
#include <QEvent>
#include <QPainter>

namespace {
constexpr int kTextPadding = 6;
constexpr int kArrowRoom = 22;
constexpr qreal kCornerRadius = 3;
constexpr qreal kArrowHalfWidth = 4;
constexpr qreal kArrowHalfHeight = 2;
constexpr qreal kArrowPen = 1.5;
const QColor kFrame{201, 206, 221};
const QColor kArrow{107, 112, 128};
} // namespace

namespace flat_combo {

QRect TextRect(const QComboBox& combo)
{
    return combo.rect().adjusted(kTextPadding, 0, -kArrowRoom, 0);
}

void Paint(QComboBox& combo, bool open)
{
    QPainter painter(&combo);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool focused = combo.hasFocus() || open;
    const qreal line = focused ? 2 : 1;
    painter.setPen(QPen(focused ? program_look::kAccentText : kFrame, line));
    painter.setBrush(combo.isEnabled() ? QColor(Qt::white) : program_look::kSidePanel);
    painter.drawRoundedRect(QRectF(combo.rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2),
                            kCornerRadius, kCornerRadius);

    const QPointF centre(combo.width() - kArrowRoom / 2.0, combo.height() / 2.0);
    painter.setPen(QPen(kArrow, kArrowPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF chevron[] = {centre + QPointF(-kArrowHalfWidth, -kArrowHalfHeight),
                               centre + QPointF(0, kArrowHalfHeight),
                               centre + QPointF(kArrowHalfWidth, -kArrowHalfHeight)};
    painter.drawPolyline(chevron, 3);

    const QRect text = TextRect(combo);
    painter.setPen(combo.isEnabled() ? program_look::kText : program_look::kSecondaryText);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     combo.fontMetrics().elidedText(combo.currentText(), Qt::ElideRight, text.width()));
}

} // namespace flat_combo

void FlatComboLook::Apply(QWidget* page)
{
    auto* look = new FlatComboLook(page);
    for (QComboBox* combo : page->findChildren<QComboBox*>())
        if (qobject_cast<TooltipComboBox*>(combo) == nullptr)
            combo->installEventFilter(look);
}

bool FlatComboLook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return false;
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (combo == nullptr)
        return false;
    flat_combo::Paint(*combo, false);
    return true;
}
