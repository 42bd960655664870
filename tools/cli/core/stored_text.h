#pragma once
// Whether a camera can store a text given as UTF-8: its text fields are Windows-1252 bytes, and
// a character outside that code page would be saved as "?". Such a text is refused instead, with
// the character named, or for a secret (a login, a password, a passphrase) only its place, so
// that no part of the secret reaches a terminal or a log.
#include <optional>
#include <string>
#include <string_view>

// The code points of UTF-8 text; nothing when it is not well-formed UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

enum class TextKind
{
    Plain,
    Secret
};

// Empty when a camera can store every character of `text` (well-formed UTF-8, no control
// characters U+0000-U+001F and U+007F-U+009F); otherwise what is wrong, worded to follow "<what>: ".
std::string StoredTextRefusal(std::string_view text, TextKind kind);
