#pragma once
// Where the pages of the 581 x 436 canvas keep their standard buttons. The language pack's art
// draws the header band and the footer once for every page, so Close, Back and Next stand at
// the same places on each page that has them, and so does the test-mode Load Skin button under
// the content area.
#include <QRect>

namespace page_frame_layout {

inline constexpr QRect kCloseButton{545, 12, 24, 24};
inline constexpr QRect kBackButton{353, 384, 96, 32};
inline constexpr QRect kNextButton{465, 384, 96, 32};
inline constexpr QRect kLoadSkinButton{184, 390, 80, 20};

} // namespace page_frame_layout
