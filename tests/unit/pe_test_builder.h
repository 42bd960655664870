#pragma once
// Builds small resource libraries and bitmaps byte by byte, so that tests can describe exactly
// the layout they need (directory order, a broken offset) and then damage it on purpose.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test_pe {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, size_t at, uint16_t v)
{
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}

inline void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

inline void Append16(Bytes& b, uint16_t v)
{
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}

inline void Append32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((v >> (8 * i)) & 0xFF);
}

struct Resource
{
    uint16_t type;
    uint16_t id;
    Bytes data;
};

struct BuiltPe
{
    Bytes bytes;
    size_t sectionOffset = 0;        // file offset of the resource section
    size_t optionalHeader = 0;       // file offset of the optional header
    std::vector<size_t> typeEntries; // file offsets of the root's entries
    std::vector<size_t> dataEntries; // file offsets of each resource's data entry
    static constexpr uint32_t kSectionRva = 0x1000;
};

// A string bundle: up to 16 texts; an empty text is an absent string.
inline Bytes StringBundle(const std::vector<std::u16string>& texts)
{
    Bytes b;
    for (const std::u16string& t : texts) {
        Append16(b, static_cast<uint16_t>(t.size()));
        for (char16_t c : t)
            Append16(b, c);
    }
    return b;
}

// Types and ids appear in the directory in the order given; each resource has one language.
inline BuiltPe BuildPe(const std::vector<Resource>& resources, bool pe32plus = true)
{
    std::vector<uint16_t> types;
    for (const Resource& r : resources)
        if (std::find(types.begin(), types.end(), r.type) == types.end())
            types.push_back(r.type);

    // Section layout: root, one table per type, one language table and one data entry per
    // resource, then the data.
    size_t pos = 16 + 8 * types.size();
    std::vector<size_t> typeTable;
    for (uint16_t t : types) {
        typeTable.push_back(pos);
        size_t n =
            std::count_if(resources.begin(), resources.end(), [t](const Resource& r) { return r.type == t; });
        pos += 16 + 8 * n;
    }
    std::vector<size_t> langTable, dataEntry, dataAt;
    for (size_t i = 0; i < resources.size(); ++i, pos += 24)
        langTable.push_back(pos);
    for (size_t i = 0; i < resources.size(); ++i, pos += 16)
        dataEntry.push_back(pos);
    for (const Resource& r : resources) {
        dataAt.push_back(pos);
        pos += (r.data.size() + 3) / 4 * 4;
    }
    Bytes section(pos, 0);
    Put16(section, 14, static_cast<uint16_t>(types.size()));
    for (size_t ti = 0; ti < types.size(); ++ti) {
        Put32(section, 16 + 8 * ti, types[ti]);
        Put32(section, 16 + 8 * ti + 4, 0x80000000u | static_cast<uint32_t>(typeTable[ti]));
        size_t slot = 0;
        for (size_t ri = 0; ri < resources.size(); ++ri) {
            if (resources[ri].type != types[ti])
                continue;
            const size_t entry = typeTable[ti] + 16 + 8 * slot++;
            Put32(section, entry, resources[ri].id);
            Put32(section, entry + 4, 0x80000000u | static_cast<uint32_t>(langTable[ri]));
        }
        Put16(section, typeTable[ti] + 14, static_cast<uint16_t>(slot));
    }
    for (size_t ri = 0; ri < resources.size(); ++ri) {
        Put16(section, langTable[ri] + 14, 1);
        Put32(section, langTable[ri] + 16, 0x409);
        Put32(section, langTable[ri] + 20, static_cast<uint32_t>(dataEntry[ri]));
        Put32(section, dataEntry[ri], BuiltPe::kSectionRva + static_cast<uint32_t>(dataAt[ri]));
        Put32(section, dataEntry[ri] + 4, static_cast<uint32_t>(resources[ri].data.size()));
        std::memcpy(section.data() + dataAt[ri], resources[ri].data.data(), resources[ri].data.size());
    }

    BuiltPe pe;
    const size_t peAt = 64, coff = peAt + 4, optional = coff + 20;
    const uint16_t optionalSize = pe32plus ? 240 : 224;
    const size_t sectionTable = optional + optionalSize;
    pe.sectionOffset = (sectionTable + 40 + 0x1FF) / 0x200 * 0x200;
    pe.optionalHeader = optional;
    Bytes& b = pe.bytes;
    b.assign(pe.sectionOffset, 0);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, peAt);
    Put32(b, peAt, 0x00004550);
    Put16(b, coff, pe32plus ? 0x8664 : 0x14C);
    Put16(b, coff + 2, 1);
    Put16(b, coff + 16, optionalSize);
    Put16(b, optional, pe32plus ? 0x20B : 0x10B);
    const size_t dirCount = optional + (pe32plus ? 108 : 92);
    Put32(b, dirCount, 16);
    Put32(b, dirCount + 4 + 2 * 8, BuiltPe::kSectionRva);
    Put32(b, dirCount + 4 + 2 * 8 + 4, static_cast<uint32_t>(section.size()));
    std::memcpy(b.data() + sectionTable, ".rsrc", 5);
    Put32(b, sectionTable + 8, static_cast<uint32_t>(section.size()));
    Put32(b, sectionTable + 12, BuiltPe::kSectionRva);
    Put32(b, sectionTable + 16, static_cast<uint32_t>(section.size()));
    Put32(b, sectionTable + 20, static_cast<uint32_t>(pe.sectionOffset));
    b.insert(b.end(), section.begin(), section.end());
    for (size_t ti = 0; ti < types.size(); ++ti)
        pe.typeEntries.push_back(pe.sectionOffset + 16 + 8 * ti);
    for (size_t e : dataEntry)
        pe.dataEntries.push_back(pe.sectionOffset + e);
    return pe;
}

// A bitmap resource: info header (40 bytes), colour table and bits as given.
inline Bytes Dib(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                 const std::vector<uint32_t>& table, const Bytes& bits, uint32_t colorsUsed = 0)
{
    Bytes b;
    Append32(b, 40);
    Append32(b, static_cast<uint32_t>(width));
    Append32(b, static_cast<uint32_t>(height));
    Append16(b, 1);
    Append16(b, bitCount);
    Append32(b, compression);
    Append32(b, static_cast<uint32_t>(bits.size()));
    Append32(b, 0);
    Append32(b, 0);
    Append32(b, colorsUsed);
    Append32(b, 0);
    for (uint32_t entry : table)
        Append32(b, entry);
    b.insert(b.end(), bits.begin(), bits.end());
    return b;
}

} // namespace test_pe
