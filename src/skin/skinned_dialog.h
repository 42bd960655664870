#pragma once
// SkinnedDialog: the base of every wizard page and of the wizard frame. A borderless 581 x 436
// window whose surface is an off-screen canvas: the page's background bitmap from the
// language pack with the text items of its skin section drawn on top, rendered when the page
// is initialised and whenever the frame asks (RenderPage), and painted by a plain copy. The
// canvas has the screen's device pixel ratio: the layout stays 581 x 436 logical pixels while
// text is drawn at the screen's resolution and the bitmap is scaled smoothly.
// Presses on the background start a drag of the wizard window; Enter, Escape and F1 are
// swallowed anywhere in the page; the standard Next, Back, Load Skin and Close buttons become
// requests to the frame (signals the frame connects).
#include "platform/wizard_dialog.h"
#include "skin/pack_lists.h"
#include "skin/readable_window.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <initializer_list>
#include <utility>

class BitmapButton;
class TextButton;
class QAbstractButton;

// Numbers of the standard buttons of a page.
inline constexpr int IDC_NEXT = 1003;
inline constexpr int IDC_LOAD_SKIN_MAIN = 1004; // Load Skin on the main and success pages
inline constexpr int IDC_LOAD_SKIN = 1006;
inline constexpr int IDC_BACK = 1009;
inline constexpr int IDC_CLOSE = 1014;

class SkinnedDialog : public WizardDialog, public ReadableWindow
{
    Q_OBJECT

public:
    static constexpr int kCanvasWidth = 581;
    static constexpr int kCanvasHeight = 436;
    static constexpr int kBytesPerPixel = 3;

    explicit SkinnedDialog(QWidget* parent = nullptr);
    ~SkinnedDialog() override;

    // Set by the frame before the page is created. The lists stay the frame's.
    void SetLists(SkinStrings* strings, SkinBitmaps* bitmaps, SkinIcons* icons);
    void SetTestMode(bool testMode) { testMode_ = testMode; }

    // Redraws the whole canvas from the skin; does not repaint the window.
    void RenderPage();
    // Stores the language's name, renders the page and applies the skin hook once more.
    void SetLanguage(const QString& name);
    QString GetLanguage() const { return languageName_; }

    // The skinned message box of kind 1-4, skinned from this page's lists. An empty button
    // text hides that button. Returns the pressed button's number, or 0 for Escape. Once the box
    // closes, a page that has no shown control with the focus gives it to its first field.
    int ShowMessage(int kind, const QString& message, const QString& button1, const QString& button2 = {},
                    const QString& button3 = {});

    // Shows every message box of the page one after the other (the frame's show-all request in
    // test mode); a page without messages shows none.
    virtual void ShowAllMessages() {}

    // Ask the frame for a step forward or back.
    void NotifyNext() { emit nextRequested(); }
    void NotifyBack() { emit backRequested(); }

    // The block of the skin section whose text items are drawn ("TEXT" unless a page
    // switches it, as the wireless security page does between its WEP and WPA captions).
    void SetTextBlockName(const QString& name)
    {
        textBlockName_ = name;
        PaintedTextsChanged();
    }
    const QString& TextBlockName() const { return textBlockName_; }

    // Applies the item `name` of this page's "BUTTON" block to the button.
    void ApplyPageButtonSkin(BitmapButton& button, const QString& name);
    // Applies the items of those names to the hover buttons of those numbers; a number with no
    // hover button on the page is passed over.
    void ApplyPageButtonSkins(std::initializer_list<std::pair<int, const char*>> buttons);

    // The button Return and Enter press when the focus is not on a push button: the page's
    // Next (nullptr when it has none). Pages whose step button is another one override it.
    virtual QAbstractButton* DefaultButton() const;
    // Gives the keyboard focus, with its mark, to the page's first field, or to its default
    // button on a page without fields. The frame calls it whenever the page becomes current.
    void FocusOnArrival();

    // The skin section's texts as drawn, for a screen reader.
    std::vector<PaintedText> PaintedTexts() const override;
    const SkinStrings* ReadingStrings() const override { return stringList_; }

    // Pages are never cancelled or closed by Escape or a close request: the wizard ends only
    // through its own buttons (the frame may override this to treat a close as its Close).
    void reject() override {}

    // The canvas, drawn first when the page has changed since it was last drawn.
    const QImage& Canvas() const;
    bool IsReady() const { return ready_; }
    bool IsTestMode() const { return testMode_; }
    const QString& SectionName() const { return sectionName_; }
    int BackgroundNumber() const { return backgroundNumber_; }
    const QString& ProgramDir() const { return programDir_; }
    SkinStrings* StringList() const { return stringList_; }
    SkinBitmaps* BitmapList() const { return bitmapList_; }
    SkinIcons* IconList() const { return iconList_; }

signals:
    // What a page asks of the frame. The frame takes the steps and the actions on the next turn
    // of the event loop (the page's own handler finishes first) and the others at once.
    void nextRequested();
    void backRequested();
    void searchRequested();
    void saveRequested();
    void closeRequested();
    void languageReloadRequested();
    void showAllMessagesRequested();
    // The page's canvas was drawn again (in test mode after every render; always when a page
    // changes its own painted texts): the frame repaints the window.
    void rendered();
    // A left press on the page's background, at this point of the page: the window is dragged.
    void dragStarted(QPoint pagePoint);

protected:
    // Gives the focus back to the page after a message box (the frame hands it to its shown page).
    virtual void FocusAfterMessage() { FocusOnArrival(); }
    // Set by each page's constructor: its skin section and background bitmap number.
    void SetSkinSection(const QString& sectionName, int backgroundNumber);

    // Create a hover button or a text button at `rect` with its caption, registered as `id`.
    BitmapButton* AddHoverButton(int id, const QRect& rect, const QString& caption);
    TextButton* AddMsgButton(int id, const QRect& rect, const QString& caption);
    // Shows the text button `id` in the test look with `caption` in test mode; hides it otherwise.
    void ShowTestModeButton(int id, const QString& caption);

    // The page's skin hook, run at the end of every render: fetch strings, skin buttons.
    virtual void ApplySkin() {}
    // Fetches the page's language strings; pages usually call it from ApplySkin.
    virtual void LoadStrings() {}

    bool Initialise() override;
    // Routes the standard buttons (Next, Back, Load Skin, Close) to the handlers below.
    bool OnCommand(int id) override;

    void OnNextCommand() { NotifyNext(); }
    void OnBackCommand() { NotifyBack(); }
    void OnLoadSkinCommand();
    void OnCloseCommand();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A right-click anywhere on a page goes on to the window that holds it, where the
    // wizard's system menu opens (the page would otherwise keep the click to itself).
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Draws the background bitmap and the section's text items onto the canvas: at once when
    // the page is visible, else when it is first painted or its canvas is asked for, so a page
    // that is never shown costs neither a canvas nor its background's pixels.
    void DrawCanvas();
    void DrawCanvasNow() const;

    int canvasWidth_ = 0;
    int canvasHeight_ = 0;
    bool testMode_ = false;
    mutable QImage canvas_;
    mutable bool canvasStale_ = false;
    int backgroundNumber_ = 0;
    QString sectionName_;
    QString textBlockName_ = QStringLiteral("TEXT");
    bool ready_ = false;
    QString languageName_;
    QString programDir_;
    SkinBitmaps* bitmapList_ = nullptr;
    SkinStrings* stringList_ = nullptr;
    SkinIcons* iconList_ = nullptr;
};
