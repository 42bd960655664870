#pragma once
// Where the main page, the language page and the About box place their controls. The
// language pack's art is drawn around these rectangles; the strips of the hover buttons are
// drawn at the buttons' sizes (a skinned button takes the size of one strip frame, keeping
// its top-left corner).
#include <QRect>

namespace app_layout {

// Main page: a welcome picture, the product name and one large Start button in the middle
// of the lower half; Close in the header band (page_frame_layout.h); the test-mode buttons at
// the bottom left.
inline constexpr QRect kStartButton{210, 340, 160, 44};
inline constexpr QRect kLoadSkinButton{16, 404, 80, 20};
inline constexpr QRect kShowAllButton{104, 404, 120, 20};
// Buttons of the template that the page never shows; placed in the footer all the same.
inline constexpr QRect kInstallUtilityButton{184, 384, 96, 32};
inline constexpr QRect kVarnetButton{296, 384, 96, 32};
inline constexpr QRect kUserGuideButton{408, 384, 96, 32};
inline constexpr QRect kExitButton{353, 384, 96, 32};
inline constexpr QRect kLanguageButton{72, 384, 96, 32};

// Language page: the list of languages in the content area, Exit and Next in the footer.
inline constexpr QRect kLanguageList{184, 120, 220, 24};
inline constexpr QRect kLanguageNext{465, 384, 96, 32};
inline constexpr QRect kLanguageExit{353, 384, 96, 32};
inline constexpr QRect kLanguageLoadSkin{184, 392, 80, 20};

// About box: the program icon, the name and version, a line that may wrap once, and OK.
inline constexpr QSize kAboutSize{340, 136};
inline constexpr QRect kAboutIcon{24, 24, 32, 32};
inline constexpr QRect kAboutName{72, 22, 244, 20};
inline constexpr QRect kAboutLine{72, 44, 244, 36};
inline constexpr QRect kAboutOk{228, 90, 88, 30};

} // namespace app_layout
