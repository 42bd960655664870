#include "cli/core/batch_table.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct TableCase
{
    const char* what;
    std::string text;
    BatchStatus status;
    int line;            // where the problem is, or 0
    std::string message; // a part of the message, or ""
    std::string values;  // the first row's values joined by '|' when it parses
};

TEST(BatchTable, ParsesRowsAndRefusesWhatCannotBeSaved)
{
    const std::string header = "mac,login,password,name\n";
    const TableCase cases[] = {
        {"plain", header + "02:ca:00:00:00:01,admin,pw,Door\n", BatchStatus::Ok, 0, "",
         "02:ca:00:00:00:01|admin|pw|Door"},
        {"quoted comma, doubled quote, CRLF, BOM, blanks around names",
         "\xEF\xBB\xBF MAC , Login,password,name\r\n02:ca:00:00:00:01,\"a,b\",\"say \"\"hi\"\"\", Door \r\n",
         BatchStatus::Ok, 0, "", "02:ca:00:00:00:01|a,b|say \"hi\"|Door"},
        {"a quoted line end counts as a line",
         "mac,login,password,description\n\n02:ca:00:00:00:01,a,b,\"p\nq\"\n"
         "02:ca:00:00:00:01,a,b,c\n",
         BatchStatus::Control, 3, "column 'description' holds a control character", ""},
        {"NUL in a password", header + "02:ca:00:00:00:01,a,p\0w,c\n"s, BatchStatus::Control, 2,
         "column 'password' holds a control character", ""},
        {"tab in a quoted name", header + "02:ca:00:00:00:01,a,b,\"x\ty\"\n", BatchStatus::Control, 2,
         "column 'name'", ""},
        {"C1 control", header + "02:ca:00:00:00:01,a,b,x\xC2\x85\n", BatchStatus::Control, 2, "column 'name'",
         ""},
        {"cell one byte too long",
         header + "02:ca:00:00:00:01,a," + std::string(kMaxBatchFieldBytes + 1, 'p') + ",c\n",
         BatchStatus::TooLong, 2, "a field is longer than 256 bytes", ""},
        {"quoted cell one byte too long",
         header + "02:ca:00:00:00:01,a,\"" + std::string(kMaxBatchFieldBytes + 1, 'p') + "\",c\n",
         BatchStatus::TooLong, 2, "a field is longer than 256 bytes", ""},
        {"longest cell", header + "02:ca:00:00:00:01,a," + std::string(kMaxBatchFieldBytes, 'p') + ",c\n",
         BatchStatus::Ok, 0, "", "02:ca:00:00:00:01|a|" + std::string(kMaxBatchFieldBytes, 'p') + "|c"},
        {"header too wide", header.substr(0, header.size() - 1) + std::string(kMaxBatchColumns, ',') + "x\n",
         BatchStatus::TooLong, 1, "more than 256 columns", ""},
        {"far too many fields", header + "02:ca:00:00:00:01,a,b,c" + std::string(100000, ',') + "\n",
         BatchStatus::FieldCount, 2, "more fields than the 4 the header names", ""},
        {"duplicate MAC in another spelling", header + "02:ca:00:00:00:01,a,b,c\n02-CA-00-00-00-01,a,b,c\n",
         BatchStatus::DuplicateMac, 3, "camera 02:ca:00:00:00:01 already has a row (line 2)", ""},
        {"Windows-1252 name", header + "02:ca:00:00:00:01,a,b,Caf\xC3\xA9-\xE2\x82\xAC\n", BatchStatus::Ok, 0,
         "", "02:ca:00:00:00:01|a|b|Caf\xC3\xA9-\xE2\x82\xAC"},
        {"name outside Windows-1252", header + "02:ca:00:00:00:01,a,b,Kamera-\xCE\xA9\n",
         BatchStatus::NotCodePage, 2,
         "column 'name': 'Kamera-\xCE\xA9' holds '\xCE\xA9' (U+03A9), which a camera cannot store", ""},
        {"password outside Windows-1252, its text never shown", header + "02:ca:00:00:00:01,a,s\xCE\xA9x,c\n",
         BatchStatus::NotCodePage, 2, "column 'password': its character 2 is one a camera cannot store", ""},
        {"character beyond the basic plane", header + "02:ca:00:00:00:01,a,b,\xF0\x9F\x93\xB7\n",
         BatchStatus::NotCodePage, 2, "holds '\xF0\x9F\x93\xB7'", ""},
        {"not UTF-8", header + "02:ca:00:00:00:01,a,b,Caf\xE9\n", BatchStatus::NotUtf8, 2,
         "column 'name' is not UTF-8 text", ""},
        {"missing column", "mac,login,name\n02:ca:00:00:00:01,a,b\n", BatchStatus::MissingColumn, 1,
         "the header has no 'password' column", ""},
        {"column twice", "mac,login,password,Name,name\n", BatchStatus::DuplicateColumn, 1, "'name' twice",
         ""},
        {"blank column name", "mac,login,,password\n", BatchStatus::EmptyColumn, 1, "column 3 of the header",
         ""},
        {"too few fields", header + "02:ca:00:00:00:01,a,b\n", BatchStatus::FieldCount, 2,
         "3 fields where the header names 4", ""},
        {"blank MAC", header + ",a,b,c\n", BatchStatus::BlankRequired, 2, "no MAC address", ""},
        {"open quote", header + "02:ca:00:00:00:01,\"a,b,c\n", BatchStatus::BadQuote, 2, "not closed", ""},
        {"text after a quote", header + "02:ca:00:00:00:01,\"a\"x,b,c\n", BatchStatus::BadQuote, 2,
         "text follows a closing quote", ""},
        {"nothing at all", "\n\n", BatchStatus::Empty, 0, "no header row", ""},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.what);
        const BatchTable table = ParseBatchTable(c.text);
        EXPECT_EQ(table.status, c.status) << table.message;
        EXPECT_EQ(table.line, c.line);
        EXPECT_NE(table.message.find(c.message), std::string::npos) << table.message;
        if (c.status == BatchStatus::Ok) {
            ASSERT_EQ(table.rows.size(), 1u);
            const std::vector<std::string>& values = table.rows[0].values;
            std::string joined = values.at(0);
            for (size_t i = 1; i < values.size(); ++i)
                joined += "|" + values[i];
            EXPECT_EQ(joined, c.values);
            EXPECT_EQ(table.Value(table.rows[0], "login"), values.at(1));
        }
    }
}

