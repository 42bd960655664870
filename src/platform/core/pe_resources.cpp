#include "platform/core/pe_resources.h"

#include "platform/core/byte_view.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_set>

namespace pe {
namespace {

constexpr size_t kDosHeaderSize = 64;
constexpr size_t kPeOffsetField = 0x3C;
constexpr uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr size_t kCoffHeaderSize = 20;
constexpr size_t kSectionCountField = 2;
constexpr size_t kOptionalSizeField = 16;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kPe32DirectoryCountField = 92;
constexpr size_t kPe32PlusDirectoryCountField = 108;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr size_t kDataDirectorySize = 8;
constexpr size_t kSectionHeaderSize = 40;

constexpr size_t kResourceDirectorySize = 16;
constexpr size_t kResourceEntrySize = 8;
constexpr size_t kResourceDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;
// The most entries read from one directory table: a pack's largest, the string bundles, has
// at most 4096 (numbers 0 to 65535, sixteen to a bundle).
constexpr size_t kMaxDirectoryEntries = 4096;

constexpr int kStringsPerBundle = 16;
constexpr uint16_t kLastBundle = 4096; // bundle 4096 holds numbers 65520 to 65535

struct Section
{
    uint32_t virtualAddress = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

struct DirectoryEntry
{
    uint32_t name = 0;
    uint32_t target = 0;
};

} // namespace

// Walks the headers and the three levels of the resource directory (type, id, language).
struct PeParser
{
    ByteView file;
    std::vector<Section> sections;
    size_t regionStart = 0;              // file offset of the resource directory
    size_t regionSize = 0;               // bytes from there to the end of its section's data
    std::unordered_set<uint64_t> walked; // directory tables already read

    PeStatus ReadHeaders(uint32_t& resourceRva) const;
    PeStatus ReadSections(size_t tableOffset, size_t count);
    std::optional<size_t> MapRva(uint64_t rva, uint64_t length) const;
    std::vector<DirectoryEntry> ReadDirectory(uint64_t offset);
    std::optional<ResourceEntry> ReadLeaf(uint16_t id, uint32_t target);
    std::vector<ResourceEntry> ReadType(uint32_t target);
    PeStatus Parse(PeResourceFile& out);
};

std::optional<size_t> PeParser::MapRva(uint64_t rva, uint64_t length) const
{
    for (const Section& s : sections) {
        if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize)
            continue;
        const uint64_t within = rva - s.virtualAddress;
        if (length > s.rawSize - within || !file.Has(uint64_t{s.rawOffset} + within, length))
            return std::nullopt;
        return static_cast<size_t>(s.rawOffset + within);
    }
    return std::nullopt;
}

PeStatus PeParser::ReadHeaders(uint32_t& resourceRva) const
{
    resourceRva = 0;
    if (!file.Has(0, kDosHeaderSize) || file.U8(0) != 'M' || file.U8(1) != 'Z')
        return PeStatus::NotPe;
    const uint64_t pe = file.U32(kPeOffsetField);
    if (!file.Has(pe, 4 + kCoffHeaderSize))
        return PeStatus::Truncated;
    if (file.U32(pe) != kPeSignature)
        return PeStatus::NotPe;
    const uint64_t coff = pe + 4;
    const uint64_t optional = coff + kCoffHeaderSize;
    const uint16_t optionalSize = file.U16(coff + kOptionalSizeField);
    if (!file.Has(optional, optionalSize) || optionalSize < 2)
        return PeStatus::Truncated;
    const uint16_t magic = file.U16(optional);
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        return PeStatus::NotPe;
    const uint64_t countField =
        optional + (magic == kPe32Magic ? kPe32DirectoryCountField : kPe32PlusDirectoryCountField);
    const uint64_t resourceField = countField + 4 + kResourceDirectoryIndex * kDataDirectorySize;
    if (countField + 4 > optional + optionalSize)
        return PeStatus::Truncated;
    if (file.U32(countField) <= kResourceDirectoryIndex)
        return PeStatus::Ok; // no resource directory at all
    if (resourceField + kDataDirectorySize > optional + optionalSize)
        return PeStatus::Truncated;
    resourceRva = file.U32(resourceField);
    return PeStatus::Ok;
}

PeStatus PeParser::ReadSections(size_t tableOffset, size_t count)
{
    if (!file.Has(tableOffset, uint64_t{count} * kSectionHeaderSize))
        return PeStatus::Truncated;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = tableOffset + i * kSectionHeaderSize;
        sections.push_back({file.U32(at + 12), file.U32(at + 16), file.U32(at + 20)});
    }
    return PeStatus::Ok;
}

