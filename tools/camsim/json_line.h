#pragma once
// One JSON object on one line, built field by field, for the simulator's log.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class JsonLine
{
public:
    JsonLine& Text(std::string_view key, std::string_view utf8);
    JsonLine& Number(std::string_view key, int64_t value);
    JsonLine& Bool(std::string_view key, bool value);
    JsonLine& Hex(std::string_view key, std::span<const uint8_t> bytes);
    // A value that is already JSON (an object built with another JsonLine).
    JsonLine& Raw(std::string_view key, std::string_view json);
    std::string Str() const { return "{" + body_ + "}"; }

private:
    void Key(std::string_view key);
    std::string body_;
};

std::string JsonQuoted(std::string_view utf8);