TEST(BatchTable, UnknownColumnsComeBeforeDuplicatesAndWideHeadersStayCheap)
{
    const auto known = [](const std::string& column) { return column != "colour"; };
    const BatchTable unknown = ParseBatchTable("mac,login,password,name,name,colour\n", known);
    EXPECT_EQ(unknown.status, BatchStatus::UnknownColumn);
    EXPECT_EQ(unknown.message, "unknown column 'colour'");

    // The widest header allowed, every name different: the duplicate search is not quadratic.
    std::string wide = "mac,login,password";
    for (size_t i = 3; i < kMaxBatchColumns; ++i)
        wide += ",c" + std::to_string(i);
    const BatchTable table = ParseBatchTable(wide + "\n" + "02:ca:00:00:00:01,a,b" +
                                             std::string(kMaxBatchColumns - 3, ',') + "\n");
    EXPECT_EQ(table.status, BatchStatus::Ok) << table.message;
    EXPECT_EQ(table.columns.size(), kMaxBatchColumns);
}

TEST(BatchTable, RowsBeyondTheLimitAreRefusedAtTheirLine)
{
    std::string text = "mac,login,password\n";
    for (size_t i = 0; i <= kMaxBatchRows; ++i) {
        char row[40];
        std::snprintf(row, sizeof row, "02:ca:00:%02zx:%02zx:%02zx,a,b\n", i >> 16, (i >> 8) & 0xFF,
                      i & 0xFF);
        text += row;
    }
    const BatchTable table = ParseBatchTable(text);
    EXPECT_EQ(table.status, BatchStatus::TooLong);
    EXPECT_EQ(table.line, static_cast<int>(kMaxBatchRows) + 2);
    EXPECT_EQ(table.message, "more than 100000 camera rows");
}

} // namespace