// The entries of one directory table that lie inside the resource region; named entries
// (resources named by text rather than number) are of no use to a pack and are dropped.
// Each table is read once, however many entries point at it, and only its first
// kMaxDirectoryEntries entries: so a crafted directory costs no more than its own size.
std::vector<DirectoryEntry> PeParser::ReadDirectory(uint64_t offset)
{
    std::vector<DirectoryEntry> entries;
    if (offset > regionSize || regionSize - offset < kResourceDirectorySize || !walked.insert(offset).second)
        return entries;
    const uint64_t table = regionStart + offset;
    const size_t named = file.U16(table + 12);
    const size_t numbered = file.U16(table + 14);
    const size_t fits = (regionSize - offset - kResourceDirectorySize) / kResourceEntrySize;
    const size_t count = std::min({named + numbered, fits, kMaxDirectoryEntries});
    for (size_t i = 0; i < count; ++i) {
        const uint64_t at = table + kResourceDirectorySize + i * kResourceEntrySize;
        const uint32_t name = file.U32(at);
        if (!(name & kHighBit) && name <= 0xFFFF)
            entries.push_back({name, file.U32(at + 4)});
    }
    return entries;
}

// An id's language directory: the first language's data, if it lies inside the file.
std::optional<ResourceEntry> PeParser::ReadLeaf(uint16_t id, uint32_t target)
{
    if (!(target & kHighBit))
        return std::nullopt;
    for (const DirectoryEntry& language : ReadDirectory(target & ~kHighBit)) {
        if (language.target & kHighBit)
            continue;
        const uint64_t at = language.target;
        if (at > regionSize || regionSize - at < kResourceDataEntrySize)
            continue;
        const uint32_t rva = file.U32(regionStart + at);
        const uint32_t size = file.U32(regionStart + at + 4);
        if (const auto offset = MapRva(rva, size))
            return ResourceEntry{id, *offset, size};
    }
    return std::nullopt;
}

std::vector<ResourceEntry> PeParser::ReadType(uint32_t target)
{
    std::vector<ResourceEntry> found;
    if (!(target & kHighBit))
        return found;
    for (const DirectoryEntry& e : ReadDirectory(target & ~kHighBit))
        if (const auto leaf = ReadLeaf(static_cast<uint16_t>(e.name), e.target))
            found.push_back(*leaf);
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    found.erase(
        std::unique(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.id == b.id; }),
        found.end());
    return found;
}

PeStatus PeParser::Parse(PeResourceFile& out)
{
    uint32_t resourceRva = 0;
    if (const PeStatus status = ReadHeaders(resourceRva); status != PeStatus::Ok || resourceRva == 0)
        return status;
    const uint64_t coff = file.U32(kPeOffsetField) + 4;
    const uint64_t tableOffset = coff + kCoffHeaderSize + file.U16(coff + kOptionalSizeField);
    if (const PeStatus status = ReadSections(tableOffset, file.U16(coff + kSectionCountField));
        status != PeStatus::Ok)
        return status;
    const auto start = MapRva(resourceRva, kResourceDirectorySize);
    if (!start)
        return PeStatus::Corrupt;
    regionStart = *start;
    for (const Section& s : sections)
        if (resourceRva >= s.virtualAddress && resourceRva - s.virtualAddress < s.rawSize)
            regionSize =
                std::min<uint64_t>(s.rawSize - (resourceRva - s.virtualAddress), file.size() - regionStart);
    std::set<uint32_t> seen;
    for (const DirectoryEntry& type : ReadDirectory(0)) {
        if (!seen.insert(type.name).second)
            continue;
        if (type.name == kResourceBitmap)
            out.bitmaps_ = ReadType(type.target);
        else if (type.name == kResourceIcon)
            out.iconImages_ = ReadType(type.target);
        else if (type.name == kResourceString)
            out.stringBundles_ = ReadType(type.target);
        else if (type.name == kResourceGroupIcon)
            out.groupIcons_ = ReadType(type.target);
    }
    return PeStatus::Ok;
}

