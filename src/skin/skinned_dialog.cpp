#include "skin/skinned_dialog.h"

#include "platform/canvas.h"
#include "skin/arrival_focus.h"
#include "skin/bitmap_button.h"
#include "skin/button_skin.h"
#include "skin/page_key_filter.h"
#include "skin/reading_texts.h"
#include "skin/show_message.h"
#include "skin/skin_draw.h"
#include "skin/text_button.h"
#include "skin/window_accessible.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString kDefaultLanguage = QStringLiteral("English");
} // namespace

SkinnedDialog::SkinnedDialog(QWidget* parent) : WizardDialog(parent)
{
    PageKeyFilter::Install();
    window_accessible::Install();
}

SkinnedDialog::~SkinnedDialog() = default;

QAbstractButton* SkinnedDialog::DefaultButton() const
{
    return Item<QAbstractButton>(IDC_NEXT);
}

void SkinnedDialog::FocusOnArrival()
{
    QWidget* target = FirstField(this);
    if (target == nullptr)
        target = DefaultButton();
    if (target == nullptr || !target->isVisibleTo(this) || !target->isEnabled())
        return;
    // The page, not a click, chose the control, so the style marks it as it marks a focus
    // moved by the keyboard: a radio button's choice shows which option the arrows move.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    target->setFocus(Qt::OtherFocusReason);
}

void SkinnedDialog::SetLists(SkinStrings* strings, SkinBitmaps* bitmaps, SkinIcons* icons)
{
    stringList_ = strings;
    bitmapList_ = bitmaps;
    iconList_ = icons;
}

void SkinnedDialog::SetSkinSection(const QString& sectionName, int backgroundNumber)
{
    sectionName_ = sectionName;
    backgroundNumber_ = backgroundNumber;
}

bool SkinnedDialog::Initialise()
{
    if (isWindow())
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    programDir_ = QDir::currentPath() + QLatin1Char('/');
    languageName_ = kDefaultLanguage;
    canvasWidth_ = kCanvasWidth;
    canvasHeight_ = kCanvasHeight;
    resize(canvasWidth_, canvasHeight_);
    setMask(QRegion(0, 0, canvasWidth_, canvasHeight_));
    RenderPage();
    ready_ = true;
    return true;
}

void SkinnedDialog::RenderPage()
{
    DrawCanvas();
    ApplySkin();
    if (testMode_)
        emit rendered();
}

std::vector<PaintedText> SkinnedDialog::PaintedTexts() const
{
    return SkinPaintedTexts(stringList_, sectionName_, textBlockName_);
}

void SkinnedDialog::DrawCanvas()
{
    PaintedTextsChanged();
    canvasStale_ = true;
    if (isVisible())
        DrawCanvasNow();
}

void SkinnedDialog::DrawCanvasNow() const
{
    // A window moved to a screen of another pixel ratio gets a canvas of that ratio.
    if (canvas_.isNull() || canvas_.devicePixelRatio() != devicePixelRatioF())
        canvas_ = CreateCanvasBitmap(canvasHeight_, canvasWidth_, kBytesPerPixel * 8, devicePixelRatioF());
    canvasStale_ = false;
    if (canvas_.isNull())
        return;
    QPainter painter(&canvas_);
    DrawSkinBitmap(bitmapList_, backgroundNumber_, painter);
    DrawSkinTexts(stringList_, sectionName_, painter, textBlockName_);
}

const QImage& SkinnedDialog::Canvas() const
{
    if (canvasStale_)
        DrawCanvasNow();
    return canvas_;
}

void SkinnedDialog::SetLanguage(const QString& name)
{
    languageName_ = name;
    RenderPage();
    ApplySkin();
}

int SkinnedDialog::ShowMessage(int kind, const QString& message, const QString& button1,
                               const QString& button2, const QString& button3)
{
    const int answer = ShowSkinnedMessage(this, stringList_, iconList_,
                                          SkinnedMessage{kind, message, button1, button2, button3});
    const QWidget* focus = window()->focusWidget();
    if (isVisible() && (focus == nullptr || !focus->isVisible() || !isAncestorOf(focus)))
        FocusAfterMessage();
    return answer;
}

void SkinnedDialog::OnLoadSkinCommand()
{
    emit languageReloadRequested();
}

void SkinnedDialog::OnCloseCommand()
{
    emit closeRequested();
}

bool SkinnedDialog::OnCommand(int id)
{
    switch (id) {
    case IDC_NEXT:
        OnNextCommand();
        return true;
    case IDC_BACK:
        OnBackCommand();
        return true;
    case IDC_LOAD_SKIN:
        OnLoadSkinCommand();
        return true;
    case IDC_CLOSE:
        OnCloseCommand();
        return true;
    default:
        return false;
    }
}

void SkinnedDialog::ApplyPageButtonSkin(BitmapButton& button, const QString& name)
{
    ApplyButtonSkin(stringList_, bitmapList_, sectionName_, name, button);
    // The close button is drawn as a picture alone: the reader still needs its word.
    if (name == QLatin1String("Close") && button.text().isEmpty())
        button.setAccessibleName(SkinString(stringList_, kTextReadClose));
}

void SkinnedDialog::ApplyPageButtonSkins(std::initializer_list<std::pair<int, const char*>> buttons)
{
    for (const auto& [id, name] : buttons) {
        if (auto* button = Item<BitmapButton>(id))
            ApplyPageButtonSkin(*button, QLatin1String(name));
    }
}

BitmapButton* SkinnedDialog::AddHoverButton(int id, const QRect& rect, const QString& caption)
{
    auto* button = AddControl<BitmapButton>(id, rect);
    button->setText(caption);
    return button;
}

TextButton* SkinnedDialog::AddMsgButton(int id, const QRect& rect, const QString& caption)
{
    auto* button = AddControl<TextButton>(id, rect);
    button->SetCaption(caption);
    return button;
}

void SkinnedDialog::ShowTestModeButton(int id, const QString& caption)
{
    auto* button = Item<TextButton>(id);
    if (testMode_)
        button->ApplyLoadSkinStyle(caption);
    button->setVisible(testMode_);
}

void SkinnedDialog::paintEvent(QPaintEvent*)
{
    if (!ready_)
        return;
    if (canvasStale_ || canvas_.devicePixelRatio() != devicePixelRatioF())
        DrawCanvasNow();
    if (canvas_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), canvas_);
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event)
{
    // Only presses on the page itself get here: controls take their own presses.
    if (event->button() == Qt::LeftButton)
        emit dragStarted(event->position().toPoint());
    event->accept();
}

void SkinnedDialog::contextMenuEvent(QContextMenuEvent* event)
{
    event->ignore();
}
