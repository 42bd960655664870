#pragma once
// Where the search page, the login dialog and the progress dialog place their controls. The
// language pack's art and text items are drawn around these rectangles, so a skin author
// reads them here: captions go above the detail values, the strips of the hover buttons are
// drawn at the buttons' sizes.
#include <QRect>

namespace search_layout {

// Search page (581 x 436 canvas): the list of cameras on the left of the content area, each row
// a name over its address; the selected camera's details on the right in rows 32 px apart, each
// row a caption (a text item of the skin at the row's top, from x 356) over its value, so that
// every value has the whole column's width: a 16-character name and a 15-character address fit
// whole. Under both, the search's status strip: its animation, then its line. Search and Next
// in the footer, Close in the header band.
inline constexpr QRect kTree{184, 92, 160, 248};
inline constexpr QRect kStatusStrip{184, 348, 373, 16};
inline constexpr int kCameraRowHeight = 36;
inline constexpr int kDetailLeft = 356;
inline constexpr int kDetailWidth = 201;
inline constexpr int kDetailTop = 88;    // top of the first row's caption
inline constexpr int kValueOffset = 14;  // from a row's top to its value
inline constexpr int kDetailHeight = 16; // height of a value
inline constexpr int kDetailPitch = 32;
// The value rectangle of detail row `row`.
constexpr QRect DetailValue(int row)
{
    return {kDetailLeft, kDetailTop + row * kDetailPitch + kValueOffset, kDetailWidth, kDetailHeight};
}
// Search takes the footer place of Back, which this page hides (page_frame_layout.h).
inline constexpr QRect kSearchButton{353, 384, 96, 32};

// Login dialog (360 x 200; background bitmap 181 drawn at (0, 0)): the login-name and
// password edits, with captions to their left from x 24, OK (primary) and Cancel below.
inline constexpr QSize kLoginSize{360, 200};
inline constexpr QRect kLoginName{150, 72, 186, 24};
inline constexpr QRect kLoginPassword{150, 108, 186, 24};
inline constexpr QRect kLoginOk{248, 152, 96, 32};
inline constexpr QRect kLoginCancel{140, 152, 96, 32};

// Progress dialog: its size is that of the first animation frame; without frames it keeps
// this size.
inline constexpr QSize kProgressSize{300, 160};

} // namespace search_layout
