#include "platform/core/pe_resources.h"

#include "pe_test_builder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace test_pe;

namespace {

using Strings = std::vector<std::pair<int, std::u16string>>;

Strings StringsOf(const pe::PeResourceFile& file)
{
    Strings out;
    for (const pe::PeString& s : file.Strings())
        out.emplace_back(s.number, s.text);
    return out;
}

std::vector<int> Ids(const std::vector<pe::ResourceEntry>& entries)
{
    std::vector<int> ids;
    for (const pe::ResourceEntry& e : entries)
        ids.push_back(e.id);
    return ids;
}

const Bytes kTinyBitmap = Dib(1, 1, 24, 0, {}, {0x10, 0x20, 0x30, 0});

// Strings 0, 5 and 7 in bundle 1, 65535 in bundle 4096, listed last bundle first; a
// bitmap and a one-image icon.
std::vector<Resource> SampleResources()
{
    std::vector<std::u16string> first(16), last(16);
    first[7] = u"seven";
    first[0] = u"zero";
    first[5] = u"f\u00FCnf";
    last[15] = u"last";
    Bytes icon = Dib(1, 2, 24, 0, {}, {1, 2, 3, 0, 0, 0, 0, 0});
    Bytes group = {0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 9, 0};
    return {{pe::kResourceString, 4096, StringBundle(last)},
            {pe::kResourceString, 1, StringBundle(first)},
            {pe::kResourceBitmap, 111, kTinyBitmap},
            {pe::kResourceIcon, 9, icon},
            {pe::kResourceGroupIcon, 1, group}};
}

} // namespace

TEST(PeResources, StringsComeInAscendingNumberOrderWhateverTheDirectoryOrder)
{
    for (bool pe32plus : {true, false}) {
        SCOPED_TRACE(pe32plus ? "PE32+" : "PE32");
        const pe::PeParseResult parsed = pe::ParsePeResources(BuildPe(SampleResources(), pe32plus).bytes);
        ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
        const Strings expected = {{0, u"zero"}, {5, u"f\u00FCnf"}, {7, u"seven"}, {65535, u"last"}};
        EXPECT_EQ(StringsOf(parsed.file), expected);
        EXPECT_EQ(Ids(parsed.file.Bitmaps()), std::vector<int>{111});
        const pe::DibResult bitmap = parsed.file.DecodeBitmap(111);
        ASSERT_EQ(bitmap.status, pe::DibStatus::Ok);
        EXPECT_EQ(bitmap.image.pixels, std::vector<uint32_t>{0xFF302010});
        EXPECT_EQ(parsed.file.DecodeIcon(1).status, pe::IconStatus::Ok);
        EXPECT_EQ(parsed.file.DecodeIcon(2).status, pe::IconStatus::NotFound);
    }
}

TEST(PeResources, BundlesOutsideTheNumberRangeAndCutBundlesGiveOnlyWhatIsThere)
{
    std::vector<std::u16string> texts(16, u"");
    texts[0] = u"kept";
    texts[1] = u"cut short";
    Bytes cut = StringBundle(texts);
    cut.resize(2 + 2 * 4 + 2 + 6); // the second text stops after three of its nine units
    const BuiltPe pe = BuildPe({{pe::kResourceString, 0, StringBundle({u"bundle zero"})},
                                {pe::kResourceString, 2, cut},
                                {pe::kResourceString, 4097, StringBundle({u"past the end"})}});
    const pe::PeParseResult parsed = pe::ParsePeResources(pe.bytes);
    ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_EQ(StringsOf(parsed.file), (Strings{{16, u"kept"}}));
}

TEST(PeResources, DuplicateIdsKeepTheFirstAndNamedResourcesAreIgnored)
{
    BuiltPe pe = BuildPe({{pe::kResourceBitmap, 5, kTinyBitmap},
                          {pe::kResourceBitmap, 5, Dib(2, 1, 24, 0, {}, {0, 0, 0, 0, 0, 0, 0, 0})},
                          {pe::kResourceBitmap, 6, kTinyBitmap}});
    const size_t thirdIdEntry =
        pe.sectionOffset + 16 + 8 + 16 + 16;        // root, one type, type header, two entries
    Put32(pe.bytes, thirdIdEntry, 0x80000000u | 6); // now a named entry
    const pe::PeParseResult parsed = pe::ParsePeResources(pe.bytes);
    ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_EQ(Ids(parsed.file.Bitmaps()), std::vector<int>{5});
    EXPECT_EQ(parsed.file.DecodeBitmap(5).image.width, 1);
}

