#pragma once
// Fonts shipped with the program: every .ttf in the "fonts" folder beside the executable is
// made available to the application, for systems that do not have the program's face
// (DejaVu Sans) themselves. Where no such folder exists nothing happens.
#include <QFont>
#include <QString>

// Loads the shipped fonts; returns how many font files were loaded. Needs the application object.
int LoadProgramFonts();

// The same for a folder of fonts.
int LoadFontsFrom(const QString& folder);

// Text is hinted only vertically: glyphs keep their design widths, so a text measures the same
// with every text engine and on every system, and lines wrap and fit alike everywhere.
inline constexpr auto kTextHinting = QFont::PreferVerticalHinting;

// Before the application object exists: on Windows, draws text with FreeType, the engine the
// program measures with on Linux, unless QT_QPA_PLATFORM chooses otherwise. Nothing elsewhere.
void ChooseTextEngine();
