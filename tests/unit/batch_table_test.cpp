#include "app/core/batch_table.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

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
         "mac,login,password,description\n\n02:ca:00:00:00:01,a,\"p\nq\",d\n"
         "02:ca:00:00:00:01,a,b,c\n",
         BatchStatus::DuplicateMac, 5, "already has a row (line 3)", ""},
        {"duplicate MAC in another spelling", header + "02:ca:00:00:00:01,a,b,c\n02-CA-00-00-00-01,a,b,c\n",
         BatchStatus::DuplicateMac, 3, "camera 02:ca:00:00:00:01 already has a row (line 2)", ""},
        {"Windows-1252 name", header + "02:ca:00:00:00:01,a,b,Caf\xC3\xA9-\xE2\x82\xAC\n", BatchStatus::Ok, 0,
         "", "02:ca:00:00:00:01|a|b|Caf\xC3\xA9-\xE2\x82\xAC"},
        {"name outside Windows-1252", header + "02:ca:00:00:00:01,a,b,Kamera-\xCE\xA9\n",
         BatchStatus::NotCodePage, 2,
         "column 'name': 'Kamera-\xCE\xA9' holds '\xCE\xA9', which a camera cannot store", ""},
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

} // namespace
