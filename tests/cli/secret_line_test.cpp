#include "cli/core/secret_line.h"

#include <gtest/gtest.h>

// What an editor, a pipe or a terminal adds around a secret's line is not part of the secret.
TEST(SecretLine, OnlyTheFirstLineWithoutItsMarkAndEnd)
{
    struct Case
    {
        std::string bytes;
        SecretLineStatus status;
        std::string text;
    };
    const Case cases[] = {
        {"pw", SecretLineStatus::Ok, "pw"},
        {"\xEF\xBB\xBFp w\r\nsecond line\n", SecretLineStatus::Ok, "p w"},
        {"-\n", SecretLineStatus::Ok, "-"},
        {"\n", SecretLineStatus::Ok, ""},
        {"a\rb\r", SecretLineStatus::Ok, "a\rb"},
        {"", SecretLineStatus::Empty, ""},
        {std::string(kMaxSecretBytes, 'x') + "\r\n", SecretLineStatus::Ok, std::string(kMaxSecretBytes, 'x')},
        {std::string(kMaxSecretBytes + 1, 'x'), SecretLineStatus::TooLong, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        const SecretLine line = SecretLineOf(c.bytes);
        EXPECT_EQ(line.status, c.status);
        EXPECT_EQ(line.text, c.text);
    }
}
