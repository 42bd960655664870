#include "platform/core/rtf_reader.h"

#include <gtest/gtest.h>

namespace {

// The document in one line: paragraphs separated by "|", each styled run prefixed with its
// styles in brackets ("[b]", "[iu]").
std::u16string Flat(const RtfDocument& doc)
{
    std::u16string out;
    for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p > 0)
            out += u'|';
        for (const RtfRun& run : doc.paragraphs[p].runs) {
            const RtfStyle& s = run.style;
            if (s.bold || s.italic || s.underline) {
                out += u'[';
                out += std::u16string(s.bold ? u"b" : u"") + (s.italic ? u"i" : u"") +
                       (s.underline ? u"u" : u"");
                out += u']';
            }
            out += run.text;
        }
    }
    return out;
}

} // namespace

TEST(RtfReader, SmallDocuments)
{
    struct Case
    {
        const char* what;
        std::string rtf;
        std::u16string text;
        RtfStatus status;
    };
    const Case cases[] = {
        {"plain", R"({\rtf1\ansi Hello world})", u"Hello world", RtfStatus::Ok},
        {"paragraphs and a final par", "{\\rtf1 One\\par\r\nTwo\\par\n}", u"One|Two", RtfStatus::Ok},
        {"line and tab", R"({\rtf1 a\line b\tab c})", u"a\u2028b\tc", RtfStatus::Ok},
        {"bold on and off", R"({\rtf1 x \b bold\b0  y})", u"x [b]bold y", RtfStatus::Ok},
        {"italic underline in a group", R"({\rtf1 a{\i\ul iu}b\ulnone})", u"a[iu]iub", RtfStatus::Ok},
        {"plain resets", R"({\rtf1\b\i x\plain y})", u"[bi]xy", RtfStatus::Ok},
        {"code-page escapes", R"({\rtf1 caf\'e9 \'80 \'93q\'94})", u"caf\u00e9 \u20ac \u201cq\u201d",
         RtfStatus::Ok},
        {"unicode with fallback", R"({\rtf1 \u8364?\u-4064 ?x})", u"\u20ac\uf020x", RtfStatus::Ok},
        {"uc2 fallback of escapes", R"({\rtf1\uc2 \u233\'65\'27 ok})", u"\u00e9 ok", RtfStatus::Ok},
        {"fallback ends with its group", R"({\rtf1{\uc3\u233 a}bc})", u"\u00e9bc", RtfStatus::Ok},
        {"escaped braces and backslash", R"({\rtf1 \{a\}\\b})", u"{a}\\b", RtfStatus::Ok},
        {"nested groups keep outer style", R"({\rtf1{\b a{\i b}c}d})", u"[b]a[bi]b[b]cd", RtfStatus::Ok},
        {"skipped destinations",
         R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red0\green0\blue0;}{\stylesheet{\s0 Normal;}})"
         R"({\info{\title T}{\author A}}{\*\generator W;}{\*\unknown x}Text})",
         u"Text", RtfStatus::Ok},
        {"star needs a group start", R"({\rtf1 a\*b})", u"ab", RtfStatus::Ok},
        {"parameter and space delimiter", R"({\rtf1\fs24 big\f0 x})", u"bigx", RtfStatus::Ok},
        {"ten-digit parameter", R"({\rtf1\b4294967296 x\b0 y})", u"[b]xy", RtfStatus::Ok},
        {"unknown words ignored", R"({\rtf1\pard\qc\sa200 Centred\par})", u"Centred", RtfStatus::Ok},
        {"named characters", R"({\rtf1 \lquote a\rquote \emdash \bullet})", u"\u2018a\u2019\u2014\u2022",
         RtfStatus::Ok},
        {"binary data skipped", "{\\rtf1 a\\bin3 {}\\b}", u"ab", RtfStatus::Ok},
        {"truncated", R"({\rtf1 One\par Tw)", u"One|Tw", RtfStatus::Truncated},
        {"truncated escape", R"({\rtf1 a\')", u"a", RtfStatus::Truncated},
        {"truncated word", R"({\rtf1 a\u)", u"a", RtfStatus::Truncated},
        {"backslash at the end", "{\\rtf1 a\\", u"a", RtfStatus::Truncated},
        {"unbalanced close", R"({\rtf1 a}} b})", u"a", RtfStatus::Unbalanced},
        {"trailing newline", "{\\rtf1 a}\r\n", u"a", RtfStatus::Ok},
        {"not rtf", "Hello", u"", RtfStatus::NotRtf},
        {"empty", "", u"", RtfStatus::NotRtf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RtfDocument doc = ReadRtf(c.rtf);
        EXPECT_EQ(doc.status, c.status);
        EXPECT_EQ(Flat(doc), c.text);
    }
}

