#pragma once
// Bounds-checked little-endian reads over received or loaded bytes. Callers check Has() before
// reading a structure; a read outside the bytes still never happens and yields 0.
#include <cstddef>
#include <cstdint>
#include <span>

class ByteView
{
public:
    ByteView() = default;
    explicit ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t size() const { return bytes_.size(); }
    // True when [offset, offset + length) lies inside the bytes; safe against overflow.
    bool Has(uint64_t offset, uint64_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    uint8_t U8(size_t offset) const { return Has(offset, 1) ? bytes_[offset] : 0; }
    uint16_t U16(size_t offset) const
    {
        return Has(offset, 2) ? static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8) : 0;
    }
    uint32_t U32(size_t offset) const
    {
        if (!Has(offset, 4))
            return 0;
        return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
               static_cast<uint32_t>(bytes_[offset + 2]) << 16 |
               static_cast<uint32_t>(bytes_[offset + 3]) << 24;
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
    // The sub-range, or an empty span when it does not fit.
    std::span<const uint8_t> Sub(uint64_t offset, uint64_t length) const
    {
        return Has(offset, length) ? bytes_.subspan(offset, length) : std::span<const uint8_t>();
    }
    std::span<const uint8_t> From(uint64_t offset) const
    {
        return offset <= bytes_.size() ? bytes_.subspan(offset) : std::span<const uint8_t>();
    }

private:
    std::span<const uint8_t> bytes_;
};
