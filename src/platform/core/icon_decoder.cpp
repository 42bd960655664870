#include "platform/core/icon_decoder.h"

#include "platform/core/byte_view.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>

namespace pe {
namespace {

constexpr size_t kGroupHeaderSize = 6;
constexpr size_t kGroupEntrySize = 14;
constexpr uint16_t kIconType = 1;
constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngHeaderChunk = 12; // "IHDR" after the first chunk's length
constexpr size_t kPngWidth = 16;       // big-endian width, then height
constexpr uint32_t kPngHeaderType = 0x49484452;

IconStatus FromDib(DibStatus status)
{
    switch (status) {
    case DibStatus::Ok:
        return IconStatus::Ok;
    case DibStatus::Truncated:
        return IconStatus::Truncated;
    case DibStatus::Unsupported:
        return IconStatus::Unsupported;
    default:
        return IconStatus::Corrupt;
    }
}

bool AllAlphaZero(const Argb32Image& image)
{
    return std::all_of(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return (p >> 24) == 0; });
}

// Applies the 1-bit mask that follows the colour rows; false when it is cut short.
bool ApplyMask(const ByteView& in, size_t maskOffset, Argb32Image& image)
{
    const uint64_t stride = (static_cast<uint64_t>(image.width) + 31) / 32 * 4;
    if (!in.Has(maskOffset, stride * image.height))
        return false;
    for (int y = 0; y < image.height; ++y) {
        const uint64_t row = maskOffset + stride * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const bool transparent = (in.U8(row + x / 8) >> (7 - x % 8)) & 1;
            uint32_t& pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
            pixel = transparent ? 0 : (pixel | 0xFF000000u);
        }
    }
    return true;
}

uint32_t BigEndian32(std::span<const uint8_t> data, size_t at)
{
    return uint32_t{data[at]} << 24 | uint32_t{data[at + 1]} << 16 | uint32_t{data[at + 2]} << 8 |
           data[at + 3];
}

// A PNG's size stands in its header chunk; one too short to hold it is left to the PNG reader.
bool PngTooLarge(std::span<const uint8_t> data)
{
    if (data.size() < kPngWidth + 8 || BigEndian32(data, kPngHeaderChunk) != kPngHeaderType)
        return false;
    const auto limit = static_cast<uint32_t>(kMaxIconSide);
    return BigEndian32(data, kPngWidth) > limit || BigEndian32(data, kPngWidth + 4) > limit;
}

} // namespace

GroupIconResult ReadGroupIcon(std::span<const uint8_t> data)
{
    const ByteView in(data);
    GroupIconResult result;
    if (!in.Has(0, kGroupHeaderSize)) {
        result.status = IconStatus::Truncated;
        return result;
    }
    if (in.U16(0) != 0 || in.U16(2) != kIconType)
        return result;
    const size_t count = std::min<size_t>(in.U16(4), kMaxIconGroupEntries);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kGroupHeaderSize + i * kGroupEntrySize;
        if (!in.Has(at, kGroupEntrySize))
            break;
        GroupIconEntry entry;
        entry.width = in.U8(at) == 0 ? 256 : in.U8(at);
        entry.height = in.U8(at + 1) == 0 ? 256 : in.U8(at + 1);
        entry.bitCount = in.U16(at + 6);
        entry.imageId = in.U16(at + 12);
        result.entries.push_back(entry);
    }
    result.status = IconStatus::Ok;
    return result;
}

std::vector<size_t> RankIconEntries(const std::vector<GroupIconEntry>& entries, int size)
{
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const auto distance = [&](size_t i) {
        return std::abs(entries[i].width - size) + std::abs(entries[i].height - size);
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (distance(a) != distance(b))
            return distance(a) < distance(b);
        return entries[a].bitCount > entries[b].bitCount;
    });
    return order;
}

IconImage DecodeIconImage(std::span<const uint8_t> data)
{
    IconImage result;
    if (data.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin())) {
        result.status = PngTooLarge(data) ? IconStatus::TooLarge : IconStatus::Ok;
        if (result.status != IconStatus::Ok)
            return result;
        result.isPng = true;
        result.png.assign(data.begin(), data.end());
        return result;
    }
    const DibLayoutResult header = ReadDibLayout(data, true);
    if (header.status != DibStatus::Ok) {
        result.status = FromDib(header.status);
        return result;
    }
    if (header.layout.width > kMaxIconSide || header.layout.height > kMaxIconSide) {
        result.status = IconStatus::TooLarge;
        return result;
    }
    if (header.layout.compression != 0) { // icon images are never compressed: the mask has no place
        result.status = IconStatus::Unsupported;
        return result;
    }
    DibResult colours = DecodeDibPixels(data, header.layout, true);
    if (colours.status != DibStatus::Ok) {
        result.status = FromDib(colours.status);
        return result;
    }
    const bool ownAlpha = header.layout.bitCount == 32 && !AllAlphaZero(colours.image);
    if (!ownAlpha && !ApplyMask(ByteView(data), colours.bitsEnd, colours.image)) {
        result.status = IconStatus::Truncated;
        return result;
    }
    result.status = IconStatus::Ok;
    result.pixels = std::move(colours.image);
    return result;
}

} // namespace pe
