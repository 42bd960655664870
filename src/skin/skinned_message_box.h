#pragma once
// SkinnedMessageBox: the skinned message box. A rounded coloured panel, the message in the
// kind's font, the kind's icon and up to three TextButtons at the bottom right (an empty
// caption hides a button). Its result is the pressed button's number (1 for 1015, 2 for
// 1016, 3 for 1017; Enter presses the focused button, or 1015 when none has the focus) or 0
// when Escape closes it. The box is dragged by its background, keeps a margin inside the wizard
// window (long lines wrap at spaces outside brackets, into lines of even length) and is centred
// over its parent's window. A message of one line is centred vertically on the icon. Its
// rounded outline is drawn antialiased over the white of the page beneath. Windows show it
// through ShowSkinnedMessage.
#include "platform/wizard_dialog.h"
#include "skin/core/message_skin.h"
#include "skin/pack_lists.h"
#include "skin/readable_window.h"
#include "skin/text_button.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <array>

class SkinnedMessageBox : public WizardDialog, public ReadableWindow
{
    Q_OBJECT

public:
    static constexpr int kButton1 = 1015; // right
    static constexpr int kButton2 = 1016; // middle
    static constexpr int kButton3 = 1017; // left
    static constexpr int kMinWidth = 280;
    static constexpr int kMinHeight = 95;
    // Centred over the wizard window and at least kWindowMargin inside its edges: longer
    // lines are wrapped.
    static constexpr int kWindowMargin = 24;
    static constexpr int kMaxWidth = 581 - 2 * kWindowMargin;
    static constexpr int kButtonWidth = 80;
    static constexpr int kButtonHeight = 28;
    static constexpr int kButtonMargin = 10;
    static constexpr int kBottomSpace = 50;

    explicit SkinnedMessageBox(QWidget* parent = nullptr);

    // Reads kind `kind`'s button and text looks and icon; without either list nothing changes.
    void ReadKindSkin(const SkinStrings* strings, const SkinIcons* icons, int kind);
    void SetTexts(const QString& message, const QString& button1, const QString& button2,
                  const QString& button3);
    // Places the box at the mouse pointer instead of over the parent window.
    void SetNearCursor(bool nearCursor) { nearCursor_ = nearCursor; }

    int Result() const { return result_; }
    bool IsReady() const { return ready_; }
    const QImage& Canvas() const { return canvas_; }
    const QImage& Icon() const { return icon_; }
    QPoint IconPosition() const { return {iconX_, iconY_}; }
    // The kind whose look the box read last (0 before any).
    int Kind() const { return kind_; }
    const MessageTextStyle& TextStyle() const { return style_; }
    // Button 1 (1015), 2 (1016) or 3 (1017).
    TextButton* Button(int number);

    // Sizes, places and draws the box; runs before the box is first shown.
    void Prepare();

    // A reader takes the box as an alert named by its kind, its message as its text.
    std::vector<PaintedText> PaintedTexts() const override;
    PageParts ReadingParts() const override;
    const SkinStrings* ReadingStrings() const override { return strings_; }
    QString UntitledName() const override;
    bool IsAlert() const override { return true; }

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The message as drawn: its lines, each wrapped to the room the widest box leaves.
    QStringList DisplayLines(const QFont& font) const;
    QSize MeasureBox() const;
    // Top of display line `index` of `count`, each `band` pixels high and `step` apart.
    int64_t LineTop(int index, int count, int64_t band, int64_t step) const;
    QPoint Placement(const QSize& size) const;
    void PlaceButtons();
    void DrawCanvas();

    bool ready_ = false;
    bool nearCursor_ = true;
    QString message_ = QStringLiteral("This is test message.");
    MessageTextStyle style_;
    int textLeft_ = 80;
    int textTop_ = 10;
    int iconX_ = 25;
    int iconY_ = 20;
    int kind_ = 0;
    const SkinStrings* strings_ = nullptr;
    QImage icon_;
    QImage icon2x_;
    QImage canvas_;
    std::array<QString, 3> buttonTexts_;
    int result_ = 0;
    bool dragging_ = false;
    QPoint dragStart_;
    std::array<TextButton*, 3> buttons_{};
};
