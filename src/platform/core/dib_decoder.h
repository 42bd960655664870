#pragma once
// Decodes device-independent bitmaps (a bitmap header, an optional colour table and the pixel
// bits, as stored in a resource library) into a plain 32-bit ARGB buffer. Depths 1, 4, 8, 16,
// 24 and 32; uncompressed, bit fields, RLE8 and RLE4; bottom-up and top-down rows.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pe {

// Pixels row by row from the top, each 0xAARRGGBB.
struct Argb32Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

enum class DibStatus
{
    Ok,
    Truncated,   // the header or the bits run past the end of the data
    Corrupt,     // impossible values (zero width, top-down RLE, ...)
    Unsupported, // a depth or compression this decoder does not read (JPEG, PNG, ...)
    TooLarge,    // dimensions beyond kMaxDibSide or kMaxDibPixels
};

inline constexpr int kMaxDibSide = 16384;
inline constexpr int64_t kMaxDibPixels = 16 * 1024 * 1024;

// What the header says about where and how the pixels are stored.
struct DibLayout
{
    int width = 0;
    int height = 0; // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = 0;
    std::vector<uint32_t> palette; // 0xFFRRGGBB entries, at most 1 << bitCount
    uint32_t masks[4] = {};        // red, green, blue, alpha for 16- and 32-bit pixels
    size_t bitsOffset = 0;         // where the pixel bits start in the data
};

struct DibLayoutResult
{
    DibStatus status = DibStatus::Corrupt;
    DibLayout layout;
};

struct DibResult
{
    DibStatus status = DibStatus::Corrupt;
    Argb32Image image;
    size_t bitsEnd = 0; // one past the last byte of pixel bits read (uncompressed only)
};

// Reads the header and colour table. For icon images the header counts the colour rows and
// the transparency mask together: pass halfHeight so that only the colour rows are described.
DibLayoutResult ReadDibLayout(std::span<const uint8_t> dib, bool halfHeight = false);

// Decodes the pixels that a layout describes. keepAlpha takes the alpha of 32-bit pixels (icons);
// otherwise every pixel is opaque, as a bitmap resource is shown.
DibResult DecodeDibPixels(std::span<const uint8_t> dib, const DibLayout& layout, bool keepAlpha);

// Header and pixels in one step, opaque: a bitmap resource.
DibResult DecodeDib(std::span<const uint8_t> dib);

} // namespace pe
