#pragma once
// A password or passphrase given on a line of its own (standard input, the first line of a
// file, or typed at a prompt): the line's bytes without a leading UTF-8 byte order mark and
// without its line end (LF or CR LF), so a file saved by any editor gives the same secret.
#include <cstddef>
#include <string>
#include <string_view>

// Far more than a camera stores (64 bytes); a longer line is refused instead of being cut.
inline constexpr size_t kMaxSecretBytes = 1024;

enum class SecretLineStatus
{
    Ok,
    Empty,  // no byte at all: not even an empty line
    TooLong // the first line holds more than kMaxSecretBytes bytes
};

struct SecretLine
{
    SecretLineStatus status = SecretLineStatus::Empty;
    std::string text; // the secret when Ok
};

// The first line of `bytes`; anything after its line end is ignored.
SecretLine SecretLineOf(std::string_view bytes);
