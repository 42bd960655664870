#pragma once
// Small rules of the search and save actions: request numbering and the set command that
// matches the query variant a camera answered.
#include <cstdint>

inline constexpr uint16_t kFirstSequence = 1000;
inline constexpr uint16_t kLastSequence = 10000;

// The next request number: one more, wrapping from 10000 (or from anything outside the range)
// back to 1000.
constexpr uint16_t NextSequence(uint16_t sequence)
{
    const unsigned next = sequence + 1u;
    return (next < kFirstSequence || next > kLastSequence) ? kFirstSequence : static_cast<uint16_t>(next);
}

// A camera is written in the variant it answered: CMD_QUERY -> CMD_SET, CMD_QUERY_ENC ->
// CMD_SET_ENC, anything else -> CMD_SET_FULL.
uint16_t SetCommandFor(uint16_t answeredCommand);