TEST(RtfReader, DeepNestingStopsAtTheLimit)
{
    const std::string within =
        "{\\rtf1 a" + std::string(kMaxRtfDepth - 1, '{') + "b" + std::string(kMaxRtfDepth, '}');
    EXPECT_EQ(ReadRtf(within).status, RtfStatus::Ok);
    EXPECT_EQ(Flat(ReadRtf(within)), u"ab");

    const std::string deeper = "{\\rtf1 a" + std::string(100000, '{') + "b";
    const RtfDocument doc = ReadRtf(deeper);
    EXPECT_EQ(doc.status, RtfStatus::TooDeep);
    EXPECT_EQ(Flat(doc), u"a");
}

namespace {

std::string Repeated(const std::string& piece, size_t times)
{
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

// A file built to be huge once laid out (a style switch at every letter, a million paragraphs,
// megabytes of text) stops at the reader's limits, keeping what came before.
TEST(RtfReader, HugeDocumentsStopAtTheLimits)
{
    const struct
    {
        const char* what;
        std::string rtf;
        RtfStatus status;
        size_t paragraphs;
        size_t runs;
        size_t characters;
    } cases[] = {
        {"a run per letter", "{\\rtf1 " + Repeated("\\b x\\b0 y", kMaxRtfRunsPerParagraph) + "}",
         RtfStatus::TooLong, 1, kMaxRtfRunsPerParagraph, kMaxRtfRunsPerParagraph},
        {"a run per letter in many paragraphs",
         "{\\rtf1 " + Repeated(Repeated("\\b x\\b0 y", 500) + "\\par ", 20), RtfStatus::TooLong,
         kMaxRtfRuns / 1000, kMaxRtfRuns, kMaxRtfRuns},
        {"empty paragraphs", "{\\rtf1 " + Repeated("\\par ", kMaxRtfParagraphs + 5) + "a}",
         RtfStatus::TooLong, kMaxRtfParagraphs, 0, 0},
        // The empty paragraph after the last break is dropped, as after any final break.
        {"exactly the empty paragraphs allowed", "{\\rtf1 " + Repeated("\\par ", kMaxRtfParagraphs) + "}",
         RtfStatus::Ok, kMaxRtfParagraphs, 0, 0},
        {"a paragraph per letter", "{\\rtf1 a" + Repeated("\\par a", kMaxRtfParagraphs - 1) + "}",
         RtfStatus::Ok, kMaxRtfParagraphs, kMaxRtfParagraphs, kMaxRtfParagraphs},
        {"text", "{\\rtf1 " + std::string(kMaxRtfCharacters + 100, 't') + "}", RtfStatus::TooLong, 1, 1,
         kMaxRtfCharacters},
        {"just within", "{\\rtf1 " + std::string(kMaxRtfCharacters, 't') + "}", RtfStatus::Ok, 1, 1,
         kMaxRtfCharacters},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RtfDocument doc = ReadRtf(c.rtf);
        size_t runs = 0;
        size_t characters = 0;
        for (const RtfParagraph& paragraph : doc.paragraphs) {
            runs += paragraph.runs.size();
            for (const RtfRun& run : paragraph.runs)
                characters += run.text.size();
        }
        EXPECT_EQ(doc.status, c.status);
        EXPECT_EQ(doc.paragraphs.size(), c.paragraphs);
        EXPECT_EQ(runs, c.runs);
        EXPECT_EQ(characters, c.characters);
    }
}
