#pragma once
// Reads the resources of a Windows resource library (a PE file) from its bytes: numbered
// strings, bitmaps and icons. The file is checked as it is read: a file whose headers or
// resource directory do not fit is not loadable; an entry that points outside the file is
// left out, so a damaged file yields fewer resources, never a read past its end.
#include "platform/core/dib_decoder.h"
#include "platform/core/icon_decoder.h"

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace pe {

inline constexpr uint16_t kResourceBitmap = 2;
inline constexpr uint16_t kResourceIcon = 3;
inline constexpr uint16_t kResourceString = 6;
inline constexpr uint16_t kResourceGroupIcon = 14;

enum class PeStatus
{
    Ok,
    NotPe,     // no DOS or PE signature, or an unknown optional header
    Truncated, // the headers or the section table run past the end of the file
    Corrupt,   // the resource directory lies outside every section's data
};

// One resource of a numbered type: where its data lies in the file.
struct ResourceEntry
{
    uint16_t id = 0;
    size_t offset = 0;
    size_t size = 0;
};

struct PeString
{
    uint16_t number = 0;
    std::u16string text;
};

class PeResourceFile
{
public:
    PeResourceFile() = default;

    // The resources of each type, in ascending id order, one entry per id.
    const std::vector<ResourceEntry>& Bitmaps() const { return bitmaps_; }
    const std::vector<ResourceEntry>& GroupIcons() const { return groupIcons_; }
    const std::vector<ResourceEntry>& IconImages() const { return iconImages_; }
    const std::vector<ResourceEntry>& StringBundles() const { return stringBundles_; }

    // Every non-empty string, in ascending number order, whole (no length limit).
    std::vector<PeString> Strings() const;

    std::span<const uint8_t> Data(const ResourceEntry& entry) const;
    // The entry of that type and id, or nullptr.
    const ResourceEntry* Find(uint16_t type, uint16_t id) const;

    DibResult DecodeBitmap(uint16_t id) const;
    // The image of the group icon nearest to 32 x 32 that decodes.
    IconImage DecodeIcon(uint16_t groupId, int size = 32) const;

private:
    friend struct PeParser;
    friend struct PeParseResult ParsePeResources(std::vector<uint8_t> bytes);
    std::vector<uint8_t> bytes_;
    std::vector<ResourceEntry> bitmaps_;
    std::vector<ResourceEntry> groupIcons_;
    std::vector<ResourceEntry> iconImages_;
    std::vector<ResourceEntry> stringBundles_;
    mutable std::set<uint16_t> brokenIcons_; // icon images that failed once are not tried again
};

struct PeParseResult
{
    PeStatus status = PeStatus::NotPe;
    PeResourceFile file; // empty unless status is Ok
};

PeParseResult ParsePeResources(std::vector<uint8_t> bytes);

} // namespace pe
