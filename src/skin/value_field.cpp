#include "skin/value_field.h"

#include "skin/program_look.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr qreal kBadgeRadius = 4;
}

ValueField::ValueField(QWidget* parent, const QRect& rect, Kind kind) : QLabel(parent), kind_(kind)
{
    setGeometry(rect);
    setFont(ValueFont());
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, kind == Kind::Badge ? QColor(Qt::white) : program_look::kText);
    setPalette(colours);
    if (kind == Kind::Badge) {
        // The chip grows with its value up to the rectangle it was given.
        badgeMaxWidth_ = rect.width();
        setContentsMargins(kBadgePadding, 0, kBadgePadding, 0);
        setAlignment(Qt::AlignCenter);
    } else {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QFont ValueField::ValueFont()
{
    QFont font(QString::fromLatin1(program_look::kFontFamily));
    font.setPixelSize(kFontPixels);
    return font;
}

void ValueField::SetValue(const QString& value)
{
    value_ = value;
    Refresh();
    NameForReader();
}

void ValueField::SetCaption(const QString& caption)
{
    caption_ = caption;
    NameForReader();
}

void ValueField::NameForReader()
{
    if (caption_.isEmpty())
        return;
    setAccessibleName(value_.isEmpty() ? caption_ : QStringLiteral("%1: %2").arg(caption_, value_));
}

void ValueField::Refresh()
{
    switch (kind_) {
    case Kind::Whole:
        setText(value_);
        break;
    case Kind::Elide: {
        const QString shown = fontMetrics().elidedText(value_, Qt::ElideRight, contentsRect().width());
        setText(shown);
        setToolTip(shown == value_ ? QString() : value_);
        break;
    }
    case Kind::Badge:
        setText(value_);
        // An empty chip draws nothing at all (see paintEvent).
        resize(std::min(badgeMaxWidth_, ValueFieldWidth(value_, Kind::Badge)), height());
        break;
    }
}

void ValueField::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (kind_ == Kind::Elide)
        Refresh();
}

void ValueField::paintEvent(QPaintEvent* event)
{
    if (kind_ == Kind::Badge && !value_.isEmpty()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(program_look::kAccentDark);
        painter.drawRoundedRect(QRectF(rect()), kBadgeRadius, kBadgeRadius);
    }
    QLabel::paintEvent(event);
}

int ValueFieldWidth(const QString& longest, ValueField::Kind kind)
{
    const int text = QFontMetrics(ValueField::ValueFont()).horizontalAdvance(longest);
    return kind == ValueField::Kind::Badge ? text + 2 * ValueField::kBadgePadding : text;
}
