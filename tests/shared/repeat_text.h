#pragma once
// Builds the long expected hex texts of the key tests: a byte's digits written over and over.
#include <cstddef>
#include <string>

namespace test_text {

// `pair` written `times` times, e.g. Repeat("00", 47) for 47 zero bytes.
inline std::string Repeat(const char* pair, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += pair;
    return text;
}

} // namespace test_text
