#include "cli/core/batch_table.h"

#include "cli/core/stored_text.h"
#include "platform/core/net_address.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRequiredColumns[] = {"mac", "login", "password"};
// Columns whose text is never repeated in a message.
constexpr std::string_view kSecretColumns[] = {"login", "password", "wep-key", "wep-passphrase",
                                               "wpa-passphrase"};

// The most fields a record may have, and what is said when it has more.
struct FieldLimit
{
    size_t fields;
    BatchStatus status;
    std::string message;
};

struct Record
{
    int line = 0;
    std::vector<std::string> fields;
    bool quoted = false; // a field was quoted, so an empty-looking record is still a record
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

BatchTable Failure(BatchStatus status, int line, std::string message)
{
    BatchTable table;
    table.status = status;
    table.line = line;
    table.message = std::move(message);
    return table;
}

// Cuts the text into records of fields, one record per call. Quoted fields may hold commas,
// line ends and doubled quotes; unquoted fields lose surrounding blanks and keep any quote
// inside them as text. A record with more fields than its limit, or a field longer than
// kMaxBatchFieldBytes, is refused before it is kept.
class Splitter
{
public:
    Splitter(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    // The next record that is not a blank line, in `record` (no fields at the end of the text).
    std::optional<BatchTable> Next(Record& record, const FieldLimit& limit)
    {
        while (!AtEnd()) {
            record = Record{line_, {}, false};
            if (auto failure = ReadRecord(record, limit))
                return failure;
            const bool blankLine = record.fields.size() == 1 && record.fields[0].empty() && !record.quoted;
            if (!blankLine)
                return std::nullopt;
        }
        record = Record{line_, {}, false};
        return std::nullopt;
    }

private:
    bool AtFieldEnd() const
    {
        return pos_ >= text_.size() || text_[pos_] == separator_ || text_[pos_] == '\n' ||
               text_[pos_] == '\r';
    }

    std::optional<BatchTable> ReadRecord(Record& record, const FieldLimit& limit)
    {
        for (;;) {
            if (record.fields.size() == limit.fields)
                return Failure(limit.status, record.line, limit.message);
            size_t start = pos_;
            while (start < text_.size() && IsBlank(text_[start]))
                ++start;
            std::string field;
            if (start < text_.size() && text_[start] == '"') {
                pos_ = start + 1;
                record.quoted = true;
                if (auto failure = ReadQuoted(record.line, field))
                    return failure;
            } else {
                pos_ = start;
                while (!AtFieldEnd() && pos_ - start <= kMaxBatchFieldBytes)
                    ++pos_;
                if (pos_ - start > kMaxBatchFieldBytes)
                    return FieldTooLong(record.line);
                field = Trimmed(text_.substr(start, pos_ - start));
            }
            record.fields.push_back(std::move(field));
            if (pos_ < text_.size() && text_[pos_] == separator_) {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '\r')
                ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n')
                ++pos_;
            ++line_;
            return std::nullopt;
        }
    }

    std::optional<BatchTable> ReadQuoted(int recordLine, std::string& field)
    {
        for (;;) {
            if (pos_ >= text_.size())
                return Failure(BatchStatus::BadQuote, recordLine, "a quoted field is not closed");
            if (field.size() > kMaxBatchFieldBytes)
                return FieldTooLong(recordLine);
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    field += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == '\n')
                ++line_;
            field += c;
        }
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        if (!AtFieldEnd())
            return Failure(BatchStatus::BadQuote, line_, "text follows a closing quote");
        return std::nullopt;
    }

    static BatchTable FieldTooLong(int line)
    {
        return Failure(BatchStatus::TooLong, line,
                       "a field is longer than " + std::to_string(kMaxBatchFieldBytes) + " bytes");
    }

    std::string_view text_;
    char separator_;
    size_t pos_ = 0;
    int line_ = 1;
};

// Spreadsheets in locales whose decimal mark is a comma separate cells by ';'. A header row
// holding a ';' and no ',' is taken as such a file.
char SeparatorOf(std::string_view text)
{
    const std::string_view header = text.substr(0, text.find('\n'));
    return header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos ? ';'
                                                                                                    : ',';
}

// A spreadsheet writes a row as wide as its widest: cells left empty after the last named
// column are no cells of the table.
void DropEmptyTail(std::vector<std::string>& fields, size_t keep)
{
    while (fields.size() > keep && Trimmed(fields.back()).empty())
        fields.pop_back();
}

std::optional<BatchTable> CheckHeader(const std::vector<std::string>& columns,
                                      const BatchColumnCheck& isKnownColumn)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].empty())
            return Failure(BatchStatus::EmptyColumn, 1,
                           "column " + std::to_string(i + 1) + " of the header has no name");
        if (isKnownColumn && !isKnownColumn(columns[i]))
            return Failure(BatchStatus::UnknownColumn, 1,
                           "unknown column '" + columns[i] + "'" +
                               (columns[i].find(';') != std::string::npos
                                    ? " (cells are separated by ',', or by ';' when the header holds no ',')"
                                    : ""));
    }
    std::set<std::string_view> seen;
    for (const std::string& column : columns) {
        if (!seen.insert(column).second)
            return Failure(BatchStatus::DuplicateColumn, 1, "the header names column '" + column + "' twice");
    }
    for (const std::string_view required : kRequiredColumns) {
        if (!seen.contains(required))
            return Failure(BatchStatus::MissingColumn, 1,
                           "the header has no '" + std::string(required) + "' column");
    }
    return std::nullopt;
}

