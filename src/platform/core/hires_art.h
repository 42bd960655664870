#pragma once
// Pack art for screens of high pixel density. A pack may carry every bitmap twice: the 1x
// picture under its number N and the same art rendered at twice the size under
// N + kHiResArtOffset. Icons carry the 2x size (64 pixels beside 32) in the same icon group.
// Screens of kHiResArtMinRatio device pixels per pixel or more draw the 2x picture; a pack
// without it draws the 1x one, scaled.

inline constexpr int kHiResArtOffset = 20000;
inline constexpr int kHiResArtScale = 2;
inline constexpr double kHiResArtMinRatio = 1.5;
// Highest 1x number that has room for its 2x twin below the last bitmap number read.
inline constexpr int kHiResArtLastBase = 32000 - kHiResArtOffset;

inline constexpr bool WantsHiResArt(double devicePixelRatio)
{
    return devicePixelRatio >= kHiResArtMinRatio;
}
