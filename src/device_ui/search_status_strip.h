#pragma once
// SearchStatusStrip: the line under the search page's list that says how the search goes
// ("Searching for cameras... 3 found", then "3 cameras found"), with the search animation's
// four dots beside it while a search runs: a crop of the pack's search animation frames. A
// screen reader hears the page's status line instead, so the strip itself is passed over.
#include "platform/events/scaled_timer.h"
#include "skin/pack_lists.h"

#include <QImage>
#include <QWidget>
#include <array>

class SearchStatusStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kFrameCount = 4;
    // The animation's frames in the pack, and where their dots lie on them.
    static constexpr std::array<int, kFrameCount> kFrameBitmaps{177, 178, 179, 180};
    static constexpr QRect kDots{126, 134, 48, 12};

    explicit SearchStatusStrip(QWidget* parent = nullptr);

    // Crops the dots out of the pack's frames, at the screen's pixel ratio.
    void LoadArt(const SkinBitmaps* bitmaps);
    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    void SetAnimating(bool on);
    bool Animating() const { return animate_.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QImage, kFrameCount> dots_;
    int frame_ = 0;
    QString text_;
    ScaledTimer animate_{this};
};