bool IsControl(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

std::optional<BatchTable> CheckCells(const BatchTable& table, const BatchRow& row)
{
    for (size_t i = 0; i < row.values.size(); ++i) {
        const std::string& value = row.values[i];
        const std::string where = "column '" + table.columns[i] + "'";
        const auto codes = DecodeUtf8(value);
        if (!codes)
            return Failure(BatchStatus::NotUtf8, row.line, where + " is not UTF-8 text");
        if (std::any_of(codes->begin(), codes->end(), IsControl))
            return Failure(BatchStatus::Control, row.line,
                           where + " holds a control character (such as NUL, a tab or a line end)");
        const bool secret = std::ranges::find(kSecretColumns, table.columns[i]) != std::end(kSecretColumns);
        if (std::string refusal = StoredTextRefusal(value, secret ? TextKind::Secret : TextKind::Plain);
            !refusal.empty())
            return Failure(BatchStatus::NotCodePage, row.line, where + ": " + refusal);
    }
    return std::nullopt;
}

std::optional<BatchTable> CheckRow(const BatchTable& table, const BatchRow& row,
                                   std::map<std::string, int>& macLines)
{
    if (row.values.size() != table.columns.size())
        return Failure(BatchStatus::FieldCount, row.line,
                       std::to_string(row.values.size()) + " fields where the header names " +
                           std::to_string(table.columns.size()));
    const std::string cell = table.Value(row, "mac");
    if (cell.empty())
        return Failure(BatchStatus::BlankRequired, row.line, "no MAC address");
    // Both ways of writing a MAC address name one camera; any other text is the command line's
    // to report.
    const std::string mac = NormaliseMac(cell).value_or(cell);
    if (auto failure = CheckCells(table, row))
        return failure;
    const auto [earlier, added] = macLines.emplace(mac, row.line);
    if (!added)
        return Failure(BatchStatus::DuplicateMac, row.line,
                       "camera " + mac + " already has a row (line " + std::to_string(earlier->second) + ")");
    return std::nullopt;
}

} // namespace

std::string BatchTable::Value(const BatchRow& row, std::string_view column) const
{
    const auto it = std::find(columns.begin(), columns.end(), column);
    const auto index = static_cast<size_t>(it - columns.begin());
    return index < row.values.size() ? row.values[index] : std::string();
}

BatchTable ParseBatchTable(std::string_view text, const BatchColumnCheck& isKnownColumn)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    Splitter splitter(text, SeparatorOf(text));
    Record record;
    const FieldLimit headerLimit{kMaxBatchColumns, BatchStatus::TooLong,
                                 "the header names more than " + std::to_string(kMaxBatchColumns) +
                                     " columns"};
    if (auto failure = splitter.Next(record, headerLimit))
        return *failure;
    if (record.fields.empty())
        return Failure(BatchStatus::Empty, 0, "the file has no header row");
    const size_t width = record.fields.size();
    DropEmptyTail(record.fields, 1);
    BatchTable table;
    for (const std::string& name : record.fields)
        table.columns.push_back(Lower(Trimmed(name)));
    if (auto failure = CheckHeader(table.columns, isKnownColumn))
        return *failure;
    const std::string columns = std::to_string(table.columns.size());
    const FieldLimit rowLimit{width, BatchStatus::FieldCount,
                              "more fields than the " + columns + " the header names"};
    std::map<std::string, int> macLines;
    for (;;) {
        if (auto failure = splitter.Next(record, rowLimit))
            return *failure;
        if (record.fields.empty())
            return table;
        if (table.rows.size() == kMaxBatchRows)
            return Failure(BatchStatus::TooLong, record.line,
                           "more than " + std::to_string(kMaxBatchRows) + " camera rows");
        DropEmptyTail(record.fields, table.columns.size());
        BatchRow row{record.line, std::move(record.fields)};
        if (auto failure = CheckRow(table, row, macLines))
            return *failure;
        table.rows.push_back(std::move(row));
    }
}
