#pragma once
// Fonts shipped with the program: every .ttf in the "fonts" folder beside the executable is
// made available to the application, for systems that do not have the program's face
// (DejaVu Sans) themselves. Where no such folder exists nothing happens.
#include <QString>

// Loads the shipped fonts; returns how many font files were loaded. Needs the application object.
int LoadProgramFonts();

// The same for a folder of fonts.
int LoadFontsFrom(const QString& folder);
