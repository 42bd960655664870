// What a Windows console is given: the UTF-16 of the programs' UTF-8 text. Which handles get it
// (a console, not a file or a pipe) is checked on wine's console by tests/windows/net_cases.sh.
#ifdef _WIN32
#include "platform/net/windows/console_text.h"

#include <gtest/gtest.h>

TEST(ConsoleText, Utf8IsWrittenAsTheCharactersItHolds)
{
    const std::pair<std::string, std::wstring> cases[] = {
        {"", L""},
        {"Porch 1\r\n", L"Porch 1\r\n"},
        {"Caf\xC3\xA9 \xE2\x98\x85", L"Caf\u00E9 \u2605"},
        {"\xF0\x9F\x93\xB7", L"\U0001F4F7"}, // beyond 16 bits: a surrogate pair
        {"a\xFF-\xC3", L"a\uFFFD-\uFFFD"},   // not UTF-8
    };
    for (const auto& [utf8, wide] : cases)
        EXPECT_EQ(ConsoleTextOf(utf8), wide) << utf8;
}
#endif
