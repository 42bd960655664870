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

// The number of the queries a search sends to addresses beside its broadcast: half the range
// away from the broadcast's, so that neither a late reply to one set nor a stale one is taken
// for an answer to the other, and an answer shows which query it answered.
constexpr uint16_t UnicastSequence(uint16_t broadcastSequence)
{
    constexpr unsigned span = kLastSequence - kFirstSequence + 1u;
    const unsigned from = broadcastSequence < kFirstSequence ? 0u : broadcastSequence - kFirstSequence;
    return static_cast<uint16_t>(kFirstSequence + (from + span / 2) % span);
}

// A camera is written in the variant it answered: CMD_QUERY -> CMD_SET, CMD_QUERY_ENC ->
// CMD_SET_ENC, anything else -> CMD_SET_FULL.
uint16_t SetCommandFor(uint16_t answeredCommand);
