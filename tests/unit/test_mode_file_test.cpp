#include "app/core/test_mode_file.h"

#include "platform/core/code_page.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::u16string Section(int number, std::u16string_view body)
{
    auto n = ToWide(std::to_string(number));
    return u"<Camera_" + n + u">" + std::u16string(body) + u"</Camera_" + n + u">\r\n";
}

CameraRecord ReadOne(std::u16string_view body)
{
    CameraList list;
    ParseTestFileText(Section(1, body), list);
    EXPECT_EQ(list.GetCount(), 1u);
    return list.IsEmpty() ? CameraRecord{} : *list.GetHead();
}

std::string Dotted(const Ipv4Address& a)
{
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]);
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> s)
{
    return {s.begin(), s.end()};
}

} // namespace

// The texts and numbers of a camera of defaults are checked through the written layout below.
TEST(TestFileRead, ASectionOfOneBlankGivesADefaultCameraWithTheFixedParts)
{
    CameraRecord camera = ReadOne(u" ");
    const DeviceInfo& info = camera.info;
    EXPECT_EQ(info.Get(DeviceInfo::fixedIp), 0);
    EXPECT_EQ(info.Get(DeviceInfo::dhcpEnable), 1);
    // "1": the first pair is "1" and the end of the text (1 * 16 + 255), then pairs wholly past it.
    std::vector<uint8_t> key(52, 0);
    key[0] = 0x0F;
    std::fill(key.begin() + 1, key.begin() + 13, 0xEF);
    EXPECT_EQ(Bytes(info.Get(DeviceInfo::wepKeys)), key);
    EXPECT_EQ(info.Get(DeviceInfo::macAddress), (MacAddress{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(info.Get(DeviceInfo::deviceType), 0);
    EXPECT_EQ(camera.AnsweredCommand(), 0);
    EXPECT_EQ(camera.loginRequired, 1);
    EXPECT_EQ(camera.identity.Get(CameraIdentity::macAddress), info.Get(DeviceInfo::macAddress));
}

TEST(TestFileRead, SectionsAreTakenByNumberUntilTheFirstMissingOrEmptyOne)
{
    struct Case
    {
        const char* name;
        std::u16string text;
        std::vector<std::string> names; // camera names read, in list order
    };
    auto named = [](int n, const char16_t* name) {
        return Section(n, u"<Camera Name>" + std::u16string(name) + u"</Camera Name>");
    };
    const Case cases[] = {
        {"empty section 1", u"<Camera_1></Camera_1>" + named(2, u"B"), {}},
        {"no section 1", named(2, u"B"), {}},
        {"gap after 2", named(1, u"A") + named(2, u"B") + named(4, u"D"), {"A", "B"}},
        {"out of order", named(2, u"B") + named(1, u"A"), {"A", "B"}},
        {"closing tag missing", named(1, u"A") + u"<Camera_2><Camera Name>B</Camera Name>", {"A"}},
        {"leading zero is another tag", named(1, u"A") + named(2, u"B").replace(8, 1, u"02"), {"A"}},
        {"text around tags",
         u"junk\r\n" + named(1, u"A") + u"\tmore <Camera_x> junk" + named(2, u"B"),
         {"A", "B"}},
        {"a repeated number: the first counts", named(1, u"A") + named(1, u"B"), {"A"}},
        {"a section ends at the next opening tag",
         u"<Camera_1> " + named(2, u"B") + u"<Camera Name>A</Camera Name></Camera_1>",
         {"Test Camera", "B"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraList list;
        ParseTestFileText(c.text, list);
        std::vector<std::string> names;
        for (const CameraRecord* camera : list)
            names.push_back(camera->info.Get(DeviceInfo::cameraName));
        EXPECT_EQ(names, c.names);
    }
}

TEST(TestFileRead, ValuesConvertByTheRulesOfTheirKey)
{
    struct Case
    {
        std::u16string body;
        std::function<void(const DeviceInfo&)> check;
    };
    const Case cases[] = {
        {u"<DHCP Enable>enable</DHCP Enable>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(i.Get(DeviceInfo::fixedIp), 1);
             EXPECT_EQ(i.Get(DeviceInfo::dhcpEnable), 0);
         }},
        {u"<Channel>0x0B</Channel>", [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::channel), 0); }},
        {u"<Channel>267</Channel>", [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::channel), 11); }},
        {u"<Channel>  -1x</Channel>",
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::channel), 255); }},
        {u"<Channel>99999999999999</Channel>",
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::channel), 255); }},
        {u"<Time Zone>-12</Time Zone>",
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::timeZone), 244); }},
        {u"<IP Address>10.1.2</IP Address><Subnet Mask>.1.2.3</Subnet Mask><Primary DNS>x</Primary DNS>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(Dotted(i.Get(DeviceInfo::ipAddress)), "192.168.0.3");
             EXPECT_EQ(Dotted(i.Get(DeviceInfo::subnetMask)), "255.255.255.0");
             EXPECT_EQ(Dotted(i.Get(DeviceInfo::primaryDns)), "172.31.2.239");
         }},
        {u"<IP Address>10.1.2.3.4</IP Address><Default Gateway>1..2.300</Default Gateway>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(Dotted(i.Get(DeviceInfo::ipAddress)), "10.1.2.3");
             EXPECT_EQ(Dotted(i.Get(DeviceInfo::gateway)), "1.0.2.44");
         }},
        {u"<Time>12:30:0</Time><Date>1/2/2007</Date>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(i.Get(DeviceInfo::time), "08:15");
             EXPECT_EQ(i.Get(DeviceInfo::date), "01/31/2007");
         }},
        {u"<Time>12:30:00</Time>", // as a save writes it
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::time), "12:30:00"); }},
        {u"<Time>23:59</Time><Date>12/24/2030</Date>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(i.Get(DeviceInfo::time), "23:59");
             EXPECT_EQ(i.Get(DeviceInfo::date), "12/24/2030");
         }},
        {u"<bWep>1</bWep><bWepKey>0123456789</bWepKey>",
         [](const DeviceInfo& i) {
             std::vector<uint8_t> key(52, 0);
             std::copy_n(std::begin({0x01, 0x23, 0x45, 0x67, 0x89}), 5, key.begin());
             EXPECT_EQ(Bytes(i.Get(DeviceInfo::wepKeys)), key);
         }},
        {u"<bWep>2</bWep><bWepKey>ABcdg1</bWepKey>",
         [](const DeviceInfo& i) {
             auto key = i.Get(DeviceInfo::wepKeys);
             EXPECT_EQ(key[0], 0xAB);
             EXPECT_EQ(key[1], 0xCD);
             EXPECT_EQ(key[2], 0xF1); // "g" counts 255: (255 * 16 + 1) mod 256
             EXPECT_EQ(key[3], 0xEF);
             EXPECT_EQ(key[12], 0xEF);
             EXPECT_EQ(key[13], 0x00);
         }},
        {u"<Camera Name>Caf\u00E9 \u4E2D 0123456789</Camera Name><camera name>x</camera name>",
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::cameraName), "Caf\xE9 ? 012345678"); }},
        {u"<Wireless Mode>1</Wireless Mode><Wireless>2</Wireless>",
         [](const DeviceInfo& i) { EXPECT_EQ(i.Get(DeviceInfo::wirelessMode), 1); }},
        {u"<SSID> spaced </SSID><Description></Description>",
         [](const DeviceInfo& i) {
             EXPECT_EQ(i.Get(DeviceInfo::ssid), " spaced ");
             EXPECT_EQ(i.Get(DeviceInfo::description), "");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToNarrow(c.body));
        c.check(ReadOne(c.body).info);
    }
}

