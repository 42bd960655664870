#pragma once
// Conversions between the full body layout and the compact one that older camera firmware
// speaks. The compact layout keeps only the first 20 bytes of the login name, the first 8 of
// the password and drops the 32 bytes before `fixedIp`; everything else lines up in spans.
#include "device/core/device_info.h"
#include "device/core/message_header.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One contiguous run of bytes that sits at `compact` in one layout and at `full` in the other.
struct LayoutSpan
{
    size_t compact;
    size_t full;
    size_t width;
};

inline constexpr size_t kCompactReplySize = 378;
inline constexpr size_t kWidenedReplySize = 532;
inline constexpr std::array<LayoutSpan, 3> kCompactReplySpans{{{0, 0, 118}, {118, 130, 8}, {126, 194, 252}}};

// Set bodies start at the MAC address, 21 bytes into DeviceInfo.
inline constexpr size_t kSetScratchSize = 534;
inline constexpr size_t kCompactSetSize = 478;
inline constexpr size_t kFullSetBodySize = kDeviceInfoSize - DeviceInfo::kSetBodyOffset;
inline constexpr std::array<LayoutSpan, 3> kCompactSetSpans{{{0, 0, 97}, {97, 109, 8}, {105, 173, 373}}};

static_assert(kCompactReplySpans[2].compact + kCompactReplySpans[2].width == kCompactReplySize);
static_assert(kCompactReplySpans[2].full + kCompactReplySpans[2].width <= kWidenedReplySize);
static_assert(kCompactReplySpans[1].full == DeviceInfo::loginPassword.offset);
static_assert(kCompactReplySpans[2].full == DeviceInfo::fixedIp.offset);
static_assert(kCompactSetSpans[1].full + DeviceInfo::kSetBodyOffset == DeviceInfo::loginPassword.offset);
static_assert(kCompactSetSpans[2].full + DeviceInfo::kSetBodyOffset == DeviceInfo::fixedIp.offset);
static_assert(kCompactSetSpans[2].compact + kCompactSetSpans[2].width == kCompactSetSize);
static_assert(kCompactSetSize <= kSetScratchSize);

// Rewrites the first 534 bytes of a body area holding a full set body as the compact set body.
// The last span would reach 12 bytes past those 534; what lies beyond them is taken as zero.
void CompactForSet(std::span<uint8_t, kBodyAreaSize> body);

// Rewrites the first 532 bytes of a body area holding a compact reply as the full layout;
// bytes outside the three spans come out zero.
void WidenCompact(std::span<uint8_t, kBodyAreaSize> body);

// The camera's side of the same conversions.
std::array<uint8_t, kCompactReplySize> NarrowForReply(const DeviceInfo& info);
std::array<uint8_t, kSetScratchSize> WidenSetBody(std::span<const uint8_t, kCompactSetSize> compact);
