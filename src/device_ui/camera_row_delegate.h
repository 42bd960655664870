#pragma once
// CameraRowDelegate: draws a row of the search page's camera list as two lines, the camera's
// name over its address (marked when it lies outside this computer's networks). The background
// and the selection come from the list's style; every row has the same height.
#include <QStyledItemDelegate>

class CameraRowDelegate : public QStyledItemDelegate
{
public:
    // The row's second line; its first is the item's text.
    static constexpr int kAddressRole = Qt::UserRole + 3;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