TEST(TestFileRead, EveryCameraGetsItsOwnMacEndingInItsNumber)
{
    std::u16string text;
    for (int n = 1; n <= 300; ++n)
        text += Section(n, u" ");
    CameraList list;
    ParseTestFileText(text, list);
    ASSERT_EQ(list.GetCount(), 300u);
    EXPECT_EQ(list.GetAt(2)->info.Get(DeviceInfo::macAddress), (MacAddress{0, 0, 0, 0, 0, 3}));
    EXPECT_EQ(list.GetAt(256)->info.Get(DeviceInfo::macAddress), (MacAddress{0, 0, 0, 0, 1, 1}));
    std::set<MacAddress> macs;
    for (const CameraRecord* camera : list)
        macs.insert(camera->info.Get(DeviceInfo::macAddress));
    EXPECT_EQ(macs.size(), 300u);
}

TEST(TestFileDecode, Utf16IsReadByByteCountAndEveryTextEndsAtItsFirstNul)
{
    struct Case
    {
        std::vector<uint8_t> bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {{0xFF, 0xFE, 'a', 0, 0xAC, 0x20}, u"a\u20AC"},
        {{0xFF, 0xFE, 'a', 0, 'b'}, u"a"}, // odd length: the lone last byte is dropped
        {{0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}, u"a"},
        {{0xFF, 0xFE}, u""},
        {{0xFF}, u"\u00FF"},
        {{'a', 0x80, 0xE9}, u"a\u20AC\u00E9"},
        {{'a', 0, 'b'}, u"a"},
        {{}, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeTestFileText(c.bytes), c.expected);
}

TEST(TestFileWrite, WritesTheExactLayoutAndEndsEachSectionWithTwoEmptyLines)
{
    CameraList list;
    list.EmplaceTail(CameraFromSection(u" ", 1));
    list.EmplaceTail(CameraFromSection(u"<Time Zone>-3</Time Zone><DHCP Enable>Disable</DHCP Enable>"
                                       u"<bWep>2</bWep><bWepKey>00112233445566778899aabbcc</bWepKey>",
                                       2));
    std::u16string text = FormatTestFileText(list);
    const std::u16string first = u"<Camera_1>\r\n"
                                 u"\t<Administrator Name>admin</Administrator Name>\r\n"
                                 u"\t<Administrator Password>qzpvm</Administrator Password>\r\n"
                                 u"\t<Camera Name>Test Camera</Camera Name>\r\n"
                                 u"\t<Description>My Test Camera</Description>\r\n"
                                 u"\t<Time Zone>14</Time Zone>\r\n"
                                 u"\t<Date>01/31/2007</Date>\r\n"
                                 u"\t<Time>08:15</Time>\r\n"
                                 u"\t<DHCP Enable>Enable</DHCP Enable>\r\n"
                                 u"\t<IP Address>192.168.0.3</IP Address>\r\n"
                                 u"\t<Subnet Mask>255.255.255.0</Subnet Mask>\r\n"
                                 u"\t<Default Gateway>192.168.0.1</Default Gateway>\r\n"
                                 u"\t<Primary DNS>172.31.2.239</Primary DNS>\r\n"
                                 u"\t<Secondary DNS>172.31.6.250</Secondary DNS>\r\n"
                                 u"\t<SSID>Qadrel</SSID>\r\n"
                                 u"\t<Channel>11</Channel>\r\n"
                                 u"\t<Wireless>0</Wireless>\r\n"
                                 u"\t<Security>1</Security>\r\n"
                                 u"\t<SecMode>0</SecMode>\r\n"
                                 u"\t<bWep>0</bWep>\r\n"
                                 u"\t<bWepKey>0fefefefefefefefefefefefef</bWepKey>\r\n"
                                 u"\t<WepPassphrase></WepPassphrase>\r\n"
                                 u"\t<WpaPassphrase></WpaPassphrase>\r\n"
                                 u"</Camera_1>\r\n\r\n\r\n";
    EXPECT_EQ(ToNarrow(text.substr(0, first.size())), ToNarrow(first));
    const std::u16string second = text.substr(first.size());
    EXPECT_NE(second.find(u"\t<Time Zone>-3</Time Zone>\r\n"), std::u16string::npos);
    EXPECT_NE(second.find(u"\t<DHCP Enable>Disable</DHCP Enable>\r\n"), std::u16string::npos);
    EXPECT_NE(second.find(u"\t<bWepKey>00112233445566778899aabbcc</bWepKey>\r\n"), std::u16string::npos);
    EXPECT_TRUE(second.ends_with(u"</WpaPassphrase>\r\n</Camera_2>\r\n\r\n\r\n"));
    EXPECT_EQ(EncodeTestFileText(u"a\u20AC"), (std::vector<uint8_t>{0xFF, 0xFE, 'a', 0, 0xAC, 0x20}));
}

TEST(TestFileWrite, ReadingBackGivesEveryKeyButTheKnownThree)
{
    CameraList list;
    CameraRecord* camera = list.EmplaceTail(CameraFromSection(u" ", 1));
    DeviceInfo& info = camera->info;
    info.Set(DeviceInfo::loginName, "root\x80");
    info.Set(DeviceInfo::loginPassword, std::string(63, 'p'));
    info.Set(DeviceInfo::cameraName, "Garden \xE9t\xE9");
    info.Set(DeviceInfo::description, "Back door, <b>left</b>");
    info.Set(DeviceInfo::timeZone, 200);
    info.Set(DeviceInfo::date, "07/04/2031");
    info.Set(DeviceInfo::time, "7:05:59");
    info.Set(DeviceInfo::ipAddress, Ipv4Address{10, 0, 0, 254});
    info.Set(DeviceInfo::wirelessMode, 1);
    info.Set(DeviceInfo::wepEnabled, 1);
    for (uint8_t i = 0; i < 13; ++i)
        info.Get(DeviceInfo::wepKeys)[i] = static_cast<uint8_t>(0xA0 + i);
    info.Set(DeviceInfo::wpaPassphrase, "wpa secret");
    list.EmplaceTail(CameraFromSection(u"<DHCP Enable>Disable</DHCP Enable>", 2));

    CameraList back;
    ParseTestFileText(DecodeTestFileText(EncodeTestFileText(FormatTestFileText(list))), back);
    ASSERT_EQ(back.GetCount(), 2u);

    DeviceInfo expected = info;
    expected.Set(DeviceInfo::wirelessMode, 0);
    expected.Set(DeviceInfo::time, "08:15");
    std::fill_n(expected.Get(DeviceInfo::wepKeys).begin() + 5, 8, 0);
    EXPECT_EQ(Bytes(back.GetHead()->info.Raw()), Bytes(expected.Raw()));
    EXPECT_EQ(Bytes(back.GetAt(1)->info.Raw()), Bytes(list.GetAt(1)->info.Raw()));
}

namespace {

// A scratch folder holding a test file with one camera named "Old".
class TestFileOnDisk : public testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("camtivo-test-file-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / kTestFileName;
        CameraList old;
        old.EmplaceTail(CameraFromSection(u"<Camera Name>Old</Camera Name>", 1));
        ASSERT_TRUE(WriteTestFile(file, old));
        oldBytes = Contents(file);
        fresh.EmplaceTail(CameraFromSection(u"<Camera Name>New</Camera Name>", 1));
        fresh.EmplaceTail(CameraFromSection(u" ", 2));
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
    fs::path file;
    std::string oldBytes;
    CameraList fresh;
};

} // namespace

TEST_F(TestFileOnDisk, AWriteReplacesTheFileAndAReadReplacesTheList)
{
    ASSERT_TRUE(WriteTestFile(file, fresh));
    EXPECT_FALSE(fs::exists(dir / "Camtivo.tst.tmp"));
    CameraList list;
    list.EmplaceTail();
    EXPECT_EQ(ReadTestFile(file, list), TestFileRead::Read);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetHead()->info.Get(DeviceInfo::cameraName), "New");

    EXPECT_EQ(ReadTestFile(dir / "missing.tst", list), TestFileRead::Unreadable);
    EXPECT_TRUE(list.IsEmpty());
    list.EmplaceTail();
    EXPECT_EQ(ReadTestFile(dir, list), TestFileRead::Unreadable);
    EXPECT_TRUE(list.IsEmpty());

    // A file beyond the limit is refused by its size, without being read.
    fs::resize_file(file, kMaxTestFileBytes + 1);
    list.EmplaceTail();
    EXPECT_EQ(ReadTestFile(file, list), TestFileRead::TooLarge);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(TestFileOnDisk, AFailedWriteKeepsTheOldFileAndSaysSo)
{
#ifdef _WIN32
    GTEST_SKIP() << "breaks the write with /dev/full and POSIX permissions";
#else
    struct Case
    {
        const char* name;
        std::function<void()> breakIt;
    };
    const fs::path temp = dir / "Camtivo.tst.tmp";
    const Case cases[] = {
        {"temporary file cannot be created", [&] { fs::create_directory(temp); }},
        {"writing fails (disk full)", [&] { fs::create_symlink("/dev/full", temp); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.breakIt();
        EXPECT_FALSE(WriteTestFile(file, fresh));
        EXPECT_EQ(Contents(file), oldBytes);
        fs::remove_all(temp);
    }
    if (geteuid() != 0) {
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteTestFile(file, fresh));
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(Contents(file), oldBytes);
    }
#endif
}

TEST_F(TestFileOnDisk, AFailedReplaceLeavesNoTemporaryFileBehind)
{
    const fs::path target = dir / "folder.tst";
    fs::create_directories(target / "keep");
    EXPECT_FALSE(WriteTestFile(target, fresh));
    EXPECT_TRUE(fs::is_directory(target / "keep"));
    EXPECT_FALSE(fs::exists(dir / "folder.tst.tmp"));
}

TEST(TestFileDemo, TheShippedDemoFileHoldsThreeDifferentCameras)
{
    CameraList list;
    ReadTestFile(fs::path(CAMTIVO_TEST_DATA) / ".." / ".." / "demo" / kTestFileName, list);
    ASSERT_EQ(list.GetCount(), 3u);
    std::vector<std::string> names;
    int dhcp = 0;
    for (const CameraRecord* camera : list) {
        names.push_back(camera->info.Get(DeviceInfo::cameraName));
        dhcp += camera->info.Get(DeviceInfo::dhcpEnable);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Front-Door", "Warehouse", "Garden"}));
    EXPECT_EQ(dhcp, 1);
}
