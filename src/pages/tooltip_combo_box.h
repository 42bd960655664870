#pragma once
// TooltipComboBox: a drop-down list whose items carry their own tooltip texts, so that long
// entries can be read in full. A mouse press opens a TooltipListView below the control
// instead of the combo box's own drop-down; the combo box keeps the items and the selection.
// It draws itself in the program's look: a hairline frame (the accent when it has the focus),
// the selection's text and a flat chevron. When the selection's text does not fit, the
// control's tooltip shows it whole unless a tooltip text of its own was set.
#include "pages/tooltip_list_view.h"

#include <QComboBox>

class TooltipComboBox : public QComboBox
{
    Q_OBJECT

public:
    // Tooltip texts are cut to this many characters.
    static constexpr int kMaxTipLength = 80;

    explicit TooltipComboBox(QWidget* parent = nullptr);

    // Stores the tooltip of item `index` and returns the index; an index outside the items
    // stores nothing and returns -1.
    int SetItemTip(int index, const QString& text);
    // The tooltip of the whole control.
    void SetTipText(const QString& text);
    QString TipText() const { return tipText_; }

    // Size of the pop-up list including the combo box itself (width, total dropped height);
    // the list gets the height below the control. Unset, the list is as wide as the control
    // and maxVisibleItems() rows high.
    void SetDroppedSize(int width, int height);

    TooltipListView* List() { return &list_; }
    bool IsListOpen() const { return list_.isVisible(); }
    void OpenList();
    void CloseList() { list_.hide(); }
    // The keys that open a combo box's list (F4, Alt+Down, Space) open the same list a click
    // does, with its tips, and the keys that close one close it.
    void showPopup() override { OpenList(); }
    void hidePopup() override { CloseList(); }

    // Makes `index` the selection without notifying anyone of a change.
    void SetSelectionQuietly(int index);

    static QString CutTip(const QString& text);

    // The tooltip the control shows now: its own text, or the selection's text when that is
    // cut short; empty for none.
    QString ShownTip() const;

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ToggleList();

    TooltipListView list_;
    int popupWidth_ = -1;
    int popupHeight_ = -1;
    QString tipText_;
};
