#include "batch_rows.h"

#include "change_refusal.h"
#include "cli/core/batch_table.h"
#include "cli/core/utf16_file_text.h"
#include "device/core/camera_detail_text.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string Where(const std::string& path, int line)
{
    return line > 0 ? path + " line " + std::to_string(line) + ": " : path + ": ";
}

// The row as the save it stands for: each cell read as the option of its column, blank cells
// leaving their setting alone (a blank login or password is the empty one). Empty when the row
// is accepted; otherwise what is wrong with it.
std::string ReadRow(const BatchTable& table, const BatchRow& row, CliOptions& options)
{
    options.command = CliCommand::Save;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const bool required = table.columns[i] == "login" || table.columns[i] == "password";
        if (row.values[i].empty() && !required)
            continue;
        if (std::string error = TakeSaveOption(options, "--" + table.columns[i], row.values[i]);
            !error.empty())
            return error;
    }
    if (std::string error = CheckSaveOptions(options); !error.empty())
        return error;
    if (std::string error = ChangeRefusal(options); !error.empty())
        return "invalid value: " + error;
    return {};
}

// Two rows that give the same fixed address would leave two cameras on one address: both lines
// are named. Empty when every address is given once.
std::string RepeatedAddress(const BatchRows& rows, const std::string& path)
{
    std::map<Ipv4Address, int> firstLine;
    for (size_t i = 0; i < rows.cameras.size(); ++i) {
        const std::optional<Ipv4Address>& address = rows.cameras[i].change.addresses[0];
        if (!address)
            continue;
        const auto [first, added] = firstLine.emplace(*address, rows.lines[i]);
        if (!added)
            return path + " lines " + std::to_string(first->second) + " and " +
                   std::to_string(rows.lines[i]) + " both give the address " +
                   camera_text::DottedQuad(*address);
    }
    return {};
}

} // namespace

BatchRows BatchRowsOf(const std::string& bytes, const std::string& path)
{
    BatchRows rows;
    const FileText text = Utf8OfFileText(bytes);
    if (text.status != FileTextStatus::Ok) {
        rows.error = Where(path, 0) + "the file begins as UTF-16 text but is not";
        return rows;
    }
    const BatchTable table = ParseBatchTable(text.utf8, IsBatchColumn);
    if (table.status != BatchStatus::Ok) {
        rows.error = Where(path, table.line) + table.message;
        return rows;
    }
    if (table.rows.empty()) {
        rows.error = Where(path, 0) + "the file names no camera";
        return rows;
    }
    for (const BatchRow& row : table.rows) {
        CliOptions options;
        if (std::string error = ReadRow(table, row, options); !error.empty()) {
            rows.error = Where(path, row.line) + error;
            rows.cameras.clear();
            rows.lines.clear();
            return rows;
        }
        rows.cameras.push_back(std::move(options));
        rows.lines.push_back(row.line);
    }
    if (std::string error = RepeatedAddress(rows, path); !error.empty()) {
        rows = {};
        rows.error = error;
    }
    return rows;
}

BatchRows ReadBatchRows(const std::string& path)
{
    BatchRows rows;
    const std::string tooLarge =
        Where(path, 0) + "the file is larger than " + std::to_string(kMaxBatchFileBytes >> 20) + " MB";
    // The name is UTF-8 like every argument; read as such it also opens on Windows, whose narrow
    // file names are in another code page.
    const std::filesystem::path name(std::u8string(path.begin(), path.end()));
    std::error_code error;
    if (const auto size = std::filesystem::file_size(name, error); !error && size > kMaxBatchFileBytes) {
        rows.error = tooLarge;
        return rows;
    }
    std::ifstream file(name, std::ios::binary);
    std::string text;
    // Read in pieces up to one byte past the limit: a larger stream is never held whole.
    std::array<char, 64 * 1024> piece;
    while (file && text.size() <= kMaxBatchFileBytes) {
        file.read(piece.data(), piece.size());
        text.append(piece.data(), static_cast<size_t>(file.gcount()));
    }
    if (text.size() > kMaxBatchFileBytes)
        rows.error = tooLarge;
    else if (!file.eof())
        rows.error = "cannot read " + path;
    else if (text.empty())
        rows.error = Where(path, 0) + "the file is empty";
    return rows.error.empty() ? BatchRowsOf(text, path) : rows;
}