PeParseResult ParsePeResources(std::vector<uint8_t> bytes)
{
    PeParseResult result;
    PeResourceFile file;
    file.bytes_ = std::move(bytes);
    PeParser parser{ByteView(file.bytes_), {}, 0, 0, {}};
    result.status = parser.Parse(file);
    if (result.status == PeStatus::Ok)
        result.file = std::move(file);
    return result;
}

std::span<const uint8_t> PeResourceFile::Data(const ResourceEntry& entry) const
{
    return ByteView(bytes_).Sub(entry.offset, entry.size);
}

const ResourceEntry* PeResourceFile::Find(uint16_t type, uint16_t id) const
{
    const std::vector<ResourceEntry>* list = type == kResourceBitmap      ? &bitmaps_
                                             : type == kResourceIcon      ? &iconImages_
                                             : type == kResourceString    ? &stringBundles_
                                             : type == kResourceGroupIcon ? &groupIcons_
                                                                          : nullptr;
    if (!list)
        return nullptr;
    const auto it =
        std::lower_bound(list->begin(), list->end(), id, [](const auto& e, uint16_t v) { return e.id < v; });
    return it != list->end() && it->id == id ? &*it : nullptr;
}

// A bundle with id b holds the numbers (b - 1) * 16 to (b - 1) * 16 + 15, each as a 16-bit
// length followed by that many UTF-16 units; a length of 0 means no string.
std::vector<PeString> PeResourceFile::Strings() const
{
    std::vector<PeString> strings;
    for (const ResourceEntry& bundle : stringBundles_) {
        if (bundle.id == 0 || bundle.id > kLastBundle)
            continue;
        const ByteView in(Data(bundle));
        uint64_t pos = 0;
        for (int i = 0; i < kStringsPerBundle && in.Has(pos, 2); ++i) {
            const uint64_t length = in.U16(pos);
            pos += 2;
            if (!in.Has(pos, length * 2))
                break;
            if (length > 0) {
                PeString s{static_cast<uint16_t>((bundle.id - 1) * kStringsPerBundle + i), {}};
                s.text.resize(length);
                for (uint64_t c = 0; c < length; ++c)
                    s.text[c] = static_cast<char16_t>(in.U16(pos + 2 * c));
                strings.push_back(std::move(s));
            }
            pos += length * 2;
        }
    }
    return strings;
}

DibResult PeResourceFile::DecodeBitmap(uint16_t id) const
{
    const ResourceEntry* entry = Find(kResourceBitmap, id);
    if (!entry)
        return {DibStatus::Corrupt, {}, 0};
    return DecodeDib(Data(*entry));
}

// Each image is decoded at most once per file: a group may name one broken image thousands
// of times, and many groups may share it.
IconImage PeResourceFile::DecodeIcon(uint16_t groupId, int size) const
{
    IconImage none;
    none.status = IconStatus::NotFound;
    const ResourceEntry* group = Find(kResourceGroupIcon, groupId);
    if (!group)
        return none;
    const GroupIconResult directory = ReadGroupIcon(Data(*group));
    for (size_t index : RankIconEntries(directory.entries, size)) {
        const uint16_t imageId = directory.entries[index].imageId;
        const ResourceEntry* image = Find(kResourceIcon, imageId);
        if (!image || brokenIcons_.count(imageId))
            continue;
        IconImage decoded = DecodeIconImage(Data(*image));
        if (decoded.status == IconStatus::Ok)
            return decoded;
        brokenIcons_.insert(imageId);
    }
    return none;
}

} // namespace pe
