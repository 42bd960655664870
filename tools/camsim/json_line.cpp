#include "json_line.h"

#include <cstdio>

std::string JsonQuoted(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonLine::Key(std::string_view key)
{
    if (!body_.empty())
        body_ += ',';
    body_ += JsonQuoted(key);
    body_ += ':';
}

JsonLine& JsonLine::Text(std::string_view key, std::string_view utf8)
{
    Key(key);
    body_ += JsonQuoted(utf8);
    return *this;
}

JsonLine& JsonLine::Number(std::string_view key, int64_t value)
{
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Bool(std::string_view key, bool value)
{
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Hex(std::string_view key, std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    Key(key);
    body_ += '"';
    for (uint8_t b : bytes) {
        body_ += kDigits[b >> 4];
        body_ += kDigits[b & 0xF];
    }
    body_ += '"';
    return *this;
}

JsonLine& JsonLine::Raw(std::string_view key, std::string_view json)
{
    Key(key);
    body_ += json;
    return *this;
}
