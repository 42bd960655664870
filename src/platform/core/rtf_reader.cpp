#include "platform/core/rtf_reader.h"

#include "platform/core/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {

constexpr size_t kMaxWordLetters = 32;
constexpr size_t kMaxParameterDigits = 10;

// Destinations whose text is not part of the document.
constexpr std::array<std::string_view, 14> kSkippedDestinations{
    "fonttbl", "colortbl", "stylesheet", "info",    "pict",    "object",    "header",
    "footer",  "headerl",  "headerr",    "footerl", "footerr", "listtable", "listoverridetable"};

struct CharacterWord
{
    std::string_view word;
    char16_t character;
};

// Control words that stand for one character.
constexpr std::array<CharacterWord, 10> kCharacterWords{{{"tab", u'\t'},
                                                         {"line", u'\u2028'},
                                                         {"emdash", u'\u2014'},
                                                         {"endash", u'\u2013'},
                                                         {"lquote", u'\u2018'},
                                                         {"rquote", u'\u2019'},
                                                         {"ldblquote", u'\u201C'},
                                                         {"rdblquote", u'\u201D'},
                                                         {"bullet", u'\u2022'},
                                                         {"emspace", u'\u2003'}}};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct GroupState
{
    RtfStyle style;
    bool skipped = false;  // inside a destination whose text is dropped
    int fallbackChars = 1; // characters after "\uN" that stand in for it ("\ucN")
};

struct ControlWord
{
    std::string_view word;
    bool hasParameter = false;
    // Ten digits do not fit a 32-bit long, which is what long is on Windows.
    int64_t parameter = 0;
};

class Reader
{
public:
    explicit Reader(std::string_view input) : in_(input) {}

    RtfDocument Read()
    {
        if (in_.substr(0, 5) != "{\\rtf") {
            doc_.status = RtfStatus::NotRtf;
            return doc_;
        }
        doc_.paragraphs.emplace_back();
        doc_.status = Run();
        if (doc_.paragraphs.size() > 1 && doc_.paragraphs.back().runs.empty())
            doc_.paragraphs.pop_back();
        return doc_;
    }

private:
    RtfStatus Run()
    {
        while (pos_ < in_.size() && !full_) {
            const char c = in_[pos_++];
            if (c == '{' || c == '}')
                pendingFallback_ = 0; // a fallback never reaches past its group
            if (c == '{') {
                if (groups_.size() >= kMaxRtfDepth)
                    return RtfStatus::TooDeep;
                groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
                atGroupStart_ = true;
                continue;
            }
            const bool groupStart = std::exchange(atGroupStart_, false);
            if (c == '}') {
                groups_.pop_back();
                if (groups_.empty())
                    return Rest() ? RtfStatus::Ok : RtfStatus::Unbalanced;
            } else if (c == '\\') {
                Control(groupStart);
            } else if (c != '\r' && c != '\n' && c != '\0') {
                Emit(WideChar(c));
            }
        }
        return full_ ? RtfStatus::TooLong : RtfStatus::Truncated;
    }

    // Only blanks and NUL padding may follow the outermost group.
    bool Rest() const
    {
        return std::all_of(in_.begin() + static_cast<std::ptrdiff_t>(pos_), in_.end(),
                           [](char c) { return c == '\0' || c == '\r' || c == '\n' || c == ' '; });
    }

    GroupState& State() { return groups_.back(); }

    void Emit(char16_t c)
    {
        if (pendingFallback_ > 0) {
            --pendingFallback_;
            return;
        }
        if (State().skipped)
            return;
        if (characters_ == kMaxRtfCharacters || ParagraphBeyondLimit()) {
            full_ = true;
            return;
        }
        auto& runs = doc_.paragraphs.back().runs;
        if (runs.empty() || runs.back().style != State().style) {
            if (runs.size() == kMaxRtfRunsPerParagraph || runCount_ == kMaxRtfRuns) {
                full_ = true;
                return;
            }
            runs.push_back({{}, State().style});
            ++runCount_;
        }
        runs.back().text += c;
        ++characters_;
    }