TEST(PeResources, BrokenHeadersMakeTheFileNotLoadable)
{
    const BuiltPe good = BuildPe(SampleResources());
    const size_t optional = good.optionalHeader;
    const size_t coff = optional - 20;
    const struct
    {
        const char* name;
        std::function<void(Bytes&)> damage;
        pe::PeStatus status;
    } cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }, pe::PeStatus::NotPe},
        {"DOS header cut", [](Bytes& b) { b.resize(63); }, pe::PeStatus::NotPe},
        {"no MZ", [](Bytes& b) { b[0] = 'X'; }, pe::PeStatus::NotPe},
        {"PE header past the end", [](Bytes& b) { Put32(b, 0x3C, 0xFFFFFFF0u); }, pe::PeStatus::Truncated},
        {"no PE signature", [&](Bytes& b) { b[coff - 4] = 'X'; }, pe::PeStatus::NotPe},
        {"unknown optional header", [&](Bytes& b) { Put16(b, optional, 0x107); }, pe::PeStatus::NotPe},
        {"optional header too short", [&](Bytes& b) { Put16(b, coff + 16, 1); }, pe::PeStatus::Truncated},
        {"directory count past the header", [&](Bytes& b) { Put16(b, coff + 16, 100); },
         pe::PeStatus::Truncated},
        {"65535 sections", [&](Bytes& b) { Put16(b, coff + 2, 0xFFFF); }, pe::PeStatus::Truncated},
        {"resources outside every section", [&](Bytes& b) { Put32(b, optional + 112 + 16, 0x9000); },
         pe::PeStatus::Corrupt},
        {"section data past the end", [&](Bytes& b) { Put32(b, optional + 240 + 20, 0x7FFFFFF0u); },
         pe::PeStatus::Corrupt},
        {"file cut inside the section", [&](Bytes& b) { b.resize(good.sectionOffset + 8); },
         pe::PeStatus::Corrupt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good.bytes;
        c.damage(bytes);
        const pe::PeParseResult parsed = pe::ParsePeResources(bytes);
        EXPECT_EQ(parsed.status, c.status);
        EXPECT_TRUE(parsed.file.Strings().empty());
        EXPECT_TRUE(parsed.file.Bitmaps().empty());
    }
}

TEST(PeResources, NoResourceDirectoryIsAnEmptyLibrary)
{
    BuiltPe pe = BuildPe(SampleResources());
    Put32(pe.bytes, pe.optionalHeader + 108, 2); // only the export and import directories
    const pe::PeParseResult parsed = pe::ParsePeResources(pe.bytes);
    EXPECT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_TRUE(parsed.file.Strings().empty());
}

TEST(PeResources, EntriesThatPointOutsideAreLeftOutAndTheRestRead)
{
    BuiltPe pe = BuildPe({{pe::kResourceBitmap, 1, kTinyBitmap},
                          {pe::kResourceBitmap, 2, kTinyBitmap},
                          {pe::kResourceBitmap, 3, kTinyBitmap},
                          {pe::kResourceBitmap, 4, kTinyBitmap}});
    Put32(pe.bytes, pe.dataEntries[1], 0x7FFFFFF0u);     // data address in no section
    Put32(pe.bytes, pe.dataEntries[2] + 4, 0xFFFFFFFFu); // size past the end
    Put32(pe.bytes, pe.dataEntries[0] - 4, 0x7FFF0);     // the last language table points past the region
    const pe::PeParseResult parsed = pe::ParsePeResources(pe.bytes);
    ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_EQ(Ids(parsed.file.Bitmaps()), std::vector<int>{1});
}

TEST(PeResources, ADirectoryThatPointsBackAtTheRootEndsWithoutResources)
{
    BuiltPe pe = BuildPe(SampleResources());
    for (size_t entry : pe.typeEntries)
        Put32(pe.bytes, entry + 4, 0x80000000u); // every type's table is the root again
    const pe::PeParseResult parsed = pe::ParsePeResources(pe.bytes);
    ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_TRUE(parsed.file.Strings().empty());
    EXPECT_TRUE(parsed.file.Bitmaps().empty());
}

TEST(PeResources, EveryPrefixOfAValidFileIsReadSafely)
{
    const BuiltPe pe = BuildPe(SampleResources());
    const size_t allStrings = pe::ParsePeResources(pe.bytes).file.Strings().size();
    for (size_t n = 0; n <= pe.bytes.size(); ++n) {
        const pe::PeParseResult parsed =
            pe::ParsePeResources(Bytes(pe.bytes.begin(), pe.bytes.begin() + static_cast<long>(n)));
        EXPECT_LE(parsed.file.Strings().size(), allStrings);
        for (const pe::ResourceEntry& e : parsed.file.Bitmaps())
            parsed.file.DecodeBitmap(e.id);
        for (const pe::ResourceEntry& e : parsed.file.GroupIcons())
            parsed.file.DecodeIcon(e.id);
    }
}

// A hostile pack may point many ids at one language table, or claim 65,535 entries: each table
// is read once and at most 4096 entries of it, so reading costs no more than the file's size.
TEST(PeResources, SharedTablesAreReadOnceAndLongTablesCut)
{
    BuiltPe shared = BuildPe({{pe::kResourceBitmap, 1, kTinyBitmap},
                              {pe::kResourceBitmap, 2, kTinyBitmap},
                              {pe::kResourceBitmap, 3, kTinyBitmap}});
    const size_t idTargets =
        shared.sectionOffset + 16 + 8 + 16 + 4; // after the root and the type table's header
    for (size_t i = 1; i < 3; ++i)
        for (size_t b = 0; b < 4; ++b)
            shared.bytes[idTargets + 8 * i + b] = shared.bytes[idTargets + b];
    const pe::PeParseResult parsed = pe::ParsePeResources(shared.bytes);
    ASSERT_EQ(parsed.status, pe::PeStatus::Ok);
    EXPECT_EQ(Ids(parsed.file.Bitmaps()), std::vector<int>{1});

    std::vector<Resource> many;
    for (int id = 1; id <= 5000; ++id)
        many.push_back({pe::kResourceBitmap, static_cast<uint16_t>(id), Bytes(4, 0)});
    const pe::PeParseResult cut = pe::ParsePeResources(BuildPe(many).bytes);
    ASSERT_EQ(cut.status, pe::PeStatus::Ok);
    EXPECT_EQ(cut.file.Bitmaps().size(), 4096u);
    EXPECT_EQ(cut.file.Bitmaps().back().id, 4096);
}
