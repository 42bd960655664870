#include "app/core/test_mode_file.h"

#include "platform/core/code_page.h"
#include "platform/core/string_utils.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>

namespace {

using Text = std::u16string;
using TextView = std::u16string_view;
using InfoText = TextField<kDeviceInfoSize>;
using InfoByte = ByteField<kDeviceInfoSize>;
using InfoAddress = Ipv4Field<kDeviceInfoSize>;

constexpr TextView kSectionPrefix = u"<Camera_";
constexpr TextView kSectionClosePrefix = u"</Camera_";
constexpr size_t kDateLength = 10;
constexpr size_t kTimeLength = 5;
// A save writes the camera's own "HH:MM:SS"; reading it back must not lose the saved clock.
constexpr size_t kTimeWithSecondsLength = 8;
constexpr size_t kHexKeyTextBytes = 128; // at most 127 characters and the terminator
constexpr std::array<uint8_t, 2> kUtf16Mark = {0xFF, 0xFE};

// Keys whose tags differ between reading and writing or are spelled more than once.
constexpr TextView kWirelessModeReadTag = u"Wireless Mode";
constexpr TextView kWirelessModeWriteTag = u"Wireless";
constexpr TextView kDhcpTag = u"DHCP Enable";
constexpr TextView kDhcpOn = u"Enable";
constexpr TextView kDhcpOff = u"Disable";

struct TextKey
{
    TextView tag;
    TextView fallback;
    InfoText field;
};

struct ByteKey
{
    TextView tag;
    TextView fallback;
    InfoByte field;
};

struct AddressKey
{
    TextView tag;
    TextView fallback;
    InfoAddress field;
};

constexpr TextKey kLoginName{u"Administrator Name", u"admin", DeviceInfo::loginName};
constexpr TextKey kLoginPassword{u"Administrator Password", u"qzpvm", DeviceInfo::loginPassword};
constexpr TextKey kCameraName{u"Camera Name", u"Test Camera", DeviceInfo::cameraName};
constexpr TextKey kDescription{u"Description", u"My Test Camera", DeviceInfo::description};
constexpr ByteKey kTimeZone{u"Time Zone", u"14", DeviceInfo::timeZone};
constexpr TextKey kDate{u"Date", u"01/31/2007", DeviceInfo::date};
constexpr TextKey kTime{u"Time", u"08:15", DeviceInfo::time};
constexpr std::array<AddressKey, 5> kAddresses = {{
    {u"IP Address", u"192.168.0.3", DeviceInfo::ipAddress},
    {u"Subnet Mask", u"255.255.255.0", DeviceInfo::subnetMask},
    {u"Default Gateway", u"192.168.0.1", DeviceInfo::gateway},
    {u"Primary DNS", u"172.31.2.239", DeviceInfo::primaryDns},
    {u"Secondary DNS", u"172.31.6.250", DeviceInfo::secondaryDns},
}};
constexpr TextKey kSsid{u"SSID", u"Qadrel", DeviceInfo::ssid};
constexpr ByteKey kChannel{u"Channel", u"11", DeviceInfo::channel};
constexpr ByteKey kWirelessMode{kWirelessModeReadTag, u"0", DeviceInfo::wirelessMode};
constexpr ByteKey kSecurity{u"Security", u"1", DeviceInfo::security};
constexpr ByteKey kSecMode{u"SecMode", u"0", DeviceInfo::securityMode};
constexpr ByteKey kWep{u"bWep", u"0", DeviceInfo::wepEnabled};
constexpr TextView kWepKeyTag = u"bWepKey";
constexpr TextView kWepKeyFallback = u"1";
constexpr TextKey kWepPassphrase{u"WepPassphrase", u"", DeviceInfo::wepPassphrase};
constexpr TextKey kWpaPassphrase{u"WpaPassphrase", u"", DeviceInfo::wpaPassphrase};

Text OpenTag(TextView name)
{
    return Text(u"<").append(name).append(u">");
}

Text CloseTag(TextView name)
{
    return Text(u"</").append(name).append(u">");
}

Text Ascii(std::string_view text)
{
    return Text(text.begin(), text.end());
}

Text Decimal(long long value)
{
    return Ascii(std::to_string(value));
}

// ---- reading ----

Text Value(TextView section, TextView tag, TextView fallback)
{
    return ExtractBetween(OpenTag(tag), CloseTag(tag), fallback, section);
}

void StoreText(DeviceInfo& info, const InfoText& field, TextView value)
{
    ToNarrow(info.Raw().subspan(field.offset, field.width), value);
}

void ReadText(DeviceInfo& info, TextView section, const TextKey& key)
{
    StoreText(info, key.field, Value(section, key.tag, key.fallback));
}

// Date and time keep a fixed shape; anything else falls back to the default.
void ReadFixedLength(DeviceInfo& info, TextView section, const TextKey& key, size_t length,
                     size_t alternative = 0)
{
    Text value = Value(section, key.tag, key.fallback);
    const bool fits = value.size() == length || (alternative != 0 && value.size() == alternative);
    StoreText(info, key.field, fits ? TextView(value) : key.fallback);
}

// The C library's decimal conversion, kept modulo 256.
uint8_t DecimalByte(TextView value)
{
    return static_cast<uint8_t>(DecimalValue(value));
}

void ReadByte(DeviceInfo& info, TextView section, const ByteKey& key)
{
    info.Set(key.field, DecimalByte(Value(section, key.tag, key.fallback)));
}

// A value that breaks the dotted rule takes the key's whole default address, so a bad line
// never yields a half-made address.
void ReadAddress(DeviceInfo& info, TextView section, const AddressKey& key)
{
    std::array<int32_t, 4> parts{};
    if (ParseDottedQuad(Value(section, key.tag, key.fallback), parts) != 0)
        ParseDottedQuad(key.fallback, parts);
    Ipv4Address address{};
    for (size_t i = 0; i < address.size(); ++i)
        address[i] = static_cast<uint8_t>(parts[i]);
    info.Set(key.field, address);
}

void ReadDhcp(DeviceInfo& info, TextView section)
{
    bool dhcp = Value(section, kDhcpTag, kDhcpOn) == kDhcpOn;
    info.Set(DeviceInfo::fixedIp, dhcp ? 0 : 1);
    info.Set(DeviceInfo::dhcpEnable, dhcp ? 1 : 0);
}

// bWep must be read first: a 64-bit key fills 5 bytes, any other setting 13.
void ReadWepKey(DeviceInfo& info, TextView section)
{
    std::array<char, kHexKeyTextBytes> narrow{};
    ToNarrow(std::span(narrow), Value(section, kWepKeyTag, kWepKeyFallback));
    size_t count =
        info.Get(DeviceInfo::wepEnabled) == 1 ? DeviceInfo::kWep64KeySize : DeviceInfo::kWepKeySlotSize;
    ParseHexKey(std::string_view(narrow.data()), info.Get(DeviceInfo::wepKeys).first(count));
}

// A section tag at `at`: "<Camera_N>" or "</Camera_N>" with N decimal digits. `number` is 0
// when N has a leading zero or does not fit 32 bits, so it names no section that is read.
struct SectionTag
{
    bool found = false;
    uint32_t number = 0;
};

SectionTag TagAt(TextView text, size_t at)
{
    SectionTag tag;
    TextView rest = text.substr(at);
    const TextView prefix = rest.starts_with(kSectionClosePrefix) ? kSectionClosePrefix : kSectionPrefix;
    if (!rest.starts_with(prefix))
        return tag;
    rest.remove_prefix(prefix.size());
    size_t digits = 0;
    uint64_t value = 0;
    for (; digits < rest.size() && rest[digits] >= u'0' && rest[digits] <= u'9'; ++digits)
        value = std::min<uint64_t>(value * 10 + (rest[digits] - u'0'), uint64_t{1} << 32);
    tag.found = digits > 0 && digits < rest.size() && rest[digits] == u'>';
    if (tag.found && rest[0] != u'0' && value <= std::numeric_limits<uint32_t>::max())
        tag.number = static_cast<uint32_t>(value);
    return tag;
}

// Calls `visit(position, tag)` for every opening section tag of the text.
template <typename Visit> void ForEachOpeningTag(TextView text, Visit visit)
{
    for (size_t at = text.find(kSectionPrefix); at != TextView::npos;
         at = text.find(kSectionPrefix, at + 1)) {
        if (const SectionTag tag = TagAt(text, at); tag.found)
            visit(at, tag);
    }
}

// First position of every "<Camera_N>" by N, found in one pass. Reading stops at the first
// missing number and one section past the camera limit, so no N above the count of opening
// tags or above that section is ever read and none is kept.
std::vector<size_t> IndexSectionTags(TextView text)
{
    size_t count = 0;
    ForEachOpeningTag(text, [&count](size_t, const SectionTag&) { ++count; });
    std::vector<size_t> first(std::min(count, kMaxTestFileCameras + 1) + 1, TextView::npos);
    ForEachOpeningTag(text, [&first](size_t at, const SectionTag& tag) {
        if (tag.number < first.size() && first[tag.number] == TextView::npos)
            first[tag.number] = at;
    });
    return first;
}

// Where the section whose content starts at `from` ends: at the first section tag after it,
// its own closing tag or any other, so that sections never overlap and the file is read in
// one pass. npos when no tag follows: the section is not closed.
size_t SectionEnd(TextView text, size_t from)
{
    for (size_t at = text.find(u'<', from); at != TextView::npos; at = text.find(u'<', at + 1)) {
        if (TagAt(text, at).found)
            return at;
    }
    return TextView::npos;
}

// ---- writing ----

Text Line(TextView tag, TextView value)
{
    return Text(u"\t").append(OpenTag(tag)).append(value).append(CloseTag(tag)).append(u"\r\n");
}

Text FieldText(const DeviceInfo& info, const InfoText& field)
{
    std::array<char16_t, DeviceInfo::kSize> wide{};
    ToWide(std::span(wide).first(field.width), info.Get(field));
    return Text(wide.data());
}

Text AddressText(const Ipv4Address& address)
{
    Text text;
    for (size_t i = 0; i < address.size(); ++i)
        text.append(i ? u"." : u"").append(Decimal(address[i]));
    return text;
}

Text HexText(std::span<const uint8_t> bytes)
{
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    Text text;
    for (uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

void AppendCamera(Text& out, const DeviceInfo& info, size_t number)
{
    auto text = [&](const TextKey& key) { out += Line(key.tag, FieldText(info, key.field)); };
    auto byte = [&](const ByteKey& key, TextView tag) { out += Line(tag, Decimal(info.Get(key.field))); };
    bool dhcp = info.Get(DeviceInfo::fixedIp) == 0 && info.Get(DeviceInfo::dhcpEnable) == 1;

    out += Text(kSectionPrefix).append(Decimal(static_cast<long long>(number))).append(u">\r\n");
    text(kLoginName);
    text(kLoginPassword);
    text(kCameraName);
    text(kDescription);
    out += Line(kTimeZone.tag, Decimal(static_cast<int8_t>(info.Get(kTimeZone.field))));
    text(kDate);
    text(kTime);
    out += Line(kDhcpTag, dhcp ? kDhcpOn : kDhcpOff);
    for (const auto& key : kAddresses)
        out += Line(key.tag, AddressText(info.Get(key.field)));
    text(kSsid);
    byte(kChannel, kChannel.tag);
    byte(kWirelessMode, kWirelessModeWriteTag);
    byte(kSecurity, kSecurity.tag);
    byte(kSecMode, kSecMode.tag);
    byte(kWep, kWep.tag);
    out += Line(kWepKeyTag, HexText(info.Get(DeviceInfo::wepKeys).first(DeviceInfo::kWepKeySlotSize)));
    text(kWepPassphrase);
    text(kWpaPassphrase);
    out += Text(kSectionClosePrefix).append(Decimal(static_cast<long long>(number))).append(u">\r\n\r\n\r\n");
}

enum class WriteResult
{
    NotOpened,
    Failed,
    Written,
};

// Every step is checked: the open, the write, the flush and the close.
WriteResult WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return WriteResult::NotOpened;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    bool written = out.good();
    out.close();
    return written && !out.fail() ? WriteResult::Written : WriteResult::Failed;
}

} // namespace

CameraRecord CameraFromSection(std::u16string_view section, uint32_t number)
{
    CameraRecord camera;
    DeviceInfo& info = camera.info;
    // The section number in the last four bytes, so that no two cameras of a file share one.
    info.Set(DeviceInfo::macAddress,
             MacAddress{0, 0, static_cast<uint8_t>(number >> 24), static_cast<uint8_t>(number >> 16),
                        static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)});
    ReadText(info, section, kLoginName);
    ReadText(info, section, kLoginPassword);
    ReadText(info, section, kCameraName);
    ReadText(info, section, kDescription);
    ReadByte(info, section, kTimeZone);
    ReadFixedLength(info, section, kDate, kDateLength);
    ReadFixedLength(info, section, kTime, kTimeLength, kTimeWithSecondsLength);
    ReadDhcp(info, section);
    for (const auto& key : kAddresses)
        ReadAddress(info, section, key);
    ReadText(info, section, kSsid);
    ReadByte(info, section, kChannel);
    ReadByte(info, section, kWirelessMode);
    ReadByte(info, section, kSecurity);
    ReadByte(info, section, kSecMode);
    ReadByte(info, section, kWep);
    ReadWepKey(info, section);
    ReadText(info, section, kWepPassphrase);
    ReadText(info, section, kWpaPassphrase);
    camera.identity.FillFrom(info);
    camera.loginRequired = 1;
    return camera;
}

