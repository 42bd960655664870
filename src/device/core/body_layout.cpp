#include "device/core/body_layout.h"

#include <algorithm>

namespace {
enum class Direction
{
    ToCompact,
    ToFull
};

// Copies every span from one layout to the other, clipped to both buffers: a span that
// runs past either end is copied only as far as both reach.
template <size_t N>
void CopySpans(const std::array<LayoutSpan, N>& spans, Direction direction, std::span<const uint8_t> from,
               std::span<uint8_t> to)
{
    for (const LayoutSpan& s : spans) {
        const size_t src = direction == Direction::ToCompact ? s.full : s.compact;
        const size_t dst = direction == Direction::ToCompact ? s.compact : s.full;
        if (src >= from.size() || dst >= to.size())
            continue;
        const size_t n = std::min({s.width, from.size() - src, to.size() - dst});
        std::copy_n(from.begin() + src, n, to.begin() + dst);
    }
}
} // namespace

void CompactForSet(std::span<uint8_t, kBodyAreaSize> body)
{
    std::array<uint8_t, kSetScratchSize> full{};
    std::copy_n(body.begin(), kSetScratchSize, full.begin());
    std::array<uint8_t, kSetScratchSize> compact{};
    CopySpans(kCompactSetSpans, Direction::ToCompact, full, compact);
    std::copy(compact.begin(), compact.end(), body.begin());
}

void WidenCompact(std::span<uint8_t, kBodyAreaSize> body)
{
    std::array<uint8_t, kWidenedReplySize> full{};
    CopySpans(kCompactReplySpans, Direction::ToFull, body.first<kCompactReplySize>(), full);
    std::copy(full.begin(), full.end(), body.begin());
}

std::array<uint8_t, kCompactReplySize> NarrowForReply(const DeviceInfo& info)
{
    std::array<uint8_t, kCompactReplySize> compact{};
    CopySpans(kCompactReplySpans, Direction::ToCompact, info.Raw(), compact);
    return compact;
}

std::array<uint8_t, kSetScratchSize> WidenSetBody(std::span<const uint8_t, kCompactSetSize> compact)
{
    std::array<uint8_t, kSetScratchSize> full{};
    CopySpans(kCompactSetSpans, Direction::ToFull, compact, full);
    return full;
}
