#pragma once
// The test-mode camera file: a tagged text in which each camera is a numbered section
// ("<Camera_1>" ... "</Camera_1>") and each setting a pair of tags around its value. Reading is
// forgiving (every missing or unusable value has a default); writing replaces the file only
// once the new content is safely on disk.
#include "device/core/camera_record.h"
#include "device/core/found_camera_list.h"
#include "platform/core/owned_list.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using CameraList = OwnedList<CameraRecord>;

inline constexpr char kTestFileName[] = "Camtivo.tst";

// A file holds at most as many cameras as a search lists; further sections are not read.
inline constexpr size_t kMaxTestFileCameras = kMaxFoundCameras;
// A larger file is not read at all. A save of a full list with every text at its longest
// writes about 20 MB, which the next start must read back.
inline constexpr uintmax_t kMaxTestFileBytes = 24 * 1024 * 1024;

enum class TestFileRead
{
    Read,       // the list holds the file's cameras (none when it has no section 1)
    ListFull,   // the list holds the first kMaxTestFileCameras cameras; the file has more
    Unreadable, // missing, unreadable or cut short: the list is empty
    TooLarge    // larger than kMaxTestFileBytes: the list is empty
};

// Replaces the list's content with the cameras of the file; a file that is not read leaves it
// empty.
TestFileRead ReadTestFile(const std::filesystem::path& path, CameraList& cameras);
// Writes every camera of the list. The file is replaced only when the new content has been
// written completely; on any failure the old file stays as it was and the result is false.
bool WriteTestFile(const std::filesystem::path& path, const CameraList& cameras);

// The steps of reading and writing, without files.
// Bytes to text: UTF-16LE after a leading FF FE (an odd last byte is dropped), otherwise
// Windows-1252; the text ends at its first NUL.
std::u16string DecodeTestFileText(std::span<const uint8_t> bytes);
// Text to bytes: FF FE and the text in UTF-16LE, no terminator.
std::vector<uint8_t> EncodeTestFileText(std::u16string_view text);
// Appends the cameras of sections 1, 2, 3 ... up to the first one that is missing, empty or
// not closed, and at most kMaxTestFileCameras of them: Read, or ListFull when a further
// section would have been read. A section ends at the first section tag after its opening one
// (its own closing tag in any file this program writes), so sections never overlap and
// reading is linear.
TestFileRead ParseTestFileText(std::u16string_view text, CameraList& cameras);
// The whole text of a file holding the list.
std::u16string FormatTestFileText(const CameraList& cameras);
// One camera from the content of its section `number`, every missing value at its default; its
// MAC address is 00:00 followed by the number in four bytes.
CameraRecord CameraFromSection(std::u16string_view section, uint32_t number);