TestFileRead ParseTestFileText(std::u16string_view text, CameraList& cameras)
{
    const std::vector<size_t> opening = IndexSectionTags(text);
    for (uint32_t number = 1; number < opening.size() && opening[number] != TextView::npos; ++number) {
        const size_t from = text.find(u'>', opening[number]) + 1;
        const size_t end = SectionEnd(text, from);
        if (end == TextView::npos || end == from)
            break;
        if (number > kMaxTestFileCameras)
            return TestFileRead::ListFull;
        cameras.EmplaceTail(CameraFromSection(text.substr(from, end - from), number));
    }
    return TestFileRead::Read;
}

std::u16string DecodeTestFileText(std::span<const uint8_t> bytes)
{
    Text text;
    if (bytes.size() >= kUtf16Mark.size() && bytes[0] == kUtf16Mark[0] && bytes[1] == kUtf16Mark[1]) {
        auto units = bytes.subspan(kUtf16Mark.size());
        text.reserve(units.size() / 2);
        for (size_t i = 0; i + 1 < units.size(); i += 2) {
            auto unit = static_cast<char16_t>(units[i] | (units[i + 1] << 8));
            if (unit == u'\0')
                break;
            text.push_back(unit);
        }
        return text;
    }
    return ToWide(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<uint8_t> EncodeTestFileText(std::u16string_view text)
{
    std::vector<uint8_t> bytes(kUtf16Mark.begin(), kUtf16Mark.end());
    bytes.reserve(kUtf16Mark.size() + 2 * text.size());
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string FormatTestFileText(const CameraList& cameras)
{
    Text text;
    size_t number = 0;
    for (const CameraRecord* camera : cameras)
        AppendCamera(text, camera->info, ++number);
    return text;
}

TestFileRead ReadTestFile(const std::filesystem::path& path, CameraList& cameras)
{
    cameras.RemoveAll();
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return TestFileRead::Unreadable;
    if (size > kMaxTestFileBytes)
        return TestFileRead::TooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return TestFileRead::Unreadable;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<uintmax_t>(in.gcount()) != size)
        return TestFileRead::Unreadable;
    return ParseTestFileText(DecodeTestFileText(bytes), cameras);
}

bool WriteTestFile(const std::filesystem::path& path, const CameraList& cameras)
{
    std::vector<uint8_t> bytes = EncodeTestFileText(FormatTestFileText(cameras));
    std::filesystem::path temp = path;
    temp += ".tmp";
    std::error_code error;
    switch (WriteWholeFile(temp, bytes)) {
    case WriteResult::NotOpened:
        return false;
    case WriteResult::Failed:
        std::filesystem::remove(temp, error);
        return false;
    case WriteResult::Written:
        break;
    }
    // Replacing the old file by a rename means it is never left half-written.
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::filesystem::remove(temp, error);
        return false;
    }
    return true;
}
