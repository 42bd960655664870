#pragma once
// Where the search page, the login dialog and the progress dialog place their controls. The
// language pack's art and text items are drawn around these rectangles, so a skin author
// reads them here: captions go to the left of the detail fields, the strips of the hover
// buttons are drawn at the buttons' sizes.
#include <QRect>

namespace search_layout {

// Search page (581 x 436 canvas): tree of names on the left of the content area, the
// selected camera's details in rows 32 px apart on the right (values at x 457, captions
// belong left of them, from x 356), Search and Next in the footer, Close in the header band.
inline constexpr QRect kTree{184, 92, 160, 280};
inline constexpr int kDetailLeft = 457;
inline constexpr int kDetailWidth = 100;
inline constexpr int kDetailHeight = 20;
inline constexpr int kDetailTop = 96;
inline constexpr int kDetailPitch = 32;
// Firmware version and MAC address (hidden by the page) sit in the header band, white on the
// accent colour.
inline constexpr QRect kFirmware{357, 40, 80, 18};
inline constexpr QRect kMac{437, 40, 120, 18};
inline constexpr QRect kSearchButton{353, 384, 96, 32};
inline constexpr QRect kNextButton{465, 384, 96, 32};
inline constexpr QRect kBackButton{353, 384, 96, 32}; // hidden on this page
inline constexpr QRect kCloseButton{545, 12, 24, 24};
inline constexpr QRect kLoadSkinButton{184, 390, 80, 20};

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
