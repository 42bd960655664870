#include "pages/tooltip_list_view.h"

#include "pages/tooltip_combo_box.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {
// Pixels the border adds to the list's height: one line and one pixel of margin per side.
constexpr int kFrameLine = 1;
constexpr int kFrameMargin = 1;
constexpr int kScrollBarWidth = 8;

// A hairline frame, the accent text colour behind the selected row and a thin scroll bar in
// the side panel's colours.
const QString kListLook = QStringLiteral(
    "QListView { border: 1px solid #C9CEDD; background: white; color: #2B2F3A; outline: 0; }"
    "QListView::item { padding: 2px 6px; border: none; }"
    "QListView::item:selected { padding: 2px 6px; border: none; background: #5468C4; color: white; }"
    "QScrollBar:vertical { width: 8px; background: #F4F6FB; margin: 0; border: none; }"
    "QScrollBar::handle:vertical { background: #C9CEDD; border-radius: 4px; min-height: 24px; }"
    "QScrollBar::handle:vertical:hover { background: #9AA3C7; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
} // namespace

TooltipListView::TooltipListView(TooltipComboBox* combo) : QListView(nullptr), combo_(combo)
{
    setParent(combo, Qt::Popup);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrameLine);
    setContentsMargins(kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    setTextElideMode(Qt::ElideNone);
    setStyleSheet(kListLook);
    setModel(combo->model());
}

int TooltipListView::WidthForItems(bool scrolled) const
{
    int widest = 0;
    for (int row = 0; model() != nullptr && row < model()->rowCount(rootIndex()); ++row)
        widest = std::max(widest, sizeHintForIndex(model()->index(row, modelColumn(), rootIndex())).width());
    return widest + 2 * (kFrameLine + kFrameMargin) + (scrolled ? kScrollBarWidth : 0);
}

void TooltipListView::SetItemTip(int index, const QString& text)
{
    tips_.insert(index, TooltipComboBox::CutTip(text));
}

QString TooltipListView::ItemTip(int index) const
{
    return tips_.value(index);
}

QString TooltipListView::ToolTipAt(const QPoint&) const
{
    const int row = CurrentRow();
    return row < 0 ? QString() : ItemTip(row);
}

int TooltipListView::RowHeight() const
{
    if (model() == nullptr || model()->rowCount(rootIndex()) == 0)
        return std::max(1, fontMetrics().height());
    return std::max(1, sizeHintForRow(0));
}

int TooltipListView::CurrentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() && selectionModel()->isSelected(index) ? index.row() : -1;
}

void TooltipListView::Open(int popupWidth, int popupHeight)
{
    remembered_ = combo_->currentIndex();
    if (model() != combo_->model())
        setModel(combo_->model());
    setModelColumn(combo_->modelColumn());
    setRootIndex(combo_->rootModelIndex());

    const int count = combo_->count();
    const int rowHeight = RowHeight();
    int total = rowHeight * count;
    if (count > 0 && popupHeight < total) {
        const int rows = popupHeight / rowHeight;
        total = rowHeight * rows;
    }
    const int chrome = 2 * (kFrameLine + kFrameMargin);
    const bool scrolled = total < rowHeight * count;
    setVerticalScrollBarPolicy(scrolled ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Every entry shows whole: a list wider than asked for keeps its right edge under the
    // combo box's and grows to the left, over the page rather than past the window's edge.
    const int width = std::max(popupWidth, WidthForItems(scrolled));
    const int left = width > popupWidth ? popupWidth - width : 0;
    setGeometry(QRect(combo_->mapToGlobal(QPoint(left, combo_->height())), QSize(width, total + chrome)));
    show();
    setFocus(Qt::PopupFocusReason);

    if (remembered_ >= 0) {
        const QModelIndex selected = model()->index(remembered_, modelColumn(), rootIndex());
        setCurrentIndex(selected);
        scrollTo(selected, QAbstractItemView::PositionAtTop);
    } else {
        clearSelection();
    }
}

void TooltipListView::PickCurrent()
{
    const int row = CurrentRow();
    if (row >= 0)
        remembered_ = row;
    hide();
}

void TooltipListView::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex())
        setCurrentIndex(index);
    QListView::mouseMoveEvent(event);
}

void TooltipListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (!rect().contains(mapFromGlobal(global))) {
        // A press outside closes the list. A press on the combo box would open it again at
        // once, so it is not passed on: a press on the combo box toggles the list shut.
        if (combo_->rect().contains(combo_->mapFromGlobal(global)))
            setAttribute(Qt::WA_NoMouseReplay);
        hide();
        return;
    }
    QListView::mousePressEvent(event);
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(global));
    if (index.isValid()) {
        setCurrentIndex(index);
        PickCurrent();
    }
}

void TooltipListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PickCurrent();
        return;
    case Qt::Key_Left: {
        QKeyEvent up(event->type(), Qt::Key_Up, event->modifiers());
        QListView::keyPressEvent(&up);
        return;
    }
    case Qt::Key_Right: {
        QKeyEvent down(event->type(), Qt::Key_Down, event->modifiers());
        QListView::keyPressEvent(&down);
        return;
    }
    default:
        QListView::keyPressEvent(event);
    }
}

bool TooltipListView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(help->pos());
        const int row = CurrentRow();
        if (tip.isEmpty() || row < 0)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(),
                               visualRect(model()->index(row, modelColumn(), rootIndex())));
        return true;
    }
    return QListView::viewportEvent(event);
}

void TooltipListView::hideEvent(QHideEvent* event)
{
    QListView::hideEvent(event);
    combo_->SetSelectionQuietly(remembered_);
    combo_->setFocus(Qt::PopupFocusReason);
}
