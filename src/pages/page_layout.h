#pragma once
// Where the setting pages place their controls on the 581 x 436 canvas. The pack's art and
// text items are drawn around these rectangles: the header band (0-64), the side panel with
// the steps (0-160) and the camera's name at its foot, captions in the content area from x 184
// with the controls to their right, and Back and Next in the footer (page_frame_layout.h).
#include <QRect>

namespace page_layout {

// The camera's name at the foot of the side panel, under the caption "Camera".
inline constexpr QRect kCameraLabel{16, 338, 140, 22};

// Content rows: 36 px apart from y 96; controls start at x 312 and end at 557.
inline constexpr int kRowTop = 96;
inline constexpr int kRowPitch = 36;
inline constexpr int kControlLeft = 312;
inline constexpr int kControlRight = 557;
inline constexpr int kControlHeight = 24;

inline constexpr int RowTop(int row)
{
    return kRowTop + row * kRowPitch;
}
// A control of `width` starting `offset` px right of the controls' left edge in row `row`.
inline constexpr QRect RowRect(int row, int offset, int width)
{
    return {kControlLeft + offset, RowTop(row), width, kControlHeight};
}
inline constexpr QRect FullRow(int row)
{
    return RowRect(row, 0, kControlRight - kControlLeft);
}

} // namespace page_layout
