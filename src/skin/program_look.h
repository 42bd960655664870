#pragma once
// The program's one look: its colours, the application palette and font every window
// inherits, set once at start-up. Controls that draw themselves take their colours from here
// so that a focus mark or a selection has the same accent everywhere.
#include <QColor>

class QPalette;

namespace program_look {

inline const QColor kAccent{100, 122, 208};      // header band, step rail, decoration
inline const QColor kAccentText{84, 104, 196};   // text on or in the accent: white on it reads at 5.1:1
inline const QColor kAccentDark{74, 95, 176};    // pressed; white text on it reads at 5.9:1
inline const QColor kAccentLight{132, 150, 224}; // hover
inline const QColor kAccentPale{221, 227, 247};  // a light control with the keyboard focus
inline const QColor kAccentSoft{197, 206, 241};  // selection of a list without the focus
inline const QColor kText{43, 47, 58};           // every text that carries information
inline const QColor kSecondaryText{128, 128, 128};
inline const QColor kHairline{227, 230, 239};
inline const QColor kSidePanel{244, 246, 251};

inline constexpr const char* kFontFamily = "DejaVu Sans";
// A pop-up menu: white, a hairline frame, the accent behind the entry under the pointer.
inline constexpr const char* kMenuStyleSheet =
    "QMenu { background: white; border: 1px solid #C9CEDD; padding: 4px 0; }"
    "QMenu::item { padding: 6px 24px 6px 16px; color: #2B2F3A; background: transparent; }"
    "QMenu::item:selected { background: #5468C4; color: white; }";
inline constexpr int kBodyPixels = 13;

// White windows, primary text, accent selection and focus frames.
QPalette ProgramPalette();

// Sets one widget style for every platform, the palette and DejaVu Sans as the application
// font. Call once after the application object exists and before any window is made.
void ApplyProgramLook();

} // namespace program_look
