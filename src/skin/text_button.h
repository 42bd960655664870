#pragma once
// TextButton: a text button drawn by us, rounded like the pack's button art: a frame, a fill
// inside it and a centred caption that changes colour under the mouse and moves by the click
// offset while pressed. With a focus that did not come from a click it shows the focus mark.
// The message box uses three of them; pages use one as their Load Skin button in test mode.
#include "skin/core/message_skin.h"
#include "skin/hover_button.h"

#include <QFont>
#include <QString>

class TextButton : public HoverButton
{
    Q_OBJECT

public:
    explicit TextButton(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetFont(const QString& faceName, int width, int height, int weight);
    // Colours, frame size, click offset and font at once.
    void SetStyle(const MsgButtonStyle& style);
    const MsgButtonStyle& Style() const { return style_; }
    // The look of the Load Skin button of the pages, with the given caption.
    void ApplyLoadSkinStyle(const QString& caption);

    // The caption colour in the present state.
    COLORREF CaptionColor() const { return IsHovering() ? style_.hoverTextColor : style_.textColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static MsgButtonStyle ConstructionStyle();
    void RemakeFont();

    QString caption_ = QStringLiteral("Text");
    MsgButtonStyle style_;
    QFont font_;
};
