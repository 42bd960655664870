#pragma once
// Icon resources: a group icon lists the sizes of one icon, each stored as its own icon
// image (a bitmap with a transparency mask, or PNG bytes). The image closest to 32 x 32 is
// the one a message box shows.
#include "platform/core/dib_decoder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace pe {

struct GroupIconEntry
{
    int width = 0; // 256 where the directory says 0
    int height = 0;
    int bitCount = 0;
    uint16_t imageId = 0; // number of the icon image resource
};

enum class IconStatus
{
    Ok,
    Truncated,
    Corrupt,
    Unsupported,
    NotFound, // the group names no image that the library holds
    TooLarge, // wider or taller than kMaxIconSide
};

// Icons are at most 256 x 256: a larger image is refused before its pixels are decoded.
inline constexpr int kMaxIconSide = 256;
// The most entries read from one group: real icons list a few sizes and depths.
inline constexpr size_t kMaxIconGroupEntries = 64;

struct GroupIconResult
{
    IconStatus status = IconStatus::Corrupt;
    std::vector<GroupIconEntry> entries;
};

// Reads a group icon directory; entries that do not fit in the data, and those past the
// first kMaxIconGroupEntries, are left out.
GroupIconResult ReadGroupIcon(std::span<const uint8_t> data);

// Indices of the entries, best first: nearest to size x size, then the deeper colour.
std::vector<size_t> RankIconEntries(const std::vector<GroupIconEntry>& entries, int size = 32);

struct IconImage
{
    IconStatus status = IconStatus::Corrupt;
    bool isPng = false;
    Argb32Image pixels;       // decoded bitmap icons
    std::vector<uint8_t> png; // PNG icons, left to the caller's image library
};

// Decodes one icon image: a bitmap whose colour rows are followed by a 1-bit mask (set bits
// are transparent, unless 32-bit pixels carry their own alpha), or PNG bytes, whose header
// is only checked for the size.
IconImage DecodeIconImage(std::span<const uint8_t> data);

} // namespace pe
