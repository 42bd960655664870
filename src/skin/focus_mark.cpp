#include "skin/focus_mark.h"

#include "skin/program_look.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QWidget>

namespace focus_mark {

namespace {

constexpr qreal kRingWidth = 2;
constexpr qreal kRingRadius = 4;
constexpr int kDarkFillLightness = 170;

// One filter serves every tracked control; it only reads focus events.
class FocusReasonFilter : public QObject
{
public:
    static FocusReasonFilter* Instance()
    {
        // Owned by the application, so it goes before the application does.
        static QPointer<FocusReasonFilter> filter;
        if (filter == nullptr)
            filter = new FocusReasonFilter(QCoreApplication::instance());
        return filter;
    }

protected:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        auto* control = static_cast<QWidget*>(watched);
        const bool before = control->property(kProperty).toBool();
        const bool after = MarkAfterFocusIn(static_cast<QFocusEvent*>(event)->reason(), before);
        if (after != before) {
            control->setProperty(kProperty, after);
            control->style()->unpolish(control);
            control->style()->polish(control);
        }
        return false;
    }
};

} // namespace

bool MarkAfterFocusIn(Qt::FocusReason reason, bool before)
{
    switch (reason) {
    case Qt::MouseFocusReason:
        return false;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return before;
    default:
        return true;
    }
}

QColor MarkColorOn(const QColor& fill)
{
    return fill.lightness() < kDarkFillLightness ? QColor(Qt::white) : program_look::kAccent;
}

void DrawFocusRing(QPainter& painter, const QRect& bounds, const QColor& color, int inset)
{
    const qreal edge = inset + kRingWidth / 2;
    const QRectF ring = QRectF(bounds).adjusted(edge, edge, -edge, -edge);
    if (ring.width() <= 0 || ring.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, kRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(ring, kRingRadius, kRingRadius);
    painter.restore();
}

void TrackKeyboardFocus(QWidget* control)
{
    control->setProperty(kProperty, true);
    control->installEventFilter(FocusReasonFilter::Instance());
}

} // namespace focus_mark
