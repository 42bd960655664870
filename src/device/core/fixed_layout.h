#pragma once
// A fixed-size byte layout with typed, bounds-checked fields. The bytes are the layout itself
// (in memory and on the wire); fields are descriptors that say where a value lives. A field's
// layout size is part of its type, and its constructor is consteval, so a field that would run
// past the end of its layout does not compile.
#include "device/core/little_endian.h"
#include "platform/core/net_address.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace layout_detail {
consteval void RequireInside(size_t offset, size_t width, size_t layoutSize)
{
    if (width == 0 || offset > layoutSize || width > layoutSize - offset)
        throw "field lies outside its layout";
}
struct TextTag;
struct BytesTag;
} // namespace layout_detail

template <size_t LayoutSize, size_t Width> struct FixedField
{
    consteval explicit FixedField(size_t at) : offset(at)
    {
        layout_detail::RequireInside(at, Width, LayoutSize);
    }
    size_t offset;
    static constexpr size_t width = Width;
    constexpr size_t End() const { return offset + width; }
};

// A field whose width is given with its offset. The tag keeps kinds of such fields apart, so
// that each kind reads and writes its own way.
template <size_t LayoutSize, class Tag> struct SizedField
{
    consteval SizedField(size_t at, size_t w) : offset(at), width(w)
    {
        layout_detail::RequireInside(at, w, LayoutSize);
    }
    size_t offset;
    size_t width;
    constexpr size_t End() const { return offset + width; }
};

// Narrow text (Windows-1252 bytes), NUL-terminated within its width when it is shorter.
template <size_t LayoutSize> using TextField = SizedField<LayoutSize, layout_detail::TextTag>;
// Raw bytes carried as they are.
template <size_t LayoutSize> using BytesField = SizedField<LayoutSize, layout_detail::BytesTag>;

template <size_t LayoutSize> using ByteField = FixedField<LayoutSize, 1>;
template <size_t LayoutSize> using WordField = FixedField<LayoutSize, 2>; // 16-bit little-endian
template <size_t LayoutSize> using MacField = FixedField<LayoutSize, 6>;
template <size_t LayoutSize> using Ipv4Field = FixedField<LayoutSize, 4>;

template <size_t Size> class FixedLayout
{
public:
    static constexpr size_t kSize = Size;
    using Bytes = std::array<uint8_t, Size>;

    FixedLayout() : bytes_{} {}
    explicit FixedLayout(const Bytes& bytes) : bytes_(bytes) {}

    std::span<const uint8_t, Size> Raw() const { return bytes_; }
    std::span<uint8_t, Size> Raw() { return bytes_; }
    void Clear() { bytes_.fill(0); }
    bool operator==(const FixedLayout&) const = default;

    uint8_t Get(ByteField<Size> f) const { return bytes_[f.offset]; }
    void Set(ByteField<Size> f, uint8_t v) { bytes_[f.offset] = v; }

    uint16_t Get(WordField<Size> f) const { return LoadLe16(Span<2>(f.offset)); }
    void Set(WordField<Size> f, uint16_t v) { StoreLe16(Span<2>(f.offset), v); }

    MacAddress Get(MacField<Size> f) const { return Copy<6>(f.offset); }
    void Set(MacField<Size> f, const MacAddress& v)
    {
        std::copy(v.begin(), v.end(), bytes_.begin() + f.offset);
    }

    Ipv4Address Get(Ipv4Field<Size> f) const { return Copy<4>(f.offset); }
    void Set(Ipv4Field<Size> f, const Ipv4Address& v)
    {
        std::copy(v.begin(), v.end(), bytes_.begin() + f.offset);
    }

    std::span<const uint8_t> Get(BytesField<Size> f) const { return Raw().subspan(f.offset, f.width); }
    std::span<uint8_t> Get(BytesField<Size> f) { return Raw().subspan(f.offset, f.width); }

    // The text up to its first NUL, or all width bytes when the field arrived without one.
    std::string Get(TextField<Size> f) const
    {
        const auto* first = reinterpret_cast<const char*>(bytes_.data() + f.offset);
        return std::string(first, std::find(first, first + f.width, '\0'));
    }
    // Stores at most width - 1 bytes and clears the rest of the field, so the text is always
    // NUL-terminated within its width. Returns false when the text had to be cut.
    bool Set(TextField<Size> f, std::string_view text)
    {
        const size_t n = std::min(text.size(), f.width - 1);
        auto field = Raw().subspan(f.offset, f.width);
        std::fill(field.begin(), field.end(), 0);
        std::copy_n(text.begin(), n, field.begin());
        return n == text.size();
    }

protected:
    template <size_t N> std::span<const uint8_t, N> Span(size_t at) const
    {
        return Raw().subspan(at).template first<N>();
    }
    template <size_t N> std::span<uint8_t, N> Span(size_t at)
    {
        return Raw().subspan(at).template first<N>();
    }
    template <size_t N> std::array<uint8_t, N> Copy(size_t at) const
    {
        std::array<uint8_t, N> out{};
        std::copy_n(bytes_.begin() + at, N, out.begin());
        return out;
    }

private:
    Bytes bytes_;
};
