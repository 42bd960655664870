#include "batch_rows.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "mac,login,password,dhcp,ip,mask,gateway\n";

} // namespace

// Every row is checked as its own save would be, and two rows may not give one address.
TEST(BatchRows, BadRowsAreNamedByTheirLine)
{
    struct Case
    {
        std::string csv;
        std::string error;
    };
    const Case cases[] = {
        {kHeader + "00:50:c2:00:00:01,a,b,maybe,,,\n",
         "f.csv line 2: invalid value for --dhcp: 'maybe' (on or off; also yes/no, true/false, 1/0)"},
        {kHeader + "00:50:c2:00:00:01,a,b,on,,,\n00:50:c2:00:00:02,a,b,on,10.0.0.5,,\n",
         "f.csv line 3: invalid value: --ip, --mask, --gateway, --dns1 and --dns2 need a fixed address "
         "(--dhcp off)"},
        {kHeader + "00:50:c2:00:00:01,a,b,off,10.0.0.5,255.0.255.0,\n",
         "f.csv line 2: invalid value: --mask 255.0.255.0: The subnet mask must be ones followed by zeros, "
         "such as 255.255.255.0 or 255.255.0.0."},
        {kHeader + "00:50:c2:00:00:01,a,b,,10.0.0.300,,\n",
         "f.csv line 2: invalid value: --ip 10.0.0.300: Each part of an address must be a number from 0 to "
         "255."},
        {kHeader + "00:50:c2:00:00:01,a,b,,10.0.0.5,,\n00:50:c2:00:00:02,a,b,,10.0.0.6,,\n"
                   "00:50:c2:00:00:03,a,b,,010.0.0.5,,\n",
         "f.csv lines 2 and 4 both give the address 10.0.0.5"},
        {kHeader + "00:50:c2:00:00:01,a,b,,,,\n00-50-C2-00-00-01,a,b,,,,\n",
         "f.csv line 3: camera 00:50:c2:00:00:01 already has a row (line 2)"},
        {"mac,login,password,to\n00:50:c2:00:00:01,a,b,10.0.0\n",
         "f.csv line 2: invalid value for --to: '10.0.0' is not an address like 192.168.0.20, a block like "
         "10.20.0.0/22 or a range like 10.20.4.10-10.20.4.200"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const BatchRows rows = BatchRowsOf(c.csv, "f.csv");
        EXPECT_EQ(rows.error, c.error);
        EXPECT_TRUE(rows.cameras.empty());
    }
}

// A row is its camera's save: blank cells leave their setting alone, a blank password is the
// empty one, and a value may begin with dashes.
TEST(BatchRows, RowsBecomeSaves)
{
    const BatchRows rows = BatchRowsOf("mac,login,password,name,dhcp,to\n"
                                       "00-50-C2-00-00-01,admin,,Gate,on,\n"
                                       "00:50:c2:00:00:02,admin,--secret,,,10.20.0.7\n",
                                       "f.csv");
    ASSERT_EQ(rows.error, "");
    ASSERT_EQ(rows.cameras.size(), 2u);
    EXPECT_EQ(rows.lines, (std::vector<int>{2, 3}));
    const CliOptions& first = rows.cameras[0];
    EXPECT_EQ(first.mac, "00:50:c2:00:00:01");
    EXPECT_EQ(first.password, "");
    EXPECT_EQ(first.change.name, u"Gate");
    EXPECT_EQ(first.change.dhcp, true);
    const CliOptions& second = rows.cameras[1];
    EXPECT_EQ(second.password, "--secret");
    EXPECT_FALSE(second.change.name);
    EXPECT_FALSE(second.change.dhcp);
    EXPECT_EQ(second.to, (std::vector<std::string>{"10.20.0.7"}));
}

// A spreadsheet's own ways of writing the file: ';' between cells, empty cells after the last
// column, switches as Yes or OFF, and "Unicode text" (UTF-16 either way round, with its mark).
TEST(BatchRows, SpreadsheetFilesReadAsCommaSeparatedOnes)
{
    const std::string latin1 =
        "mac;login;password;dhcp;wireless;ssid;;\r\n00:50:c2:00:00:01;admin;pw;Yes;OFF;Caf\xE9;;\r\n";
    const auto utf16 = [&latin1](bool bigEndian) {
        std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char c : latin1)
            out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        return out;
    };
    std::string utf8 = latin1;
    utf8.replace(utf8.find('\xE9'), 1, "\xC3\xA9");
    for (const std::string& file : {utf8, utf16(false), utf16(true)}) {
        const BatchRows rows = BatchRowsOf(file, "f.csv");
        ASSERT_EQ(rows.error, "");
        ASSERT_EQ(rows.cameras.size(), 1u);
        EXPECT_EQ(rows.cameras[0].change.dhcp, true);
        EXPECT_EQ(rows.cameras[0].change.wireless.wireless, false);
        EXPECT_EQ(rows.cameras[0].change.wireless.ssid, u"Caf\u00e9");
    }
}
