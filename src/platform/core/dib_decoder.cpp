#include "platform/core/dib_decoder.h"

#include "platform/core/byte_view.h"

#include <algorithm>
#include <array>
#include <bit>

namespace pe {
namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMasksInHeaderSize = 52; // header with red, green and blue masks
constexpr uint32_t kAlphaInHeaderSize = 56; // ... and an alpha mask

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr uint32_t kOpaque = 0xFF000000u;

bool IsBitfields(uint32_t compression)
{
    return compression == kBiBitfields || compression == kBiAlphaBitfields;
}

bool ValidDepthAndCompression(int bitCount, uint32_t compression)
{
    switch (compression) {
    case kBiRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
               bitCount == 32;
    case kBiRle8:
        return bitCount == 8;
    case kBiRle4:
        return bitCount == 4;
    case kBiBitfields:
    case kBiAlphaBitfields:
        return bitCount == 16 || bitCount == 32;
    default:
        return false;
    }
}

uint64_t RowStride(int width, int bitCount)
{
    return (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
uint32_t Channel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::countr_one(mask >> shift);
    const uint64_t maxValue = (uint64_t{1} << bits) - 1;
    const uint64_t value = (pixel >> shift) & maxValue;
    if (bits >= 8)
        return static_cast<uint32_t>(value >> (bits - 8));
    return static_cast<uint32_t>((value * 255 + maxValue / 2) / maxValue);
}

struct HeaderFields
{
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    uint32_t paletteEntrySize = 4;
};

DibStatus ReadHeaderFields(const ByteView& in, HeaderFields& h)
{
    if (!in.Has(0, 4))
        return DibStatus::Truncated;
    h.headerSize = in.U32(0);
    if (h.headerSize == kCoreHeaderSize) {
        if (!in.Has(0, kCoreHeaderSize))
            return DibStatus::Truncated;
        h.width = in.U16(4);
        h.height = in.U16(6);
        h.bitCount = in.U16(10);
        h.paletteEntrySize = 3;
        return DibStatus::Ok;
    }
    if (h.headerSize < kInfoHeaderSize)
        return DibStatus::Corrupt;
    if (!in.Has(0, h.headerSize))
        return DibStatus::Truncated;
    h.width = in.I32(4);
    h.height = in.I32(8);
    h.bitCount = in.U16(14);
    h.compression = in.U32(16);
    h.colorsUsed = in.U32(32);
    return DibStatus::Ok;
}

// Places the masks (inside a long header or straight after a short one) and returns where
// the colour table starts.
DibStatus ReadMasks(const ByteView& in, const HeaderFields& h, DibLayout& layout, uint64_t& tableOffset)
{
    tableOffset = h.headerSize;
    if (!IsBitfields(h.compression)) {
        static constexpr uint32_t k555[4] = {0x7C00, 0x03E0, 0x001F, 0};
        static constexpr uint32_t k888[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
        std::copy_n(h.bitCount == 16 ? k555 : k888, 4, layout.masks);
        return DibStatus::Ok;
    }
    const int maskCount = h.compression == kBiAlphaBitfields ? 4 : 3;
    uint64_t maskOffset = kInfoHeaderSize;
    if (h.headerSize < kMasksInHeaderSize)
        tableOffset = h.headerSize + 4ull * maskCount;
    if (!in.Has(maskOffset, 4ull * maskCount))
        return DibStatus::Truncated;
    for (int i = 0; i < maskCount; ++i)
        layout.masks[i] = in.U32(maskOffset + 4ull * i);
    if (maskCount == 3 && h.headerSize >= kAlphaInHeaderSize)
        layout.masks[3] = in.U32(kInfoHeaderSize + 12);
    return DibStatus::Ok;
}

DibStatus ReadPalette(const ByteView& in, const HeaderFields& h, uint64_t tableOffset, DibLayout& layout)
{
    uint64_t stored = h.colorsUsed;
    if (h.bitCount <= 8 && stored == 0)
        stored = uint64_t{1} << h.bitCount;
    if (!in.Has(tableOffset, stored * h.paletteEntrySize))
        return DibStatus::Truncated;
    layout.bitsOffset = static_cast<size_t>(tableOffset + stored * h.paletteEntrySize);
    if (h.bitCount > 8)
        return DibStatus::Ok;
    const uint64_t used = std::min<uint64_t>(stored, uint64_t{1} << h.bitCount);
    layout.palette.reserve(used);
    for (uint64_t i = 0; i < used; ++i) {
        const size_t at = static_cast<size_t>(tableOffset + i * h.paletteEntrySize);
        layout.palette.push_back(kOpaque | uint32_t{in.U8(at + 2)} << 16 | uint32_t{in.U8(at + 1)} << 8 |
                                 in.U8(at));
    }
    return DibStatus::Ok;
}

// The colour table widened to every index a pixel can hold; indices past the table are black.
using Lookup = std::array<uint32_t, 256>;

Lookup MakeLookup(const DibLayout& layout)
{
    Lookup lookup;
    lookup.fill(kOpaque);
    std::copy_n(layout.palette.begin(), std::min<size_t>(layout.palette.size(), lookup.size()),
                lookup.begin());
    return lookup;
}

uint32_t DirectColor(const DibLayout& layout, uint32_t pixel, bool keepAlpha)
{
    const uint32_t alpha = keepAlpha && layout.masks[3] != 0 ? Channel(pixel, layout.masks[3]) : 0xFF;
    return alpha << 24 | Channel(pixel, layout.masks[0]) << 16 | Channel(pixel, layout.masks[1]) << 8 |
           Channel(pixel, layout.masks[2]);
}

// One row of uncompressed bits; the row holds at least the stride the width needs.
void DecodeRow(const DibLayout& layout, const Lookup& lookup, const uint8_t* row, uint32_t* out,
               bool keepAlpha)
{
    const int width = layout.width;
    switch (layout.bitCount) {
    case 1:
        for (int x = 0; x < width; ++x)
            out[x] = lookup[(row[x / 8] >> (7 - x % 8)) & 1];
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            out[x] = lookup[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = lookup[row[x]];
        break;
    case 16:
        for (int x = 0; x < width; ++x)
            out[x] = DirectColor(layout, row[2 * x] | row[2 * x + 1] << 8, false);
        break;
    case 24:
        for (int x = 0; x < width; ++x, row += 3)
            out[x] = kOpaque | uint32_t{row[2]} << 16 | uint32_t{row[1]} << 8 | row[0];
        break;
    default:
        for (int x = 0; x < width; ++x, row += 4)
            out[x] =
                DirectColor(layout, row[0] | row[1] << 8 | row[2] << 16 | uint32_t{row[3]} << 24, keepAlpha);
        break;
    }
}

DibResult DecodeUncompressed(const ByteView& in, const DibLayout& layout, bool keepAlpha)
{
    const uint64_t stride = RowStride(layout.width, layout.bitCount);
    if (!in.Has(layout.bitsOffset, stride * layout.height))
        return {DibStatus::Truncated, {}, 0};
    const Lookup lookup = MakeLookup(layout);
    DibResult result{DibStatus::Ok, {layout.width, layout.height, {}}, 0};
    result.image.pixels.resize(static_cast<size_t>(layout.width) * layout.height);
    for (int y = 0; y < layout.height; ++y) {
        const int sourceRow = layout.topDown ? y : layout.height - 1 - y;
        const auto row = in.Sub(layout.bitsOffset + stride * sourceRow, stride);
        DecodeRow(layout, lookup, row.data(),
                  result.image.pixels.data() + static_cast<size_t>(y) * layout.width, keepAlpha);
    }
    result.bitsEnd = static_cast<size_t>(layout.bitsOffset + stride * layout.height);
    return result;
}

// Run-length decoding straight into the picture, bottom row first. Pixels that the runs skip
// keep colour 0 of the table; runs that pass the right edge or the top are clipped.
class RleDecoder
{
public:
    RleDecoder(const ByteView& in, const DibLayout& layout, std::vector<uint32_t>& pixels)
        : in_(in), layout_(layout), lookup_(MakeLookup(layout)), pos_(layout.bitsOffset), pixels_(pixels)
    {
        pixels_.assign(static_cast<size_t>(layout.width) * layout.height, lookup_[0]);
    }

    DibStatus Run()
    {
        for (;;) {
            if (!in_.Has(pos_, 2))
                return DibStatus::Truncated;
            const uint8_t count = in_.U8(pos_);
            const uint8_t value = in_.U8(pos_ + 1);
            pos_ += 2;
            if (count > 0) {
                Repeat(count, value);
                continue;
            }
            if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return DibStatus::Ok;
            } else if (value == 2) {
                if (!in_.Has(pos_, 2))
                    return DibStatus::Truncated;
                x_ += in_.U8(pos_);
                y_ += in_.U8(pos_ + 1);
                pos_ += 2;
            } else if (!Absolute(value)) {
                return DibStatus::Truncated;
            }
        }
    }

private:
    bool Nibbles() const { return layout_.bitCount == 4; }

    void Put(uint8_t index)
    {
        if (x_ < layout_.width && y_ < layout_.height)
            pixels_[static_cast<size_t>(layout_.height - 1 - y_) * layout_.width + x_] = lookup_[index];
        ++x_;
    }

    void Repeat(int count, uint8_t value)
    {
        for (int i = 0; i < count && x_ < layout_.width; ++i)
            Put(Nibbles() ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
    }

    bool Absolute(int count)
    {
        const uint64_t bytes = Nibbles() ? (count + 1) / 2 : count;
        const uint64_t padded = (bytes + 1) & ~uint64_t{1};
        if (!in_.Has(pos_, padded))
            return false;
        for (int i = 0; i < count; ++i) {
            const uint8_t byte = in_.U8(pos_ + (Nibbles() ? i / 2 : i));
            Put(Nibbles() ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
        }
        pos_ += padded;
        return true;
    }

    const ByteView& in_;
    const DibLayout& layout_;
    const Lookup lookup_;
    uint64_t pos_;
    int64_t x_ = 0;
    int64_t y_ = 0;
    std::vector<uint32_t>& pixels_;
};

DibResult DecodeRle(const ByteView& in, const DibLayout& layout)
{
    DibResult result{DibStatus::Ok, {layout.width, layout.height, {}}, 0};
    const DibStatus status = RleDecoder(in, layout, result.image.pixels).Run();
    if (status != DibStatus::Ok)
        return {status, {}, 0};
    return result;
}

DibStatus CheckGeometry(const HeaderFields& h, bool halfHeight, DibLayout& layout)
{
    if (h.width <= 0 || h.height == 0)
        return DibStatus::Corrupt;
    const int64_t rows = (h.height < 0 ? -h.height : h.height) / (halfHeight ? 2 : 1);
    if (rows == 0)
        return DibStatus::Corrupt;
    if (h.width > kMaxDibSide || rows > kMaxDibSide || h.width * rows > kMaxDibPixels)
        return DibStatus::TooLarge;
    layout.width = static_cast<int>(h.width);
    layout.height = static_cast<int>(rows);
    layout.topDown = h.height < 0;
    if (layout.topDown && (h.compression == kBiRle8 || h.compression == kBiRle4))
        return DibStatus::Corrupt;
    return DibStatus::Ok;
}

} // namespace

DibLayoutResult ReadDibLayout(std::span<const uint8_t> dib, bool halfHeight)
{
    const ByteView in(dib);
    HeaderFields h;
    DibLayoutResult result;
    if ((result.status = ReadHeaderFields(in, h)) != DibStatus::Ok)
        return result;
    if (!ValidDepthAndCompression(h.bitCount, h.compression)) {
        result.status = DibStatus::Unsupported;
        return result;
    }
    DibLayout layout;
    layout.bitCount = h.bitCount;
    layout.compression = h.compression;
    uint64_t tableOffset = 0;
    DibStatus status = CheckGeometry(h, halfHeight, layout);
    if (status == DibStatus::Ok)
        status = ReadMasks(in, h, layout, tableOffset);
    if (status == DibStatus::Ok)
        status = ReadPalette(in, h, tableOffset, layout);
    result.status = status;
    if (status == DibStatus::Ok)
        result.layout = std::move(layout);
    return result;
}

DibResult DecodeDibPixels(std::span<const uint8_t> dib, const DibLayout& layout, bool keepAlpha)
{
    const ByteView in(dib);
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4)
        return DecodeRle(in, layout);
    return DecodeUncompressed(in, layout, keepAlpha);
}

DibResult DecodeDib(std::span<const uint8_t> dib)
{
    const DibLayoutResult header = ReadDibLayout(dib);
    if (header.status != DibStatus::Ok)
        return {header.status, {}, 0};
    return DecodeDibPixels(dib, header.layout, false);
}

} // namespace pe
