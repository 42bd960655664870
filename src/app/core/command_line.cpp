#include "app/core/command_line.h"

#include "platform/core/string_utils.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kTestModeSwitch = u"/testmode";
constexpr std::u16string_view kAllProductSwitch = u"/all-product";
constexpr std::u16string_view kToOption = u"--to";
constexpr std::u16string_view kToEquals = u"--to=";
constexpr std::u16string_view kToSwitch = u"/to:";

bool StartsWithLower(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != prefix[i])
            return false;
    }
    return true;
}

// Four decimal parts of one to three digits, each 0 to 255, and not 0.0.0.0.
bool IsTargetAddress(std::u16string_view text)
{
    int parts = 0;
    int value = 0;
    size_t digits = 0;
    bool nonZero = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'.') {
            if (digits == 0 || value > 255)
                return false;
            nonZero = nonZero || value != 0;
            ++parts;
            value = 0;
            digits = 0;
        } else if (text[i] >= u'0' && text[i] <= u'9' && digits < 3) {
            value = value * 10 + (text[i] - u'0');
            ++digits;
        } else {
            return false;
        }
    }
    return parts == 4 && nonZero;
}

std::vector<std::u16string> SplitAtBlanks(std::u16string_view line)
{
    std::vector<std::u16string> words;
    std::u16string word;
    for (const char16_t c : line) {
        if (c == u' ' || c == u'\t') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

// A value as UTF-8, so that a refusal shows it as typed; an unpaired surrogate becomes U+FFFD.
std::string Utf8Of(std::u16string_view text)
{
    std::string utf8;
    const auto byte = [&utf8](char32_t value) { utf8 += static_cast<char>(value); };
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool pair =
            c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80) {
            byte(c);
        } else if (c < 0x800) {
            byte(0xC0 | (c >> 6));
            byte(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            byte(0xE0 | (c >> 12));
            byte(0x80 | ((c >> 6) & 0x3F));
            byte(0x80 | (c & 0x3F));
        } else {
            byte(0xF0 | (c >> 18));
            byte(0x80 | ((c >> 12) & 0x3F));
            byte(0x80 | ((c >> 6) & 0x3F));
            byte(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

} // namespace

CommandLineSwitches ParseCommandLine(std::u16string_view commandLine)
{
    std::u16string lower(commandLine);
    // Only the ASCII letters matter: the switches are ASCII, and apart from A to Z the only
    // characters whose lower case is ASCII are dotted capital I and the Kelvin sign, whose
    // lower-case letters (i, k) appear in neither switch.
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    CommandLineSwitches switches;
    switches.testMode = lower.find(kTestModeSwitch) != std::u16string::npos;
    switches.productFilterOn = lower.find(kAllProductSwitch) == std::u16string::npos;
    return switches;
}

CommandLineSwitches ParseCommandLine(const std::vector<std::u16string>& arguments)
{
    std::u16string joined;
    for (const auto& argument : arguments)
        joined.append(joined.empty() ? u"" : u" ").append(argument);
    return ParseCommandLine(joined);
}

UnicastTargets ParseUnicastTargets(const std::vector<std::u16string>& arguments)
{
    UnicastTargets targets;
    AddressSweep sweep;
    const auto refuse = [&targets](std::string value, std::string why) {
        if (!targets.refused.empty())
            return;
        targets.refused = value.empty() ? std::string("(nothing)") : std::move(value);
        targets.why = std::move(why);
    };
    const auto take = [&](std::u16string_view value) {
        if (IsTargetAddress(value)) {
            targets.addresses.push_back(Utf8Of(value));
            return;
        }
        const std::string text = Utf8Of(value);
        const RangeParse parse = ParseAddressRange(text);
        if (parse.status != RangeStatus::Ok || parse.single)
            refuse(text, RangeRefusalText(parse.single ? RangeStatus::NotAnAddress : parse.status, text));
        else if (!sweep.Add(parse.range))
            refuse(text, "'" + text +
                             "': the ranges together hold more than 65,536 addresses (a /16), the most "
                             "one search asks");
        else
            targets.ranges.push_back({text, parse.range});
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string_view argument = arguments[i];
        if (StartsWithLower(argument, kToSwitch))
            take(argument.substr(kToSwitch.size()));
        else if (StartsWithLower(argument, kToEquals))
            take(argument.substr(kToEquals.size()));
        else if (argument == kToOption)
            take(i + 1 < arguments.size() ? std::u16string_view(arguments[++i]) : std::u16string_view());
    }
    return targets;
}

UnicastTargets ParseUnicastTargets(std::u16string_view commandLine)
{
    return ParseUnicastTargets(SplitAtBlanks(commandLine));
}
