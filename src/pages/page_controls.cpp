#include "pages/page_controls.h"

#include "skin/window_accessible.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

constexpr int kEditPixelSize = 13;
const QString kFontFamily = QStringLiteral("DejaVu Sans");

QFont PageFont()
{
    QFont font(kFontFamily);
    font.setPixelSize(kEditPixelSize);
    return font;
}

} // namespace

QString SettingPageStyleSheet()
{
    return QStringLiteral(
        "QLineEdit { border: 1px solid #C9CEDD; border-radius: 3px; padding: 0 4px; background: white;"
        " color: #2B2F3A; selection-background-color: #5468C4; selection-color: white; }"
        "QLineEdit:focus { border: 2px solid #647AD0; padding: 0 3px; }"
        "QComboBox { border: 1px solid #C9CEDD; border-radius: 3px; padding: 0 4px; background: white;"
        " color: #2B2F3A; }"
        "QComboBox:focus { border: 2px solid #647AD0; padding: 0 3px; }"
        "QComboBox QAbstractItemView { selection-background-color: #5468C4; selection-color: white; }"
        "QRadioButton { background: transparent; }"
        "QRadioButton::indicator { width: 12px; height: 12px; border-radius: 8px; border: 2px solid #9AA3C7;"
        " background: white; }"
        "QRadioButton::indicator:focus { border-color: #647AD0; }"
        "QRadioButton::indicator:checked { border: 2px solid #647AD0; background: qradialgradient(cx: 0.5,"
        " cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5, stop: 0 #647AD0, stop: 0.55 #647AD0, stop: 0.6 white,"
        " stop: 1 white); }");
}

QLineEdit* MakeTextEdit(QWidget* parent, const QRect& rect, int maxChars)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(rect);
    edit->setFont(PageFont());
    edit->setMaxLength(maxChars);
    return edit;
}

QLineEdit* MakeDigitEdit(QWidget* parent, const QRect& rect, int maxDigits, bool rightAligned)
{
    QLineEdit* edit = MakeTextEdit(parent, rect, maxDigits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    if (rightAligned)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QLabel* MakeSeparator(QWidget* parent, const QRect& rect, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    label->setFont(PageFont());
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("background: transparent; color: #2B2F3A;"));
    window_accessible::MarkDecorative(label);
    return label;
}
