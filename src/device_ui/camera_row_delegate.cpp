#include "device_ui/camera_row_delegate.h"

#include "device_ui/search_layout.h"

#include <QApplication>
#include <QPainter>

namespace {
constexpr int kNamePixels = 13;
constexpr int kAddressPixels = 11;
constexpr QMargins kPadding{6, 3, 4, 3};
const QColor kNameColour(43, 47, 58);
const QColor kAddressColour(107, 112, 128);
const QColor kOnAccent(255, 255, 255);
const QColor kAddressOnAccent(221, 227, 247);

QFont Face(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}
} // namespace

void CameraRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem row(option);
    initStyleOption(&row, index);
    const QString name = row.text;
    row.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, view);

    const bool onAccent = (option.state & QStyle::State_Selected) && (option.state & QStyle::State_Active);
    const QRect text = option.rect.marginsRemoved(kPadding);
    const QRect top(text.left(), text.top(), text.width(), text.height() / 2);
    const QRect bottom(text.left(), top.bottom() + 1, text.width(), text.height() - top.height());
    painter->save();
    painter->setFont(Face(kNamePixels));
    painter->setPen(onAccent ? kOnAccent : kNameColour);
    painter->drawText(top, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(name, Qt::ElideRight, top.width()));
    painter->setFont(Face(kAddressPixels));
    painter->setPen(onAccent ? kAddressOnAccent : kAddressColour);
    const QString address = index.data(kAddressRole).toString();
    painter->drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(address, Qt::ElideRight, bottom.width()));
    painter->restore();
}

QSize CameraRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), search_layout::kCameraRowHeight};
}
