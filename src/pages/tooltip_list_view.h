#pragma once
// TooltipListView: the pop-up list that TooltipComboBox opens instead of its own drop-down.
// It shows the combo box's items (read from the combo box's model, never copied), selects the
// item under the pointer as the mouse moves and shows that item's tooltip text. It is never
// narrower than its widest item. Whatever hides it hands the remembered item back to the
// combo box as its selection and gives it the focus.
#include <QHash>
#include <QListView>
#include <QString>

class TooltipComboBox;

class TooltipListView : public QListView
{
    Q_OBJECT

public:
    explicit TooltipListView(TooltipComboBox* combo);

    void SetItemTip(int index, const QString& text);
    // The text shown for item `index`: its stored tip, or empty when it has none.
    QString ItemTip(int index) const;
    // The tooltip shown at `pos` (viewport coordinates): the selected item's tip, as the pointer
    // has made that item the selected one. Empty when no item is selected.
    QString ToolTipAt(const QPoint& pos) const;

    // Opens below the combo box with the combo box's selection selected and in view.
    void Open(int popupWidth, int popupHeight);
    int RememberedIndex() const { return remembered_; }
    int RowHeight() const;
    // Width that shows every item whole: the widest item, the frame and, when `scrolled`,
    // the scroll bar.
    int WidthForItems(bool scrolled) const;

protected:
    bool viewportEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void PickCurrent();
    int CurrentRow() const;

    TooltipComboBox* combo_;
    int remembered_ = -1;
    QHash<int, QString> tips_;
};