    void Control(bool groupStart)
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c, groupStart);
            return;
        }
        const ControlWord word = ReadWord();
        // A control word counts as one fallback character, but it is not carried out then.
        if (pendingFallback_ > 0) {
            --pendingFallback_;
            return;
        }
        Word(word, groupStart);
    }

    void Symbol(char c, bool groupStart)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Emit(static_cast<char16_t>(c));
            break;
        case '~':
            Emit(u'\u00A0');
            break;
        case '_':
            Emit(u'\u2011');
            break;
        case '\'':
            if (const int byte = ReadHexByte(); byte >= 0)
                Emit(WideChar(static_cast<char>(byte)));
            break;
        case '*':
            if (groupStart)
                State().skipped = true;
            break;
        case '\r':
        case '\n':
            Paragraph();
            break;
        default:
            break; // "\-" (optional hyphen) and unknown symbols show nothing
        }
    }

    // Up to two hexadecimal digits; -1 when there is none.
    int ReadHexByte()
    {
        int value = -1;
        for (int i = 0; i < 2 && pos_ < in_.size(); ++i) {
            const int digit = HexValue(in_[pos_]);
            if (digit < 0)
                break;
            value = std::max(value, 0) * 16 + digit;
            ++pos_;
        }
        return value;
    }

    ControlWord ReadWord()
    {
        ControlWord word;
        const size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < kMaxWordLetters)
            ++pos_;
        word.word = in_.substr(start, pos_ - start);
        const bool negative = pos_ < in_.size() && in_[pos_] == '-';
        const size_t digitsAt = pos_ + (negative ? 1 : 0);
        size_t end = digitsAt;
        while (end < in_.size() && IsDigit(in_[end]) && end - digitsAt < kMaxParameterDigits) {
            word.parameter = word.parameter * 10 + (in_[end] - '0');
            ++end;
        }
        if (end > digitsAt) {
            word.hasParameter = true;
            word.parameter = negative ? -word.parameter : word.parameter;
            pos_ = end;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        return word;
    }

    void Word(const ControlWord& w, bool groupStart)
    {
        const bool on = !w.hasParameter || w.parameter != 0;
        if (groupStart && std::ranges::find(kSkippedDestinations, w.word) != kSkippedDestinations.end()) {
            State().skipped = true;
        } else if (w.word == "par") {
            Paragraph();
        } else if (w.word == "b") {
            State().style.bold = on;
        } else if (w.word == "i") {
            State().style.italic = on;
        } else if (w.word == "ul") {
            State().style.underline = on;
        } else if (w.word == "ulnone") {
            State().style.underline = false;
        } else if (w.word == "plain") {
            State().style = {};
        } else if (w.word == "uc") {
            State().fallbackChars = static_cast<int>(std::clamp<int64_t>(w.parameter, 0, 16));
        } else if (w.word == "u" && w.hasParameter) {
            Emit(static_cast<char16_t>(w.parameter & 0xFFFF));
            pendingFallback_ = State().fallbackChars;
        } else if (w.word == "bin") {
            pos_ += static_cast<size_t>(
                std::clamp<int64_t>(w.parameter, 0, static_cast<int64_t>(in_.size() - pos_)));
        } else if (const auto* symbol = std::ranges::find(kCharacterWords, w.word, &CharacterWord::word);
                   symbol != kCharacterWords.end()) {
            Emit(symbol->character);
        }
    }

    void Paragraph()
    {
        pendingFallback_ = 0;
        if (State().skipped)
            return;
        if (ParagraphBeyondLimit()) {
            full_ = true;
            return;
        }
        doc_.paragraphs.emplace_back();
    }

    // The paragraph a break opens after the last one allowed is only dropped when nothing
    // follows it, as after any final break; text or another break in it goes beyond the limit.
    bool ParagraphBeyondLimit() const { return doc_.paragraphs.size() > kMaxRtfParagraphs; }

    std::string_view in_;
    size_t pos_ = 0;
    std::vector<GroupState> groups_;
    bool atGroupStart_ = false;
    int pendingFallback_ = 0;
    size_t runCount_ = 0;
    size_t characters_ = 0;
    bool full_ = false; // a limit was reached: reading stops
    RtfDocument doc_;
};

} // namespace

RtfDocument ReadRtf(std::string_view input)
{
    return Reader(input).Read();
}
