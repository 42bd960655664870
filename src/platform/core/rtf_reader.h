#pragma once
// A small reader of rich text (RTF) files, enough for a licence text: paragraphs, line breaks,
// tabs, bold, italic and underline, Windows-1252 escapes and Unicode characters. Font, colour
// and style tables, document information and every "\*" destination are skipped; anything
// else it does not know is ignored and its text kept. It never reads past its input, stops at
// a group nesting deeper than kMaxRtfDepth and stops once the document would go beyond any of
// the sizes below, which no real licence comes near, so that what a caller lays out stays
// small. A document of exactly a limit's size is read whole.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kMaxRtfDepth = 100;
inline constexpr size_t kMaxRtfParagraphs = 5000;
// Runs (stretches of one style) in one paragraph and in the whole document. The document's
// limit leaves room for two runs in every paragraph, so a licence of plain lines meets the
// paragraph limit first, while a style change at every letter stays quick to lay out.
inline constexpr size_t kMaxRtfRunsPerParagraph = 2000;
inline constexpr size_t kMaxRtfRuns = 2 * kMaxRtfParagraphs;
inline constexpr size_t kMaxRtfCharacters = 250000;

struct RtfStyle
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const RtfStyle&) const = default;
};

// A stretch of text in one style. "\line" is U+2028 (line separator), "\tab" is U+0009.
struct RtfRun
{
    std::u16string text;
    RtfStyle style;
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph
{
    std::vector<RtfRun> runs;
    bool operator==(const RtfParagraph&) const = default;
};

enum class RtfStatus
{
    Ok,
    NotRtf,     // the input does not start with "{\rtf"; nothing is read
    Truncated,  // the input ended inside a group; what was read is kept
    Unbalanced, // a "}" closed the outermost group early; the text after it is ignored
    TooDeep,    // groups nested deeper than kMaxRtfDepth; the text read before is kept
    TooLong     // beyond one of the size limits above; the text read before is kept
};

struct RtfDocument
{
    RtfStatus status = RtfStatus::Ok;
    // At least one paragraph when the status is not NotRtf; the empty paragraph after a final
    // "\par" is dropped.
    std::vector<RtfParagraph> paragraphs;
};

RtfDocument ReadRtf(std::string_view input);
