#pragma once
// Language packs: every string, bitmap and icon of a pack library read into the frame's three
// lists, which are then the cache that every page renders from.
#include "skin/core/string_table.h"
#include "skin/pack_lists.h"

#include <QString>

#include <cstdint>

inline constexpr int kPackStringLimit = 1023; // longer texts are cut to this many characters
inline constexpr int kPackFirstBitmap = 1;
inline constexpr int kPackLastBitmap = 32000;
inline constexpr int kPackFirstIcon = 1;
inline constexpr int kPackLastIcon = 100;
// Pixels of all 1x bitmaps of one pack together (64 MB decoded); bitmaps past it are skipped.
// The 2x art has a budget four times as large of its own.
inline constexpr int64_t kPackPixelBudget = 16 * 1024 * 1024;

// Empties the lists and fills them, each in ascending number order, from the library at the
// path. When a screen has a high pixel density, each entry also gets its 2x art (the pack's
// bitmap N + 20000 of exactly twice the size, the 64 pixel size of an icon). Returns 0 when the library was
// loaded and 1 when it was missing or not loadable (the lists then stay empty).
int LoadLanguagePack(const QString& path, SkinStrings& strings, SkinBitmaps& bitmaps, SkinIcons& icons);

// A pack loaded for the window: the language now shown, the library it came from, and the
// program's own message when the wanted pack could not be read (empty when it could).
struct LoadedPack
{
    QString language;
    QString path;
    QString failure;
};
// Loads the language's pack from `folder`. A pack that cannot be read is replaced by English
// when English's can be read; the failure says which it was.
LoadedPack LoadPackOrEnglish(const QString& folder, const QString& language, SkinStrings& strings,
                             SkinBitmaps& bitmaps, SkinIcons& icons);

// Deletes every entry: strings, then bitmaps, then icons.
void ClearLanguagePack(SkinStrings& strings, SkinBitmaps& bitmaps, SkinIcons& icons);

// The current directory with a trailing "/": where packs are looked for.
QString CurrentProgramDir();

// The library path of a pack in a folder, e.g. "/home/u/run/" + "English" + ".dll".
QString LanguagePackPath(const QString& programDir, const QString& packName);
