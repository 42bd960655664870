#pragma once
// The camera list of a batch save: CSV text (RFC 4180 quoting, LF or CRLF line ends, an
// optional UTF-8 byte order mark; cells separated by ',', or by ';' when the header row holds a
// ';' and no ',') whose header row names the columns and whose every further row is one camera;
// empty cells after the last named column are ignored. The table is checked as a whole before anything is
// sent: structure, the columns every row needs, one row per MAC address, and text a camera can store (its
// fields are Windows-1252). Whether a column is a known setting and whether its values are acceptable is the
// command line's own check.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Far beyond any real batch: a longer file, more rows or columns or a longer cell is refused
// as it is met, so that no file can make the table large. A cell holds at most what a camera
// stores (64 bytes, up to 3 UTF-8 bytes each) with room to spare for a login or password.
inline constexpr size_t kMaxBatchFileBytes = 64 * 1024 * 1024;
inline constexpr size_t kMaxBatchRows = 100000;
inline constexpr size_t kMaxBatchColumns = 256;
inline constexpr size_t kMaxBatchFieldBytes = 256;

enum class BatchStatus
{
    Ok,
    Empty,           // no header row
    NotUtf8,         // the text is not valid UTF-8
    BadQuote,        // a quote left open, or text after a closing quote
    EmptyColumn,     // a header cell is blank
    UnknownColumn,   // a header names a column the caller does not know
    DuplicateColumn, // a header names a column twice
    MissingColumn,   // mac, login or password is not a column
    FieldCount,      // a row has more or fewer fields than the header
    BlankRequired,   // a row leaves mac, login or password empty
    DuplicateMac,    // two rows for one camera
    NotCodePage,     // a value holds a character the camera cannot store
    Control,         // a value holds a control character (NUL, a line end, a tab, ...)
    TooLong          // a cell, the header or the number of rows is beyond its limit above
};

struct BatchRow
{
    int line = 0;                    // the file line the row starts on (the header is line 1)
    std::vector<std::string> values; // in header order
};

struct BatchTable
{
    BatchStatus status = BatchStatus::Ok;
    int line = 0;                     // where the problem is, 0 when it is not on one line
    std::string message;              // what is wrong, without the line number
    std::vector<std::string> columns; // header names, trimmed and lower-case
    std::vector<BatchRow> rows;

    // The row's value of a column; empty when the column is absent or the cell blank.
    std::string Value(const BatchRow& row, std::string_view column) const;
};

// Whether a header name is a column the caller knows; checked before duplicates are looked for.
using BatchColumnCheck = std::function<bool(const std::string&)>;

// Reads the text in one pass, checking each row as it is met; stops at the first problem.
BatchTable ParseBatchTable(std::string_view text, const BatchColumnCheck& isKnownColumn = {});
