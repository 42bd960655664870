#include "pages/tooltip_combo_box.h"

#include "pages/flat_combo_look.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolTip>

TooltipComboBox::TooltipComboBox(QWidget* parent) : QComboBox(parent), list_(this) {}

int TooltipComboBox::SetItemTip(int index, const QString& text)
{
    if (index < 0 || index >= count())
        return -1;
    list_.SetItemTip(index, text);
    return index;
}

void TooltipComboBox::SetTipText(const QString& text)
{
    tipText_ = CutTip(text);
}

void TooltipComboBox::SetDroppedSize(int width, int height)
{
    popupWidth_ = width;
    popupHeight_ = std::max(0, height - this->height());
}

QString TooltipComboBox::CutTip(const QString& text)
{
    if (text.size() <= kMaxTipLength)
        return text;
    // Never leave half of a surrogate pair at the end.
    const int length = text.at(kMaxTipLength - 1).isHighSurrogate() ? kMaxTipLength - 1 : kMaxTipLength;
    return text.left(length);
}

void TooltipComboBox::OpenList()
{
    const int width = popupWidth_ >= 0 ? popupWidth_ : this->width();
    const int height = popupHeight_ >= 0 ? popupHeight_ : maxVisibleItems() * list_.RowHeight();
    // A reader names the opened list as it names the box.
    list_.setAccessibleName(accessibleName());
    list_.Open(width, height);
}

void TooltipComboBox::SetSelectionQuietly(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
}

void TooltipComboBox::ToggleList()
{
    if (list_.isVisible())
        list_.hide();
    else
        OpenList();
}

void TooltipComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ToggleList();
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void TooltipComboBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

QString TooltipComboBox::ShownTip() const
{
    if (!tipText_.isEmpty())
        return tipText_;
    const bool cut = fontMetrics().horizontalAdvance(currentText()) > flat_combo::TextRect(*this).width();
    return cut ? currentText() : QString();
}

bool TooltipComboBox::event(QEvent* event)
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

void TooltipComboBox::paintEvent(QPaintEvent*)
{
    flat_combo::Paint(*this, list_.isVisible());
}
