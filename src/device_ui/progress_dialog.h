#pragma once
// ProgressDialog: the animated box shown while a save runs. It loops through four frames, under
// them a line of status the owner supplies (how long a save has been waiting), and closes when
// the owner calls Close as the action ends. Nothing else closes it: Escape, Enter and the
// window's close are ignored, because ending it early would report an action that is still
// running as finished. A screen reader takes the box's first painted text as
// its name and the others, with the status line, as its description.
#include "platform/events/scaled_timer.h"
#include "platform/wizard_dialog.h"
#include "skin/core/string_table.h"
#include "skin/pack_lists.h"
#include "skin/reading_texts.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class ProgressDialog : public WizardDialog
{
    Q_OBJECT

public:
    static constexpr int kFrameCount = 4;

    // The skin section and the four bitmap numbers of one kind of action, and the pack string
    // that names the box to a screen reader when its frames paint no text.
    struct Kind
    {
        const char16_t* section;
        std::array<int, kFrameCount> bitmaps;
        int readerName;
    };
    static constexpr Kind kSave{u"Save_Progress", {255, 256, 257, 258}, kTextReadSaving};

    explicit ProgressDialog(QWidget* parent = nullptr);

    // Closes the box: the action it stood for has ended.
    void Close();
    // Offers Stop (the section's button item of that name) under the status line; `onStop` runs
    // once when it is pressed, and the box stays up until Close, as the stop takes a moment.
    void OfferStop(const SkinStrings* strings, const SkinBitmaps* bitmaps, std::function<void()> onStop);
    class BitmapButton* StopButton() const { return stop_; }
    // Asked once a second for the line drawn at the foot of the box; an empty text draws none.
    void SetStatusSource(std::function<QString()> source) { statusSource_ = std::move(source); }
    const QString& StatusText() const { return status_; }

    // Loads the kind's frames from the language pack file at `packPath` and draws the texts of
    // its skin section onto each. A missing file or bitmap leaves that frame empty.
    // Only the first `textItems` texts are drawn when fewer are wanted: a search of ranges shows
    // its count in the status line where the others say how long a search takes.
    void LoadFrames(const QString& packPath, const Kind& kind, const SkinStrings* strings,
                    size_t textItems = SIZE_MAX);
    void SetFrame(int index, QImage frame);
    const QImage& Frame(int index) const { return frames_[static_cast<size_t>(index)]; }
    int CurrentFrame() const { return current_; }
    // Whether any of the box's timers (its status, its animation) still runs.
    bool TimersRunning() const { return statusTimer_.isActive() || animate_.isActive(); }

protected:
    bool Initialise() override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Names and describes the box to a screen reader from the first `textItems` painted texts.
    void NameForReader(const Kind& kind, const SkinStrings* strings, size_t textItems);
    void DescribeForReader();

    void OnAnimate();
    void ReadStatus();

    ScaledTimer statusTimer_{this};
    ScaledTimer animate_{this, true};
    std::array<QImage, kFrameCount> frames_;
    int current_ = 0;
    bool ready_ = false;
    QString section_;
    class BitmapButton* stop_ = nullptr;
    std::function<QString()> statusSource_;
    QString status_;
    QStringList readerTexts_; // the painted texts after the first
};
